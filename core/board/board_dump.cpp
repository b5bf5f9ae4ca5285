#include "board/board_dump.h"

#include <cstdio>

namespace corvane {

namespace {

std::string Pair(PixelPoint point) {
  return std::to_string(point.x) + "," + std::to_string(point.y);
}

std::string Colour(Rgb colour) {
  return "rgb " + std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
         std::to_string(colour.blue);
}

std::string Aligned(const BoardText& text) {
  const char* h = text.h == HAlign::kLeft ? "left" : text.h == HAlign::kCenter ? "center" : "right";
  const char* v = text.v == VAlign::kTop ? "top" : text.v == VAlign::kMiddle ? "middle" : "bottom";
  return QuotedText(text.utf8) + " at " + Pair(text.anchor) + " align " + h + " " + v + " " +
         Colour(text.colour);
}

class DumpObserver : public BoardObserver {
 public:
  explicit DumpObserver(std::string& out) : out_(out) {}

  void PointLabel(const BoardText& text) override {
    Add("text point " + std::to_string(text.record) + " " + Aligned(text));
  }
  void JumpLabel(const BoardText& text) override {
    Add("text jump " + std::to_string(text.record) + " " + Aligned(text));
  }
  void Frame(int record, int station, PixelPoint corner, PixelPoint opposite, Rgb colour) override {
    Add("frame " + std::to_string(record) + " station " + std::to_string(station) + " rect " +
        Pair(corner) + " " + Pair(opposite) + " " + Colour(colour));
  }
  void FrameName(const BoardText& text) override {
    Add("text frame " + std::to_string(text.record) + " " + Aligned(text));
  }
  void Rail(int record, const RailLine& line, int width, Rgb colour) override {
    Add("rail " + std::to_string(record) + " line " + Pair(line.exit) + " " + Pair(line.entry) +
        " width " + std::to_string(width) + " " + Colour(colour));
  }

 private:
  void Add(const std::string& line) {
    out_ += line;
    out_ += '\n';
  }
  std::string& out_;
};

}  // namespace

std::string QuotedText(std::string_view utf8) {
  std::string quoted = "\"";
  for (char c : utf8) {
    if (c == '\\' || c == '"') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  return quoted;
}

std::string DumpBoard(const BoardScene& scene) {
  const BoardView& view = scene.view;
  std::string out = "board " + std::to_string(view.width) + "x" + std::to_string(view.height) +
                    " scale " + std::to_string(ClampScale(view.scale_x)) + "," +
                    std::to_string(ClampScale(view.scale_y)) + " scroll " +
                    std::to_string(view.scroll_x) + "," + std::to_string(view.scroll_y) +
                    " track " + std::to_string(view.TrackWidth()) + "\n";
  DumpObserver observer(out);
  NullCanvas canvas;
  DrawBoard(scene, canvas, &observer);
  return out;
}

}  // namespace corvane
