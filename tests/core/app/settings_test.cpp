#include "app/settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <tuple>
#include <vector>

#include "base/file_io.h"
#include "support/fake_environment.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::FakeEnvironment;
using testing::ScratchFolder;
using testing::Sjis;

constexpr std::int64_t kMegabyte = std::int64_t{1} << 20;

TEST(SettingsDefaultsTest, MissingFileReadsExactlyTheDefaults) {
  ScratchFolder folder;
  FakeEnvironment env;
  env.total_page_file = std::int64_t{10} << 30;
  const ProgramSettings s = LoadSettingsFile(folder.File("korv.ini"), false, env);
  EXPECT_EQ(s, DefaultSettings(env, false));

  EXPECT_EQ(s.call_speed, 4);
  EXPECT_EQ(s.accident_frequency, (std::array<int, 4>{0, 3600, 1800, 900}));
  EXPECT_EQ(s.accident_repair, (std::array<int, 4>{0, 600, 1800, 7200}));
  EXPECT_TRUE(s.inter_view && s.roll_back_fast && s.backup_file);
  EXPECT_FALSE(s.smart_view || s.use_dijkstra || s.extension);
  EXPECT_EQ(s.min_avail_phys, 0);
  EXPECT_EQ(s.min_avail_page_file, env.total_page_file / 10);
  EXPECT_EQ(s.passenger_types[3].transfer_cost, 1200);
  EXPECT_EQ(s.passenger_types[3].behavior_name, Sjis("乗り換え回避－高"));

  const auto corners = [](const WindowRect& r) {
    return std::array<int, 4>{r.left, r.top, r.right, r.bottom};
  };
  EXPECT_EQ(corners(s.main_window), (std::array<int, 4>{0, 0, 1000, 750}));
  EXPECT_EQ(corners(s.map_edit_window.rect), (std::array<int, 4>{0, 450, 1000, 750}));
  EXPECT_EQ(corners(s.message_window), (std::array<int, 4>{700, 40, 1000, 450}));
  EXPECT_EQ(corners(s.passenger_window), (std::array<int, 4>{0, 40, 700, 450}));
  EXPECT_TRUE(s.main_window.has_position);
  EXPECT_EQ(s.map_edit_window.grid_y, 4);
  EXPECT_FALSE(s.map_edit_window.open || s.display_windows[15].open);

  // The board's order: numbers 17 to 21 first, then 0 to 16.
  const auto& lines = s.main_window_lines;
  EXPECT_EQ(lines[0].name, Sjis("ジャンプ文字"));
  EXPECT_EQ(lines[3].number, 20);
  EXPECT_TRUE(lines[3].for_line);
  EXPECT_EQ(lines[3].pen_style, 2);
  EXPECT_EQ(lines[5].number, 0);
  EXPECT_EQ(lines[21].number, 16);
  EXPECT_EQ(lines[21].name, Sjis("着点ボタン－進路構成－なし"));
  EXPECT_EQ(lines[21].colour, (Rgb{255, 255, 0}));
  EXPECT_EQ(lines[21].point_width, 250);
  EXPECT_EQ(lines[21].point_width, 250);

  EXPECT_EQ(s.default_font.face_name, Sjis("ＭＳ ゴシック"));
  EXPECT_EQ(s.default_font.height, -12);
}

