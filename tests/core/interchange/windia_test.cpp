#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "base/prompter.h"
#include "interchange/windia_line.h"
#include "interchange/windia_reader.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

// A WinDIA text from UTF-8 lines, each ended by CR LF.
std::string Windia(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) text += Sjis(line) + "\r\n";
  return text;
}

DiaFile Import(std::initializer_list<std::string_view> lines) {
  return BuildWindiaLine(ReadWindiaText(Windia(lines)));
}

std::vector<StopEvent> EventsOf(const DiaFile& file, int diagram) {
  return file.dia.diagrams[diagram].events;
}

// ------------------------------------------------------------ reading

TEST(WindiaReadTest, StationAttributesAreLettersNotBytes) {
  // "\x88\x70" is one two-byte character whose second byte is a "p".
  const WindiaTimetable read = ReadWindiaText(
      Windia({"[WinDIA]", "[駅]", "pb,甲", "d,乙", "ud,丙", "u,丁", "x,戊"}) + "\x88\x70,X\r\n");
  ASSERT_EQ(read.stations.size(), 6u);
  EXPECT_EQ(read.stations[0].scale, 3);
  EXPECT_EQ(read.stations[0].time_display, 1);
  EXPECT_EQ(read.stations[0].name, Sjis("甲"));
  EXPECT_EQ(read.stations[1].time_display, 2);
  EXPECT_EQ(read.stations[2].time_display, 2);  // "d" before "u"
  EXPECT_EQ(read.stations[3].time_display, 3);
  EXPECT_EQ(read.stations[4].scale, 2);
  EXPECT_EQ(read.stations[4].time_display, 0);
  EXPECT_EQ(read.stations[5].scale, 2);
}

TEST(WindiaReadTest, LinesAreReadAsMemberTextLines) {
  // A lone CR is part of the title; the last line without a line feed is
  // not read; the last title line stays.
  const WindiaTimetable read =
      ReadWindiaText("[WinDIA]\nfirst\na\rb,c\r\n\n" + Sjis("[駅]") + "\n,lost");
  EXPECT_EQ(read.title, "a\rb,c");
  EXPECT_TRUE(read.stations.empty());
  EXPECT_FALSE(IsWindiaText(""));
  EXPECT_FALSE(IsWindiaText("[WinDIA] \n"));
  EXPECT_FALSE(IsWindiaText("[WinDIA]"));
  EXPECT_TRUE(IsWindiaText("x\r\n[WinDIA]\r\n"));
}

TEST(WindiaReadTest, StationFieldsGiveTheirEvents) {
  const WindiaTimetable read = ReadWindiaText(Windia({
      "[WinDIA]",
      "[駅]",
      ",A",
      ",B",
      ",C",
      ",D",
      ",E",
      ",F",
      ",G",
      ",H",
      ",I",
      "[下り]",
      "0,101,,0,1030/1035,  ,12-3?,1200?,x1210?,1300/,/1310,/,1320",
  }));
  ASSERT_EQ(read.trains.size(), 1u);
  const std::vector<WindiaEvent>& e = read.trains[0].events;
  ASSERT_EQ(e.size(), 8u);
  EXPECT_EQ(e[0].event, (StopEvent{2, 37800, kEventArrival}));
  EXPECT_EQ(e[1].event, (StopEvent{2, 38100, kEventDeparture}));
  EXPECT_EQ(e[2].event, (StopEvent{6, 0, kEventPass}));  // "-" before "?"
  EXPECT_FALSE(e[2].timed);
  EXPECT_EQ(e[3].event, (StopEvent{8, 43200, kEventPass}));
  EXPECT_EQ(e[4].event, (StopEvent{10, 43800, kEventPass}));
  EXPECT_EQ(e[5].event, (StopEvent{12, 46800, kEventArrival}));
  EXPECT_EQ(e[6].event, (StopEvent{14, 47400, kEventDeparture}));
  EXPECT_EQ(e[7].event, (StopEvent{18, 48000, kEventDeparture}));
  EXPECT_EQ(WindiaSeconds(2430), 88200);
  EXPECT_EQ(WindiaSeconds(2147483647LL), INT_MAX);
}

