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

}  // namespace corvane
