#include "stock/series_file.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;
using testing::Sjis;

// The keys a valid series needs, with the rates in km/h/s × 100; `first`
// goes before them, and the first of a section's keys wins.
std::string ValidInfo(std::string_view first = "") {
  std::string text = "[形式情報]\n";
  text += first;
  text +=
      "両数=4\n編成長=80\nドア総数=16\nドア幅=1300\n定員=560\n最大乗車率=250\n"
      "最高速度=110\n軌間=1067\nDC1500V=1\n加速度=300\n常用ブレーキ１段=100\n"
      "常用ブレーキ２段=250\n常用ブレーキ３段=400\nＡＴＣブレーキ=350\n非常ブレーキ=450\n"
      "形式名=試験形\n略記=T1\n";
  text += "[形式案内]\n用途=通勤\nコメント=試験用\n";
  return Sjis(text);
}

SeriesFile Parsed(std::string_view first = "") {
  return ParseSeriesFile(IniFile::Parse(ValidInfo(first)));
}

TEST(SeriesFileTest, KeysReadOverTheirDefaults) {
  const SeriesFile file = Parsed("慣性係数=0,12\n走行抵抗係数Ａ=x\n曲線抵抗係数= 650.5\n");
  const SeriesRecord& r = file.record;
  EXPECT_EQ(r.cars, 4);
  EXPECT_EQ(r.supplies[3], 1);
  EXPECT_EQ(r.times[0], 30);  // defaults of keys the file lacks
  EXPECT_EQ(r.times[8], 80);
  EXPECT_EQ(r.sound_speed, 90);
  // Doubles in the C locale: "0,12" scans as 0, a text that is no number
  // keeps the default.
  EXPECT_DOUBLE_EQ(r.inertia, 0.0);
  EXPECT_DOUBLE_EQ(r.resistance_a, 1.32);
  EXPECT_DOUBLE_EQ(r.curve_resistance, 650.5);
  EXPECT_DOUBLE_EQ(r.resistance_d, 0.0078);
  EXPECT_EQ(file.guide.use, Sjis("通勤"));
  EXPECT_EQ(r.name.Utf8(), "試験形");
}

TEST(SeriesFileTest, LongTextsAreCutOnACharacterBoundary) {
  // 11 two-byte characters are 22 bytes; the abbreviation keeps 20.
  const SeriesFile file = Parsed("略記=あいうえおかきくけこさ\n");
  EXPECT_EQ(file.record.short_name.Utf8(), "あいうえおかきくけこ");
  const SeriesFile odd = Parsed("略記=Aあいうえおかきくけこ\n");
  EXPECT_EQ(odd.record.short_name.Utf8(), "Aあいうえおかきくけ");
}

TEST(SeriesFileTest, ChecksRefuseInOrder) {
  SeriesRecord r = Parsed().record;
  EXPECT_EQ(CheckSeries(r, nullptr), std::nullopt);
  r.gauge = 0;
  r.rates[5] = 0;
  EXPECT_EQ(CheckSeries(r, nullptr), "軌間が正しく設定されていません。");
  r.gauge = 1067;
  EXPECT_EQ(CheckSeries(r, nullptr), "非常ブレーキが正しく設定されていません。");
  r.rates[5] = -3;  // negative is set, but too small
  EXPECT_EQ(CheckSeries(r, nullptr),
            "加速度・減速度の中に小さ過ぎるものがあります。\n単位km/h/sを１００倍して整数で設定"
            "して下さい。");
  r.rates[5] = 450;
  r.characteristic = 1;
  EXPECT_EQ(CheckSeries(r, nullptr), "列車質量が正しく設定されていません。");
  r.mass = 30;
  EXPECT_EQ(CheckSeries(r, nullptr), "モータ個数が正しく設定されていません。");
}

