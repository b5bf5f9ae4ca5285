#pragma once
// The message window: a top-level window showing the message log, oldest
// line first, each line wrapped at the window's width. The log lives on
// whether the window is open or not; the window redraws as soon as the event
// loop runs after lines were added.

#include <QWidget>
#include <vector>

#include "app/app_context.h"

class QPlainTextEdit;

namespace corvane {

class MessageWindow : public QWidget {
  Q_OBJECT

 public:
  // Placed where the settings say ("KORVMsgWindow").
  explicit MessageWindow(AppContext& context, QWidget* parent = nullptr);
  ~MessageWindow() override;

  // Shows the log again when it changed since the last call.
  void Refresh();

  // Keeps the window's position in the settings and writes it into the
  // settings file's "KORVMsgWindow" section. Nothing when the window was
  // never shown.
  void SaveLayout();

  // The text on show (for the tests).
  QString ShownText() const;
  QPlainTextEdit* text_view() const { return view_; }
  // The log line shown at a point of the text view's viewport (-1: none).
  int LineAt(QPoint viewport_point) const;

 signals:
  // Line `line` of the log (counted from the oldest kept line) was double
  // clicked.
  void LineDoubleClicked(int line);

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void RememberRect();

  AppContext& context_;
  QPlainTextEdit* view_ = nullptr;
  // The log line each text block shows (a line holding line feeds takes
  // several blocks).
  std::vector<int> block_lines_;
  unsigned shown_revision_ = 0;
  bool shown_once_ = false;
  bool refresh_pending_ = false;  // a redraw waits for the event loop
  MessageLog::Subscription log_subscription_;
};

}  // namespace corvane
