#include "base/file_io.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;
using testing::Sjis;

int FilesIn(const std::string& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(FileIoTest, AtomicWriteReplacesTheFile) {
  ScratchFolder folder;
  const std::string path = folder.File("map.kvm");
  const std::string bytes("a\0b\r\n\xFF", 6);
  ASSERT_TRUE(WriteFileAtomically(path, bytes));
  EXPECT_EQ(ReadFileBytes(path), bytes);
  // The replacement keeps the permissions of the old file.
  ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_EQ(ReadFileBytes(path), "");
  struct stat info;
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u);
  // A name at the length limit of the file system.
  const std::string long_name = folder.File(std::string(255, 'n'));
  ASSERT_TRUE(WriteFileAtomically(long_name, "long"));
  EXPECT_EQ(ReadFileBytes(long_name), "long");
  EXPECT_EQ(FilesIn(folder.path()), 2);
}

TEST(FileIoTest, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  ScratchFolder folder;
  // The target is a folder: nothing may replace it.
  const std::string sub = folder.File("sub");
  std::filesystem::create_directory(sub);
  ASSERT_TRUE(WriteFileAtomically(sub + "/keep.txt", "old"));
  EXPECT_FALSE(WriteFileAtomically(sub, "x"));
  EXPECT_TRUE(IsDirectory(sub));
  EXPECT_EQ(ReadFileBytes(sub + "/keep.txt"), "old");

  // The folder is missing.
  EXPECT_FALSE(WriteFileAtomically(folder.File("none/file.txt"), "x"));
  EXPECT_FALSE(WriteFileAtomically("", "x"));

  EXPECT_EQ(FilesIn(folder.path()), 1);
  EXPECT_EQ(FilesIn(sub), 1);
}

TEST(FileIoTest, WriteCutShortKeepsTheOldFile) {
  ScratchFolder folder;
  const std::string path = folder.File("dia.kvb");
  ASSERT_TRUE(WriteFileAtomically(path, "old contents"));
  // A file size limit makes the write itself fail, even for root.
  rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = WriteFileAtomically(path, std::string(5000, 'x'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);

  EXPECT_FALSE(written);
  EXPECT_EQ(ReadFileBytes(path), "old contents");
  EXPECT_EQ(FilesIn(folder.path()), 1);
}

TEST(FileIoTest, ReadingWhatIsNoFileGivesNothing) {
  ScratchFolder folder;
  EXPECT_FALSE(ReadFileBytes(folder.File("missing")).has_value());
  EXPECT_FALSE(ReadFileBytes(folder.path()).has_value());
  EXPECT_FALSE(FileExists(folder.path()));
}

TEST(FileIoTest, SameFileThroughPathsAndLinks) {
  ScratchFolder folder;
  const std::string map = folder.File("map.kvm");
  ASSERT_TRUE(WriteFileAtomically(map, "map"));
  ASSERT_TRUE(WriteFileAtomically(folder.File("other.kvm"), "map"));
  std::filesystem::create_directory(folder.File("sub"));
  std::filesystem::create_symlink(map, folder.File("link.kvb"));
  std::filesystem::create_hard_link(map, folder.File("hard.kvb"));
  for (const char* name :
       {"map.kvm", "sub/../map.kvm", "./sub/../map.kvm", "link.kvb", "hard.kvb"}) {
    EXPECT_TRUE(SameFile(map, folder.File(name))) << name;
    EXPECT_TRUE(SameFile(folder.File(name), map)) << name;
  }
  // A file of the same bytes, a file not there yet, nothing named.
  EXPECT_FALSE(SameFile(map, folder.File("other.kvm")));
  EXPECT_FALSE(SameFile(map, folder.File("new.kvb")));
  EXPECT_TRUE(SameFile(folder.File("new.kvb"), folder.File("sub/../new.kvb")));
  EXPECT_FALSE(SameFile(map, ""));
  EXPECT_FALSE(SameFile("", ""));
}

TEST(FileIoTest, PathPieces) {
  EXPECT_EQ(DirectoryOf("/data/map/a.kvm"), "/data/map/");
  EXPECT_EQ(DirectoryOf("a.kvm"), "");
  EXPECT_EQ(BaseNameOf("/data/v1.2/line.a.kvm"), "line.a");
  EXPECT_EQ(ExtensionOf("/data/v1.2/line"), "");
  EXPECT_EQ(JoinPath("/data", "a"), JoinPath("/data/", "a"));
}

TEST(FileIoTest, BareFileNames) {
  EXPECT_TRUE(IsBareFileName("map.kvm"));
  EXPECT_TRUE(IsBareFileName("..."));
  // 表 and ソ end in 0x5C, which is no separator here.
  EXPECT_TRUE(IsBareFileName(Sjis("表示ソフト.kvm")));
  EXPECT_TRUE(IsBareFileName(Sjis("ｶﾅ")));

  EXPECT_FALSE(IsBareFileName(""));
  EXPECT_FALSE(IsBareFileName("."));
  EXPECT_FALSE(IsBareFileName(".."));
  EXPECT_FALSE(IsBareFileName("../x"));
  EXPECT_FALSE(IsBareFileName("a/b"));
  EXPECT_FALSE(IsBareFileName("a\\b"));
  EXPECT_FALSE(IsBareFileName("c:x"));
  EXPECT_FALSE(IsBareFileName(std::string("a\0b", 3)));
  // A lead byte must not hide a real separator behind it.
  EXPECT_FALSE(IsBareFileName("\x81/.."));
  EXPECT_FALSE(IsBareFileName("x\x81/y"));
  EXPECT_FALSE(IsBareFileName(std::string("\x81\0", 2)));
}

TEST(FileIoTest, CaseInsensitiveComparison) {
  EXPECT_TRUE(EqualsIgnoringCase("Map.KVM", "map.kvm"));
  EXPECT_FALSE(EqualsIgnoringCase("map", "maps"));
  // ア (0x83 0x41) and ヂ (0x83 0x61) are different letters.
  EXPECT_FALSE(EqualsIgnoringCase(Sjis("ア.kvm"), Sjis("ヂ.kvm")));
  EXPECT_TRUE(EqualsIgnoringCase(Sjis("アA"), Sjis("アa")));
}

}  // namespace
}  // namespace corvane
