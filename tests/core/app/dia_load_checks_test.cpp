// The load-time checks as the main window's opens run them.

#include <gtest/gtest.h>

#include "app/dia_document.h"
#include "base/chooser.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;

// Two rails, the first linked to the second; `answered`: the second links
// back.
DiaFile TwoRails(bool answered) {
  DiaFile file;
  file.header.settings.signal_version = 1126;
  for (int i = 1; i <= 2; ++i) {
    RailRecord rail;
    rail.x_entry = (i - 1) * 40;
    rail.x_exit = i * 40;
    rail.signal = 1;
    rail.l_next = i == 1 ? 2 : 0;
    rail.l_back = i == 2 && answered ? 1 : 0;
    file.map.rails.Append(rail);
  }
  return file;
}

class DiaLoadChecksTest : public ::testing::Test {
 protected:
  DiaLoadChecksTest() : document_(ScratchDiaFolders(scratch_.path()), prompter_, chooser_, log_) {
    document_.SetLoadChecks({});
  }
  std::string Saved(const DiaFile& file, const char* name) {
    const std::string path = scratch_.File(name);
    EXPECT_TRUE(SaveDiaPath(file, path, prompter_));
    return path;
  }

  ScratchFolder scratch_;
  ScriptedPrompter prompter_;
  ScriptedChooser chooser_;
  MessageLog log_;
  DiaDocument document_;
};

TEST_F(DiaLoadChecksTest, AbortLeavesTheDataAndPathsBefore) {
  const std::string good = Saved(TwoRails(true), "good.kvb");
  const std::string bad = Saved(TwoRails(false), "bad.kvb");
  ASSERT_EQ(document_.OpenPath(good), DiaOpenOutcome::kOpened);
  EXPECT_EQ(document_.load_check_result().prompts, 0);

  prompter_.Queue(PromptAnswer::kAbort);
  EXPECT_EQ(document_.OpenPath(bad), DiaOpenOutcome::kFailed);
  EXPECT_TRUE(document_.load_check_result().aborted);
  EXPECT_EQ(document_.dia_path(), good);
  EXPECT_EQ(document_.file().map.rails[2].l_back, 1);

  // Retry lists the report and opens the data as read.
  prompter_.Queue(PromptAnswer::kRetry);
  EXPECT_EQ(document_.OpenPath(bad), DiaOpenOutcome::kOpened);
  EXPECT_EQ(document_.load_check_result().prompts, 1);
  EXPECT_EQ(document_.dia_path(), bad);
  EXPECT_EQ(document_.file().map.rails[2].l_back, 0);
}

TEST_F(DiaLoadChecksTest, ConvertedDataIsSavedUnderANewName) {
  DiaFile old = TwoRails(true);
  old.header.settings.signal_version = 1010;
  const std::string path = Saved(old, "old.kvp");
  LoadCheckSetup setup;
  setup.extension = true;
  document_.SetLoadChecks(setup);
  prompter_.Queue(PromptAnswer::kYes);
  ASSERT_EQ(document_.OpenPath(path), DiaOpenOutcome::kOpened);
  EXPECT_TRUE(document_.load_check_result().converted);
  EXPECT_EQ(document_.file().header.settings.signal_version, 1042);
  EXPECT_TRUE(document_.dia_path().empty());
  EXPECT_TRUE(document_.modified());
}

}  // namespace
}  // namespace corvane
