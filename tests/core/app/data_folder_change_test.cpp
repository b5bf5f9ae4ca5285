#include "app/data_folder_change.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/data_folder.h"
#include "base/file_io.h"
#include "support/fake_environment.h"
#include "support/test_support.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::FakeEnvironment;
using testing::ScratchFolder;

using Prompts = std::vector<std::pair<std::string, std::string>>;  // text, caption

constexpr char kRefused[] = "変更不可";
constexpr char kConfirmFolder[] = "フォルダ作成確認";
constexpr char kConfirmExit[] = "終了確認";
constexpr char kExitQuestion[] =
    "プログラムを自動的に終了して、データフォルダ変更を実行します。\n"
    "次回のプログラム時から新しいデータフォルダが使用されます。\n"
    "よろしいですか？\n";
constexpr char kNewFolderQuestion[] =
    "指定されたフォルダは存在しません。\n"
    "フォルダを新規に作成し、現在のデータを移動します。\n"
    "よろしいですか？\n";

constexpr PromptAnswer kYes = PromptAnswer::kYes;
constexpr PromptAnswer kNo = PromptAnswer::kNo;

class DataFolderChangeTest : public ::testing::Test {
 protected:
  DataFolderChangeTest() {
    root_ = WithoutTrailingSlash(scratch_.path());
    env_.documents = root_ + "/docs";
    env_.desktop = root_ + "/desk";
    env_.program_files = root_ + "/opt";
    env_.program_folder = root_ + "/opt/corvane";
    current_ = env_.documents + "/Corvane";
    for (const auto& folder : {env_.documents, env_.desktop, env_.program_folder, current_}) {
      fs::create_directories(folder);
    }
  }

  DataFolderChangeResult Change(const std::string& typed, std::vector<PromptAnswer> answers) {
    ScriptedPrompter prompter(std::move(answers));
    DataFolderChangeResult result = CheckDataFolderChange(typed, current_, env_, prompter);
    shown_.clear();
    for (const auto& prompt : prompter.shown()) shown_.emplace_back(prompt.text, prompt.caption);
    return result;
  }

  static void MakeSubFolders(const std::string& folder, int count) {
    const auto table = DataFolderTable::Build(folder);
    for (int slot = 1, made = 0; slot < kFolderSlotCount && made < count; ++slot) {
      if ((*table)[slot].empty()) continue;
      fs::create_directories((*table)[slot]);
      ++made;
    }
  }

  ScratchFolder scratch_;
  std::string root_;
  std::string current_;
  FakeEnvironment env_;
  Prompts shown_;
};

TEST_F(DataFolderChangeTest, CurrentFolderAgainIsRefusedComparingExactly) {
  const auto result = Change(current_ + "/", {});
  EXPECT_FALSE(result.accepted);
  EXPECT_FALSE(result.new_field_text);
  EXPECT_EQ(shown_, (Prompts{{"データフォルダが現在の設定と変わっていません。", kRefused}}));

  // Folder names differ in case on this system: another folder, asked about.
  Change(env_.documents + "/corvane", {});
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0], (std::pair<std::string, std::string>{kNewFolderQuestion, kConfirmFolder}));
}

TEST_F(DataFolderChangeTest, RelativeOrEmptyFolderIsRefused) {
  for (const std::string typed : {"", "data/Corvane", "Corvane/"}) {
    SCOPED_TRACE(typed);
    const auto result = Change(typed, {kYes, kYes, kYes});
    EXPECT_FALSE(result.accepted);
    ASSERT_EQ(shown_.size(), 1u);
    EXPECT_EQ(shown_[0].second, kRefused);
    EXPECT_NE(shown_[0].first.find("「/」"), std::string::npos);
  }
}

struct UserFolderCase {
  const char* name;
  std::string FakeEnvironment::*folder;
  const char* refused;
  const char* ask;
};

