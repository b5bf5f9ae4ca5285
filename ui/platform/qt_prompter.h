#pragma once
// Message boxes of the desktop program: the core's questions and refusals
// shown as QMessageBox, modal over the active window.

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "base/prompter.h"

namespace corvane {

class QtPrompter : public Prompter {
 public:
  // The boxes belong to the window the user works in; `parent` when no
  // window of the program is active.
  explicit QtPrompter(QWidget* parent = nullptr) : parent_(parent) {}

  void SetParent(QWidget* parent) { parent_ = parent; }
  // The English interface shows the English twins of the texts.
  void SetEnglish(bool english) { english_ = english; }

  PromptAnswer Ask(std::string_view text, std::string_view caption, PromptButtons buttons,
                   PromptIcon icon) override;
  void Beep() override;

 private:
  QPointer<QWidget> parent_;
  bool english_ = false;
};

// The pieces of a box, kept apart from showing it.
QMessageBox::StandardButtons StandardButtonsFor(PromptButtons buttons);
QMessageBox::StandardButton DefaultButtonFor(PromptButtons buttons);
QMessageBox::Icon MessageBoxIconFor(PromptIcon icon);
// The answer of a pressed button; a box closed without a button (Escape,
// the title bar) gives the answer that changes nothing.
PromptAnswer AnswerFor(int pressed, PromptButtons buttons);

}  // namespace corvane
