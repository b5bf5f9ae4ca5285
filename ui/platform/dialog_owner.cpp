#include "platform/dialog_owner.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace corvane {

namespace {

QPointer<QWidget>& LastActiveWindow() {
  static QPointer<QWidget> window;
  return window;
}

// `window`, or the first visible window it stands over.
QWidget* VisibleOwner(QWidget* window) {
  while (window != nullptr && !window->isVisible()) {
    window = window->parentWidget() != nullptr ? window->parentWidget()->window() : nullptr;
  }
  return window;
}

}  // namespace

void FollowActiveWindows() {
  static bool following = false;
  if (following || qApp == nullptr) return;
  following = true;
  // A dialog goes away with its answer: the window it stands over is the
  // one to remember.
  QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
    QWidget* window = now != nullptr ? now->window() : nullptr;
    while (qobject_cast<QDialog*>(window) != nullptr && window->parentWidget() != nullptr) {
      window = window->parentWidget()->window();
    }
    if (window != nullptr) LastActiveWindow() = window;
  });
}

QWidget* DialogOwner(QWidget* fallback) {
  for (QWidget* candidate : {QApplication::activeModalWidget(), QApplication::activeWindow(),
                             LastActiveWindow().data()}) {
    if (QWidget* owner = VisibleOwner(candidate)) return owner;
  }
  return fallback;
}

void RestoreFocus(QWidget* widget) {
  if (widget == nullptr || !widget->isVisible()) return;
  widget->window()->activateWindow();
  widget->setFocus(Qt::OtherFocusReason);
}

}  // namespace corvane
