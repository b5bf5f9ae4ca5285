#include "app/series_dialog.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_io.h"
#include "run/dia_change.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;
using testing::Sjis;

std::string Info(std::string_view name, int cars, std::string_view extra = "") {
  std::string text = "[形式情報]\n形式名=" + std::string(name) + "\n略記=" + std::string(name) +
                     "\n両数=" + std::to_string(cars) + "\n" + std::string(extra) +
                     "編成長=80\nドア総数=16\nドア幅=1300\n定員=560\n最大乗車率=250\n"
                     "最高速度=110\n軌間=1067\n加速度=300\n常用ブレーキ１段=100\n"
                     "常用ブレーキ２段=250\n常用ブレーキ３段=400\nＡＴＣブレーキ=350\n"
                     "非常ブレーキ=450\n[形式案内]\n用途=試験\n";
  return Sjis(text);
}

SeriesRecord Held(std::string_view name, int owned) {
  SeriesRecord record;
  record.name = Sjis(name);
  record.short_name = Sjis(name);
  record.cars = 4;
  record.owned_units = owned;
  return record;
}

class SeriesDialogTest : public ::testing::Test {
 protected:
  SeriesDialogTest() {
    folders_.series = scratch_.File("series/");
    folders_.acceleration = folders_.curve_limit = scratch_.path();
    folders_.image = folders_.image16 = scratch_.path();
    std::filesystem::create_directories(folders_.series);
  }
  std::string WriteSeries(std::string_view file, const std::string& bytes) {
    const std::string path = JoinPath(folders_.series, std::string(file));
    EXPECT_TRUE(WriteFileBytes(path, bytes));
    return path;
  }

  ScratchFolder scratch_;
  SeriesFolders folders_;
  ScriptedPrompter prompter_;
  MapSettings map_;
};

TEST_F(SeriesDialogTest, AddingReadsANewSeriesOrAddsToTheOneHeld) {
  const std::string path = WriteSeries("a.ini", Info("A", 4, "画像=a.bmp\n"));
  DiaData dia;
  SeriesWork work = SeriesWork::Of(dia);
  ASSERT_TRUE(AddTrainsets(work, folders_, path, 3, map_, prompter_));
  ASSERT_EQ(work.series.count(), 1);
  EXPECT_EQ(work.series[1].owned_units, 3);
  EXPECT_EQ(work.series[1].rates[0], 3072);
  // The photograph it names is missing: told, not refused.
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].caption, "形式写真エラー");
  ASSERT_TRUE(AddTrainsets(work, folders_, path, 2, map_, prompter_));
  EXPECT_EQ(work.series.count(), 1);
  EXPECT_EQ(work.series[1].owned_units, 5);

  prompter_.ClearShown();
  EXPECT_FALSE(AddTrainsets(work, folders_, "", 1, map_, prompter_));
  EXPECT_EQ(prompter_.shown().back().text, "形式情報ファイルが見つかりません。");
  const std::string refused = WriteSeries("bad.ini", Info("B", 4, "加速度=9\n"));
  EXPECT_FALSE(AddTrainsets(work, folders_, refused, 1, map_, prompter_));
  EXPECT_EQ(prompter_.shown().back().caption, "データエラー");
  EXPECT_EQ(work.series.count(), 1);
}

TEST_F(SeriesDialogTest, AFullTableRefusesNewSeriesOnly) {
  DiaData dia;
  for (int n = 1; n <= kMaxSeries; ++n) dia.series.Append(Held("S" + std::to_string(n), 1));
  SeriesWork work = SeriesWork::Of(dia);
  const std::string held = WriteSeries("held.ini", Info("S5", 4));
  const std::string fresh = WriteSeries("new.ini", Info("N", 4));
  EXPECT_FALSE(AddTrainsets(work, folders_, fresh, 1, map_, prompter_));
  EXPECT_EQ(prompter_.shown().back().text, "これ以上は追加できません。");
  EXPECT_TRUE(AddTrainsets(work, folders_, held, 1, map_, prompter_));
  EXPECT_EQ(work.series[5].owned_units, 2);
}

