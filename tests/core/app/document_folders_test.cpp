#include <gtest/gtest.h>

#include "app/dia_document.h"
#include "app/map_document.h"
#include "support/fake_environment.h"

namespace corvane {
namespace {

TEST(DocumentFoldersTest, TheWindowsFoldersComeFromTheDataFolderTable) {
  const std::optional<DataFolderTable> table = DataFolderTable::Build("/home/u/Corvane");
  ASSERT_TRUE(table);
  DataFolder data_folder;
  data_folder.path = "/home/u/Corvane";
  data_folder.table = *table;
  testing::FakeEnvironment env;
  env.program_folder = "/opt/corvane";

  const MapFolders map = MapFoldersOf(data_folder, env);
  EXPECT_EQ(map.temp, data_folder.TempFolder());
  EXPECT_EQ(map.temp.back(), '/');
  EXPECT_EQ(map.map_data, (*table)[kSlotDataKvm]);
  EXPECT_EQ(map.old_map, "/opt/corvane/old_map/");

  const DiaFolders dia = DiaFoldersOf(data_folder);
  EXPECT_EQ(dia.temp, map.temp);
  EXPECT_EQ(dia.dia_data, (*table)[kSlotDataKvb]);
  EXPECT_EQ(dia.system_map, (*table)[kSlotSystemMap]);
  EXPECT_EQ(dia.system_map_ini, "/home/u/Corvane/system_map.ini");
  EXPECT_EQ(dia.image, (*table)[kSlotImage]);
  EXPECT_EQ(dia.image16, (*table)[kSlotImage16]);
  // Every folder is a different one.
  EXPECT_NE(dia.dia_data, dia.system_map);
  EXPECT_NE(dia.image, dia.image16);
  EXPECT_NE(map.map_data, dia.dia_data);
}

}  // namespace
}  // namespace corvane
