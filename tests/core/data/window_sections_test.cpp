// The display windows' sections of the dia data: what an open window keeps
// (place, view options, font) survives a save, and a section another program
// wrote opens with its unknown keys dropped and its missing keys defaulted.

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "board/display_windows.h"
#include "data/dia_file.h"
#include "example_dia.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"
#include "support/dia_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

// The header member of `file` as saved, with `edit` applied, read back.
DiaFile ReadBackWithHeader(const DiaFile& file, const std::function<void(std::string&)>& edit,
                           bool english = false) {
  std::vector<BundleMember> members = *SplitBundleText(FormatDiaText(file, false, english));
  std::string header;
  for (BundleMember& m : members) {
    if (m.name == "temp.kvd") {
      edit(m.content);
      header = m.content;
    }
  }
  BundleTableSource source(members);
  ScriptedPrompter prompter;
  DiaFile read;
  EXPECT_EQ(ReadDiaFromHeader(header, "temp.kvd", source, prompter, read, english),
            DiaReadResult::kRead);
  return read;
}

// The text of section `name` in `header`, up to the next section.
std::string SectionText(const std::string& header, const std::string& name) {
  const std::size_t start = header.find("[" + name + "]\n");
  if (start == std::string::npos) return {};
  const std::size_t end = header.find("\n[", start + 1);
  return header.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
}

std::string HeaderOf(const DiaFile& file, bool english) {
  const auto members = SplitBundleText(FormatDiaText(file, false, english));
  for (const BundleMember& m : *members) {
    if (m.name == "temp.kvd") return m.content;
  }
  return {};
}

DiaFile WithChangedWindows() {
  DiaFile file = SampleDiaFile();
  DisplayWindowSection& w = file.windows[7];
  w.open = true;
  w.place = {-30, 5, 400, 300, true};
  w.view.view_for = kOneLetterName;
  w.view.track_view = true;
  w.view.route_view = false;
  w.view.inter_view = kMainPanel;
  w.view.clock_position = kClockBottomRight;
  w.view.scale_x = 65536;
  w.view.scale_y = 256;
  w.view.scroll_pos_x = -12;
  w.font.face_name = "Noto Sans";
  w.font.weight = 700;
  w.font.strike_out = true;
  file.windows[15].open = true;  // open, placed by the settings file
  return file;
}

TEST(WindowSectionsTest, ViewSectionsRoundTripThroughASave) {
  const DiaFile file = WithChangedWindows();
  for (bool english : {false, true}) {
    const DiaFile read = ReadBackWithHeader(
        file, [](std::string&) {}, english);
    EXPECT_EQ(read.windows, file.windows) << english;
    // Saved again, the text is the same.
    EXPECT_EQ(FormatDiaText(read, false, english), FormatDiaText(file, false, english));
  }
  const std::string header = HeaderOf(file, false);
  // A window without a place of its own writes no position keys.
  EXPECT_EQ(SectionText(header, "DisplayWindow15").substr(0, 40),
            "[DisplayWindow15]\nOpen=1\nViewType=2\nView");
  // English writes the face under its own key.
  const std::string english = HeaderOf(file, true);
  EXPECT_NE(SectionText(english, "DisplayWindow07").find("\nFaceNameEnglish=Noto Sans\n"),
            std::string::npos);
  EXPECT_NE(SectionText(english, "DisplayWindow00").find("\nFaceNameEnglish=MS Gothic\n"),
            std::string::npos);
}

