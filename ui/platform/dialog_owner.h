#pragma once
// The window a message box or file dialog belongs to: the one the user works
// in, so that the box stands over it and that window stays in front after.

#include <QWidget>

namespace corvane {

// Starts following which window of the program the user works in (once the
// application exists; later calls do nothing).
void FollowActiveWindows();

// The open dialog, else the active window, else the window last active (a
// dialog that has just closed hands activity back only when the window
// manager answers): the visible window it stands for. `fallback` when none
// is known (at start-up).
QWidget* DialogOwner(QWidget* fallback);

// After a dialog or box closed: the window of `widget` active again and
// `widget` holding the keys, as before it opened (nothing for none).
void RestoreFocus(QWidget* widget);

}  // namespace corvane