// Every field the program writes, changed away from its default.
ProgramSettings ChangedSettings(const FakeEnvironment& env, bool english) {
  ProgramSettings s = DefaultSettings(env, english);
  for (int* value : {&s.call_speed, &s.view_speed, &s.accident_size, &s.accident_frequency[2],
                     &s.accident_repair[3], &s.view_type, &s.view_for}) {
    *value = -*value - 1;
  }
  for (bool* flag : {&s.smart_view,
                     &s.track_view,
                     &s.route_view,
                     &s.inter_view,
                     &s.view_image16,
                     &s.tool_window,
                     &s.roll_back_file,
                     &s.roll_back_train,
                     &s.roll_back_fast,
                     &s.use_dijkstra,
                     &s.debug_dijkstra,
                     &s.use_undo,
                     &s.use_duplicate,
                     &s.backup_file,
                     &s.extension,
                     &s.map_edit_window.open,
                     &s.map_message_window_open,
                     &s.default_font.italic,
                     &s.default_font.underline,
                     &s.default_font.strike_out}) {
    *flag = !*flag;
  }
  s.min_avail_phys = 300 * kMegabyte;
  s.min_avail_page_file = 5000 * kMegabyte;
  PassengerType& type = s.passenger_types[2];
  type.transfer_cost = 11;
  type.reverse_cost = 12;
  type.behavior_rate = 13;
  type.behavior_name = Sjis("寄り道");
  s.main_window.left = -8;
  s.main_window.bottom = 1080;
  LineItem& item = s.main_window_lines[7];  // item number 2
  item.for_line = true;
  item.pen_style = 2;
  item.point_width = 100;
  item.colour = {1, 2, 3};
  item.name = Sjis("ポイント－新色");
  s.default_font.face_name = english ? "Courier New" : Sjis("游ゴシック");
  s.default_font.point_size = 12;
  s.default_font.height = -16;
  s.default_font.weight = 700;
  // Display windows without a font section of their own take the default
  // font.
  for (DisplayWindowLayout& window : s.display_windows) window.font = s.default_font;
  return s;
}

TEST(SettingsRoundTripTest, WrittenSettingsReadBackUnchanged) {
  FakeEnvironment env;
  for (bool english : {false, true}) {
    SCOPED_TRACE(english ? "English" : "Japanese");
    const ProgramSettings written = ChangedSettings(env, english);
    IniFile ini;
    WriteSettings(written, ini, english);
    EXPECT_EQ(ReadSettings(ini, english, env), written);

    EXPECT_EQ(ini.GetString("Setting", "SmartView"), "1");
    EXPECT_EQ(ini.GetString("Setting", "RouteView"), "0");
    EXPECT_EQ(ini.GetString("Setting", "Extention"), "1");
    EXPECT_EQ(ini.GetString("Setting", "AccidentFrequency02"), "-1801");
    EXPECT_EQ(ini.GetString("PassengerType02", "BehaviorName"), Sjis("寄り道"));
    EXPECT_EQ(ini.GetString("MainWindowLine02", "ColorBValue"), "3");
    // Only the face-name key of the language in use is written.
    EXPECT_TRUE(ini.Find("DefaultFont", english ? "FaceNameEnglish" : "FaceName"));
    EXPECT_FALSE(ini.Find("DefaultFont", english ? "FaceName" : "FaceNameEnglish"));
  }
}

TEST(SettingsFileTest, SavingKeepsEveryOtherLineByteForByte) {
  ScratchFolder folder;
  FakeEnvironment env;
  const std::string path = folder.File("korv.ini");
  const std::string head = "; " + Sjis("設定") + "\r\n" +
                           "[Path]\r\n"
                           "LoadWdia=C:\\" +
                           Sjis("ダイヤ") +
                           "\r\n"
                           "\r\n"
                           "[DisplayWindow03]\r\n"
                           "open=1\r\n"
                           "PosLeft=10\r\n"
                           "ViewToolBar=1\r\n"
                           "[BackupFile]\r\n"
                           "kvb=\r\n"
                           "kvm=C:\\temp\\backup.kvm\r\n"
                           "[Setting]\r\n"
                           "CallSpeed=7\r\n"
                           "FutureKey= spaced value \r\n";
  const std::string tail =
      "[FontDisplayWindow03]\r\n"
      "FaceName=" +
      Sjis("明朝") + "\r\n";
  ASSERT_TRUE(WriteFileAtomically(path, head + tail));

  const ProgramSettings s = LoadSettingsFile(path, false, env);
  EXPECT_EQ(s.call_speed, 7);
  EXPECT_TRUE(s.display_windows[3].open);
  EXPECT_EQ(s.load_wdia, "C:\\" + Sjis("ダイヤ"));
  EXPECT_EQ(s.backup_files.kvm, "C:\\temp\\backup.kvm");
  ASSERT_TRUE(SaveSettingsFile(path, s, false));

  const std::string saved = *ReadFileBytes(path);
  EXPECT_EQ(saved.substr(0, head.size()), head);
  EXPECT_NE(saved.find(tail), std::string::npos);
  EXPECT_EQ(saved.find("\n["), saved.find("\r\n[") + 1) << "line ends stay CRLF";
  // Saving again changes nothing: keys are replaced, never added twice.
  ASSERT_TRUE(SaveSettingsFile(path, LoadSettingsFile(path, false, env), false));
  EXPECT_EQ(*ReadFileBytes(path), saved);
}

