#include "app/window_rect.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <vector>

namespace corvane {

namespace {

ScreenArea AreaOf(const QScreen* screen) {
  const QRect r = screen->availableGeometry();
  return {r.left(), r.top(), r.width(), r.height()};
}

}  // namespace

void PlaceWindow(QWidget& window, const WindowRect& rect, const WindowRect& defaults,
                 StartWindow which) {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return;  // no screens: the window system decides
  std::vector<ScreenArea> screens;
  std::size_t primary_index = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    if (screen == primary) primary_index = screens.size();
    screens.push_back(AreaOf(screen));
  }
  if (screens.empty()) screens.push_back(AreaOf(primary));
  const WindowRect place = PlaceOnScreens(rect, defaults, which, screens, primary_index);
  window.move(place.left, place.top);
  window.resize(place.right - place.left, place.bottom - place.top);
}

void RememberWindowRect(const QWidget& window, WindowRect& rect) {
  if (window.isMinimized() || window.isMaximized() || window.isFullScreen()) return;
  const QPoint top_left = window.pos();
  rect = WindowRect{};
  rect.left = top_left.x();
  rect.top = top_left.y();
  rect.right = rect.left + window.width();
  rect.bottom = rect.top + window.height();
}

}  // namespace corvane
