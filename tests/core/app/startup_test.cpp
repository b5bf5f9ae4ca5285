#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/data_folder.h"
#include "app/first_tick.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "support/fake_environment.h"
#include "support/test_support.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;
using testing::FakeEnvironment;
using testing::ScratchFolder;

// The Path file at `path_file` names `folder` and holds every slot key with
// the path built for it.
void ExpectPathFileFor(const std::string& path_file, const std::string& folder) {
  const IniFile file = IniFile::Load(path_file);
  EXPECT_EQ(file.GetString("Korv", "DataPath"), folder) << path_file;
  const auto table = DataFolderTable::Build(folder);
  ASSERT_TRUE(table);
  for (int slot = 1; slot < kFolderSlotCount; ++slot) {
    const std::string key = FolderSlotKey(slot);
    if (key.empty()) continue;
    EXPECT_EQ(file.Find("Path", key), (*table)[slot]) << key;
  }
}

void WriteLanguage(const std::string& folder, const std::string& keys) {
  ASSERT_TRUE(WriteFileBytes(JoinPath(folder, "Language.ini"), "[SystemLanguage]\n" + keys));
}

// An installed program: <scratch>/usr is the system prefix, the program sits
// in usr/bin and its data in usr/share/corvane; the documents folder does
// not exist yet.
class StartupTest : public ::testing::Test {
 protected:
  StartupTest() {
    env_.program_files = scratch_.path() + "usr";
    env_.program_folder = env_.program_files + "/bin";
    env_.program_data_folder = env_.program_files + "/share/corvane";
    env_.documents = scratch_.path() + "home/u/Documents";
    fs::create_directories(env_.program_folder);
  }

  std::string ProgramPathFile() const { return JoinPath(env_.program_folder, "Path.ini"); }

  ScratchFolder scratch_;
  FakeEnvironment env_;
};

TEST_F(StartupTest, InstalledFirstStartCreatesDocumentsFolderOnce) {
  const DataFolder first = FindDataFolder(env_);
  const std::string expected = env_.documents + "/Corvane";
  EXPECT_EQ(first.path, expected);
  EXPECT_TRUE(IsDirectory(expected));
  // A writable program folder keeps the Path file; the per-user value stays unset.
  EXPECT_EQ(first.path_file, ProgramPathFile());
  ExpectPathFileFor(ProgramPathFile(), expected);
  EXPECT_EQ(first.table, *DataFolderTable::Build(expected));
  EXPECT_FALSE(env_.data_path_info);
  // Only the folder itself is made at this point.
  EXPECT_TRUE(fs::is_empty(expected));

  // The next start finds it through the Path file instead of making another.
  const DataFolder second = FindDataFolder(env_);
  EXPECT_EQ(second.path, expected);
  EXPECT_FALSE(fs::exists(env_.documents + "/Corvane01"));
}

TEST_F(StartupTest, InstalledFirstStartSkipsTakenNames) {
  fs::create_directories(env_.documents + "/Corvane");
  fs::create_directories(env_.documents + "/Corvane01");
  const DataFolder data_folder = FindDataFolder(env_);
  EXPECT_EQ(data_folder.path, env_.documents + "/Corvane02");
  EXPECT_TRUE(IsDirectory(data_folder.path));
  ExpectPathFileFor(ProgramPathFile(), data_folder.path);
}

TEST_F(StartupTest, InstalledWithSettingsBesideItKeepsItsOwnFolder) {
  // A writable installed program that already has korv.ini beside it.
  ASSERT_TRUE(WriteFileBytes(JoinPath(env_.program_folder, "korv.ini"), "[Main]\n"));
  const DataFolder data_folder = FindDataFolder(env_);
  EXPECT_EQ(data_folder.path, env_.program_folder);
  ExpectPathFileFor(ProgramPathFile(), env_.program_folder);
  EXPECT_FALSE(fs::exists(env_.documents));
}

