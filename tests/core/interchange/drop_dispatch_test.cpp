#include "interchange/drop_dispatch.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/file_io.h"
#include "support/test_support.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

class DropDispatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dropped_);
    fs::create_directories(folders_.data);
  }

  std::string Dropped(const std::string& name, std::string_view bytes = "x") {
    EXPECT_TRUE(WriteFileBytes(dropped_ + name, bytes));
    return dropped_ + name;
  }

  DropOutcome Drop(const std::vector<std::string>& paths, BusyWindow busy = BusyWindow::kNone) {
    return DispatchDrop(paths, busy, folders_, prompter_, chooser_);
  }

  ScratchFolder scratch_;
  std::string dropped_ = scratch_.File("dropped/");
  DropFolders folders_{scratch_.File("data"), scratch_.File("data/Sound")};
  ScriptedPrompter prompter_;
  ScriptedListChooser chooser_;
};

TEST_F(DropDispatchTest, TwoSoundsAskForTheirFolderOnceAndReplaceByName) {
  fs::create_directories(folders_.sound + "/close");
  ASSERT_TRUE(WriteFileBytes(folders_.sound + "/close/b.wav", "old"));
  chooser_.Queue(2);  // ドア閉め音
  const auto outcome = Drop({Dropped("a.WAV"), Dropped("b.wav", "new")});
  EXPECT_EQ(outcome.copied, 2);
  ASSERT_EQ(chooser_.asked().size(), 1u);
  EXPECT_EQ(chooser_.asked()[0].size(), 5u);
  EXPECT_TRUE(FileExists(folders_.sound + "/close/a.WAV"));
  EXPECT_EQ(ReadFileBytes(folders_.sound + "/close/b.wav"), "new");
  EXPECT_TRUE(prompter_.shown().empty());
}

TEST_F(DropDispatchTest, APictureThenDiaDataCopiesAndOffersTheDiaIgnoringTheRest) {
  chooser_.Queue(1);  // 形式アイコン
  prompter_.Queue(PromptAnswer::kYes);
  const std::string dia = Dropped("line.kvb");
  const auto outcome = Drop({Dropped("p.bmp"), dia, Dropped("q.bmp"), Dropped("r.kvi")});
  EXPECT_EQ(outcome.copied, 1);
  EXPECT_EQ(outcome.dia_to_open, dia);
  EXPECT_TRUE(FileExists(folders_.data + "/image16/p.bmp"));
  EXPECT_FALSE(FileExists(folders_.data + "/image16/q.bmp"));
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, kDropOpenDiaQuestion);
  EXPECT_EQ(prompter_.shown()[0].caption, kDropCaption);
}

TEST_F(DropDispatchTest, SayingNoToTheDiaOpensNothing) {
  EXPECT_FALSE(Drop({Dropped("a.kvd")}).dia_to_open);
}

TEST_F(DropDispatchTest, ACancelledChooserEndsTheDropWithoutCopying) {
  const auto outcome = Drop({Dropped("a.bmp"), Dropped("b.kvp")});
  EXPECT_EQ(outcome.copied, 0);
  EXPECT_FALSE(fs::exists(folders_.data + "/image"));
  EXPECT_TRUE(prompter_.shown().empty());
}

TEST_F(DropDispatchTest, OtherFilesAskToGoOnExceptTheLastWhichIsOnlyRefused) {
  prompter_.Queue(PromptAnswer::kYes);
  Drop({Dropped("a.txt"), Dropped("b.txt")});
  ASSERT_EQ(prompter_.shown().size(), 2u);
  EXPECT_EQ(prompter_.shown()[0].text, kDropUnknownGoOn);
  EXPECT_EQ(prompter_.shown()[1].text, kDropUnknownLast);
  EXPECT_EQ(prompter_.shown()[1].buttons, PromptButtons::kOk);

  prompter_.ClearShown();
  chooser_.Queue(0);
  EXPECT_EQ(Drop({Dropped("a.txt"), Dropped("c.wav")}).copied, 0);  // No ends the drop
  EXPECT_EQ(prompter_.shown().size(), 1u);
}

TEST_F(DropDispatchTest, ListsAreImportedOnYesSkippedOnNoAndCancelEndsTheDrop) {
  Dropped("f.ini", "f");
  const std::string list = Dropped("l.kvi", testing::Sjis("[ファイルリスト]\n00=f.ini\n"));
  prompter_.Queue(PromptAnswer::kNo);
  prompter_.Queue(PromptAnswer::kYes);
  EXPECT_EQ(Drop({list, list}).imported_lists, 1);
  EXPECT_EQ(ReadFileBytes(folders_.data + "/f.ini"), "f");

  prompter_.Queue(PromptAnswer::kCancel);
  chooser_.Queue(0);
  EXPECT_EQ(Drop({list, Dropped("a.wav")}).copied, 0);
  EXPECT_TRUE(chooser_.asked().empty());
}

TEST_F(DropDispatchTest, ABusyWindowRefusesTheWholeDrop) {
  chooser_.Queue(0);
  EXPECT_EQ(Drop({Dropped("a.wav")}, BusyWindow::kTimetable).copied, 0);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, "時刻表ウインドウが作業中です。\n");
  EXPECT_EQ(prompter_.shown()[0].caption, kBusyCaption);
  EXPECT_TRUE(chooser_.asked().empty());
}

TEST_F(DropDispatchTest, FoldersAndLinksLeavingTheirFolderAreNotCopied) {
  fs::create_directories(dropped_ + "dir.wav");
  ASSERT_TRUE(WriteFileBytes(scratch_.File("secret"), "s"));
  fs::create_symlink(scratch_.File("secret"), dropped_ + "far.wav");
  fs::create_symlink(Dropped("near"), dropped_ + "near.wav");
  chooser_.Queue(0);
  EXPECT_EQ(Drop({dropped_ + "dir.wav", dropped_ + "far.wav", dropped_ + "near.wav"}).copied, 1);
  EXPECT_FALSE(fs::exists(folders_.sound + "/station/dir.wav"));
  EXPECT_FALSE(fs::exists(folders_.sound + "/station/far.wav"));
  EXPECT_TRUE(FileExists(folders_.sound + "/station/near.wav"));
  EXPECT_EQ(prompter_.shown().size(), 2u);
}

}  // namespace
}  // namespace corvane
