#include "editor/edit_script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/map_document.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/message_log.h"
#include "map/map_change.h"
#include "mapfile/map_file.h"
#include "mapfile/map_summary.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;
using testing::Sjis;

// A new map with the default signal types and a script that saves it under
// `out`, as `corvane-cli map edit -new OUT` does.
class EditScriptTest : public ::testing::Test {
 protected:
  EditScriptTest() {
    std::filesystem::create_directory(folders_.temp);
    EXPECT_TRUE(document_.NewMap());
  }

  bool Run(const std::string& text) {
    std::istringstream in(text);
    return script_.Run(in, &error_);
  }

  ScratchFolder folder_;
  MapFolders folders_{folder_.File("temp/"), folder_.path(),
                      testing::SourceDataFolder() + "old_map/"};
  EditMap map_;
  ScriptedPrompter prompter_;
  ScriptedChooser chooser_;
  MessageLog log_;
  QueuedAnswers answers_{prompter_};
  MapDocument document_{map_, folders_, answers_, chooser_, log_};
  std::string out_ = folder_.File("out.kvm");
  EditScript script_{map_, answers_, [this] { return document_.SaveAsPath(out_); },
                     [this](bool confirm) { return document_.StartNewMap(confirm); }};
  std::string error_;
};

TEST_F(EditScriptTest, MalformedLinesChangeNothingAndNameTheirLine) {
  const std::vector<std::string> bad = {
      "frobnicate",
      "mode",
      "mode 1",
      "mode 2 sideways",
      "mode 12 3",
      "mode 5 1",
      "mode 4 x",
      "click 1",
      "click a b",
      "clickpx 1 2 3",
      "key Hyper",
      "key Shift+x",
      "save now",
      "station 東",
      "stopsection",
      "command",
      "command map_edit.frobnicate",
      "command turnout crossing",
  };
  for (const std::string& line : bad) {
    std::string why;
    EXPECT_EQ(script_.RunLine(line, &why), EditScript::Outcome::kMalformed) << line;
    EXPECT_FALSE(why.empty()) << line;
  }
  EXPECT_EQ(script_.session().mode(), EditMode::kNone);
  EXPECT_EQ(map_.stations().count(), 0);
  EXPECT_FALSE(map_.modified());

  EXPECT_FALSE(Run("# a comment\n\nmode 2 left\nclick 2 x\nclick 3 3\n"));
  EXPECT_EQ(error_, "line 4: click: two numbers expected");
  EXPECT_EQ(script_.session().track_direction(), kLeftwardOnly);
  EXPECT_FALSE(script_.session().has_pending());
}

TEST_F(EditScriptTest, AnswersFillTheDialogsTheToolsOpen) {
  ASSERT_TRUE(
      Run("station 東 東町 東町駅\n"
          "mode 2 both\nclick 2 5\nclick 12 5\nclick 20 5\nright 0 0\n"
          "mode 32\n"
          "answer 駅=東町駅 区間距離=300 制限速度=60 ←停止目標距離=100 "
          "→停止目標距離=200 ←信号=#2 →信号=#1 ←略記名称=東上 ←名称=東町上り "
          "→略記名称=東下 →名称=\"東町 下り\" 単線区間指定=1 電化=#1 ok\n"
          "click 7 5\n"
          // A refused answer leaves the segment as it was.
          "answer 区間距離=0 ok\nclick 15 5\n"
          // The station dialog: add a stop section, then choose it.
          "answer press=追加 ok\nanswer 一文字名称=信 略記名称=信号 名称=信号場 ok\n"
          "mode 6\nclick 15 5\n"))
      << error_;
  const MapRail& rail = map_.rails()[1];
  EXPECT_EQ((std::vector<int>{rail.station, rail.yard_station, rail.length, rail.speed_limit,
                              rail.stop_left, rail.stop_right, rail.signal_left, rail.signal_right,
                              rail.single_track, rail.electric}),
            (std::vector<int>{1, 0, 300, 60, 100, 200, 1, 0, 1, 0}));
  EXPECT_EQ(rail.name_right, Sjis("東町 下り"));
  EXPECT_EQ(rail.short_left, Sjis("東上"));
  EXPECT_EQ(map_.rails()[2].length, 800);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, "区間距離は、正の値でなければなりません。\n");
  ASSERT_EQ(map_.targets().count(), 1);
  EXPECT_EQ(map_.targets()[1].name, Sjis("信号場"));
  EXPECT_EQ(map_.rails()[2].target, 1);
  EXPECT_EQ(script_.session().mode(), EditMode::kStopSection);

  // An answer that does not fit its dialog stops the script at that line.
  EXPECT_FALSE(Run("answer 区間距離=300 ok\nmode 6\n"));
  EXPECT_NE(error_.find("line 2: the answer to \"停車区画設定・選択\""), std::string::npos)
      << error_;
  // Texts that a map cannot hold are refused wherever they come from.
  prompter_.ClearShown();
  ASSERT_TRUE(Run("station A,B sh,ort name\n"));
  EXPECT_EQ(map_.stations().count(), 1);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].caption, "入力データエラー");
}