TEST(SeriesFileTest, AccelerationNineIsRefusedAndTenHeldAs102) {
  SeriesRecord r = Parsed("").record;
  r.rates[0] = 9;
  EXPECT_EQ(CheckSeries(r, nullptr),
            "加速度・減速度の中に小さ過ぎるものがあります。\n単位km/h/sを１００倍して整数で設定"
            "して下さい。");
  r.rates[0] = 10;
  EXPECT_EQ(CheckSeries(r, nullptr), std::nullopt);
  ConvertSeriesRates(r);
  EXPECT_EQ(r.rates[0], 102);
  EXPECT_EQ(HundredthsToRate(-15), -153);  // truncates toward zero
  EXPECT_EQ(HundredthsToRate(2'100'000'000), 2'147'483'647);
}

TEST(SeriesFileTest, AtcMarginAppliesFromSignalVersion1042) {
  SeriesRecord r = Parsed().record;
  r.rates[4] = 300;  // B = 3072 - 98 = 2974
  MapSettings map;
  map.handle_atc = 291;  // S = 2979 > B
  map.signal_version = 1041;
  EXPECT_EQ(CheckSeries(r, &map), std::nullopt);
  map.signal_version = 1042;
  EXPECT_EQ(CheckSeries(r, &map),
            "この形式の減速度（3.00[km/h/s]）は信号設定に対して余裕が足りません。\n"
            "信号設定を変更してから形式読み込みを行って下さい。");
  map.handle_atc = 290;  // S = 2969: enough
  EXPECT_EQ(CheckSeries(r, &map), std::nullopt);
}

TEST(SeriesFileTest, TablesAreReadInTheirUnits) {
  const auto accel = ParseSeriesTableText("12.5,300\r\n\n0.3,5\n-1,2\n1e300,1\n", true);
  EXPECT_EQ(accel, (std::vector<std::pair<int, int>>{
                       {12800, 300}, {307, 5}, {-1024, 2}, {2147483647, 1}}));
  const auto curve = ParseSeriesTableText("400,85\n300.9,70", false);
  EXPECT_EQ(curve, (std::vector<std::pair<int, int>>{{400, 85}, {300, 70}}));
  std::string many;
  for (int i = 0; i < kMostSeriesTableRows + 5; ++i) many += "1,1\n";
  EXPECT_EQ(ParseSeriesTableText(many, false).size(),
            static_cast<std::size_t>(kMostSeriesTableRows));
}

class SeriesLoadTest : public ::testing::Test {
 protected:
  SeriesLoadTest() {
    folders_.series = scratch_.path();
    folders_.acceleration = scratch_.path();
    folders_.curve_limit = scratch_.path();
  }
  std::string Write(std::string_view name, const std::string& bytes) {
    const std::string path = scratch_.File(name);
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
  }

  ScratchFolder scratch_;
  SeriesFolders folders_;
  ScriptedPrompter prompter_;
};

TEST_F(SeriesLoadTest, ReadsTheFileWithItsTables) {
  Write("a.csv", "12.5,300\n25,280\n");
  Write("c.csv", "400,85\n");
  const std::string path =
      Write("t.ini", ValidInfo("加速度テーブル=a.csv\n曲線制限テーブル=c.csv\n"));
  const auto file = LoadSeriesFile(path, folders_, nullptr, prompter_);
  ASSERT_TRUE(file);
  EXPECT_TRUE(prompter_.shown().empty());
  EXPECT_EQ(file->record.rates[0], 3072);
  EXPECT_EQ(file->record.acceleration,
            (std::vector<std::pair<int, int>>{{12800, 300}, {25600, 280}}));
  EXPECT_EQ(file->record.acceleration_rows, 2);
  EXPECT_EQ(file->record.curve_limit, (std::vector<std::pair<int, int>>{{400, 85}}));
  EXPECT_GT(file->record.file_time[0], 2000);
}

TEST_F(SeriesLoadTest, RefusalsAndUnreadableTablesAreReportedNotLoaded) {
  const std::string bad = Write("b.ini", ValidInfo("加速度=9\n"));
  EXPECT_FALSE(LoadSeriesFile(bad, folders_, nullptr, prompter_));
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].caption, "データエラー");

  prompter_.ClearShown();
  const std::string missing = Write("m.ini", ValidInfo("加速度テーブル=none.csv\n"));
  EXPECT_FALSE(LoadSeriesFile(missing, folders_, nullptr, prompter_));
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].caption, "ファイル読み込みエラー");

  prompter_.ClearShown();
  const std::string escape = Write("e.ini", ValidInfo("曲線制限テーブル=../x.csv\n"));
  EXPECT_FALSE(LoadSeriesFile(escape, folders_, nullptr, prompter_));
  EXPECT_EQ(prompter_.shown().size(), 1u);

  prompter_.ClearShown();
  EXPECT_FALSE(LoadSeriesFile(scratch_.File("absent.ini"), folders_, nullptr, prompter_));
  EXPECT_EQ(prompter_.shown().size(), 1u);
}

