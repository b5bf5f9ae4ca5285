#include "data/dia_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "base/ini_keys.h"
#include "base/prompter.h"
#include "data/dia_tables.h"
#include "example_dia.h"
#include "mapfile/packed_bundle.h"
#include "support/dia_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::MemberText;
using testing::ReadMemberText;
using testing::ScratchFolder;
using testing::Sjis;

// The members of a bundle text by name.
std::map<std::string, std::string> Members(const std::string& text) {
  std::map<std::string, std::string> members;
  const auto split = SplitBundleText(text);
  for (const BundleMember& m : *split) members[m.name] = m.content;
  return members;
}

// Replaces one member of a bundle text.
std::string WithMember(const std::string& text, const std::string& name,
                       const std::string& content) {
  std::vector<BundleMember> members = *SplitBundleText(text);
  for (BundleMember& m : members) {
    if (m.name == name) m.content = content;
  }
  return JoinBundle(members);
}

struct Opened {
  DiaReadResult result;
  DiaFile file;
  std::vector<std::string> shown;
};

// Opens bundle text through the scratch folder as the program does.
Opened OpenText(const ScratchFolder& folder, const std::string& text,
                PromptAnswer newer_answer = PromptAnswer::kAbort) {
  const std::string path = folder.File("in.kvp");
  EXPECT_TRUE(WriteFileBytes(path, text));
  ScriptedPrompter prompter({newer_answer});
  Opened opened{DiaReadResult::kFailed, DiaFile{}, {}};
  opened.result = OpenDiaFile(path, folder.File("temp/"), prompter, opened.file);
  for (const auto& box : prompter.shown()) opened.shown.push_back(box.caption + ": " + box.text);
  return opened;
}

class DiaFileTest : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::create_directories(folder_.File("temp/")); }
  ScratchFolder folder_;
};

TEST_F(DiaFileTest, EveryMemberRoundTripsThroughEveryKind) {
  const DiaFile sample = SampleDiaFile();
  const std::string text = FormatDiaText(sample, false);
  for (const char* name : {"a.kvb", "a.kvp", "a.kvw"}) {
    ScriptedPrompter prompter;
    ASSERT_TRUE(SaveDiaPath(sample, folder_.File(name), prompter)) << name;
    DiaFile read;
    ASSERT_EQ(OpenDiaFile(folder_.File(name), folder_.File("temp/"), prompter, read),
              DiaReadResult::kRead)
        << name;
    EXPECT_EQ(FormatDiaText(read, false), text) << name;
    EXPECT_TRUE(prompter.shown().empty()) << name;
  }
  // The bundles are packed, unpacked and split in memory.
  EXPECT_TRUE(std::filesystem::is_empty(folder_.File("temp/")));
  // Executed data carries the stack member as read.
  ScriptedPrompter prompter;
  ASSERT_TRUE(SaveDiaPath(sample, folder_.File("a.kve"), prompter));
  DiaFile read;
  ASSERT_EQ(OpenDiaFile(folder_.File("a.kve"), folder_.File("temp/"), prompter, read),
            DiaReadResult::kRead);
  EXPECT_EQ(read.stack, sample.stack);
  EXPECT_EQ(FormatDiaText(read, true), FormatDiaText(sample, true));
}

TEST_F(DiaFileTest, OldestKindReadsTheMembersBesideTheHeader) {
  const std::string text = FormatDiaText(SampleDiaFile(), false);
  for (const auto& [name, content] : Members(text)) {
    ASSERT_TRUE(WriteFileBytes(folder_.File(name), content));
  }
  ScriptedPrompter prompter;
  DiaFile read;
  ASSERT_EQ(OpenDiaFile(folder_.File("temp.kvd"), folder_.File("temp/"), prompter, read),
            DiaReadResult::kRead);
  EXPECT_EQ(FormatDiaText(read, false), text);
}