TEST(WindowSectionsTest, ASectionOfAnotherProgramOpensWithDefaultsAndLosesUnknownKeys) {
  DiaFile file = SampleDiaFile();
  file.windows[2].open = true;
  const DiaFile read = ReadBackWithHeader(file, [](std::string& header) {
    const std::size_t at = header.find("[DisplayWindow02]\n");
    const std::size_t end = header.find("[DisplayWindow03]");
    header.replace(at, end - at,
                   "[DisplayWindow02]\nOpen=5\nColourOfSky=blue\nRailView=2\nSmartView=7\n"
                   "ScaleX=0\nScaleY=999999\nInterView=9\nPosLeft=12\nClockPosition=-3\n"
                   "FlatteryTrain=-4\nPointSize=11\n\n");
  });
  const DisplayWindowSection& w = read.windows[2];
  EXPECT_TRUE(w.open);
  EXPECT_EQ(w.view.rail_view, kTrackCircuits);
  EXPECT_TRUE(w.view.smart_view);  // read as 1 when not zero
  // Scales out of range would divide by zero or overflow: clamped.
  EXPECT_EQ(w.view.scale_x, kSmallestScale);
  EXPECT_EQ(w.view.scale_y, kLargestScale);
  EXPECT_EQ(w.view.inter_view, kMainPanel);
  EXPECT_EQ(w.view.clock_position, kNoClock);
  EXPECT_EQ(w.view.flattery_train, 0);
  EXPECT_EQ(w.font.point_size, 11);
  // One position key alone is no place: the settings file's place stays.
  EXPECT_FALSE(w.place.has_position);
  // Missing keys: the defaults.
  ViewSettings expected;
  expected.rail_view = kTrackCircuits;
  expected.smart_view = true;
  expected.scale_x = kSmallestScale;
  expected.scale_y = kLargestScale;
  expected.inter_view = kMainPanel;
  EXPECT_EQ(w.view, expected);
  FontSettings font;
  font.point_size = 11;
  EXPECT_EQ(w.font, font);

  // The unknown key is gone when the data is saved again.
  const std::string saved = FormatDiaText(read, false);
  EXPECT_EQ(saved.find("ColourOfSky"), std::string::npos);
  EXPECT_NE(saved.find("[DisplayWindow02]\nOpen=1\nViewType=2\n"), std::string::npos);
}

TEST(WindowSectionsTest, NumbersAtTheEndsOfTheIntRangeStayInRange) {
  const char* const keys[] = {
      "PosLeft",   "PosTop",   "PosRight",  "PosBottom",     "ViewType",   "ViewFor",
      "SmartView", "RailView", "InterView", "ClockPosition", "PointSize",  "Height",
      "Weight",    "ScaleX",   "ScaleY",    "ScrollPosX",    "ScrollPosY", "FlatteryTrain"};
  for (const char* value : {"-2147483648", "2147483647", "99999999999", "x"}) {
    SCOPED_TRACE(value);
    const DiaFile read = ReadBackWithHeader(SampleDiaFile(), [value, &keys](std::string& header) {
      std::string section = "[DisplayWindow00]\nOpen=1\n";
      for (const char* key : keys) section += std::string(key) + "=" + value + "\n";
      const std::size_t at = header.find("[DisplayWindow00]\n");
      header.replace(at, header.find("[DisplayWindow01]") - at, section + "\n");
    });
    const ViewSettings& view = read.windows[0].view;
    EXPECT_GE(view.scale_x, kSmallestScale);
    EXPECT_LE(view.scale_y, kLargestScale);
    EXPECT_LE(std::abs(view.scroll_pos_x), kScrollPositionLimit);
    EXPECT_GE(view.view_type, kNoName);
    EXPECT_LE(view.clock_position, kClockBottomRight);
    EXPECT_GE(view.flattery_train, 0);
    // What the window makes of it stays within int.
    const BoardView board = ViewOfWindow(view, 1000, 700);
    EXPECT_EQ(board.scroll_x, -kScrollStep * view.scroll_pos_x);
    EXPECT_FALSE(DisplayWindowTitle("Board", 0, read, view, board).empty());
    const WindowRect placed = PlaceDisplayWindow(read.windows[0].place, 1920, 1080);
    EXPECT_LE(placed.left, 1820);
    // And it saves as it was read.
    const DiaFile again = ReadBackWithHeader(read, [](std::string&) {});
    EXPECT_EQ(again.windows, read.windows);
  }
}

TEST(WindowSectionsTest, WindowZeroIsOpenAndClosedWindowsForgetTheirKeys) {
  const DiaFile read = ReadBackWithHeader(SampleDiaFile(), [](std::string& header) {
    header.replace(header.find("[DisplayWindow00]\nOpen=1"), 24, "[DisplayWindow00]\nOpen=0");
    header.replace(header.find("[DisplayWindow01]\nOpen=0\n"), 25,
                   "[DisplayWindow01]\nOpen=0\nRailView=2\n");
  });
  EXPECT_TRUE(read.windows[0].open);
  EXPECT_EQ(read.windows[1], DisplayWindowSection{});
}

}  // namespace
}  // namespace corvane