TEST(SettingsDefaultsTest, UndoLimitInBytesIsAtLeastAMegabyte) {
  MapEditWindowSettings window;
  EXPECT_EQ(UndoLimitBytes(window), 256 * std::size_t(kMegabyte));
  for (int nonsense : {0, -5, INT_MIN}) {
    window.undo_limit_mb = nonsense;
    EXPECT_EQ(UndoLimitBytes(window), std::size_t(kMegabyte)) << nonsense;
  }
  window.undo_limit_mb = INT_MAX;
  EXPECT_EQ(UndoLimitBytes(window), std::size_t(INT_MAX) * std::size_t(kMegabyte));
}

TEST(SettingsFileTest, DisplayWindowsOneToFifteenReopen) {
  // The settings keep a layout for each display window the dia data keeps a
  // section for; window 00 is always open and has no flag.
  static_assert(std::tuple_size_v<decltype(ProgramSettings::display_windows)> ==
                std::tuple_size_v<WindowSections>);
  const IniFile ini = IniFile::Parse(
      "[DisplayWindow00]\nopen=1\n[DisplayWindow01]\nopen=1\n[DisplayWindow15]\nopen=1\n"
      "[DisplayWindow16]\nopen=1\n");
  const ProgramSettings s = ReadSettings(ini, false, FakeEnvironment());
  EXPECT_FALSE(s.display_windows[0].open);
  EXPECT_TRUE(s.display_windows[1].open);
  EXPECT_TRUE(s.display_windows[15].open);
  EXPECT_EQ(std::count_if(s.display_windows.begin(), s.display_windows.end(),
                          [](const DisplayWindowLayout& w) { return w.open; }),
            2);
}

TEST(SettingsFileTest, ClearingBackupKeysEmptiesAllThree) {
  IniFile ini =
      IniFile::Parse("[BackupFile]\nkvb=a.kvb\nstack=b.stk\nkvm=c.kvm\n[Other]\nkvm=keep\n");
  ClearBackupKeys(ini);
  EXPECT_EQ(ini.Serialize(), "[BackupFile]\nkvb=\nstack=\nkvm=\n[Other]\nkvm=keep\n");
  EXPECT_EQ(ReadSettings(ini, false, FakeEnvironment()).backup_files, BackupFiles());
}

TEST(SettingsLineStyleTest, PartialSectionChangesOnlyItsKeys) {
  FakeEnvironment env;
  // Item number 5 is the tenth item: "ポイント－順序制御", green (0, 128, 0).
  const IniFile ini = IniFile::Parse(
      "[MainWindowLine05]\nColorRValue=10\n"
      "[MainWindowLine06]\nColorGValue=256\nForLine=-1\n");
  const ProgramSettings s = ReadSettings(ini, false, env);
  ProgramSettings expected = DefaultSettings(env, false);
  expected.main_window_lines[10].colour = {10, 128, 0};
  // Each component is one byte: 256 must not carry into blue.
  expected.main_window_lines[11].colour = {128, 0, 0};
  expected.main_window_lines[11].for_line = true;
  EXPECT_EQ(s, expected);
}