TEST(WindiaReadTest, ContinuationsRemarksAndTrainFields) {
  const WindiaTimetable read = ReadWindiaText(Windia({
      "[WinDIA]",
      "\t%before any train",
      "[駅]",
      ",A",
      ",B",
      ",C",
      "[上り]",
      "\t%before any train",
      "2(3),1234M,third,  7,900,\\",
      "ignored,910",
      "\t%remark,cut",
      "-1,9,,x,\\x",
  }));
  ASSERT_EQ(read.trains.size(), 2u);
  const WindiaTrain& first = read.trains[0];
  EXPECT_FALSE(first.down);
  EXPECT_EQ(first.type, 2);
  EXPECT_EQ(first.number, "1234M");
  EXPECT_EQ(first.text3, "third");
  EXPECT_EQ(first.value17, 7);
  EXPECT_EQ(first.remark, "remark");
  // The fields are in station order; an up train's events run from the last
  // station back, on its odd rails.
  ASSERT_EQ(first.events.size(), 2u);
  EXPECT_EQ(first.events[0].event, (StopEvent{3, 33000, kEventDeparture}));
  EXPECT_EQ(first.events[1].event, (StopEvent{1, 32400, kEventDeparture}));
  // "\x" is a time, not a continuation.
  EXPECT_EQ(read.trains[1].type, -1);
  ASSERT_EQ(read.trains[1].events.size(), 1u);
  EXPECT_TRUE(read.trains[1].remark.empty());
}

TEST(WindiaReadTest, ContinuationOnTheLastLineEndsTheTrain) {
  const WindiaTimetable read =
      ReadWindiaText(Windia({"[WinDIA]", "[駅]", ",A", ",B", "[下り]", "0,1,,0,600,\\"}));
  ASSERT_EQ(read.trains.size(), 1u);
  EXPECT_EQ(read.trains[0].events.size(), 1u);
}

TEST(WindiaReadTest, LineCodesAndTypeNames) {
  const WindiaTimetable read = ReadWindiaText(Windia({
      "[WinDIA]",
      "[線種]",
      "LINES=196,,(64),2(3),",
      "Train00=各駅停車,各停,extra",
      "Train16=last",
      "Train17=beyond",
  }));
  ASSERT_TRUE(read.line_codes);
  EXPECT_EQ(*read.line_codes, (std::vector<int>{196, 0, 0, 2}));
  ASSERT_TRUE(read.type_names[0]);
  EXPECT_EQ(read.type_names[0]->name, Sjis("各駅停車"));
  EXPECT_EQ(read.type_names[0]->short_name, Sjis("各停"));
  ASSERT_TRUE(read.type_names[16]);
  EXPECT_EQ(read.type_names[16]->name, "last");
  EXPECT_TRUE(read.type_names[16]->short_name.empty());
  for (int n = 1; n < 16; ++n) EXPECT_FALSE(read.type_names[static_cast<std::size_t>(n)]);
}

// ------------------------------------------------------------ the line

TEST(WindiaLineTest, StationsTargetsRailsAndPieces) {
  const DiaFile file = Import({"[WinDIA]", "タイトル", "[駅]", "pb,東京", ",神田"});
  EXPECT_EQ(file.header.wdia_mode, 1);
  EXPECT_EQ(file.header.map_code, 99999);
  EXPECT_EQ(file.header.dia_title.view(), Sjis("タイトル"));
  EXPECT_EQ(file.header.settings, DiaDefaultSettings());
  const SystemMap& map = file.map;
  ASSERT_EQ(map.rails.count(), 4);
  ASSERT_EQ(map.prails.count(), 2);
  EXPECT_EQ(map.stations[1].scale, 3);
  EXPECT_EQ(map.stations[1].door_max, 0);
  EXPECT_EQ(map.targets[1].time_display, 1);
  EXPECT_EQ(map.targets[1].target_scale, 3);
  EXPECT_EQ(map.targets[2].short_name.view(), Sjis("神田"));
  const RailRecord& up = map.rails[3];
  EXPECT_EQ(up.direction, 1);
  EXPECT_EQ(up.target, 2);
  EXPECT_EQ(up.station, 2);
  EXPECT_EQ(up.l_dual, 4);
  EXPECT_EQ(up.l_pack, 2);
  EXPECT_EQ(up.display_row, 0);
  EXPECT_EQ(up.name.view(), Sjis("神田"));
  EXPECT_EQ(map.rails[4].direction, 2);
  EXPECT_EQ(map.rails[4].stop_distance, 100);
  EXPECT_EQ(map.rails[4].signal, 1);
  EXPECT_EQ(map.rows[0], RowRecord{});
  EXPECT_EQ(map.prails[2].rail_first, 3);
  EXPECT_EQ(map.prails[2].rail_second, 4);
  EXPECT_EQ(map.targets[2].start_marks[9], 4000);
  EXPECT_EQ(map.targets[1].tracks.size(), 1u);
  ASSERT_EQ(file.dia.modes.count(), 1);
  EXPECT_EQ(file.dia.modes[1].name.view(), Sjis("全駅"));
  ASSERT_EQ(file.dia.speed_types.count(), 1);
  EXPECT_EQ(file.dia.speed_types[1].series, 1);
  EXPECT_EQ(file.dia.speed_types[1].short_name.view(), Sjis("標準"));
  EXPECT_EQ(file.dia.speed_types[1].name.view(), Sjis("標準"));
}

