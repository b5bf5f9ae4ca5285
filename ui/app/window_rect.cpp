#include "app/window_rect.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace corvane {

namespace {

QSize SizeOf(const WindowRect& rect) {
  return QSize(rect.right - rect.left, rect.bottom - rect.top);
}

ScreenArea AreaOf(const QScreen* screen) {
  if (screen == nullptr) return {};
  const QRect r = screen->availableGeometry();
  return {r.left(), r.top(), r.width(), r.height()};
}

// The screen a frame lies on (the one holding most of it), else none.
const QScreen* ScreenOf(const QRect& frame) {
  const QScreen* best = nullptr;
  long long most = 0;
  for (const QScreen* screen : QGuiApplication::screens()) {
    const QRect shared = screen->availableGeometry().intersected(frame);
    const long long area = static_cast<long long>(shared.width()) * shared.height();
    if (area > most) {
      most = area;
      best = screen;
    }
  }
  return best;
}

}  // namespace

void PlaceWindow(QWidget& window, const WindowRect& rect, const WindowRect& defaults,
                 StartWindow which) {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (primary == nullptr) return;  // no screens: the window system decides
  const QSize size = SizeOf(rect);
  const QRect frame(QPoint(rect.left, rect.top), size);
  WindowRect place;
  if (!rect.has_position || size.width() <= 0 || size.height() <= 0 || rect == defaults) {
    place = StartPlace(which, AreaOf(primary));
  } else if (const QScreen* screen = ScreenOf(frame)) {
    place = FitIntoArea(rect, AreaOf(screen));
  } else {
    place = FitIntoArea(rect, AreaOf(primary));
  }
  window.move(place.left, place.top);
  window.resize(SizeOf(place));
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
