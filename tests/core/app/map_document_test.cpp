#include "app/map_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/english_twins.h"
#include "base/file_io.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"
#include "support/map_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;
using testing::Sjis;

const char kSaveQuestion[] =
    "マップデータを開きます。\n現在のマップは変更されています。\n現在のデータを保存しますか？";
const char kNotAMap[] = "このファイルは、マップデータではありません。\n";

// The log lines of a message followed by an empty line.
std::vector<std::string> LinesOf(const std::string& message) {
  MessageLog log;
  log.AddLine(message);
  log.AddLine("");
  return log.Lines();
}

class MapDocumentTest : public ::testing::Test {
 protected:
  MapDocumentTest() {
    std::filesystem::create_directory(folders_.temp);
    std::filesystem::create_directory(folders_.map_data);
  }

  static MapFolders FoldersIn(const ScratchFolder& folder) {
    MapFolders folders;
    folders.temp = folder.File("temp/");
    folders.map_data = folder.File("kvm/");
    folders.old_map = testing::SourceDataFolder() + "old_map/";
    return folders;
  }

  std::string MapPath(const std::string& name) const { return folders_.map_data + name; }

  // A map named `name` saved as `file` in the map folder, then left
  // modified in memory.
  void SaveNamed(const std::string& name, const std::string& file) {
    ASSERT_TRUE(document_.NewMap());
    MapChange(map_).header().map_name = Sjis(name);
    MapChange(map_).rails().Append(NewRail({1, 1}, {6, 1}, 1));
    ASSERT_TRUE(document_.SaveToPath(MapPath(file)));
  }

  // Writes `map_`'s bundle under a different version number.
  void WriteWithVersion(const std::string& file, int version) {
    std::string text = FormatMapText(map_.content());
    const std::string current = "version=1220\n";
    text.replace(text.find(current), current.size(), "version=" + std::to_string(version) + "\n");
    ASSERT_TRUE(WriteFileBytes(MapPath(file), PackText(text)));
  }

  ScratchFolder folder_;
  MapFolders folders_ = FoldersIn(folder_);
  EditMap map_;
  ScriptedPrompter prompter_;
  ScriptedChooser chooser_;
  MessageLog log_;
  MapDocument document_{map_, folders_, prompter_, chooser_, log_};
};

TEST_F(MapDocumentTest, SaveAndOpenReportInTheLog) {
  ASSERT_TRUE(document_.NewMap());
  EXPECT_TRUE(document_.path().empty());
  MapChange(map_).header().map_name = Sjis("東西線");
  testing::ChangeSomething(map_);
  chooser_.Queue(MapPath("east.kvm"));
  ASSERT_TRUE(document_.SaveAs());
  ASSERT_EQ(chooser_.requests().size(), 1u);
  const FileChoice& save = chooser_.requests()[0];
  EXPECT_TRUE(save.save);
  EXPECT_TRUE(save.overwrite_prompt);
  EXPECT_EQ(save.filter, "マップデータ(*.kvm)|*.kvm||");
  EXPECT_EQ(save.default_extension, "kvm");
  EXPECT_EQ(save.initial_path, folders_.map_data + ".kvm");
  EXPECT_EQ(document_.path(), MapPath("east.kvm"));
  EXPECT_EQ(document_.title_name(), "east");
  EXPECT_FALSE(map_.modified());
  EXPECT_EQ(log_.Lines(), LinesOf("マップデータ「東西線」を保存しました。"));

  // Saving again needs no dialog.
  testing::ChangeSomething(map_);
  ASSERT_TRUE(document_.Save());
  EXPECT_EQ(chooser_.requests().size(), 1u);
  EXPECT_FALSE(map_.modified());
  EXPECT_EQ(log_.size(), 4);

  MapContent other = NewMapContent();
  other.header.map_name = Sjis("別");
  map_.Replace(std::move(other));
  chooser_.Queue(MapPath("east.kvm"));
  ASSERT_EQ(document_.Open(), OpenOutcome::kOpened);  // not modified: no question
  EXPECT_TRUE(prompter_.shown().empty());
  const FileChoice& open = chooser_.requests()[1];
  EXPECT_FALSE(open.save);
  EXPECT_TRUE(open.must_exist);
  EXPECT_EQ(open.initial_path, folders_.map_data + ".kvm");
  EXPECT_EQ(map_.header().map_name, Sjis("東西線"));
  EXPECT_FALSE(map_.modified());
  EXPECT_FALSE(document_.loading());
  EXPECT_EQ(log_.Lines(), LinesOf("マップデータ「東西線」を開きました。"));
}

