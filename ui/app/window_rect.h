#pragma once
// Window positions as the settings file keeps them: the screen rectangle of
// the window's frame. A rectangle without a position (its keys left empty by
// a window-position reset) leaves the placement to the window system.

#include <QWidget>

#include "app/settings.h"

namespace corvane {

// Puts `window` where `rect` says. Without a position, or when the
// rectangle lies on no screen any more, the window keeps the size of
// `defaults` and the window system places it.
void PlaceWindow(QWidget& window, const WindowRect& rect, const WindowRect& defaults);

// The rectangle to save for `window`: its normal position, or no position
// while it is minimised or maximised (the file then keeps the last normal
// one).
WindowRect RectOfWindow(const QWidget& window);

}  // namespace corvane