TEST(WindiaLineTest, TrainTypesTakeDefaultsNamesAndLineCodes) {
  const DiaFile defaults = Import({"[WinDIA]"});
  ASSERT_EQ(defaults.dia.train_types.count(), 17);
  EXPECT_EQ(defaults.dia.train_types[3].name.view(), Sjis("特別快速"));
  EXPECT_EQ(defaults.dia.train_types[3].short_name.view(), Sjis("特快"));
  EXPECT_EQ(defaults.dia.train_types[14].kind, 1);
  EXPECT_EQ(defaults.dia.train_types[15].kind, 0);
  EXPECT_EQ(defaults.dia.train_types[17].name.view(), Sjis("急行貨物"));
  EXPECT_EQ(defaults.dia.train_types[1].line_width, 0);

  const DiaFile coded = Import({"[WinDIA]", "[線種]", "LINES=196,83,0", "Train01=Fast,F"});
  const Table<TrainTypeRecord>& types = coded.dia.train_types;
  ASSERT_EQ(types.count(), 3);
  EXPECT_EQ(types[1].green, 0xff);
  EXPECT_EQ(types[1].red + types[1].blue, 0);
  EXPECT_EQ(types[1].line_style, 0);
  EXPECT_EQ(types[1].line_width, 500);
  // 83: colour bits 80, style 3, width 250; blue in the high byte.
  EXPECT_EQ(types[2].red, 0);
  EXPECT_EQ(types[2].green, 0xff);
  EXPECT_EQ(types[2].blue, 0xff);
  EXPECT_EQ(types[2].line_style, 3);
  EXPECT_EQ(types[2].line_width, 250);
  EXPECT_EQ(types[2].name.view(), "Fast");
  EXPECT_EQ(types[2].short_name.view(), "F");
  EXPECT_EQ(types[3].kind, 1);
}

TEST(WindiaLineTest, DiagramsKeepTheirFieldsAndEndEvents) {
  const DiaFile file = Import({
      "[WinDIA]",
      "[駅]",
      ",A",
      ",B",
      "[下り]",
      "20,0123456789012345678901,third,5,600,-",
      "[上り]",
      "0,2,,0,,",
  });
  ASSERT_EQ(file.dia.diagrams.count(), 2);
  const DiagramRecord& down = file.dia.diagrams[1];
  EXPECT_EQ(down.direction, 2);
  EXPECT_EQ(down.values[6], 21);  // beyond the written types: kept
  EXPECT_EQ(down.values[10], 1);
  EXPECT_EQ(down.values[11], 0);
  EXPECT_EQ(down.values[16], 5);
  EXPECT_EQ(down.text1.view(), "01234567890123456789");
  EXPECT_EQ(down.destination.view(), down.text1.view());
  // The end event repeats the last event, an untimed pass too.
  EXPECT_EQ(down.events, (std::vector<StopEvent>{
                             {2, 21600, kEventDeparture}, {4, 0, kEventPass}, {4, 0, kEventEnd}}));
  EXPECT_EQ(file.dia.diagrams[2].direction, 1);
  EXPECT_EQ(EventsOf(file, 2), (std::vector<StopEvent>{{0, 0, kEventEnd}}));
}

TEST(WindiaLineTest, MidnightMovesLaterTimesToTheNextDay) {
  const DiaFile file = Import({
      "[WinDIA]",
      "[駅]",
      ",A",
      ",B",
      ",C",
      ",D",
      "[下り]",
      "0,1,,0,2350,-,10/12,20",
  });
  EXPECT_EQ(EventsOf(file, 1), (std::vector<StopEvent>{{2, 85800, kEventDeparture},
                                                       {4, 0, kEventPass},
                                                       {6, 87000, kEventArrival},
                                                       {6, 87120, kEventDeparture},
                                                       {8, 87600, kEventDeparture},
                                                       {8, 87600, kEventEnd}}));
  // The untimed pass records no running time.
  EXPECT_EQ(file.dia.speed_types[1].run_times,
            (std::vector<RunTimeEntry>{{2, 6, 1200, kEventArrival},
                                       {2, 6, 1320, kEventDeparture},
                                       {6, 8, 480, kEventDeparture}}));
}