TEST_F(DiaFileTest, HeaderKindIsWrittenWithItsMembersBesideIt) {
  // A ".kvd" is written in the form it is read in: the header member under
  // the chosen name, every other member beside it; bundle text named ".kvd"
  // would be read as a header and refused.
  const DiaFile sample = SampleDiaFile();
  const std::string set = folder_.File("set/");
  std::filesystem::create_directories(set);
  ScriptedPrompter prompter;
  for (const char* name : {"my.kvd", "AGAIN.KVD"}) {
    ASSERT_TRUE(SaveDiaPath(sample, set + name, prompter)) << name;
    DiaFile read;
    ASSERT_EQ(OpenDiaFile(set + name, folder_.File("temp/"), prompter, read), DiaReadResult::kRead)
        << name;
    EXPECT_EQ(FormatDiaText(read, false), FormatDiaText(sample, false)) << name;
  }
  EXPECT_TRUE(prompter.shown().empty());
  const auto members = Members(FormatDiaText(sample, false));
  EXPECT_EQ(ReadFileBytes(set + "my.kvd"), members.at(kDiaHeaderMember));
  EXPECT_EQ(ReadFileBytes(set + "train.csv"), members.at("train.csv"));
  EXPECT_FALSE(FileExists(set + kDiaHeaderMember));
  // A folder that is missing: reported, nothing written.
  EXPECT_FALSE(SaveDiaPath(sample, folder_.File("none/x.kvd"), prompter));
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(prompter.shown()[0].caption, "ファイル書き込みエラー");
}

TEST_F(DiaFileTest, StackLinesStartingWithAHashSurviveExecutedData) {
  // A stack line starting with "#" would open a bundle member: stored with a
  // backslash in front, read back as it was, and a resave gives the same
  // bytes. Lines of backslashes before a "#" take one more; other lines
  // with backslashes are stored as they are.
  DiaFile sample = SampleDiaFile();
  sample.stack = "1,\n#2,\n\\#3,\n\\4,\n#\n\\\\#\n#last";
  ScriptedPrompter prompter;
  ASSERT_TRUE(SaveDiaPath(sample, folder_.File("a.kve"), prompter));
  DiaFile read;
  ASSERT_EQ(OpenDiaFile(folder_.File("a.kve"), folder_.File("temp/"), prompter, read),
            DiaReadResult::kRead);
  EXPECT_EQ(read.stack, sample.stack);
  EXPECT_EQ(Members(FormatDiaText(sample, true)).at(kStackMember),
            "1,\n\\#2,\n\\\\#3,\n\\4,\n\\#\n\\\\\\#\n\\#last");
  ASSERT_TRUE(SaveDiaPath(read, folder_.File("b.kve"), prompter));
  EXPECT_EQ(ReadFileBytes(folder_.File("b.kve")), ReadFileBytes(folder_.File("a.kve")));
  EXPECT_TRUE(prompter.shown().empty());
}

TEST_F(DiaFileTest, NumbersDoNotFollowTheProcessLocale) {
  const DiaFile sample = SampleDiaFile();
  const std::string before = FormatDiaText(sample, false);
  for (const char* locale : {"de_DE.UTF-8", "ja_JP.UTF-8", "fr_FR.UTF-8"}) {
    if (std::setlocale(LC_ALL, locale) == nullptr) continue;
    const std::string text = FormatDiaText(sample, false);
    const Opened opened = OpenText(folder_, text);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text, before) << locale;
    ASSERT_EQ(opened.result, DiaReadResult::kRead) << locale;
    EXPECT_DOUBLE_EQ(opened.file.dia.series[1].resistance_b, 0.0312) << locale;
  }
  const std::string series = Members(before)["series.csv"];
  EXPECT_NE(series.find("0.085,1.625,0.0312,0.0023,-0.5000,800.0,"), std::string::npos) << series;
}