TEST_F(StartupTest, WithoutDocumentsFolderTheFirstTickReportsIt) {
  env_.documents.clear();
  const DataFolder data_folder = FindDataFolder(env_);
  EXPECT_EQ(data_folder.path, "");
  const auto problem = CheckDataFolder(data_folder);
  ASSERT_TRUE(problem);
  EXPECT_EQ(problem->caption, "起動エラー");
}

// The program folder cannot be written when its Path file cannot be opened
// for appending. The tests run as root, so permissions cannot show that; a
// program folder that is not there gives the same answer.
TEST_F(StartupTest, UnwritableInstalledProgramFollowsDataPathInfo) {
  env_.program_folder = env_.program_files + "/lib/corvane";
  const std::string elsewhere = scratch_.path() + "data";
  const std::string path_file = scratch_.path() + "config/Path.ini";
  fs::create_directories(scratch_.path() + "config");
  ASSERT_TRUE(WriteDataPath(path_file, elsewhere));
  env_.data_path_info = path_file;

  const DataFolder data_folder = FindDataFolder(env_);
  EXPECT_EQ(data_folder.path, elsewhere);
  EXPECT_EQ(data_folder.path_file, path_file);
  EXPECT_EQ(data_folder.table, *DataFolderTable::Build(elsewhere));
  EXPECT_FALSE(fs::exists(env_.documents));
}

TEST_F(StartupTest, UnwritableInstalledProgramKeepsPathFileInNewFolder) {
  env_.program_folder = env_.program_files + "/lib/corvane";
  const DataFolder data_folder = FindDataFolder(env_);
  const std::string expected = env_.documents + "/Corvane";
  const std::string path_file = expected + "/Path.ini";
  EXPECT_EQ(data_folder.path, expected);
  EXPECT_EQ(data_folder.path_file, path_file);
  EXPECT_EQ(env_.data_path_info, path_file);
  ExpectPathFileFor(path_file, expected);

  // Next time the per-user value leads back to the same folder.
  EXPECT_EQ(FindDataFolder(env_).path, expected);
  EXPECT_FALSE(fs::exists(env_.documents + "/Corvane01"));
}

TEST_F(StartupTest, ProgramNotInstalledKeepsDataBesideItself) {
  // "usr2" only shares the prefix's spelling; it is not inside it.
  env_.program_folder = scratch_.path() + "usr2/corvane";
  fs::create_directories(env_.program_folder);
  WriteLanguage(env_.program_folder, "English=1\nJapanese=1\n");
  env_.english = true;

  const DataFolder data_folder = FindDataFolder(env_);
  EXPECT_EQ(data_folder.path, env_.program_folder);
  EXPECT_EQ(data_folder.path_file, ProgramPathFile());
  ExpectPathFileFor(ProgramPathFile(), env_.program_folder);
  EXPECT_FALSE(fs::exists(env_.documents));
  EXPECT_FALSE(data_folder.english);  // Language.ini read from the data folder
}

TEST_F(StartupTest, ExistingPathFileIsUsedAsItIs) {
  env_.program_files.clear();
  const std::string bytes =
      "[Korv]\nDataPath=/srv/corvane-data/\n[Path]\nTable=/srv/tables\nImage=/srv/pictures/\n";
  ASSERT_TRUE(WriteFileBytes(ProgramPathFile(), bytes));

  const DataFolder data_folder = FindDataFolder(env_);
  EXPECT_EQ(data_folder.path, "/srv/corvane-data");
  // The stored paths are used, not ones rebuilt from DataPath.
  EXPECT_EQ(data_folder.table[kSlotTable], "/srv/tables");
  EXPECT_EQ(data_folder.table[kSlotImage], "/srv/pictures/");
  EXPECT_EQ(data_folder.table[kSlotSound], "");
  EXPECT_EQ(ReadFileBytes(ProgramPathFile()), bytes);
}

