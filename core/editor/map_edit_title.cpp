#include "editor/map_edit_title.h"

#include "editor/edit_tool.h"

namespace corvane {

namespace {

struct TitleTexts {
  const char* safety_atc;
  const char* safety_ats;
  const char* edited;
};

constexpr TitleTexts kJapaneseTitle = {"保安装置：ＡＴＣ", "保安装置：ＡＴＳ", "（更新）"};
constexpr TitleTexts kEnglishTitle = {"  <ATC>", "  <ATS>", "(Edited)"};

constexpr std::string_view kCaptionSeparator = " - ";
constexpr std::string_view kTitleSeparator = "  ";

}  // namespace

std::string MapEditCaption(std::string_view window_name, std::string_view base_name) {
  if (base_name.empty()) return std::string(window_name);
  std::string caption(base_name);
  caption += kCaptionSeparator;
  caption += window_name;
  return caption;
}

std::string MapEditTitle(std::string_view caption, const EditMap& map, bool english) {
  const TitleTexts& texts = english ? kEnglishTitle : kJapaneseTitle;
  std::string title(caption);
  title += kTitleSeparator;
  title += map.header().settings.safety_device == kSafetyAts ? texts.safety_ats : texts.safety_atc;
  title += kTitleSeparator;
  if (map.modified()) title += texts.edited;
  return title;
}

std::string MapEditTitle(std::string_view caption, const EditSession& session, bool english) {
  // Without a map the window shows its caption only.
  if (!session.map_open()) return std::string(caption);
  const EditTool& tool = ToolFor(session.mode());
  if (tool.title != nullptr) return tool.title(session, caption, english);
  return MapEditTitle(caption, session.map(), english);
}

std::string PointerText(const EditSession& session, bool english) {
  const std::optional<PixelPoint>& hover = session.state().hover;
  if (!hover) return {};
  const GridPoint p = SnapToGrid(hover->x, hover->y);
  std::string text = "x " + std::to_string(p.x) + "  y " + std::to_string(p.y);
  const EditMap& map = session.map();
  auto object = [&](const char* japanese, const char* english_name, int number) {
    text += "  ";
    text += english ? english_name : japanese;
    text += " " + std::to_string(number);
  };
  if (const int rail = map.RailAt(hover->x, hover->y); rail != 0) {
    object("線路", "Track section", rail);
  } else if (const int point = map.PointAt(hover->x, hover->y); point != 0) {
    object("ポイント", "Point", point);
  } else if (const int draw = map.StationDrawAt(hover->x, hover->y); draw != 0) {
    object("駅描画", "Station Drawing", draw);
  } else if (const JumpEnd end = map.JumpEndAt(hover->x, hover->y); end.jump != 0) {
    object("ジャンプ", "Jump", end.jump);
  }
  text += "  " + std::to_string(session.state().zoom) + "%";
  return text;
}

}  // namespace corvane