TEST_F(DiaFileTest, LayoutsAsWritten) {
  const auto members = Members(FormatDiaText(SampleDiaFile(), false));
  EXPECT_EQ(members.at("train.csv"), " 0,  0,  0,  0,,\n 1,  1,  2,  3," + Sjis("普通") + ",\n");
  // Run 2 is empty and left out; the kind-13 event is dropped.
  const std::string& runs = members.at("diagram.csv");
  EXPECT_EQ(runs.find("  2,"), std::string::npos);
  EXPECT_EQ(runs.substr(0, 16), "  1,1, 1,2,3,  4");
  EXPECT_EQ(members.at("d_event.csv").substr(0, 63),
            " 1,  1,21600,1,\n 1,  2,21725,2,\n 1,  2,21725,0,\n 3,  1,21600,1,");
  EXPECT_EQ(members.at("require_time.csv"), " 1,  1,  2, 0,02,30,1,\n 1,  2,  1, 1,02,05,2,\n");
  EXPECT_EQ(members.at("passenger.csv"), "  1,  2, 120, 7,30,00\n  2,  1,  80,17,00,05\n");
  EXPECT_EQ(members.at("stop_time.csv"), "  1,  1,1,  30, 1, 1,\n  1,  2,2,  45, 0, 1,\n");
  // A disturbance without texts, then one with them; the station kind
  // repeats the timing block's first integer.
  EXPECT_EQ(members.at("accident_point.csv"), "1,2,3,3600,60,0,1,,,,,\n1,2,3,3600,60,0,1," +
                                                  Sjis("信号故障") + ",,,," + Sjis("復旧") + ",\n");
  EXPECT_EQ(members.at("accident_station.csv").substr(0, 24), "1,2,3,4,3600,60,0,1,3600");
  EXPECT_EQ(members.at("table_acceleration_1.csv"), "     0, 28,\n 36864, 28,\n112640,  9,\n");
  EXPECT_EQ(members.at("table_acceleration_2.csv"), "");
  EXPECT_EQ(members.at("table_curve_limit_1.csv"), " 400, 65,\n 800, 85,\n");
  EXPECT_EQ(members.at("route_lever.csv"), "  1,0,  2,  2,4,4,6, 6,   8,   8,10,10,  12,  12,\n");
  const std::string& header = members.at("temp.kvd");
  EXPECT_EQ(header.substr(0, 34), "[K-ORV]\nversion=1220\nWdiaMode=1\n\n[");
  EXPECT_NE(header.find("[" + Sjis("開始時刻") + "]\nhour=05\nminute=04\nsecond=03\n\n"),
            std::string::npos);
  // "[表示設定]" gives window 00's scales; a closed window is "Open=0"
  // alone, an open one lists its place, view options and font.
  EXPECT_NE(
      header.find("[" + Sjis("表示設定") + "]\nfont_size_mode=0\nscale_x=2048\nscale_y=4096\n\n"),
      std::string::npos);
  EXPECT_NE(header.find("[DisplayWindow00]\nOpen=1\nPosLeft=10\nPosTop=20\nPosRight=710\n"
                        "PosBottom=430\nViewType=2\nViewFor=2\nSmartView=0\nTrackView=0\n"
                        "RailView=0\nRouteView=1\nBoardView=1\nFlatteryView=1\nInterView=1\n"
                        "ViewImage16=1\nClockPosition=0\nViewToolBar=1\nFaceName=" +
                        Sjis("ＭＳ ゴシック") +
                        "\nPointSize=9\nHeight=-12\nWeight=400\nItalic=0\nUnderline=0\n"
                        "StrikeOut=0\nScaleX=2048\nScaleY=4096\nScrollPosX=0\nScrollPosY=3\n"
                        "FlatteryTrain=1\n\n[DisplayWindow01]\nOpen=0\n[DisplayWindow02]\nOpen=0\n"
                        "[DisplayWindow03]\nOpen=1\nViewType=3\n"),
            std::string::npos);
  EXPECT_NE(header.find("[StructSize]\nRail=2\nPRail=1\n"), std::string::npos);
  // Runs 1 and 3 are written: the count is the highest of them.
  EXPECT_NE(header.find("Diagram=3\nTrain=1\nUnit=1\n\n"), std::string::npos);
}

TEST_F(DiaFileTest, EmptyTimetablePlaceholders) {
  DiaFile file;
  const auto members = Members(FormatDiaText(file, false));
  EXPECT_EQ(members.at("diagram.csv"), "0,0,0,0,0,0,0\n");
  EXPECT_EQ(members.at("d_event.csv"), "0,0,0,0,0,0,0,\n");
  const Opened opened = OpenText(folder_, FormatDiaText(file, false));
  ASSERT_EQ(opened.result, DiaReadResult::kRead);
  EXPECT_EQ(opened.file.dia.diagrams.count(), 0);
  EXPECT_EQ(opened.file.dia.door_sounds.open.view(), "open.wav");  // the default
}

