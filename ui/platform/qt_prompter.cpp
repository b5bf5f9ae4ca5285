#include "platform/qt_prompter.h"

#include <QApplication>
#include <QPointer>

#include "app/english_twins.h"
#include "platform/dialog_owner.h"
#include "platform/qt_text.h"

namespace corvane {

QMessageBox::StandardButtons StandardButtonsFor(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::kOk:
      return QMessageBox::Ok;
    case PromptButtons::kYesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::kYesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::kAbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
  }
  return QMessageBox::Ok;
}

// The first button has the focus, as in every message box of the program.
QMessageBox::StandardButton DefaultButtonFor(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::kOk:
      return QMessageBox::Ok;
    case PromptButtons::kYesNo:
    case PromptButtons::kYesNoCancel:
      return QMessageBox::Yes;
    case PromptButtons::kAbortRetryIgnore:
      return QMessageBox::Abort;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon MessageBoxIconFor(PromptIcon icon) {
  switch (icon) {
    case PromptIcon::kNone:
      return QMessageBox::NoIcon;
    case PromptIcon::kInformation:
      return QMessageBox::Information;
    case PromptIcon::kQuestion:
      return QMessageBox::Question;
    case PromptIcon::kWarning:
      return QMessageBox::Warning;
    case PromptIcon::kError:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

PromptAnswer AnswerFor(int pressed, PromptButtons buttons) {
  switch (pressed) {
    case QMessageBox::Ok:
      return PromptAnswer::kOk;
    case QMessageBox::Yes:
      return PromptAnswer::kYes;
    case QMessageBox::No:
      return PromptAnswer::kNo;
    case QMessageBox::Cancel:
      return PromptAnswer::kCancel;
    case QMessageBox::Abort:
      return PromptAnswer::kAbort;
    case QMessageBox::Retry:
      return PromptAnswer::kRetry;
    case QMessageBox::Ignore:
      return PromptAnswer::kIgnore;
    default:
      return SafeAnswer(buttons);
  }
}

PromptAnswer QtPrompter::Ask(std::string_view text, std::string_view caption, PromptButtons buttons,
                             PromptIcon icon) {
  QWidget* parent = DialogOwner(parent_.data());
  QMessageBox box(MessageBoxIconFor(icon), Qs(Shown(caption, english_)), Qs(Shown(text, english_)),
                  StandardButtonsFor(buttons), parent);
  box.setDefaultButton(DefaultButtonFor(buttons));
  const QPointer<QWidget> focus = QApplication::focusWidget();
  // Escape presses Cancel, No or Abort, whichever the box has.
  const PromptAnswer answer = AnswerFor(box.exec(), buttons);
  RestoreFocus(focus);
  return answer;
}

void QtPrompter::Beep() { QApplication::beep(); }

}  // namespace corvane
