#pragma once
// Drawing surface for everything the program paints (the map edit window,
// the operation board): the desktop draws with QPainter, the headless tool
// into an image, tests into a recording canvas. Coordinates are pixels;
// texts are UTF-8.

#include <string>
#include <string_view>
#include <vector>

namespace corvane {

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

struct TextSize {
  int width = 0;
  int height = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // Fills the rectangle from (left, top) up to but excluding (right, bottom).
  virtual void FillRect(int left, int top, int right, int bottom, Rgb colour) = 0;
  // Outlines that rectangle with a pen `width` pixels wide, inside its edges.
  virtual void FrameRect(int left, int top, int right, int bottom, Rgb colour, int width) = 0;
  // A straight line from `from` to `to` (the end point excluded).
  virtual void Line(PixelPoint from, PixelPoint to, Rgb colour, int width) = 0;
  // A filled polygon.
  virtual void FillPolygon(const std::vector<PixelPoint>& points, Rgb colour) = 0;
  // Text with its top-left corner at `origin`, on a transparent background.
  virtual void Text(PixelPoint origin, std::string_view utf8, Rgb colour) = 0;
  // The size `utf8` takes in the current font.
  virtual TextSize MeasureText(std::string_view utf8) = 0;
  // A picture of the program's image files by its file name (a series'
  // icon) with its top-left corner at `origin`, and its size; a canvas
  // without pictures draws nothing and gives 0 x 0.
  virtual void Image(PixelPoint /*origin*/, std::string_view /*name*/) {}
  virtual TextSize ImageSize(std::string_view /*name*/) { return {}; }

  // Outlines the rectangle from (left, top) up to but excluding (right,
  // bottom) with a dotted one-pixel pen: every other pixel, from the corner.
  void DottedFrameRect(int left, int top, int right, int bottom, Rgb colour) {
    const auto dot = [this, colour](long long x, long long y) {
      if ((x + y) % 2 == 0)
        FillRect(static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + 1),
                 static_cast<int>(y + 1), colour);
    };
    if (right <= left || bottom <= top) return;
    for (long long x = left; x < right; ++x) {
      dot(x, top);
      if (bottom - 1 > top) dot(x, bottom - 1);
    }
    for (long long y = top + 1; y < bottom - 1; ++y) {
      dot(left, y);
      if (right - 1 > left) dot(right - 1, y);
    }
  }

  // Text centred on the rectangle.
  void CentredText(int left, int top, int right, int bottom, std::string_view utf8, Rgb colour) {
    const TextSize size = MeasureText(utf8);
    Text({(left + right - size.width) / 2, (top + bottom - size.height) / 2}, utf8, colour);
  }
};

// Draws nothing and only counts the calls; measures text in a fixed-pitch
// font (6 pixels a byte, 12 high). For drawings only an observer listens
// to, and for timing a drawing without its pixels.
class NullCanvas : public Canvas {
 public:
  void FillRect(int, int, int, int, Rgb) override { ++calls_; }
  void FrameRect(int, int, int, int, Rgb, int) override { ++calls_; }
  void Line(PixelPoint, PixelPoint, Rgb, int) override { ++calls_; }
  void FillPolygon(const std::vector<PixelPoint>&, Rgb) override { ++calls_; }
  void Text(PixelPoint, std::string_view, Rgb) override { ++calls_; }
  TextSize MeasureText(std::string_view utf8) override {
    return {static_cast<int>(utf8.size()) * 6, 12};
  }
  long calls() const { return calls_; }

 private:
  long calls_ = 0;
};

// Records every call, for tests and for comparing drawings.
class RecordingCanvas : public Canvas {
 public:
  enum class Op { kFillRect, kFrameRect, kLine, kFillPolygon, kText };
  struct Call {
    Op op;
    std::vector<PixelPoint> points;  // rectangle corners, line ends or polygon
    Rgb colour;
    int width = 0;
    std::string text;
  };

  void FillRect(int left, int top, int right, int bottom, Rgb colour) override {
    calls_.push_back({Op::kFillRect, {{left, top}, {right, bottom}}, colour, 0, {}});
  }
  void FrameRect(int left, int top, int right, int bottom, Rgb colour, int width) override {
    calls_.push_back({Op::kFrameRect, {{left, top}, {right, bottom}}, colour, width, {}});
  }
  void Line(PixelPoint from, PixelPoint to, Rgb colour, int width) override {
    calls_.push_back({Op::kLine, {from, to}, colour, width, {}});
  }
  void FillPolygon(const std::vector<PixelPoint>& points, Rgb colour) override {
    calls_.push_back({Op::kFillPolygon, points, colour, 0, {}});
  }
  void Text(PixelPoint origin, std::string_view utf8, Rgb colour) override {
    calls_.push_back({Op::kText, {origin}, colour, 0, std::string(utf8)});
  }
  // A fixed-pitch font: 6 pixels a byte of Shift-JIS width, 12 high.
  TextSize MeasureText(std::string_view utf8) override {
    return {static_cast<int>(utf8.size()) * 6, 12};
  }

  const std::vector<Call>& calls() const { return calls_; }
  void Clear() { calls_.clear(); }

 private:
  std::vector<Call> calls_;
};

}  // namespace corvane