TEST_F(DiaFileTest, VersionRules) {
  const std::string text = FormatDiaText(SampleDiaFile(), false);
  const auto with_version = [&text](int version) {
    const auto members = Members(text);
    std::string header = members.at("temp.kvd");
    header.replace(header.find("1220"), 4, std::to_string(version));
    return WithMember(text, "temp.kvd", header);
  };
  Opened old = OpenText(folder_, with_version(1069));
  EXPECT_EQ(old.result, DiaReadResult::kFailed);
  ASSERT_EQ(old.shown.size(), 1u);
  EXPECT_EQ(old.shown[0],
            "バージョンエラー: このダイヤデータは、バージョンが古いため読み込みできません。");
  EXPECT_EQ(OpenText(folder_, with_version(1220)).result, DiaReadResult::kRead);
  Opened newer = OpenText(folder_, with_version(1221), PromptAnswer::kAbort);
  EXPECT_EQ(newer.result, DiaReadResult::kFailed);
  ASSERT_EQ(newer.shown.size(), 1u);
  EXPECT_EQ(newer.shown[0].find("ファイル読み込み警告: "), 0u);
  EXPECT_EQ(OpenText(folder_, with_version(1221), PromptAnswer::kRetry).result,
            DiaReadResult::kRetry);
  EXPECT_EQ(OpenText(folder_, with_version(1221), PromptAnswer::kIgnore).result,
            DiaReadResult::kRead);
  // The oldest readable version: no detail member, no series tables, older
  // columns (an empty map, whose rows read the same in any version).
  DiaFile empty;
  empty.map.details.push_back({});
  std::string old_text = FormatDiaText(empty, false);
  old_text.replace(old_text.find("version=1220"), 12, "version=1070");
  const Opened oldest = OpenText(folder_, old_text);
  ASSERT_EQ(oldest.result, DiaReadResult::kRead) << oldest.shown[0];
  EXPECT_TRUE(oldest.file.map.details.empty());
}

TEST_F(DiaFileTest, OlderRunsLackColumns) {
  // Data older than 1130 lacks the first four values and the thirteenth;
  // older than 1120 also the twelfth; older than 1140 the third text.
  DiaData dia;
  SystemMap map;
  std::string problem;
  ASSERT_TRUE(ReadMemberText(DiaMember::kDiagram,
                             "  4,2, 7,8,9,10,11,12,13,14,15,16,17,18,A,B,D,\n", 1110, map, dia,
                             &problem));
  const DiagramRecord& run = dia.diagrams[4];
  EXPECT_EQ(dia.diagrams.count(), 4);
  EXPECT_EQ(run.direction, 2);
  EXPECT_EQ(run.values[0], 0);
  EXPECT_EQ(run.values[3], 0);
  EXPECT_EQ(run.values[4], 7);
  EXPECT_EQ(run.values[10], 13);
  EXPECT_EQ(run.values[11], 1);
  EXPECT_EQ(run.values[12], 1);
  EXPECT_EQ(run.values[13], 14);
  EXPECT_EQ(run.values[16], 17);
  EXPECT_EQ(run.text1.view(), "18");
  EXPECT_EQ(run.destination.view(), "A");
  EXPECT_EQ(run.text3.view(), "");
  EXPECT_EQ(run.text4.view(), "B");
}

TEST_F(DiaFileTest, NewerLeverColumnIsReadAndNotWritten) {
  DiaData dia(DiaCounts{.levers = 4});
  SystemMap map;
  std::string problem;
  ASSERT_TRUE(ReadMemberText(DiaMember::kLever,
                             "  1,1,  2, 77,  3,4,5,6, 7,   8,   9,1, 2,   3,   4,\n", 1230, map,
                             dia, &problem));
  EXPECT_EQ(dia.levers[1].newer_value, 77);
  EXPECT_EQ(dia.levers[1].values[2], 3);
  EXPECT_EQ(dia.levers[1].values[12], 4);
  EXPECT_EQ(MemberText(DiaMember::kLever, map, dia),
            "  1,1,  2,  3,4,5,6, 7,   8,   9,1, 2,   3,   4,\n");
}