TEST_F(EditScriptTest, AnAnswerWaitsForTheNextDialogAfterIt) {
  // Given after the click that opened the dialog, the answer is too late:
  // that dialog was cancelled, and the answer waits.
  ASSERT_TRUE(
      Run("mode 2\nclick 2 5\nclick 8 5\nright 0 0\nmode 32\nclick 5 5\n"
          "answer 区間距離=300 ok\n"))
      << error_;
  EXPECT_TRUE(script_.HasUnusedAnswers());
  EXPECT_NE(map_.rails()[1].length, 300);
  ASSERT_TRUE(Run("click 5 5\n")) << error_;
  EXPECT_FALSE(script_.HasUnusedAnswers());
  EXPECT_EQ(map_.rails()[1].length, 300);
  // A Yes/No answer no question took is left over too.
  ASSERT_TRUE(Run("answer yes\n")) << error_;
  EXPECT_TRUE(script_.HasUnusedAnswers());
}

TEST_F(EditScriptTest, SignalTypeNamesAreListedWithTheirControlCharactersEscaped) {
  MapChange(map_).signal_types()[1].name = "\x1b[2J\tA";
  const std::string signals = DescribeSignalTypes(map_.content());
  EXPECT_EQ(signals.rfind("1\t\\x1b[2J\\x09A\t", 0), 0u) << signals;
}

// The dialog checks the stop targets against the length typed with them, and
// stores them as typed; only the values held before are clamped to a new length.
TEST_F(EditScriptTest, StopTargetsTypedWithANewLengthAreStoredAsTyped) {
  ASSERT_TRUE(
      Run("station 東 東町 東町駅\nmode 2 both\nclick 2 5\nclick 12 5\nright 0 0\n"
          "mode 5 1\nclick 7 5\nmode 32\n"
          "answer 区間距離=100 ←停止目標距離=95 →停止目標距離=5 ok\nclick 7 5\n"))
      << error_;
  const MapRail& rail = map_.rails()[1];
  EXPECT_EQ((std::vector<int>{rail.length, rail.stop_left, rail.stop_right}),
            (std::vector<int>{100, 95, 5}));
}

TEST_F(EditScriptTest, MenuCommandsByIdWithOrWithoutTheirMenuPrefix) {
  ASSERT_TRUE(Run("command map_edit.track_leftward\ncommand select_range\n")) << error_;
  EXPECT_EQ(script_.session().mode(), EditMode::kSelect);
  EXPECT_EQ(script_.session().selection_kind(), SelectionKind::kRange);
  ASSERT_TRUE(Run("command error_display\ncommand map_edit.track_leftward\n")) << error_;
  EXPECT_TRUE(script_.session().error_display());
  EXPECT_EQ(script_.session().track_direction(), kLeftwardOnly);
  // The move command needs a selection: refused with its message.
  ASSERT_TRUE(Run("command move\n")) << error_;
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].caption, "操作エラー");
}

TEST_F(EditScriptTest, ZoomToFitIsACommandInBothLanguages) {
  ASSERT_TRUE(Run("mode 2 both\nclick 2 5\nclick 398 5\nright 0 0\ncommand ズーム全体\n"))
      << error_;
  EXPECT_EQ(script_.session().state().zoom, 25);  // 4000 pixels into the first window's 1000
  ASSERT_TRUE(Run("command 等倍表示\ncommand Zoom to Fit\n")) << error_;
  EXPECT_EQ(script_.session().state().zoom, 25);
}

