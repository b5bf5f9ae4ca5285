#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/dia_document.h"
#include "base/chooser.h"
#include "base/file_io.h"
#include "base/message_log.h"
#include "base/prompter.h"
#include "example_dia.h"
#include "run/dia_change.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;
using testing::Sjis;

class WindiaImportTest : public ::testing::Test {
 protected:
  WindiaImportTest() {
    std::filesystem::create_directory(folders_.temp);
    std::filesystem::create_directory(folders_.dia_data);
    std::filesystem::create_directory(folder_.File("wdia"));
    EXPECT_TRUE(WriteFileBytes(folder_.File("wdia/line.dia"),
                               Sjis("[WinDIA]\n線\n[駅]\np,甲\n,乙\n[下り]\n0,1,,0,600,610\n")));
    EXPECT_TRUE(WriteFileBytes(folder_.File("wdia/other.dia"), "[WinDIA\n"));
  }

  static DiaFolders FoldersIn(const ScratchFolder& folder) {
    DiaFolders folders;
    folders.temp = folder.File("temp/");
    folders.dia_data = folder.File("dia_data/");
    return folders;
  }

  ScratchFolder folder_;
  DiaFolders folders_ = FoldersIn(folder_);
  ScriptedPrompter prompter_;
  ScriptedChooser chooser_;
  MessageLog log_;
  DiaDocument document_{folders_, prompter_, chooser_, log_};
};

TEST_F(WindiaImportTest, TheImportedLineReplacesTheDataUnsaved) {
  std::string folder;
  chooser_.Queue(folder_.File("wdia/line.dia"));
  EXPECT_EQ(document_.ImportWindia(&folder), DiaOpenOutcome::kOpened);
  ASSERT_EQ(chooser_.requests().size(), 1u);
  EXPECT_EQ(chooser_.requests()[0].initial_path, folders_.dia_data);
  EXPECT_EQ(chooser_.requests()[0].default_extension, "dia");
  EXPECT_EQ(folder, folder_.File("wdia"));
  EXPECT_EQ(document_.file().header.wdia_mode, 1);
  EXPECT_EQ(document_.file().map.rails.count(), 4);
  EXPECT_EQ(document_.file().dia.diagrams.count(), 1);
  EXPECT_FALSE(document_.modified());
  EXPECT_TRUE(document_.dia_path().empty());
  EXPECT_TRUE(log_.Lines().empty());

  // The next dialog starts where the last file was chosen.
  chooser_.Queue(std::nullopt);
  EXPECT_EQ(document_.ImportWindia(&folder), DiaOpenOutcome::kCancelled);
  EXPECT_EQ(chooser_.requests()[1].initial_path, folder_.File("wdia"));
}

TEST_F(WindiaImportTest, ARefusedFileKeepsTheDataAndAChangedDiaIsAskedFor) {
  document_.Replace(SampleDiaFile());
  DiaChange(document_.model()).header().dia_comment = Sjis("変更");
  const std::string before = FormatDiaText(document_.file(), false);
  std::string folder;
  // Cancel on the discard question: no dialog.
  prompter_.Queue(PromptAnswer::kCancel);
  EXPECT_EQ(document_.ImportWindia(&folder), DiaOpenOutcome::kCancelled);
  EXPECT_TRUE(chooser_.requests().empty());
  // No: the file is refused and the data stays.
  prompter_.Queue(PromptAnswer::kNo);
  chooser_.Queue(folder_.File("wdia/other.dia"));
  EXPECT_EQ(document_.ImportWindia(&folder), DiaOpenOutcome::kFailed);
  EXPECT_EQ(prompter_.shown().back().caption, "ファイル形式エラー");
  EXPECT_EQ(FormatDiaText(document_.file(), false), before);
  EXPECT_TRUE(document_.modified());
}

}  // namespace
}  // namespace corvane