TEST_F(DataFolderChangeTest, DocumentsOrDesktopItselfBecomesANewFolderInside) {
  const UserFolderCase cases[] = {
      {"documents", &FakeEnvironment::documents,
       "データフォルダをマイドキュメント（My Documents）自体に設定することはできません。\n"
       "既に存在するデータフォルダを指定してください。\n",
       "データフォルダをマイドキュメント（My Documents）自体に設定することはできません。\n"
       "マイドキュメント内に「Corvane」フォルダを作成します。\n"
       "よろしいですか？\n"},
      {"desktop", &FakeEnvironment::desktop,
       "データフォルダをデスクトップ自体に設定することはできません。\n"
       "既に存在するデータフォルダを指定してください。\n",
       "データフォルダをデスクトップ自体に設定することはできません。\n"
       "デスクトップ内に「Corvane」フォルダを作成します。\n"
       "よろしいですか？\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string parent = env_.*c.folder;
    // "Corvane" is taken (in the documents folder by the current data folder).
    fs::create_directories(parent + "/Corvane");
    const std::string expected = parent + "/Corvane01";

    auto result = Change(parent + "/", {kNo});
    EXPECT_FALSE(result.accepted);
    EXPECT_FALSE(result.new_field_text);
    EXPECT_EQ(shown_, (Prompts{{c.ask, kRefused}}));

    // Yes replaces the field even when a later question keeps the dialog open.
    result = Change(parent, {kYes, kNo});
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.new_field_text, expected);
    EXPECT_EQ(shown_, (Prompts{{c.ask, kRefused}, {kNewFolderQuestion, kConfirmFolder}}));

    result = Change(parent, {kYes, kYes, kYes});
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.requested, expected);
    EXPECT_EQ(shown_, (Prompts{{c.ask, kRefused},
                               {kNewFolderQuestion, kConfirmFolder},
                               {kExitQuestion, kConfirmExit}}));
    EXPECT_FALSE(IsDirectory(expected)) << "the folder is made by the move, not the dialog";

    // Without data to move, the user must name an existing data folder.
    const std::string saved = current_;
    current_ = root_ + "/gone";
    result = Change(parent, {kYes, kYes, kYes});
    current_ = saved;
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(shown_, (Prompts{{c.refused, kRefused}}));
  }
}

TEST_F(DataFolderChangeTest, FolderUnderProgramFilesNeedsConsent) {
  const std::string under = env_.program_folder + "/data";
  const Prompts question = {
      {"指定されたフォルダはプログラムフォルダ（Program Files）内となっています。\n"
       "プログラムフォルダ内のデータフォルダは推奨されません。\n"
       "プログラムフォルダ内に指定しますか？\n",
       kConfirmFolder}};
  EXPECT_FALSE(Change(under, {kNo}).accepted);
  EXPECT_EQ(shown_, question);

  EXPECT_TRUE(Change(under, {kYes, kYes, kYes}).accepted);
  ASSERT_EQ(shown_.size(), 3u);
  EXPECT_EQ(shown_[0], question[0]);
}