TEST_F(MapDocumentTest, OpenAndSaveWriteNothingIntoTheScratchFolder) {
  SaveNamed("東西線", "east.kvm");
  ASSERT_EQ(document_.OpenPath(MapPath("east.kvm")), OpenOutcome::kOpened);
  ASSERT_TRUE(document_.SaveAsPath(MapPath("west.kvm")));
  EXPECT_EQ(ReadFileBytes(MapPath("west.kvm")), ReadFileBytes(MapPath("east.kvm")));
  EXPECT_TRUE(std::filesystem::is_empty(folders_.temp));
  EXPECT_TRUE(prompter_.shown().empty());
}

TEST_F(MapDocumentTest, SaveChangesQuestionBeforeOpening) {
  SaveNamed("a", "a.kvm");
  testing::ChangeSomething(map_);

  // Cancel stops before the file dialog.
  prompter_.Queue(PromptAnswer::kCancel);
  EXPECT_EQ(document_.Open(), OpenOutcome::kCancelled);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, kSaveQuestion);
  EXPECT_EQ(prompter_.shown()[0].caption, "読み込み確認");
  EXPECT_EQ(prompter_.shown()[0].buttons, PromptButtons::kYesNoCancel);
  EXPECT_TRUE(chooser_.requests().empty());

  // Yes with the save dialog cancelled asks again; No goes on to the open
  // dialog.
  prompter_.ClearShown();
  prompter_.Queue(PromptAnswer::kYes);
  prompter_.Queue(PromptAnswer::kNo);
  chooser_.Queue(std::nullopt);  // save as
  chooser_.Queue(std::nullopt);  // open
  EXPECT_EQ(document_.Open(), OpenOutcome::kCancelled);
  EXPECT_EQ(prompter_.shown().size(), 2u);
  ASSERT_EQ(chooser_.requests().size(), 2u);
  EXPECT_TRUE(chooser_.requests()[0].save);
  EXPECT_FALSE(chooser_.requests()[1].save);
  EXPECT_TRUE(map_.modified());

  // Yes and a saved map: no second question.
  prompter_.ClearShown();
  prompter_.Queue(PromptAnswer::kYes);
  chooser_.Queue(MapPath("b.kvm"));
  chooser_.Queue(MapPath("a.kvm"));
  EXPECT_EQ(document_.Open(), OpenOutcome::kOpened);
  EXPECT_EQ(prompter_.shown().size(), 1u);
  EXPECT_TRUE(FileExists(MapPath("b.kvm")));
  EXPECT_EQ(document_.path(), MapPath("a.kvm"));
}

TEST_F(MapDocumentTest, WrongExtensionIsRefused) {
  SaveNamed("a", "a.kvm");
  const std::string before = FormatMapText(map_.content());
  ASSERT_TRUE(WriteFileBytes(MapPath("a.txt"), *ReadFileBytes(MapPath("a.kvm"))));
  chooser_.Queue(MapPath("a.txt"));
  EXPECT_EQ(document_.Open(), OpenOutcome::kFailed);
  EXPECT_FALSE(document_.SaveAsPath(MapPath("b.kvmx")));
  ASSERT_EQ(prompter_.shown().size(), 2u);
  for (const ShownPrompt& shown : prompter_.shown()) {
    EXPECT_EQ(shown.text, kNotAMap);
    EXPECT_EQ(shown.caption, "ファイル形式エラー");
  }
  EXPECT_FALSE(FileExists(MapPath("b.kvmx")));
  EXPECT_EQ(document_.path(), MapPath("a.kvm"));
  EXPECT_EQ(FormatMapText(map_.content()), before);

  // Letter case does not matter.
  EXPECT_TRUE(document_.SaveAsPath(MapPath("C.KVM")));
  EXPECT_EQ(document_.OpenPath(MapPath("C.KVM")), OpenOutcome::kOpened);
}

