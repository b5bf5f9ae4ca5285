#pragma once
// Qt's own texts (the buttons of message boxes, the file dialogs, the
// context menus of text fields) in the interface language. Qt speaks English
// by itself; the Japanese interface takes Qt's Japanese translation from the
// system, so that a question reads "はい(&Y)" / "いいえ(&N)" like the rest of
// the window.

namespace corvane {

// Installs Qt's translation for the interface language in the running
// application, replacing one installed before. Needs a QCoreApplication.
// False when the Japanese interface finds no translation installed (Qt then
// stays English).
bool InstallQtTranslation(bool english);

}  // namespace corvane
