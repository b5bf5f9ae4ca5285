#pragma once
// File and folder choosers of the desktop program on QFileDialog.

#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "base/chooser.h"

namespace corvane {

class QtChooser : public Chooser {
 public:
  explicit QtChooser(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::optional<std::string> ChooseFile(const FileChoice& choice) override;

 private:
  QPointer<QWidget> parent_;
};

// The program's "description|pattern|...||" filter as QFileDialog's name
// filters ("description (patterns)" entries joined by ";;"). Qt takes the
// patterns from the last parenthesised group of an entry, so a description
// that already ends with its pattern in parentheses keeps its text and any
// other gets the group added; several patterns are separated by blanks.
QString QtFileFilter(std::string_view filter);

// Sets up `dialog` for `choice`: open or save, must-exist, overwrite
// question, filters, the extension added to a name typed without one, and
// the folder and name shown first.
void ConfigureFileDialog(QFileDialog& dialog, const FileChoice& choice);

// The system's folder chooser titled `title`, starting at `start`; nothing
// when cancelled.
std::optional<std::string> ChooseFolderWithDialog(QWidget* parent, const QString& title,
                                                  const QString& start);

}  // namespace corvane