TEST_F(EditScriptTest, MenuCommandsByTheirTextTakeQueuedAnswers) {
  ASSERT_TRUE(Run(R"(mode 2
click 2 5
click 10 5
click 14 5
right 0 0
command 一括選択
clickpx 35 66
answer 制限速度=-5 ok
command 制限速度設定
answer 制限速度=70 ok
answer no
command 制限速度設定
answer 制限速度=70 ok
answer yes
command Speed Limit
answer 横グリッド=5 縦グリッド= ok
command グリッド表示設定
)")) << error_;
  std::vector<std::string> captions;
  for (const ShownPrompt& shown : prompter_.shown()) captions.push_back(shown.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"入力データエラー", "指定確認", "指定確認"}));
  EXPECT_EQ(map_.rails()[1].speed_limit, 70);
  EXPECT_EQ(map_.rails()[2].speed_limit, 70);
  EXPECT_EQ(script_.session().mode(), EditMode::kSelect);
  EXPECT_EQ(script_.session().state().grid_x, 5);
  EXPECT_EQ(script_.session().state().grid_y, 0);

  // The new map asks first while the map is modified: no answer is "no".
  // A queued "yes" waits past messages for the next question.
  prompter_.ClearShown();
  ASSERT_TRUE(Run("command 新規マップ\nanswer yes\ncommand 起点距離確認・指定\n")) << error_;
  EXPECT_EQ(map_.rails().count(), 2);
  EXPECT_EQ(script_.session().mode(), EditMode::kStartPoint);
  ASSERT_TRUE(Run("command 新規マップ\n")) << error_;
  EXPECT_EQ(map_.rails().count(), 0);
  EXPECT_FALSE(map_.modified());
  EXPECT_EQ(script_.session().mode(), EditMode::kNone);
  captions.clear();
  for (const ShownPrompt& shown : prompter_.shown()) captions.push_back(shown.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"新規確認", "起点指定エラー", "新規確認"}));
  // Its map property dialog had no answer: the window is left without a map
  // until a new map gets its basics.
  EXPECT_FALSE(script_.session().map_open());
  ASSERT_TRUE(Run("answer マップ名=新線 ok\nanswer ok\ncommand 新規マップ\n")) << error_;
  EXPECT_TRUE(script_.session().map_open());
  EXPECT_EQ(map_.header().map_name.Utf8(), "新線");
  EXPECT_FALSE(map_.modified());
}

TEST_F(EditScriptTest, TheMapsSettingsDialogsTakeTheirAnswersAndAreSaved) {
  ASSERT_TRUE(Run(R"(answer マップ名=試験線 最高速度=130 →方向=上り ok
command マッププロパティ
answer 信号余裕距離=4 ok
command 信号設定
answer 信号現示計算減速度=2.555 ok
command 信号設定
answer 単位時間=20 標準時間=通過 ok
command 単位・標準時間設定
answer 信号機=#2 現示=#1 press=現示の追加 現示速度=100[km/h] 現示名称=高速 色=#0000FF ok
command 信号詳細設定
save
)")) << error_;
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].caption, "入力データエラー");
  EditMap reopened;
  MapDocument reader(reopened, folders_, prompter_, chooser_, log_);
  ASSERT_EQ(reader.OpenPath(out_), OpenOutcome::kOpened);
  const MapHeader& header = reopened.header();
  EXPECT_EQ(header.map_name.Utf8(), "試験線");
  EXPECT_EQ(header.settings.max_speed, 130);
  EXPECT_EQ(header.settings.right_down, 0);
  EXPECT_EQ(header.settings.break_spare_dist, 10);  // the refused 4 was not stored
  EXPECT_EQ(header.settings.handle_atc, 255);
  EXPECT_EQ(header.time_units, (TimeUnits{20, 0, 120}));
  const std::string signals = DescribeSignalTypes(reopened.content());
  EXPECT_NE(signals.find("1\t３現示\t100[km/h]\t1023\t高速\t#0000FF\n"
                         "1\t３現示\t76[km/h]\t100\t進行\t"),
            std::string::npos)
      << signals;
}