TEST(SeriesIdentityTest, PlainAndExact) {
  SeriesRecord a = Parsed().record;
  SeriesRecord b = a;
  b.file_time[5] = 7;
  b.capacity = 1;
  EXPECT_TRUE(SameSeries(a, b, false));
  EXPECT_FALSE(SameSeries(a, b, true));
  b = a;
  b.curve_limit = {{400, 85}};
  EXPECT_FALSE(SameSeries(a, b, true));
  b.cars = 6;
  EXPECT_FALSE(SameSeries(a, b, false));

  Table<SeriesRecord> table(kMaxSeries);
  EXPECT_EQ(SmallestAtcBrake(table), std::nullopt);
  table.Append(b);
  table.Append(a);
  table[1].rates[4] = 2000;
  table[2].rates[4] = 1500;
  EXPECT_EQ(FindSeriesRecord(table, a, true), 2);
  EXPECT_EQ(SmallestAtcBrake(table), 1500);
}

TEST(SeriesDescriptionTest, HeldAndNotHeld) {
  SeriesFile file = Parsed();
  ConvertSeriesRates(file.record);
  const std::string held = DescribeSeries(file.record, &file.guide, true, 3, 1);
  EXPECT_NE(held.find("形式：試験形\n用途：通勤\n"), std::string::npos);
  EXPECT_NE(held.find("加速度：3.00km/h/s\n"), std::string::npos);
  EXPECT_NE(held.find("走行特性シミュレート：非対応\n3編成\n使用：1／所有：3\n"),
            std::string::npos);
  const std::string not_held = DescribeSeries(file.record, nullptr, false, 0, 0);
  EXPECT_NE(not_held.find("未導入"), std::string::npos);
  EXPECT_EQ(not_held.find("所有"), std::string::npos);
}

// The series that come with the program pass every check with their
// tables, the margin of the newest signal settings included.
TEST(ShippedSeriesTest, EveryShippedSeriesLoads) {
  const std::string data = testing::SourceDataFolder() + ".";
  SeriesFolders folders;
  folders.acceleration = data + "/table/acceleration/";
  folders.curve_limit = data + "/table/curve_limit/";
  MapSettings map;
  map.signal_version = 1126;
  int loaded = 0;
  for (const char* name : {"cv100.ini", "cv300.ini", "cd50.ini"}) {
    ScriptedPrompter prompter;
    const auto file = LoadSeriesFile(data + "/series_data/" + name, folders, &map, prompter);
    ASSERT_TRUE(file) << name;
    EXPECT_FALSE(file->record.acceleration.empty());
    EXPECT_FALSE(file->record.curve_limit.empty());
    EXPECT_TRUE(FileExists(data + "/image/" + file->record.photo.str()));
    EXPECT_TRUE(FileExists(data + "/image16/" + file->record.icon.str()));
    ++loaded;
  }
  EXPECT_EQ(loaded, 3);
}

}  // namespace
}  // namespace corvane