TEST_F(DiaFileTest, HeaderDefaultsAndOverrides) {
  const std::string text = FormatDiaText(SampleDiaFile(), false);
  std::string header = Members(text).at("temp.kvd");
  // Without "SignalVersion" the older key gives it; map code 701 means
  // right-down whatever the header says.
  const auto erase_line = [&header](const std::string& key) {
    const std::size_t at = header.find("\n" + key + "=");
    header.erase(at + 1, header.find('\n', at + 1) - at);
  };
  erase_line("SignalVersion");
  header.replace(header.find("signal_version=1126"), 19, "signal_version=1114");
  header.replace(header.find("map_code=9001"), 13, "map_code=701");
  header.replace(header.find("RightDown=1"), 11, "RightDown=0");
  erase_line("RouteWarningDist");
  erase_line("UseATC");
  header.replace(header.find("scale_x=2048"), 12, "scale_x=8192");
  const Opened opened = OpenText(folder_, WithMember(text, "temp.kvd", header));
  ASSERT_EQ(opened.result, DiaReadResult::kRead);
  const DiaHeader& h = opened.file.header;
  EXPECT_EQ(h.settings.signal_version, 1114);
  EXPECT_EQ(h.settings.right_down, 1);
  EXPECT_EQ(h.settings.route_warning_dist, 2000);
  EXPECT_EQ(h.settings.use_atc, 1);
  EXPECT_EQ(h.settings.safety_device, kSafetyAtc);
  // The board's values are written, never read back: window 00's own key
  // gives its scale.
  EXPECT_EQ(opened.file.windows[0].view.scale_x, 2048);
}

TEST_F(DiaFileTest, MissingFileKeyNamesTheHeadersFolder) {
  const std::string text = FormatDiaText(SampleDiaFile(), false);
  std::string header = Members(text).at("temp.kvd");
  header.erase(header.find("train=train.csv\n"), 16);
  const Opened opened = OpenText(folder_, WithMember(text, "temp.kvd", header));
  EXPECT_EQ(opened.result, DiaReadResult::kFailed);
  ASSERT_EQ(opened.shown.size(), 1u);
  EXPECT_EQ(opened.shown[0], "ファイル読み込みエラー: 読み込みファイル'" + folder_.File("temp/") +
                                 "'は開けませんでした。\n");
}