TEST_F(EditScriptTest, AMapDrawnFromNothingSavesAndReopensTheSame) {
  ASSERT_TRUE(Run(R"(station 東 東町 東町駅
stopsection 信 信号場
mode 2 both
click 2 5
click 10 5
right 0 0
mode 3
click 10 5
click 14 5
click 14 7
click 14 9
key r
click 14 5
click 20 5
mode 2 right
click 14 7
click 20 7
mode 2 2
click 14 9
click 20 9
key c
click 20 5
click 20 7
click 24 5
click 24 7
clickpx 220 72
mode 2 both
click 24 5
click 30 5
right 0 0
click 2 12
click 8 12
mode 5 1
click 6 5
mode 6 1
click 17 7
answer ok
mode 9
click 3 2
click 9 3
key j
click 30 5
click 2 12
save
)")) << error_;
  EXPECT_TRUE(prompter_.shown().empty());
  EXPECT_FALSE(map_.modified());
  ASSERT_EQ(map_.rails().count(), 6);
  EXPECT_EQ(map_.rails()[3].direction, kRightwardOnly);
  EXPECT_EQ(map_.rails()[4].direction, kLeftwardOnly);
  EXPECT_EQ((std::vector<int>{map_.rails()[1].station, map_.rails()[1].stop_left,
                              map_.rails()[3].target, map_.rails()[3].stop_right}),
            (std::vector<int>{1, 780, 1, 580}));
  ASSERT_EQ(map_.points().count(), 2);
  EXPECT_EQ(map_.points()[1].branch_count, 3);
  EXPECT_EQ(map_.points()[2].kind, 4);
  ASSERT_EQ(map_.station_draws().count(), 1);
  EXPECT_EQ(map_.station_draws()[1].station, 1);
  ASSERT_EQ(map_.jumps().count(), 1);
  EXPECT_EQ(map_.jumps()[1].a(), (GridPoint{30, 5}));
  EXPECT_EQ(map_.stations()[1].name, Sjis("東町駅"));
  EXPECT_EQ(map_.targets()[1].short_name, Sjis("信号場"));

  EditMap reopened;
  MapDocument reader(reopened, folders_, prompter_, chooser_, log_);
  ASSERT_EQ(reader.OpenPath(out_), OpenOutcome::kOpened);
  EXPECT_EQ(FormatMapText(reopened.content()), FormatMapText(map_.content()));
}

// Every kind of action a script can do, then undone to the start and redone
// to the end: the map is the same byte for byte each time.
TEST_F(EditScriptTest, UndoingEverythingGivesBackTheStartAndRedoingTheEnd) {
  const std::string start = FormatMapText(map_.content());
  std::ifstream example(CORVANE_SOURCE_DIR "/examples/scripted_line.edit");
  ASSERT_TRUE(example);
  std::string line;
  std::string lines;
  while (std::getline(example, line)) {
    if (line != "save") lines += line + "\n";
  }
  lines += R"(command 範囲選択
click 0 0
click 60 20
answer 制限速度=85 ok
answer yes
command 制限速度設定
command 移動
key Down
key Shift+Right
key Esc
command 行挿入
click 0 1
click 0 3
answer 信号余裕距離=12 ok
command 信号設定
key Shift+Tab
)";
  ASSERT_TRUE(Run(lines)) << error_;
  const std::string end = FormatMapText(map_.content());
  ASSERT_NE(end, start);
  std::string undo_all;
  std::string redo_all;
  for (int i = 0; i < 300; ++i) {
    undo_all += "key Ctrl+Z\n";
    redo_all += i % 2 == 0 ? "key Ctrl+Y\n" : "key Ctrl+Shift+Z\n";
  }
  ASSERT_TRUE(Run(undo_all)) << error_;
  EXPECT_EQ(FormatMapText(map_.content()), start);
  EXPECT_FALSE(map_.modified());
  ASSERT_TRUE(Run(redo_all)) << error_;
  EXPECT_EQ(FormatMapText(map_.content()), end);
}

// The example in examples/ is made by its script; running the script again
// must give the committed file byte for byte.
TEST_F(EditScriptTest, ExampleScriptGivesTheCommittedMap) {
  std::ifstream script(CORVANE_SOURCE_DIR "/examples/scripted_line.edit");
  ASSERT_TRUE(script);
  ASSERT_TRUE(script_.Run(script, &error_)) << error_;
  EXPECT_TRUE(prompter_.shown().empty());
  const auto made = ReadFileBytes(out_);
  const auto committed = ReadFileBytes(CORVANE_SOURCE_DIR "/examples/scripted_line.kvm");
  ASSERT_TRUE(made && committed);
  EXPECT_TRUE(*made == *committed)
      << "examples/scripted_line.kvm is out of date: run corvane-cli map edit -new "
         "examples/scripted_line.kvm < examples/scripted_line.edit";
}

}  // namespace
}  // namespace corvane