TEST_F(SeriesDialogTest, DisposingKeepsTrainsetsInUseAndMeasuringSeries) {
  DiaData dia;
  dia.series.Append(Held("A", 3));
  dia.series.Append(Held("B", 2));
  UnitRecord unit;
  unit.series = 1;
  dia.units.Append(unit);
  SpeedTypeRecord type;
  type.name = Sjis("快速");
  type.series = 2;
  dia.speed_types.Append(type);
  SeriesWork work = SeriesWork::Of(dia);

  // Three owned, one in use: three cannot go (the count would fall below
  // the trainsets in use), two can.
  EXPECT_FALSE(DisposeTrainsets(work, dia, 1, 3, prompter_));
  EXPECT_EQ(prompter_.shown().back().text, "この形式は列車に使用されているため、処分できません。");
  EXPECT_TRUE(DisposeTrainsets(work, dia, 1, 2, prompter_));
  EXPECT_EQ(work.series[1].owned_units, 1);
  EXPECT_FALSE(DisposeTrainsets(work, dia, 1, 1, prompter_));

  EXPECT_FALSE(DisposeTrainsets(work, dia, 2, 2, prompter_));
  EXPECT_EQ(prompter_.shown().back().text,
            "この形式は速度種別快速の計測用形式データに指定されているため、処分できません。\n");
  EXPECT_TRUE(DisposeTrainsets(work, dia, 2, 1, prompter_));
  EXPECT_FALSE(DisposeTrainsets(work, dia, 3, 1, prompter_));
  EXPECT_EQ(prompter_.shown().back().text, "この形式は所有されていません。");
}

TEST_F(SeriesDialogTest, StoringRenumbersWhatReferredToTheSeries) {
  DiaFile file;
  file.dia.series.Append(Held("A", 1));
  file.dia.series.Append(Held("B", 1));
  file.dia.series.Append(Held("C", 1));
  UnitRecord unit;
  unit.series = 3;
  file.dia.units.Append(unit);
  DiaModel model;
  model.Replace(file);
  SeriesWork work = SeriesWork::Of(model.dia());
  ASSERT_TRUE(DisposeTrainsets(work, model.dia(), 1, 1, prompter_));
  work.series.Append(Held("D", 2));
  work.origin.push_back(0);
  StoreSeries(model, work);
  ASSERT_EQ(model.dia().series.count(), 3);
  EXPECT_EQ(model.dia().series[1].name, Sjis("B"));
  EXPECT_EQ(model.dia().series[3].name, Sjis("D"));
  EXPECT_EQ(model.dia().units[1].series, 2);
  EXPECT_TRUE(model.modified());
}

TEST_F(SeriesDialogTest, TheListAndReloading) {
  const std::string path = WriteSeries("a.ini", Info("A", 4));
  WriteSeries("z.ini", Info("Z", 2));
  DiaFile file;
  file.dia.series.Append(Held("A", 1));  // the file's series, but not as read from it
  file.dia.series.Append(Held("gone", 1));
  DiaModel model;
  model.Replace(file);
  std::vector<SeriesEntry> entries = ListSeries(folders_, model.dia().series);
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[0].file, "a.ini");
  EXPECT_EQ(entries[0].record, 0);  // not the same exactly
  EXPECT_EQ(entries[2].record, 1);
  EXPECT_EQ(entries[3].label, "gone");

  SeriesWork work = SeriesWork::Of(model.dia());
  EXPECT_EQ(ReloadSeries(work, folders_, 1, map_, prompter_), 1);
  EXPECT_EQ(work.series[1].owned_units, 1);
  EXPECT_EQ(work.series[1].rates[0], 3072);
  EXPECT_EQ(ReloadSeries(work, folders_, 2, map_, prompter_), std::nullopt);
  EXPECT_EQ(prompter_.shown().back().caption, "形式情報更新");
  // Read again, the record is the file exactly.
  EXPECT_EQ(FindSeriesRecord(work.series, PeekSeriesFile(path, folders_)->record, true), 1);
}

TEST_F(SeriesDialogTest, TheDialogAddsAndStoresOnOk) {
  WriteSeries("a.ini", Info("A", 4));
  DiaModel model;
  model.Replace(DiaFile{});
  SeriesDialog dialog(model, folders_);
  ASSERT_EQ(dialog.Find("list")->items, std::vector<std::string>{"a.ini"});
  EXPECT_NE(dialog.Find("description")->text.find("未導入"), std::string::npos);
  EXPECT_EQ(dialog.Find("photo")->text, folders_.image + "white.bmp");
  dialog.Find("count")->text = "2";
  struct Host : DialogHost {
    explicit Host(Prompter& p) : p_(p) {}
    Prompter& prompter() override { return p_; }
    bool Run(DialogModel&) override { return false; }
    Prompter& p_;
  } host(prompter_);
  dialog.Press("add", host);
  EXPECT_NE(dialog.Find("description")->text.find("使用：0／所有：2"), std::string::npos);
  EXPECT_EQ(model.dia().series.count(), 0);  // nothing stored before OK
  EXPECT_TRUE(dialog.Accept(prompter_));
  ASSERT_EQ(model.dia().series.count(), 1);
  EXPECT_EQ(model.dia().series[1].owned_units, 2);
}

}  // namespace
}  // namespace corvane