TEST_F(DataFolderChangeTest, MovingTheDataAsksAccordingToWhatIsThere) {
  const std::string target = root_ + "/target";

  // A file of that name.
  ASSERT_TRUE(WriteFileBytes(target, "x"));
  EXPECT_FALSE(Change(target, {kYes, kYes}).accepted);
  EXPECT_EQ(
      shown_,
      (Prompts{{"指定されたフォルダ名と重複するファイル名のファイルが存在します。\n", kRefused}}));
  fs::remove(target);

  // An empty folder.
  fs::create_directories(target);
  EXPECT_FALSE(Change(target, {kNo}).accepted);
  EXPECT_EQ(shown_, (Prompts{{"指定されたフォルダは既に存在します。\n"
                              "現在のデータは、指定されたフォルダに移行します。\n"
                              "よろしいですか？\n",
                              kConfirmFolder}}));

  // A folder with files but none of the data sub-folders.
  ASSERT_TRUE(WriteFileBytes(target + "/notes.txt", "x"));
  EXPECT_TRUE(Change(target, {kYes, kYes}).accepted);
  EXPECT_EQ(shown_, (Prompts{{"指定されたフォルダは既に存在し、ファイルが含まれています。\n"
                              "現在のデータは、指定されたフォルダに移行します。\n"
                              "よろしいですか？\n",
                              kConfirmFolder},
                             {kExitQuestion, kConfirmExit}}));

  // One data sub-folder already there: the data cannot move in.
  fs::create_directories(target + "/table");
  EXPECT_FALSE(Change(target, {kYes, kYes}).accepted);
  EXPECT_EQ(shown_,
            (Prompts{{"指定されたフォルダは既に存在し、その中に重複するフォルダ名が存在します。\n"
                      "データフォルダを移行できません。\n",
                      kRefused}}));

  // The last question decides.
  EXPECT_FALSE(Change(root_ + "/fresh", {kYes, kNo}).accepted);
  EXPECT_EQ(shown_.back(), (std::pair<std::string, std::string>{kExitQuestion, kConfirmExit}));
}

TEST_F(DataFolderChangeTest, WithoutCurrentDataTheTargetMustBeADataFolder) {
  current_ = root_ + "/vanished";
  const std::string target = root_ + "/existing";

  EXPECT_FALSE(Change(target, {kYes, kYes}).accepted);
  EXPECT_EQ(shown_, (Prompts{{"指定されたフォルダ名は存在しません。\n", kRefused}}));

  fs::create_directories(target);
  MakeSubFolders(target, 2);
  EXPECT_FALSE(Change(target, {kNo}).accepted);
  EXPECT_EQ(shown_,
            (Prompts{{"指定されたフォルダはデータフォルダとして必要なフォルダが不足しています。\n"
                      "必要フォルダ数：23　不足フォルダ数：21\n"
                      "\n"
                      "指定されたフォルダはデータフォルダとして推奨されません。\n"
                      "データフォルダに指定しますか？\n",
                      kConfirmFolder}}));

  MakeSubFolders(target, 23);
  const auto result = Change(target, {kYes});
  EXPECT_TRUE(result.accepted);
  EXPECT_EQ(result.requested, target);
  EXPECT_EQ(shown_, (Prompts{{kExitQuestion, kConfirmExit}}));
}

TEST_F(DataFolderChangeTest, FolderTooLongForTheSubFolderPathsIsRefusedBeforeAnyQuestion) {
  // "/table/acceleration" is the longest suffix: 19 bytes. Under the program
  // folder, so the length goes before the program-files question.
  std::string target = env_.program_folder + "/";
  target += std::string(kFolderPathMaxBytes - 19 + 1 - target.size(), 'x');
  ASSERT_FALSE(DataFolderTable::Build(target));
  EXPECT_FALSE(Change(target, {kYes, kYes, kYes}).accepted);
  ASSERT_EQ(shown_.size(), 1u);
  EXPECT_EQ(shown_[0].second, kRefused);
  EXPECT_NE(shown_[0].first.find("255"), std::string::npos);

  target.resize(target.size() - 1);
  ASSERT_TRUE(DataFolderTable::Build(target));
  EXPECT_TRUE(Change(target, {kYes, kYes, kYes}).accepted);
}

TEST_F(DataFolderChangeTest, BrowseStartsAtTheTypedFolderOrTheDocuments) {
  EXPECT_EQ(DataFolderBrowseStart("", env_), env_.documents);
  EXPECT_EQ(DataFolderBrowseStart(env_.program_folder + "/data/", env_), env_.documents);
  EXPECT_EQ(DataFolderBrowseStart(root_ + "/elsewhere/", env_), root_ + "/elsewhere");
}

}  // namespace
}  // namespace corvane
