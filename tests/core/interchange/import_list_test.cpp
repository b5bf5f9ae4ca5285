#include "interchange/import_list.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "base/file_io.h"
#include "support/test_support.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;
using testing::Sjis;

// A source folder with a list, and a data folder to import into.
class ImportListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(source_ + "map");
    fs::create_directories(data_);
  }

  void Source(const std::string& relative, std::string_view bytes) {
    fs::create_directories(fs::path(source_ + relative).parent_path());
    ASSERT_TRUE(WriteFileBytes(source_ + relative, bytes));
  }

  // Keys and values as "00=map\\a.kvm" lines, UTF-8.
  std::string List(const std::string& lines) {
    const std::string path = source_ + "list.kvi";
    EXPECT_TRUE(WriteFileBytes(path, Sjis("[ファイルリスト]\n" + lines)));
    return path;
  }

  ImportCounts Import(const std::string& list, ScriptedPrompter& prompter) {
    const auto counts = ImportListFile(list, data_, prompter);
    EXPECT_TRUE(counts.has_value());
    return counts.value_or(ImportCounts{});
  }

  static std::vector<std::string> Captions(const ScriptedPrompter& prompter) {
    std::vector<std::string> captions;
    for (const auto& shown : prompter.shown()) captions.push_back(shown.caption);
    return captions;
  }

  ScratchFolder scratch_;
  std::string source_ = scratch_.File("from/");
  std::string data_ = scratch_.File("data");
};

TEST_F(ImportListTest, MissingKeysAreSkippedAndFilesLandAtTheirRelativePlace) {
  Source("map/a.kvm", "aaa");
  Source("b.ini", "bb");
  const std::string list = List("00=map\\a.kvm\n02=b.ini\n03=\n");
  ScriptedPrompter prompter;
  EXPECT_EQ(Import(list, prompter), (ImportCounts{2, 0, 0}));
  EXPECT_EQ(ReadFileBytes(data_ + "/map/a.kvm"), "aaa");
  EXPECT_EQ(ReadFileBytes(data_ + "/b.ini"), "bb");
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(prompter.shown()[0].caption, kImportSummaryCaption);
  EXPECT_NE(prompter.shown()[0].text.find("成功したファイル数：2\n"), std::string::npos);
}

TEST_F(ImportListTest, ASecondRunFindsEverythingPresentAndSaysSoOnce) {
  Source("map/a.kvm", "aaa");
  Source("b.ini", "bb");
  const std::string list = List("00=map\\a.kvm\n01=b.ini\n");
  ScriptedPrompter first;
  Import(list, first);
  ScriptedPrompter second;
  EXPECT_EQ(Import(list, second), (ImportCounts{0, 0, 2}));
  EXPECT_EQ(Captions(second),
            (std::vector<std::string>{kImportPresentCaption, kImportSummaryCaption}));
  EXPECT_NE(second.shown()[0].text.find("map/a.kvm"), std::string::npos);
}

TEST_F(ImportListTest, AChangedFileIsReplacedOnlyWhenTheUserSaysYes) {
  Source("b.ini", "new");
  const std::string list = List("00=b.ini\n");
  ASSERT_TRUE(WriteFileBytes(data_ + "/b.ini", "old"));
  fs::last_write_time(data_ + "/b.ini", fs::file_time_type::clock::now() - std::chrono::hours(1));
  ScriptedPrompter refuse({PromptAnswer::kNo});
  EXPECT_EQ(Import(list, refuse), (ImportCounts{0, 1, 0}));
  EXPECT_EQ(ReadFileBytes(data_ + "/b.ini"), "old");
  EXPECT_EQ(refuse.shown()[0].caption, kImportOverwriteCaption);

  ScriptedPrompter agree({PromptAnswer::kYes});
  EXPECT_EQ(Import(list, agree), (ImportCounts{1, 0, 0}));
  EXPECT_EQ(ReadFileBytes(data_ + "/b.ini"), "new");
  // Same size, other time: still a question.
  Source("b.ini", "NEW");
  fs::last_write_time(source_ + "b.ini", fs::file_time_type::clock::now() + std::chrono::hours(1));
  ScriptedPrompter again;
  EXPECT_EQ(Import(list, again), (ImportCounts{0, 1, 0}));
}