TEST_F(MapDocumentTest, FailedOpenKeepsTheMapAndThePath) {
  SaveNamed("a", "a.kvm");
  const std::string before = FormatMapText(map_.content());
  const std::string packed = *ReadFileBytes(MapPath("a.kvm"));
  ASSERT_TRUE(WriteFileBytes(MapPath("cut.kvm"), packed.substr(0, packed.size() / 2)));
  ASSERT_TRUE(WriteFileBytes(MapPath("nohead.kvm"), PackText("#m_rail.csv\n  0,\n")));
  // A point of an unknown kind: the read fails and the user abandons it.
  std::string text = FormatMapText(map_.content());
  text.insert(text.find("#m_station.csv"), "  1,  0,  0,  4,  2, 9, 2,\n");
  ASSERT_TRUE(WriteFileBytes(MapPath("badrow.kvm"), PackText(text)));

  EXPECT_EQ(document_.OpenPath(MapPath("cut.kvm")), OpenOutcome::kFailed);
  EXPECT_EQ(document_.OpenPath(MapPath("nohead.kvm")), OpenOutcome::kFailed);
  prompter_.Queue(PromptAnswer::kAbort);
  EXPECT_EQ(document_.OpenPath(MapPath("badrow.kvm")), OpenOutcome::kCloseWindow);
  ASSERT_EQ(prompter_.shown().size(), 3u);
  EXPECT_EQ(prompter_.shown()[0].text,
            "読み込みファイル'" + MapPath("cut.kvm") + "'は途中で切れています。\n");
  EXPECT_EQ(prompter_.shown()[1].text,
            "読み込みファイル'" + MapPath("nohead.kvm") + "'は、マップデータではありません。\n");
  EXPECT_EQ(prompter_.shown()[1].caption, "ファイル読み込みエラー");
  EXPECT_EQ(prompter_.shown()[2].buttons, PromptButtons::kAbortRetryIgnore);
  EXPECT_EQ(document_.path(), MapPath("a.kvm"));
  EXPECT_EQ(FormatMapText(map_.content()), before);
  // The saved message, then what the abandoned read found wrong.
  std::vector<std::string> lines = LinesOf("マップデータ「a」を保存しました。");
  lines.push_back("読み込みファイル'" + folders_.temp + "m_point.csv'の内容が正しくありません。");
  lines.push_back("line 2: column 6: 9 is not between 1 and 8");
  EXPECT_EQ(log_.Lines(), lines);

  // Retry on a newer file starts the command again with the file dialog;
  // the save question answered before is not asked a second time.
  WriteWithVersion("new.kvm", 1221);
  testing::ChangeSomething(map_);
  prompter_.ClearShown();
  prompter_.Queue(PromptAnswer::kNo);
  prompter_.Queue(PromptAnswer::kRetry);
  chooser_.Queue(MapPath("new.kvm"));
  chooser_.Queue(MapPath("a.kvm"));
  EXPECT_EQ(document_.Open(), OpenOutcome::kOpened);
  ASSERT_EQ(prompter_.shown().size(), 2u);
  EXPECT_EQ(prompter_.shown()[0].text, kSaveQuestion);
  EXPECT_EQ(prompter_.shown()[1].caption, "ファイル読み込み警告");
  EXPECT_EQ(chooser_.requests().size(), 2u);
}