TEST(WindiaLineTest, RunningTimesKeepTheShortestInFirstOrder) {
  const DiaFile file = Import({
      "[WinDIA]",
      "[駅]",
      ",A",
      ",B",
      ",C",
      "[下り]",
      "0,1,,0,600,610/611,620",
      "0,2,,0,700,708/709,730",
      "[上り]",
      "0,3,,0,,805,800",
  });
  EXPECT_EQ(file.dia.speed_types[1].run_times,
            (std::vector<RunTimeEntry>{{2, 4, 480, kEventArrival},
                                       {2, 4, 540, kEventDeparture},
                                       {4, 6, 540, kEventDeparture},
                                       {5, 3, 300, kEventDeparture}}));
}

TEST(WindiaLineTest, DistanceMarksFollowTheShortestArrivals) {
  // From A, B and C are both reached in 300 s: the lower target, B, wins,
  // and every mark beyond A's moves so that B lies 300 s × 1000 / 60 on.
  const DiaFile tie = Import({
      "[WinDIA]",
      "[駅]",
      ",A",
      ",B",
      ",C",
      ",D",
      "[下り]",
      "0,1,,0,1000,1005/1006,1010",
      "0,2,,0,1000,,1005/",
  });
  const SystemMap& map = tie.map;
  EXPECT_EQ(map.targets[1].start_marks[0], 2000);
  EXPECT_EQ(map.targets[2].start_marks[0], 7000);
  EXPECT_EQ(map.targets[3].start_marks[0], 9000);
  EXPECT_EQ(map.targets[4].start_marks[9], 11000);

  // Each station in turn: B's arrival from A, then C's from B.
  const DiaFile pair = Import({
      "[WinDIA]",
      "[駅]",
      ",A",
      ",B",
      ",C",
      "[下り]",
      "0,1,,0,1000,1005/1006,1010/",
  });
  EXPECT_EQ(pair.map.targets[2].start_marks[0], 7000);
  EXPECT_EQ(pair.map.targets[3].start_marks[0], 11000);
}

TEST(WindiaLineTest, ManyStationsAndTrainsGrowTheTables) {
  std::string text = Sjis("[WinDIA]\n[駅]\n");
  for (int k = 1; k <= 200; ++k) text += ",S" + std::to_string(k) + "\n";
  text += Sjis("[上り]\n");
  for (int t = 0; t < 8300; ++t) text += "0,1,,0,100\n";
  const DiaFile file = BuildWindiaLine(ReadWindiaText(text));
  EXPECT_EQ(file.map.rails.count(), 400);
  EXPECT_EQ(file.map.prails.count(), 200);
  EXPECT_EQ(file.map.targets.count(), 200);
  EXPECT_EQ(file.map.stations.count(), 200);
  EXPECT_EQ(file.dia.diagrams.count(), 8300);
  EXPECT_EQ(file.dia.diagrams[8300].events[0], (StopEvent{1, 3600, kEventDeparture}));
}

TEST(WindiaLineTest, ImportRefusesMissingAndForeignFiles) {
  testing::ScratchFolder folder;
  ScriptedPrompter prompter;
  EXPECT_FALSE(ImportWindiaFile(folder.File("none.dia"), prompter));
  ASSERT_TRUE(WriteFileBytes(folder.File("empty.dia"), ""));
  EXPECT_FALSE(ImportWindiaFile(folder.File("empty.dia"), prompter));
  ASSERT_TRUE(WriteFileBytes(folder.File("bare.dia"), "[WinDIA]\n"));
  const std::optional<DiaFile> bare = ImportWindiaFile(folder.File("bare.dia"), prompter);
  ASSERT_TRUE(bare);
  EXPECT_EQ(bare->map.rails.count(), 0);
  ASSERT_EQ(prompter.shown().size(), 2u);
  EXPECT_EQ(prompter.shown()[0].caption, "ファイル読み込みエラー");
  EXPECT_EQ(prompter.shown()[1].caption, "ファイル形式エラー");
}

}  // namespace
}  // namespace corvane