TEST_F(ImportListTest, EntriesThatLeaveEitherFolderAreRefusedAndNothingIsWrittenOutside) {
  Source("x", "secret");
  ASSERT_TRUE(WriteFileBytes(scratch_.File("x"), "outside"));
  const std::string list =
      List("00=..\\x\n01=/etc/passwd\n02=C:\\x\n03=map\\..\\..\\x\n04=missing.txt\n05=x\n");
  ScriptedPrompter prompter;
  EXPECT_EQ(Import(list, prompter), (ImportCounts{1, 5, 0}));
  EXPECT_EQ(ReadFileBytes(scratch_.File("x")), "outside");
  EXPECT_EQ(ReadFileBytes(data_ + "/x"), "secret");
  const auto captions = Captions(prompter);
  EXPECT_EQ(std::count(captions.begin(), captions.end(), kImportRefusedCaption), 4);
  EXPECT_EQ(std::count(captions.begin(), captions.end(), "ファイル読み込みエラー"), 1);
}

TEST_F(ImportListTest, ALinkedSubFolderDoesNotLeadTheCopyOutOfTheDataFolder) {
  Source("sub/y", "y");
  fs::create_directories(scratch_.File("elsewhere"));
  fs::create_directory_symlink(scratch_.File("elsewhere"), data_ + "/sub");
  ScriptedPrompter prompter;
  EXPECT_EQ(Import(List("00=sub\\y\n"), prompter), (ImportCounts{0, 1, 0}));
  EXPECT_FALSE(FileExists(scratch_.File("elsewhere/y")));
}

TEST_F(ImportListTest, AFolderNamedByTheListIsAFailureNotACopy) {
  fs::create_directories(source_ + "folder");
  ScriptedPrompter prompter;
  EXPECT_EQ(Import(List("00=folder\n"), prompter), (ImportCounts{0, 1, 0}));
  EXPECT_FALSE(fs::exists(data_ + "/folder"));
}

TEST_F(ImportListTest, AnUnreadableListIsReportedWithoutASummary) {
  ScriptedPrompter prompter;
  EXPECT_FALSE(ImportListFile(source_ + "none.kvi", data_, prompter));
  EXPECT_EQ(Captions(prompter), (std::vector<std::string>{"ファイル読み込みエラー"}));
  // Without a data folder nothing is copied anywhere.
  Source("b.ini", "b");
  EXPECT_FALSE(ImportListFile(List("00=b.ini\n"), "", prompter));
}

TEST(ImportRelativePathTest, NormalisesSeparatorsAndRefusesWhatLeaves) {
  EXPECT_EQ(ImportRelativePath("map\\a.kvm"), "map/a.kvm");
  EXPECT_EQ(ImportRelativePath(".\\map\\\\a.kvm"), "map/a.kvm");
  EXPECT_EQ(ImportRelativePath("a..b"), "a..b");
  for (const char* bad :
       {"", ".", "..", "..\\x", "a/../../x", "a\\..", "\\x", "/x", "C:x", "\\\\server\\x"}) {
    EXPECT_FALSE(ImportRelativePath(bad)) << bad;
  }
}

TEST(ImportListEntriesTest, KeysRunFromZeroZeroToNinetyNineInOrder) {
  const IniFile list = IniFile::Parse(
      Sjis("[ファイルリスト]\n99=last\n5=no\n00=first\n100=no\n01= \n[other]\n02=no\n"));
  EXPECT_EQ(ImportListEntries(list), (std::vector<std::string>{"first", "last"}));
}

}  // namespace
}  // namespace corvane
