#include "run/name_tables.h"

#include <gtest/gtest.h>

#include <string>

#include "base/file_io.h"
#include "run/dia_model.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::Sjis;

class NameTablesTest : public ::testing::Test {
 protected:
  NameTablesTest() {
    DiaFile file;
    TargetRecord target;
    target.name = LongText(Sjis("東町駅"));
    target.short_name = ShortText(Sjis("東町"));
    file.map.targets.Append(target);
    target.name = LongText(Sjis("西浜駅"));
    file.map.targets.Append(target);
    StationRecord station;
    station.name = LongText(Sjis("東町駅"));
    file.map.stations.Append(station);
    for (const char* name : {"東町駅1番線", "東町駅←西浜駅下り", "西浜駅＝東町駅下り", "本線"}) {
      RailRecord rail;
      rail.name = LongText(Sjis(name));
      file.map.rails.Append(rail);
    }
    TrainTypeRecord type;
    type.name = LongText(Sjis("普通"));
    file.dia.train_types.Append(type);
    MapSignalType set;
    set.name = ShortText(Sjis("３現示"));
    file.map.signal_sets.Append(set);
    SignalImageRecord image;
    image.name = ShortText(Sjis("停止"));
    file.map.images.Append(image);
    file.dia.diagrams = Table<DiagramRecord>(4);
    DiagramRecord run;
    run.direction = 2;
    run.values[0] = 1;
    run.destination = ShortText(Sjis("東町"));
    file.dia.diagrams.Append(run);
    model_.Replace(std::move(file));
  }
  void WriteTable(const char* name, const char* utf8) {
    ASSERT_TRUE(WriteFileBytes(folder_.File(name), Sjis(utf8)));
  }
  std::string Utf8Of(const LongText& text) const { return text.Utf8(); }

  testing::ScratchFolder folder_;
  DiaModel model_;
  ScriptedPrompter prompter_;
};

TEST_F(NameTablesTest, EveryKindOfNameIsRenamedByItsTable) {
  WriteTable("target.csv", "東町駅,H,Higashi,Higashimachi\n西浜駅,N,Nishi,Nishihama\n");
  WriteTable("rail_suffix.csv", "1番線,1,Track 1\n下り,D,Down\n");
  WriteTable("d_type.csv", "普通,L,Loc,Local\n");
  WriteTable("signal_set.csv", "３現示,3A,Three aspects\n");
  WriteTable("signal_bmp.csv", "停止,stop.bmp\n");
  {
    DiaChange change(model_);
    RenameFromNameTables(change, folder_.path(), prompter_);
  }
  EXPECT_TRUE(prompter_.shown().empty());
  const SystemMap& map = model_.map();
  EXPECT_EQ(map.rails[1].name.Utf8(), "HigashiTrack 1");
  EXPECT_EQ(map.rails[1].short_name.Utf8(), "Higashi1");
  EXPECT_EQ(map.rails[2].name.Utf8(), "Higashi<-NishiDown");
  EXPECT_EQ(map.rails[2].short_name.Utf8(), "H<-ND");
  EXPECT_EQ(map.rails[3].name.Utf8(), "Nishi==HigashiDown");
  EXPECT_EQ(map.rails[4].name.Utf8(), "本線");  // no target's name
  EXPECT_EQ(map.targets[1].name.Utf8(), "Higashimachi");
  EXPECT_EQ(map.targets[1].short_name.Utf8(), "Higashi");
  EXPECT_EQ(map.targets[1].one_char_name.Utf8(), "H");
  EXPECT_EQ(map.stations[1].short_name.Utf8(), "Higashi");
  EXPECT_EQ(model_.dia().train_types[1].name.Utf8(), "Local");
  EXPECT_EQ(map.signal_sets[1].name.Utf8(), "3A");
  EXPECT_EQ(map.signal_sets[1].text2.Utf8(), "Three aspects");
  EXPECT_EQ(map.images[1].bitmap.Utf8(), "stop.bmp");
  EXPECT_EQ(model_.dia().diagrams[1].destination.Utf8(), "Higashi");
  EXPECT_TRUE(model_.modified());
}

TEST_F(NameTablesTest, AMissingTableIsReportedAndTheOthersStillRename) {
  WriteTable("d_type.csv", "普通,L,Loc,Local\n");
  {
    DiaChange change(model_);
    RenameFromNameTables(change, folder_.path(), prompter_);
  }
  ASSERT_EQ(prompter_.shown().size(), 4u);
  EXPECT_EQ(prompter_.shown()[0].text,
            "読み込みファイル'" + folder_.File("target.csv") + "'は開けませんでした。\n");
  EXPECT_EQ(prompter_.shown()[0].caption, "ファイル読み込みエラー");
  EXPECT_EQ(model_.dia().train_types[1].name.Utf8(), "Local");
  EXPECT_EQ(model_.map().rails[1].name.Utf8(), "東町駅1番線");
}

}  // namespace
}  // namespace corvane