TEST_F(MapDocumentTest, AFileThatIsNoMapIsReportedAsOne) {
  // A text and a picture given the map file's extension.
  for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
           {"notes.kvm", "Just some notes.\nNothing more.\n"},
           {"picture.kvm", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff", 18)},
           {"packed_notes.kvm", PackText("notes\n#bad/name\n")}}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(WriteFileBytes(MapPath(name), bytes));
    prompter_.ClearShown();
    EXPECT_EQ(document_.OpenPath(MapPath(name)), OpenOutcome::kFailed);
    ASSERT_EQ(prompter_.shown().size(), 1u);
    const std::string text = prompter_.shown()[0].text;
    EXPECT_EQ(text, "読み込みファイル'" + MapPath(name) + "'は、マップデータではありません。\n");
    EXPECT_EQ(prompter_.shown()[0].caption, "ファイル読み込みエラー");
    EXPECT_EQ(InEnglish(text), "The file '" + MapPath(name) + "' is not map data.\n");
  }
}

TEST_F(MapDocumentTest, WhatAReadFindsWrongStaysInTheLogWhenTheUserGoesOn) {
  SaveNamed("a", "a.kvm");
  std::string text = FormatMapText(map_.content());
  text.insert(text.find("#m_point.csv"), "  2,  1,2147483647,  6,  3,\n");
  ASSERT_TRUE(WriteFileBytes(MapPath("far.kvm"), PackText(text)));
  prompter_.Queue(PromptAnswer::kIgnore);
  ASSERT_EQ(document_.OpenPath(MapPath("far.kvm")), OpenOutcome::kOpened);
  // The box keeps its text; the message window names the member and line.
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text,
            "データの読み込みに失敗しました。\n"
            "このまま続けた場合、正しく動作しない可能性があります。\n");
  std::vector<std::string> lines = LinesOf("マップデータ「a」を開きました。");
  const std::string member =
      "読み込みファイル'" + folders_.temp + "m_rail.csv'の内容が正しくありません。";
  const std::vector<std::string> problem =
      LinesOf("line 3: column 3: 2147483647 is not between -1000000 and 1000000");
  lines.push_back(member);
  lines.insert(lines.end(), problem.begin(), problem.end());
  EXPECT_EQ(log_.Lines(), lines);
  EXPECT_EQ(map_.rails().count(), 1);
  EXPECT_EQ(InEnglish(member),
            "The contents of the file '" + folders_.temp + "m_rail.csv' are not valid.");
}

TEST_F(MapDocumentTest, OlderVersionAsksForANameUntilSaved) {
  SaveNamed("old", "a.kvm");
  WriteWithVersion("old.kvm", 1150);
  ASSERT_EQ(document_.OpenPath(MapPath("old.kvm")), OpenOutcome::kOpened);
  EXPECT_EQ(map_.header().version, 1150);

  // A save that fails leaves the map as an older version's: the next save
  // still asks instead of overwriting the old file.
  chooser_.Queue(folder_.File("no/such/folder/x.kvm"));
  EXPECT_FALSE(document_.Save());
  ASSERT_EQ(chooser_.requests().size(), 1u);
  EXPECT_EQ(chooser_.requests()[0].initial_path, MapPath("old.kvm"));
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].caption, "ファイル書き込みエラー");
  EXPECT_EQ(document_.path(), MapPath("old.kvm"));
  EXPECT_EQ(map_.header().version, 1150);

  chooser_.Queue(MapPath("renewed.kvm"));
  EXPECT_TRUE(document_.Save());
  EXPECT_EQ(chooser_.requests().size(), 2u);
  EXPECT_EQ(map_.header().version, 1220);
  EXPECT_EQ(document_.path(), MapPath("renewed.kvm"));
  EXPECT_TRUE(document_.Save());
  EXPECT_EQ(chooser_.requests().size(), 2u);
}

