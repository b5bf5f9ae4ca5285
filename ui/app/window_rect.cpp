#include "app/window_rect.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>

namespace corvane {

namespace {

bool OnSomeScreen(const QRect& frame) {
  const auto screens = QGuiApplication::screens();
  // Without screen information there is nothing to check against.
  if (screens.isEmpty()) return true;
  for (const QScreen* screen : screens) {
    if (screen->availableGeometry().intersects(frame)) return true;
  }
  return false;
}

QSize SizeOf(const WindowRect& rect) {
  return QSize(rect.right - rect.left, rect.bottom - rect.top);
}

}  // namespace

void PlaceWindow(QWidget& window, const WindowRect& rect, const WindowRect& defaults) {
  const QSize size = SizeOf(rect);
  const QRect frame(QPoint(rect.left, rect.top), size);
  if (rect.has_position && size.width() > 0 && size.height() > 0 && OnSomeScreen(frame)) {
    window.move(frame.topLeft());
    window.resize(size);
    return;
  }
  const QSize fallback = SizeOf(defaults);
  if (fallback.width() > 0 && fallback.height() > 0) window.resize(fallback);
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