TEST(SettingsLineStyleTest, OtherOwnersUseTheirOwnSections) {
  std::array<LineItem, 2> items;
  items[0].number = 3;
  items[0].colour = {9, 8, 7};
  items[1].number = 12;
  items[1].name = Sjis("線");
  IniFile ini;
  WriteLineItems(ini, "Board", items);
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"BoardLine03", "BoardLine12"}));
  std::array<LineItem, 2> read;
  read[0].number = 3;
  read[1].number = 12;
  ReadLineItems(ini, "Board", read);
  EXPECT_EQ(read, items);
}

TEST(SettingsFontTest, FaceNameKeyFollowsTheLanguage) {
  const IniFile ini = IniFile::Parse("[DefaultFont]\nFaceName=" + Sjis("明朝") + "\nWeight=700\n");
  const FontSettings english = ReadFontRecord(ini, "DefaultFont", true);
  EXPECT_EQ(english.face_name, "MS Gothic");
  EXPECT_EQ(english.weight, 700);
  EXPECT_EQ(ReadFontRecord(ini, "DefaultFont", false).face_name, Sjis("明朝"));
  EXPECT_EQ(ReadFontRecord(IniFile::Parse("[F]\nFaceNameEnglish=Arial\n"), "F", true).face_name,
            "Arial");
  EXPECT_EQ(ReadSettings(IniFile(), true, FakeEnvironment()).default_font.face_name, "MS Gothic");
}

TEST(SettingsFontTest, LongFaceNameIsClippedOnACharacterBoundary) {
  // 16 two-byte characters: the 31st byte is the first half of the last one.
  const std::string face = Sjis("ゴシックゴシックゴシックゴシック");
  const IniFile ini = IniFile::Parse("[F]\nFaceName=" + face + "\n");
  EXPECT_EQ(ReadFontRecord(ini, "F", false).face_name, face.substr(0, 30));
}

TEST(SettingsFontTest, TextFormListsTheKeysInOrder) {
  FontSettings font = DefaultFont(true);
  font.italic = true;
  EXPECT_EQ(FormatFontRecord(font, true),
            "FaceNameEnglish=MS Gothic\nPointSize=9\nHeight=-12\nWeight=400\n"
            "Italic=1\nUnderline=0\nStrikeOut=0\n");
  const std::string japanese_face = "FaceName=" + Sjis("ＭＳ ゴシック") + "\nPointSize=9\n";
  EXPECT_EQ(FormatFontRecord(DefaultFont(false), false).substr(0, japanese_face.size()),
            japanese_face);
}

TEST(SettingsMemoryTest, LargeThresholdsSurviveInBytes) {
  FakeEnvironment env;
  const IniFile ini = IniFile::Parse("[Setting]\nMinAvailPhys=2048\nMinAvailPageFile=4096\n");
  const ProgramSettings s = ReadSettings(ini, false, env);
  EXPECT_EQ(s.min_avail_phys, std::int64_t{2048} << 20);
  EXPECT_EQ(s.min_avail_page_file, std::int64_t{4096} << 20);
  IniFile out;
  WriteSettings(s, out, false);
  EXPECT_EQ(out.GetString("Setting", "MinAvailPhys"), "2048");
  EXPECT_EQ(out.GetString("Setting", "MinAvailPageFile"), "4096");

  // A machine with 64 GiB: a tenth is beyond 32 bits and is written in
  // whole megabytes.
  env.total_page_file = std::int64_t{64} << 30;
  IniFile defaults;
  WriteSettings(DefaultSettings(env, false), defaults, false);
  EXPECT_EQ(defaults.GetString("Setting", "MinAvailPageFile"), "6553");

  EXPECT_EQ(ReadSettings(IniFile::Parse("[Setting]\nMinAvailPhys=-1\n"), false, env).min_avail_phys,
            0);
}