TEST_F(MapDocumentTest, NewMapAsksBeforeDroppingChanges) {
  SaveNamed("a", "a.kvm");
  EXPECT_TRUE(document_.StartNewMap());  // saved: no question
  EXPECT_TRUE(prompter_.shown().empty());
  EXPECT_TRUE(document_.path().empty());

  testing::ChangeSomething(map_);
  const std::string before = FormatMapText(map_.content());
  prompter_.Queue(PromptAnswer::kNo);
  EXPECT_FALSE(document_.StartNewMap());
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text,
            "新規マップの編集を開始します。\n現在のマップの変更は失われます。\nよろしいですか？");
  EXPECT_EQ(prompter_.shown()[0].caption, "新規確認");
  EXPECT_EQ(prompter_.shown()[0].buttons, PromptButtons::kYesNo);
  EXPECT_EQ(FormatMapText(map_.content()), before);
  EXPECT_TRUE(map_.modified());

  prompter_.Queue(PromptAnswer::kYes);
  EXPECT_TRUE(document_.StartNewMap());
  EXPECT_FALSE(map_.modified());
  EXPECT_EQ(map_.rails().count(), 0);
  EXPECT_EQ(map_.signal_types().count(), 2);  // the default signal types
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

TEST_F(MapDocumentTest, NothingOfAnEarlierMapOrSplitReachesTheNextOne) {
  SaveNamed("a", "a.kvm");
  for (int x : {10, 20}) MapChange(map_).rails().Append(NewRail({x, 1}, {x + 5, 1}, 1));
  ASSERT_TRUE(document_.SaveToPath(MapPath("a.kvm")));
  const std::string text = FormatMapText(map_.content());

  // Rows 1 and 3 only: record 2 is an empty record, not the one of the map
  // open before.
  std::string gap = text;
  const std::size_t rails = gap.find("#m_rail.csv\n");
  const std::size_t row2 = gap.find("\n  2,", rails) + 1;
  gap.erase(row2, gap.find('\n', row2) + 1 - row2);
  ASSERT_TRUE(WriteFileBytes(MapPath("gap.kvm"), PackText(gap)));
  ASSERT_EQ(document_.OpenPath(MapPath("a.kvm")), OpenOutcome::kOpened);
  ASSERT_EQ(document_.OpenPath(MapPath("gap.kvm")), OpenOutcome::kOpened);
  EXPECT_EQ(map_.rails().count(), 3);
  EXPECT_EQ(map_.rails()[2].x1, MapRail{}.x1);
  EXPECT_EQ(map_.rails()[3].x1, 20);

  // A bundle without the station member its header names does not read the
  // member an earlier split left in the scratch folder.
  std::string lacking = text;
  const std::size_t stations = lacking.find("#m_station.csv\n");
  lacking.erase(stations, lacking.find("\n#", stations) + 1 - stations);
  ASSERT_TRUE(WriteFileBytes(MapPath("lacking.kvm"), PackText(lacking)));
  prompter_.ClearShown();
  EXPECT_NE(document_.OpenPath(MapPath("lacking.kvm")), OpenOutcome::kOpened);
  ASSERT_FALSE(prompter_.shown().empty());
  EXPECT_EQ(prompter_.shown()[0].text,
            "読み込みファイル'" + folders_.temp + "m_station.csv'は開けませんでした。\n");
}

TEST_F(MapDocumentTest, ARecentMapThatCannotBeReadLeavesTheList) {
  SaveNamed("東", "east.kvm");
  const std::string east = MapPath("east.kvm");
  const std::string gone = MapPath("gone.kvm");
  std::vector<std::string> recent = {gone, east};
  testing::ChangeSomething(map_);

  // The user keeps the modified map: nothing read, the list as it was.
  prompter_.Queue(PromptAnswer::kCancel);
  EXPECT_EQ(OpenRecentMap(document_, recent, gone), OpenOutcome::kCancelled);
  EXPECT_EQ(recent, (std::vector<std::string>{gone, east}));

  prompter_.Queue(PromptAnswer::kNo);  // the changes may go
  EXPECT_EQ(OpenRecentMap(document_, recent, gone), OpenOutcome::kFailed);
  EXPECT_EQ(recent, std::vector<std::string>{east});
  prompter_.Queue(PromptAnswer::kNo);  // a failed open changed nothing: asked again
  EXPECT_EQ(OpenRecentMap(document_, recent, east), OpenOutcome::kOpened);
  EXPECT_EQ(recent, std::vector<std::string>{east});
  EXPECT_EQ(document_.path(), east);
}

}  // namespace
}  // namespace corvane
