#pragma once
// Window positions as the settings file keeps them: the screen rectangle of
// the window's frame. A rectangle without a position (its keys left empty by
// a window-position reset) leaves the placement to the window system.

#include <QWidget>

#include "app/settings.h"

namespace corvane {

// Puts `window` where `rect` says, wholly on the screen it is on and no
// larger than that screen. Without a position of its own (none, or still
// the default `defaults`) it takes its start place on the primary screen; a
// place on no screen any more is moved onto the primary screen.
void PlaceWindow(QWidget& window, const WindowRect& rect, const WindowRect& defaults,
                 StartWindow which);

// Takes `window`'s normal position into `rect`, the rectangle the settings
// keep for it. While the window is minimised, maximised or full screen `rect`
// stays as it is, so the last normal position is the one saved.
void RememberWindowRect(const QWidget& window, WindowRect& rect);

}  // namespace corvane