TEST_F(DiaFileTest, MelodiesSurviveDuplicateAndAwkwardStationNames) {
  DiaFile file = SampleDiaFile();
  for (const char* name : {"東町", "", "a=b", "*1", "#x"}) {
    StationRecord s = file.map.stations[1];
    s.short_name = Sjis(name);
    s.melody_file = std::string(name) + "x.wav";
    file.map.stations.Append(s);
  }
  const std::string sound = HandlerOf(DiaMember::kSound).Format(file);
  EXPECT_NE(sound.find("*1=melody1.wav\n*2="), std::string::npos) << sound;
  // No line of the member may start a bundle member.
  EXPECT_EQ(sound.find("\n#"), std::string::npos) << sound;
  SystemMap map = file.map;
  for (int s = 1; s <= map.stations.count(); ++s) map.stations[s].melody_file = "";
  DiaData dia = file.dia;
  std::string problem;
  ASSERT_TRUE(ReadMemberText(DiaMember::kSound, sound, kDiaVersion, map, dia, &problem));
  for (int s = 1; s <= map.stations.count(); ++s) {
    EXPECT_EQ(map.stations[s].melody_file, file.map.stations[s].melody_file) << s;
  }
  // A unique plain name keeps its name as the key.
  file.map.stations[2].short_name = Sjis("西町");
  EXPECT_NE(HandlerOf(DiaMember::kSound).Format(file).find(Sjis("西町") + "=東町x"),
            std::string::npos);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST(DiaIniValuesTest, AValueCutAtItsFieldReadsBackAsStored) {
  // Cut at 255 bytes the value would end in a blank, which reading the
  // saved file would trim away: it is stored trimmed already.
  const std::string value = std::string(254, 'a') + "  bcd";
  CrewMessages messages;
  ReadCrewMessages("[" + testing::Sjis("走行中・到着") + "]\n" +
                       testing::Sjis("主要駅・車掌乗務・定時") + "=" + value + "\n",
                   messages);
  EXPECT_EQ(messages[0].view(), std::string(254, 'a'));
  // A cut that leaves a quoted text is unquoted as reading would.
  LongText quoted;
  StoreIniValue(quoted, "\"" + std::string(253, 'q') + "\"xyz");
  EXPECT_EQ(quoted.view(), std::string(253, 'q'));
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST(DiaReferencesTest, AReferenceBeyondWhatTheFileHoldsIsRefused) {
  // The header may give the train table more room than it holds; a trainset
  // of a train past the ones held would not read again once saved.
  DiaFile file = SampleDiaFile();
  file.dia.units[1].train = 2;
  std::string problem;
  EXPECT_FALSE(CheckReferences(TimetableMembers(), file, &problem));
  EXPECT_EQ(problem, "trainset 1: no such train");
  file.dia.units[1].train = 1;
  file.dia.speed_types[1].series = 5;  // series the dia does not hold yet: allowed
  EXPECT_TRUE(CheckReferences(TimetableMembers(), file, &problem)) << problem;
}

TEST(DiaReferencesTest, EveryCheckedReferenceIsRefusedWithItsRecordAndTheOthersReadAsStored) {
  struct Case {
    std::function<void(DiaFile&)> damage;
    const char* problem;  // empty: read as stored
  };
  const std::vector<Case> cases = {
      {[](DiaFile& f) { f.map.rails[1].station = 2; }, "rail 1: no such station"},
      {[](DiaFile& f) { f.map.rails[2].yard_target = -1; }, "rail 2: no such target"},
      {[](DiaFile& f) { f.map.rails[1].l_back = -3; }, "rail 1: a link to no rail"},
      {[](DiaFile& f) { f.map.rails[1].l_pack = 2; }, "rail 1: no such track piece"},
      {[](DiaFile& f) { f.map.prails[1].rail_second = 3; }, "track piece 1: no such rail"},
      {[](DiaFile& f) { f.map.points[1].entry_rails[0] = INT_MIN; },
       "point 1: an entry from no rail"},
      {[](DiaFile& f) { f.map.targets[1].station = 9; }, "target 1: no such station"},
      {[](DiaFile& f) { f.map.station_draws[1].station = -1; },
       "station drawing 1: no such station"},
      {[](DiaFile& f) { f.map.details[0].rail = 5; }, "detail 1: no such rail"},
      {[](DiaFile& f) { f.dia.trains[1].rail = 3; }, "train 1: no such rail"},
      {[](DiaFile& f) { f.dia.units[1].series = kMaxSeries + 1; }, "trainset 1: no such series"},
      {[](DiaFile& f) { f.dia.diagrams[1].values[0] = 2; }, "train run 1: no such target"},
      {[](DiaFile& f) { f.dia.diagrams[1].values[6] = kMaxTrainTypes + 1; },
       "train run 1: no such train type"},
      {[](DiaFile& f) { f.dia.diagrams[1].events[0].rail = -1; },
       "train run 1: an event on no rail"},
      {[](DiaFile& f) { f.dia.speed_types[1].series = -1; }, "speed type 1: no such series"},
      // Read as stored: what follows them checks them.
      {[](DiaFile& f) { f.dia.units[1].diagram = 999; }, ""},
      {[](DiaFile& f) { f.dia.patterns[1].diagram = -5; }, ""},
      {[](DiaFile& f) { f.dia.diagrams[1].values[4] = 999; }, ""},
      {[](DiaFile& f) { f.map.rails[1].signal = 99; }, ""},
      {[](DiaFile& f) { f.map.rails[1].lever = 99; }, ""},
      {[](DiaFile& f) { f.dia.stop_times[0].rail = 99; }, ""},
  };
  ScratchFolder folder;
  std::filesystem::create_directory(folder.File("temp/"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.problem);
    DiaFile file = SampleDiaFile();
    c.damage(file);
    const Opened opened = OpenText(folder, FormatDiaText(file, false));
    if (*c.problem == '\0') {
      EXPECT_EQ(opened.result, DiaReadResult::kRead);
      EXPECT_TRUE(opened.shown.empty());
      continue;
    }
    EXPECT_EQ(opened.result, DiaReadResult::kFailed);
    ASSERT_EQ(opened.shown.size(), 1u);
    EXPECT_EQ(opened.shown[0], "ファイル読み込みエラー: 読み込みファイル'" +
                                   folder.File("temp/temp.kvd") + "'の内容が正しくありません。\n" +
                                   c.problem + "\n");
  }
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

using testing::Sjis;

// The sample's bundle text with member `name` replaced by `content`.
std::string SampleWithMember(const std::string& name, const std::string& content) {
  std::vector<BundleMember> members = *SplitBundleText(FormatDiaText(SampleDiaFile(), false));
  for (BundleMember& m : members) {
    if (m.name == name) m.content = content;
  }
  return JoinBundle(members);
}

DiaFile ReadBundle(const std::string& text) {
  const auto members = SplitBundleText(text);
  BundleTableSource source(*members);
  std::string shown;
  const std::string header = source.ReadTable(kDiaHeaderMember, &shown).value_or("");
  ScriptedPrompter prompter;
  DiaFile file;
  EXPECT_EQ(ReadDiaFromHeader(header, kDiaHeaderMember, source, prompter, file),
            DiaReadResult::kRead);
  for (const auto& box : prompter.shown()) ADD_FAILURE() << box.caption << ": " << box.text;
  return file;
}

TEST(DiaRecordZeroTest, RowZeroIsSkippedAndWrittenAsTheEmptyPlaceholder) {
  std::string text = FormatDiaText(SampleDiaFile(), false);
  for (const auto& [name, row0] : std::vector<std::pair<std::string, std::string>>{
           {"rail.csv",
            "  0,  1,  1,  1, 1,  2,  3,  4, 85, 600,  -2,   0,   2,   1, 280,-5,-800,"
            "  9, 7,  20,  80,  60,  60,X,Y\n"},
           {"station.csv", " 0,   7, 3, 3,12, 5, 7,15,1200, 140,A,B,C\n"},
           {"train.csv", " 0,  4,  5,  6,N,\n"},
           {"d_type.csv", " 0,1,  2,500,  0,128,255,a,b,c,d,e,\n"},
           {"row.csv", " 0, 10,200,  -30,   24\n"}}) {
    std::vector<BundleMember> members = *SplitBundleText(text);
    for (BundleMember& m : members) {
      if (m.name != name) continue;
      m.content = row0 + m.content.substr(m.content.find('\n') + 1);
    }
    text = JoinBundle(members);
  }
  const DiaFile file = ReadBundle(text);
  EXPECT_EQ(file.map.rails[0].display_row, 0);
  EXPECT_EQ(file.map.rails[0].length, 0);
  EXPECT_TRUE(file.map.rails[0].name.empty());
  EXPECT_EQ(file.map.stations[0].scale, 0);
  EXPECT_EQ(file.map.stations[0].door_max, 0);
  EXPECT_EQ(file.dia.trains[0].value1, 0);
  EXPECT_EQ(file.dia.train_types[0].line_width, 0);
  EXPECT_EQ(file.dia.series[0].record_version, 0);
  EXPECT_EQ(file.map.jumps[0].from_row, 0);
  // The first display row is a row like the others.
  EXPECT_EQ(file.map.rows[0].x, 10);

  const auto saved = Members(FormatDiaText(file, false));
  EXPECT_EQ(saved.at("rail.csv").substr(0, 24), "  0,  0,  0,  0, 0,  0, ");
  EXPECT_EQ(saved.at("station.csv").substr(0, 34), " 0,   0, 0, 0, 0, 0, 0, 0,   0,   ");
  EXPECT_EQ(saved.at("train.csv").substr(0, 17), " 0,  0,  0,  0,,\n");
  EXPECT_EQ(saved.at("d_type.csv").substr(0, 33), " 0,0,  0,  0,  0,  0,  0,,,,,,\n 1");
  EXPECT_EQ(saved.at("row.csv").substr(0, 23), " 0, 10,200,  -30,   24\n");
  // A file this program wrote saves back byte for byte.
  const std::string resaved = FormatDiaText(file, false);
  EXPECT_EQ(FormatDiaText(ReadBundle(resaved), false), resaved);
}

TEST(DiaRecordZeroTest, RecordsNoRowFillsAreEmpty) {
  // Stations 1 and 3 only, and an empty jump member.
  std::string text = SampleWithMember(
      "station.csv",
      " 1,   7, 3, 3,12, 5, 7,15,1200, 140,A,B,C\n 3,   7, 3, 3,12, 5, 7,15,1,2,D,E,F\n");
  text.replace(text.find("\nStation=1\n"), 11, "\nStation=3\n");
  std::vector<BundleMember> members = *SplitBundleText(text);
  for (BundleMember& m : members) {
    if (m.name == "jump.csv") m.content.clear();
  }
  const DiaFile file = ReadBundle(JoinBundle(members));
  ASSERT_EQ(file.map.stations.count(), 3);
  EXPECT_EQ(file.map.stations[2].scale, 0);
  EXPECT_EQ(file.map.stations[2].melody_time, 0);
  EXPECT_EQ(file.map.stations[3].door_max, 15);
  EXPECT_EQ(file.map.jumps.count(), 0);
  EXPECT_EQ(file.map.jumps[0].from_row, 0);
  EXPECT_EQ(file.map.jumps[0].to_row, 0);
}

TEST(DiaRunsTest, TheRunCountIsTheHighestRunWritten) {
  // Without "Diagram" the table has its default room; the saved count is
  // that of the runs written, and a resave keeps it.
  std::string text = FormatDiaText(SampleDiaFile(), false);
  text.erase(text.find("Diagram=3\n"), 10);
  const DiaFile file = ReadBundle(text);
  EXPECT_EQ(file.dia.diagrams.capacity(), 8195);
  const std::string saved = FormatDiaText(file, false);
  EXPECT_NE(saved.find("\nDiagram=3\n"), std::string::npos);
  EXPECT_EQ(FormatDiaText(ReadBundle(saved), false), saved);
}

TEST(DiaRunsTest, ReferencesToRunsBeyondTheCountAreReadAsStored) {
  std::string text = FormatDiaText(SampleDiaFile(), false);
  std::vector<BundleMember> members = *SplitBundleText(text);
  for (BundleMember& m : members) {
    if (m.name == "unit.csv") m.content.replace(m.content.find(" 1,  1,  1,"), 11, " 1,  9,  1,");
    if (m.name == "diagram.csv") m.content.replace(m.content.find("  3,6,"), 6, " 40,6,");
  }
  const DiaFile file = ReadBundle(JoinBundle(members));
  EXPECT_EQ(file.dia.units[1].diagram, 9);
  EXPECT_EQ(file.dia.diagrams[1].values[4], 40);
}

TEST(DiaRunsTest, EventsOfAnEmptyRunAreReadAndDroppedOnSaving) {
  const DiaFile sample = SampleDiaFile();
  ASSERT_EQ(sample.dia.diagrams[2].direction, 0);
  const std::string events = Members(FormatDiaText(sample, false)).at("d_event.csv");
  const DiaFile file = ReadBundle(SampleWithMember("d_event.csv", events + " 2,  1,21600,1,\n"));
  ASSERT_EQ(file.dia.diagrams[2].events.size(), 1u);
  EXPECT_EQ(Members(FormatDiaText(file, false)).at("d_event.csv"), events);
}

TEST(DiaSignalsTest, ARailsSignalBeyondTheSignalSetsIsPassedOn) {
  DiaFile sample = SampleDiaFile();
  ASSERT_EQ(sample.map.signal_sets.count(), 1);
  sample.map.rails[1].signal = 7;
  const std::string text = FormatDiaText(sample, false);
  const DiaFile file = ReadBundle(text);
  EXPECT_EQ(file.map.rails[1].signal, 7);
  EXPECT_EQ(FormatDiaText(file, false), text);
}

}  // namespace
}  // namespace corvane