TEST(SettingsWindowTest, EmptyPositionKeysMeanDefaultPlacement) {
  FakeEnvironment env;
  // What a window-position reset leaves behind, and a partly written rectangle.
  const std::string reset =
      "[KORVMainWindow]\nPosLeft=\nPosTop=\nPosRight=\nPosBottom=\n"
      "[MapEditWindow]\nPosLeft=5\nPosTop=\nPosRight=900\nPosBottom=700\nopen=1\n"
      "[KORVMsgWindow]\nPosLeft=650\n"
      "[PassengerEditWindow]\nPosLeft=30\nPosTop=60\nPosRight=830\nPosBottom=560\n";
  IniFile ini = IniFile::Parse(reset);
  const ProgramSettings s = ReadSettings(ini, false, env);
  const ProgramSettings defaults = DefaultSettings(env, false);

  EXPECT_FALSE(s.main_window.has_position);
  EXPECT_EQ(s.main_window.right, defaults.main_window.right);
  EXPECT_FALSE(s.map_edit_window.rect.has_position);
  EXPECT_EQ(s.map_edit_window.rect.left, 0) << "no mix of saved and default keys";
  EXPECT_TRUE(s.map_edit_window.open);
  EXPECT_TRUE(s.message_window.has_position);
  EXPECT_EQ(s.message_window.left, 650);
  EXPECT_EQ(s.message_window.top, 40);
  EXPECT_EQ(s.passenger_window.left, 30);
  EXPECT_EQ(s.passenger_window.bottom, 560);

  // A window without a position leaves its keys as they are.
  WriteSettings(s, ini, false);
  EXPECT_EQ(ini.GetString("KORVMainWindow", "PosLeft", "missing"), "");
  WindowRect placed = s.main_window;
  placed.has_position = true;
  WriteWindowRect(ini, "KORVMainWindow", placed);
  EXPECT_EQ(ini.GetString("KORVMainWindow", "PosRight"), "1000");

  MapEditWindowSettings map_edit = s.map_edit_window;
  map_edit.rect = placed;
  map_edit.grid_x = 0;
  WriteMapEditWindowLayout(ini, map_edit);
  const ProgramSettings again = ReadSettings(ini, false, env);
  EXPECT_EQ(again.map_edit_window.rect, placed);
  EXPECT_EQ(again.map_edit_window.grid_x, 0);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// The frame a window takes on the screen, with its title bar and borders.
struct Frame {
  int left, top, right, bottom;
};
Frame FrameOf(const WindowRect& r) { return {r.left, r.top, r.right + 8, r.bottom + 32}; }
bool Overlap(const Frame& a, const Frame& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

TEST(WindowPlaceTest, StartPlacesHideNoWindowAndFitTheScreen) {
  for (const ScreenArea area :
       {ScreenArea{0, 0, 1280, 770}, ScreenArea{0, 27, 1024, 741}, ScreenArea{1920, 0, 640, 400}}) {
    const Frame main = FrameOf(StartPlace(StartWindow::kMain, area));
    const Frame message = FrameOf(StartPlace(StartWindow::kMessage, area));
    const Frame map_edit = FrameOf(StartPlace(StartWindow::kMapEdit, area));
    EXPECT_FALSE(Overlap(main, message));
    EXPECT_FALSE(Overlap(main, map_edit));
    EXPECT_FALSE(Overlap(message, map_edit));
    for (const Frame& f : {main, message, map_edit}) {
      EXPECT_GE(f.left, area.left);
      EXPECT_GE(f.top, area.top);
      EXPECT_LE(f.right, area.left + area.width);
      EXPECT_LE(f.bottom, area.top + area.height);
      EXPECT_GT(f.right - f.left, 100);
    }
  }
  // The map edit window, where the work is, takes the screen's width.
  const WindowRect map_edit = StartPlace(StartWindow::kMapEdit, {0, 0, 1280, 770});
  EXPECT_EQ(map_edit.right - map_edit.left, 1272);
}

TEST(WindowPlaceTest, PlacesAreFittedIntoTheScreen) {
  const ScreenArea area{0, 0, 1280, 770};
  WindowRect inside;
  inside.left = 100;
  inside.top = 50;
  inside.right = 500;
  inside.bottom = 350;
  EXPECT_EQ(FitIntoArea(inside, area), inside);
  WindowRect off = inside;
  off.left = 3000;
  off.right = 3400;
  const WindowRect moved = FitIntoArea(off, area);
  EXPECT_EQ(moved.right - moved.left, 400);
  EXPECT_LE(moved.right + 8, 1280);
  WindowRect huge = inside;
  huge.right = 9000;
  huge.bottom = 9000;
  const WindowRect shrunk = FitIntoArea(huge, area);
  EXPECT_EQ(shrunk.left, 0);
  EXPECT_EQ(shrunk.right, 1272);
  EXPECT_EQ(shrunk.bottom, 738);
}

TEST(WindowPlaceTest, AWindowFindsItsScreen) {
  // A laptop screen on the left, the primary screen to its right.
  const std::vector<ScreenArea> screens = {{0, 0, 1280, 770}, {1280, 0, 1920, 1050}};
  const std::size_t primary = 1;
  const WindowRect defaults = StartPlace(StartWindow::kMain, screens[primary]);
  const auto place = [&](const WindowRect& rect) {
    return PlaceOnScreens(rect, defaults, StartWindow::kMain, screens, primary);
  };

  // No place of its own: the start place on the primary screen.
  WindowRect reset{10, 10, 500, 400};
  reset.has_position = false;
  EXPECT_EQ(place(reset), defaults);
  EXPECT_EQ(place(WindowRect{10, 10, 10, 400}), defaults) << "no width";
  EXPECT_EQ(place(WindowRect{10, 400, 500, 10}), defaults) << "upside down";
  EXPECT_EQ(place(defaults), defaults);

  // Its own place stays on the screen holding most of it.
  EXPECT_EQ(place(WindowRect{100, 50, 500, 350}), (WindowRect{100, 50, 500, 350}));
  const WindowRect straddling = place(WindowRect{1000, 50, 1400, 350});
  // Most of it is on the left screen: moved wholly onto it.
  EXPECT_EQ(straddling.left, 1280 - 400 - 8);
  EXPECT_EQ(straddling.right - straddling.left, 400);
  // A screen that is gone: onto the primary one.
  const WindowRect lost = place(WindowRect{-3000, 50, -2600, 350});
  EXPECT_GE(lost.left, 1280);
  EXPECT_EQ(lost.right - lost.left, 400);

  // Whatever numbers the settings file held, the window lands on a screen.
  for (const WindowRect& wild :
       {WindowRect{INT_MIN, INT_MIN, INT_MAX, INT_MAX}, WindowRect{-1, -1, INT_MAX, INT_MAX},
        WindowRect{INT_MAX - 5, 0, INT_MAX, 9}, WindowRect{INT_MIN, 0, INT_MIN + 3, 9}}) {
    const WindowRect placed = place(wild);
    EXPECT_GE(placed.left, 0);
    EXPECT_GE(placed.top, 0);
    EXPECT_LE(placed.right, 1280 + 1920);
    EXPECT_LE(placed.bottom, 1050);
    EXPECT_GT(placed.right, placed.left);
  }
  EXPECT_EQ(PlaceOnScreens(reset, defaults, StartWindow::kMain, {}, 0), reset) << "no screens";
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

using testing::Sjis;

TEST(SettingsLineStyleTest, TheBoardsTwentyTwoItemsRoundTripUnderTheirNumbers) {
  LineItems items = DefaultLineItems();
  for (int i = 0; i < kLineItemCount; ++i) {
    LineItem& item = items[static_cast<std::size_t>(i)];
    item.colour = {i, 255 - i, i * 7};
    item.point_width = 100 + i;
    item.pen_style = i % 5;
  }
  IniFile ini;
  WriteLineItems(ini, kMainWindowLineOwner, items);
  ASSERT_EQ(ini.SectionNames().size(), 22u);
  // The jump labels' item is number 17; the last item is number 16.
  EXPECT_EQ(ini.GetString("MainWindowLine17", "ItemName"), Sjis("ジャンプ文字"));
  EXPECT_EQ(ini.GetString("MainWindowLine16", "ItemName"), Sjis("着点ボタン－進路構成－なし"));
  EXPECT_EQ(ini.GetString("MainWindowLine16", "ColorRValue"), "21");
  EXPECT_EQ(ini.GetString("MainWindowLine20", "ForLine"), "1");
  EXPECT_EQ(ini.GetString("MainWindowLine20", "nPenStyle"), "3");
  EXPECT_EQ(ini.GetString("MainWindowLine00", "nPointWidth"), "105");
  LineItems read = DefaultLineItems();
  ReadLineItems(ini, kMainWindowLineOwner, read);
  EXPECT_EQ(read, items);
}

TEST(SettingsDisplayWindowTest, PlaceToolbarAndFontOfEachWindowRoundTrip) {
  for (bool english : {false, true}) {
    IniFile ini;
    DisplayWindowLayout five = DefaultDisplayWindowLayout(5, english);
    five.open = true;
    five.place = {-4, 7, 900, 800, true};
    five.view_tool_bar = false;
    five.font.face_name = "Sans";
    five.font.italic = true;
    WriteDisplayWindowLayout(ini, 5, five, english);
    EXPECT_EQ(ReadDisplayWindowLayout(ini, 5, english, DefaultFont(english)), five);
    EXPECT_EQ(ini.GetString("DisplayWindow05", "PosLeft"), "-4");
    EXPECT_EQ(ini.GetString("DisplayWindow05", "ViewToolBar"), "0");
    EXPECT_EQ(ini.GetString("DisplayWindow05", "open"), "1");
    EXPECT_EQ(ini.GetString("FontDisplayWindow05", english ? "FaceNameEnglish" : "FaceName"),
              "Sans");

    // Window 00 has no open flag; without a place it writes no position
    // and keeps the defaults.
    DisplayWindowLayout zero = DefaultDisplayWindowLayout(0, english);
    EXPECT_EQ(zero.place, (WindowRect{0, 40, 700, 450, true}));
    EXPECT_EQ(DefaultDisplayWindowLayout(9, english).place, (WindowRect{200, 100, 600, 400, true}));
    zero.place.has_position = false;
    WriteDisplayWindowLayout(ini, 0, zero, english);
    EXPECT_FALSE(ini.Find("DisplayWindow00", "open"));
    EXPECT_FALSE(ini.Find("DisplayWindow00", "PosLeft"));
    EXPECT_EQ(ReadDisplayWindowLayout(ini, 0, english, DefaultFont(english)),
              DefaultDisplayWindowLayout(0, english));
  }
}

TEST(SettingsDisplayWindowTest, AWindowWithoutAFontOfItsOwnTakesTheBoardsDefaultFont) {
  const IniFile ini = IniFile::Parse(
      "[DefaultFont]\nFaceName=Serif\nPointSize=14\n[FontDisplayWindow02]\nPointSize=10\n");
  const ProgramSettings s = ReadSettings(ini, false, FakeEnvironment());
  EXPECT_EQ(s.default_font.point_size, 14);
  EXPECT_EQ(s.display_windows[1].font, s.default_font);
  // A window's own keys go over the default font's.
  EXPECT_EQ(s.display_windows[2].font.point_size, 10);
  EXPECT_EQ(s.display_windows[2].font.face_name, "Serif");
}

}  // namespace
}  // namespace corvane