TEST(StartupLanguageTest, LocaleThenLanguageFile) {
  ScratchFolder scratch;
  const std::string folder = WithoutTrailingSlash(scratch.path());
  FakeEnvironment env;
  struct Case {
    bool english_locale;
    const char* keys;  // nullptr: no Language.ini
    bool english;
  };
  const Case cases[] = {
      {true, nullptr, true},
      {false, nullptr, false},
      {false, "English=1\n", true},
      {true, "English=0\n", true},  // zero selects nothing
      {true, "Japanese=1\n", false},
      {true, "English=1\nJapanese=1\n", false},
      {false, "English=1\nJapanese=1\n", false},
  };
  for (const Case& c : cases) {
    fs::remove(JoinPath(folder, "Language.ini"));
    if (c.keys) WriteLanguage(folder, c.keys);
    env.english = c.english_locale;
    EXPECT_EQ(ChooseEnglish(env, folder), c.english)
        << "locale english=" << c.english_locale << " keys=" << (c.keys ? c.keys : "none");
  }
  env.english = true;
  EXPECT_TRUE(ChooseEnglish(env, ""));
}

class StartupPrepareTest : public ::testing::Test {
 protected:
  StartupPrepareTest() {
    env_.program_folder = scratch_.path() + "program";
    env_.program_data_folder = scratch_.path() + "program/share";
    data_.path = scratch_.path() + "data";
    data_.path_file = data_.path + "/Path.ini";
    data_.table = *DataFolderTable::Build(data_.path);
    // One file in every slot folder of the installed data.
    const auto installed = DataFolderTable::Build(env_.program_data_folder);
    for (int slot = 1; slot < kFolderSlotCount; ++slot) {
      const std::string& folder = (*installed)[slot];
      if (folder.empty()) continue;
      fs::create_directories(folder);
      WriteFileBytes(JoinPath(folder, "x.csv"), FolderSlotKey(slot));
    }
  }

  ScratchFolder scratch_;
  FakeEnvironment env_;
  DataFolder data_;
};

TEST_F(StartupPrepareTest, CreatesSlotFoldersAndCopiesSystemDataOnly) {
  fs::create_directories(data_.path);
  // A folder that already exists is left as it is.
  fs::create_directories(data_.table[kSlotImage]);
  ASSERT_TRUE(WriteFileBytes(JoinPath(data_.table[kSlotImage], "x.csv"), "mine"));
  // A slot moved elsewhere by the Path file is honoured.
  data_.table.Set(kSlotSignalImage, data_.path + "/pictures/signals/");

  PrepareDataFolder(data_, env_);

  for (int slot = 1; slot < kFolderSlotCount; ++slot) {
    const std::string& folder = data_.table[slot];
    if (folder.empty()) continue;
    const std::string key = FolderSlotKey(slot);
    ASSERT_TRUE(IsDirectory(folder)) << key;
    const auto copied = ReadFileBytes(JoinPath(folder, "x.csv"));
    if (slot == kSlotImage) {
      EXPECT_EQ(copied, "mine");
    } else if (IsUserDataSlot(slot) || IsScratchSlot(slot)) {
      EXPECT_FALSE(copied) << key;
    } else {
      EXPECT_EQ(copied, key) << key;
    }
  }
  for (const int slot : {2, 3, 4, 6, 7, 8, 23}) {
    EXPECT_TRUE(fs::is_empty(data_.table[slot])) << slot;
  }
  // Only the slot's own files: the sub-folder "acceleration" of the tables
  // arrives through its own slot, not as a copy inside "table".
  EXPECT_EQ(ReadFileBytes(data_.path + "/table/x.csv"), "Table");
  EXPECT_EQ(ReadFileBytes(data_.path + "/table/acceleration/x.csv"), "Acceleration");

  // Run again after the user changed a copied file: nothing is overwritten.
  ASSERT_TRUE(WriteFileBytes(data_.path + "/table/x.csv", "edited"));
  PrepareDataFolder(data_, env_);
  EXPECT_EQ(ReadFileBytes(data_.path + "/table/x.csv"), "edited");
}

TEST_F(StartupPrepareTest, ANewMapFolderStartsWithTheSampleMaps) {
  const std::string examples = env_.program_data_folder + "/examples";
  fs::create_directories(examples);
  ASSERT_TRUE(WriteFileBytes(examples + "/sample.kvm", "sample"));
  ASSERT_TRUE(WriteFileBytes(examples + "/other.kvm", "other"));
  fs::create_directories(data_.path);
  PrepareDataFolder(data_, env_);
  EXPECT_EQ(ReadFileBytes(JoinPath(data_.table[kSlotDataKvm], "sample.kvm")), "sample");

  // The user's own maps are never overwritten, and a map folder that exists
  // gets nothing more.
  ASSERT_TRUE(WriteFileBytes(JoinPath(data_.table[kSlotDataKvm], "sample.kvm"), "mine"));
  fs::remove(JoinPath(data_.table[kSlotDataKvm], "other.kvm"));
  PrepareDataFolder(data_, env_);
  EXPECT_EQ(ReadFileBytes(JoinPath(data_.table[kSlotDataKvm], "sample.kvm")), "mine");
  EXPECT_FALSE(fs::exists(JoinPath(data_.table[kSlotDataKvm], "other.kvm")));
}

TEST_F(StartupPrepareTest, MissingDataFolderIsNotCreated) {
  PrepareDataFolder(data_, env_);
  EXPECT_FALSE(fs::exists(data_.path));
  data_.path.clear();
  PrepareDataFolder(data_, env_);
  EXPECT_FALSE(fs::exists(scratch_.path() + "data"));
}

TEST(StartupUseDataFolderTest, RefusesTooLongPathsAndCreatesNothing) {
  ScratchFolder scratch;
  FakeEnvironment env;
  // The longest slot path is "<folder>/table/acceleration", 19 bytes more.
  const std::string parent = scratch.path() + "p";
  const std::size_t fits = kFolderPathMaxBytes - 19;
  const std::string ok = parent + "/" + std::string(fits - parent.size() - 1, 'a');
  const std::string too_long = parent + "/" + std::string(fits - parent.size(), 'b');
  ASSERT_EQ(ok.size(), fits);

  DataFolder data_folder;
  std::string error;
  EXPECT_FALSE(UseDataFolder(too_long, env, &data_folder, &error));
  EXPECT_NE(error.find("長すぎます"), std::string::npos) << error;
  EXPECT_NE(error.find(too_long + "/table/acceleration"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(parent));
  EXPECT_TRUE(data_folder.path.empty());

  error.clear();
  ASSERT_TRUE(UseDataFolder(ok + "/", env, &data_folder, &error)) << error;
  EXPECT_EQ(data_folder.path, ok);
  EXPECT_EQ(data_folder.path_file, ok + "/Path.ini");
  EXPECT_EQ(data_folder.table[kSlotAcceleration].size(), kFolderPathMaxBytes);
  ExpectPathFileFor(ok + "/Path.ini", ok);
}

TEST(StartupUseDataFolderTest, KeepsOwnPathFileAndRewritesAnotherFolders) {
  ScratchFolder scratch;
  FakeEnvironment env;
  const std::string folder = scratch.path() + "a/b/data";
  const std::string path_file = folder + "/Path.ini";
  DataFolder data_folder;
  std::string error;
  ASSERT_TRUE(UseDataFolder(folder, env, &data_folder, &error)) << error;
  EXPECT_TRUE(IsDirectory(folder));
  ExpectPathFileFor(path_file, folder);

  // A slot the user moved survives the next run.
  IniFile file = IniFile::Load(path_file);
  file.SetString("Path", "Table", "/srv/tables");
  ASSERT_TRUE(file.Save(path_file));
  ASSERT_TRUE(UseDataFolder(folder, env, &data_folder, &error)) << error;
  EXPECT_EQ(data_folder.table[kSlotTable], "/srv/tables");

  // A Path file copied from another folder is made this folder's.
  file.SetString("Korv", "DataPath", "/elsewhere");
  ASSERT_TRUE(file.Save(path_file));
  ASSERT_TRUE(UseDataFolder(folder, env, &data_folder, &error)) << error;
  EXPECT_EQ(data_folder.path, folder);
  ExpectPathFileFor(path_file, folder);
}

}  // namespace
}  // namespace corvane
