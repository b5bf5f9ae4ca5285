#include "base/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;
using testing::Sjis;

TEST(IniFileTest, LookupIgnoresAsciiCaseAndTakesTheFirstMatch) {
  const IniFile ini = IniFile::Parse(
      "; comment=1\n"
      "[Main]\n"
      "Name = Tokyo \n"
      "name=second\n"
      "  ;hidden=1\n"
      "quoted=\"  a b  \"\n"
      "single='x'\n"
      "half=\"x\n"
      "empty=\n"
      "no equals sign\n"
      "[ Other ]\n"
      "name=other\n"
      "[main]\n"
      "late=1\n");
  EXPECT_EQ(ini.GetString("MAIN", "NAME"), "Tokyo");
  EXPECT_EQ(ini.GetString("other", "name"), "other");
  EXPECT_EQ(ini.GetString("Main", "quoted"), "  a b  ");
  EXPECT_EQ(ini.GetString("Main", "single"), "x");
  EXPECT_EQ(ini.GetString("Main", "half"), "\"x");
  EXPECT_EQ(ini.GetString("Main", "empty", "dflt"), "");
  EXPECT_EQ(ini.GetString("Main", "hidden", "dflt"), "dflt");
  EXPECT_EQ(ini.GetString("Main", "comment", "dflt"), "dflt");
  EXPECT_EQ(ini.GetString("Main", "no equals sign", "dflt"), "dflt");
  EXPECT_EQ(ini.GetString("Nowhere", "name", "dflt"), "dflt");
  EXPECT_FALSE(ini.Find("Main", "missing").has_value());
  // Only the first section of a name is looked at.
  EXPECT_EQ(ini.GetString("Main", "late", "dflt"), "dflt");
  EXPECT_EQ(ini.SectionNames(), (std::vector<std::string>{"Main", "Other", "main"}));
  EXPECT_EQ(ini.KeyNames("main"),
            (std::vector<std::string>{"Name", "name", "quoted", "single", "half", "empty"}));
}

TEST(IniFileTest, ShiftJisNamesCompareTrailBytesExactly) {
  // ア is 0x83 0x41 and ヂ is 0x83 0x61: their trail bytes differ only in
  // what would be ASCII case.
  const IniFile ini = IniFile::Parse("[" + Sjis("ア") + "]\n" + Sjis("表") + "A=1\n");
  EXPECT_TRUE(ini.HasSection(Sjis("ア")));
  EXPECT_FALSE(ini.HasSection(Sjis("ヂ")));
  EXPECT_EQ(ini.GetInt(Sjis("ア"), Sjis("表") + "a", 0), 1);
}

TEST(IniFileTest, IntegersReadAsTheProfileFunctionsReadThem) {
  EXPECT_EQ(ProfileInt("  -17"), -17);
  EXPECT_EQ(ProfileInt("+8"), 8);
  EXPECT_EQ(ProfileInt("102abc"), 102);
  EXPECT_EQ(ProfileInt("abc"), 0);
  EXPECT_EQ(ProfileInt("0x1F"), 31);
  EXPECT_EQ(ProfileInt("0XffFFffFF"), -1);
  EXPECT_EQ(ProfileInt("-0x10"), -16);
  EXPECT_EQ(ProfileInt("0xG"), 0);
  // Beyond 32 bits the value wraps around.
  EXPECT_EQ(ProfileInt("4294967297"), 1);
  EXPECT_EQ(ProfileInt("-4294967297"), -1);

  const IniFile ini = IniFile::Parse("[s]\na=12junk\nb=\nc=-3\nd=0x10\n");
  EXPECT_EQ(ini.GetInt("s", "a", 5), 12);
  EXPECT_EQ(ini.GetInt("s", "c", 5), -3);
  EXPECT_EQ(ini.GetInt("s", "d", 5), 16);
  EXPECT_EQ(ini.GetInt("s", "missing", 5), 5);
  // An empty value reads as no value at all.
  EXPECT_EQ(ini.GetInt("s", "b", 5), 5);
}

TEST(IniFileTest, SetStringChangesOneLineAndKeepsTheRest) {
  const std::string original =
      "[A]\r\n"
      "x = 1\r\n"
      "; note\r\n"
      "\r\n"
      "[B]\r\n"
      "y=2\r\n";
  IniFile ini = IniFile::Parse(original);
  EXPECT_EQ(ini.Serialize(), original);

  ini.SetString("a", "X", "9");
  EXPECT_EQ(ini.Serialize(), "[A]\r\nX=9\r\n; note\r\n\r\n[B]\r\ny=2\r\n");
  // A new key goes after the section's last entry, before the blank line.
  ini.SetInt("A", "z", -4);
  EXPECT_EQ(ini.Serialize(), "[A]\r\nX=9\r\n; note\r\nz=-4\r\n\r\n[B]\r\ny=2\r\n");
  ini.SetString("B", "w", Sjis("駅"));
  ini.SetString("New", "k", "v");
  EXPECT_EQ(ini.Serialize(), "[A]\r\nX=9\r\n; note\r\nz=-4\r\n\r\n[B]\r\ny=2\r\nw=" + Sjis("駅") +
                                 "\r\n[New]\r\nk=v\r\n");
  EXPECT_EQ(ini.GetString("b", "W"), Sjis("駅"));
}

TEST(IniFileTest, LineFeedFilesAndMissingFinalLineFeed) {
  IniFile ini = IniFile::Parse("[s]\na=1");
  EXPECT_EQ(ini.Serialize(), "[s]\na=1");
  ini.SetString("s", "b", "2");
  EXPECT_EQ(ini.Serialize(), "[s]\na=1\nb=2\n");

  IniFile empty_section = IniFile::Parse("[s]\n[t]\nq=1\n");
  empty_section.SetString("s", "a", "1");
  EXPECT_EQ(empty_section.Serialize(), "[s]\na=1\n[t]\nq=1\n");

  IniFile fresh;
  fresh.SetString("K-ORV", "version", "1220");
  EXPECT_EQ(fresh.Serialize(), "[K-ORV]\nversion=1220\n");
}

TEST(IniFileTest, DeleteKeyAndSection) {
  IniFile ini = IniFile::Parse("[a]\nk=1\nk=2\nm=3\n[b]\nk=4\n");
  ini.DeleteKey("A", "K");
  EXPECT_EQ(ini.Serialize(), "[a]\nk=2\nm=3\n[b]\nk=4\n");
  ini.DeleteKey("none", "k");
  ini.DeleteSection("a");
  EXPECT_EQ(ini.Serialize(), "[b]\nk=4\n");
}

TEST(IniFileTest, ReadsFollowEveryChange) {
  IniFile ini = IniFile::Parse("[a]\nk=1\n[b]\nk=2\n");
  EXPECT_EQ(ini.GetInt("a", "k", 0), 1);
  ini.SetString("A", "new", "3");
  EXPECT_EQ(ini.GetInt("a", "NEW", 0), 3);
  EXPECT_EQ(ini.GetInt("b", "k", 0), 2);
  ini.DeleteKey("a", "k");
  EXPECT_FALSE(ini.Find("a", "k"));
  ini.DeleteSection("A");
  EXPECT_FALSE(ini.HasSection("a"));
  EXPECT_EQ(ini.GetInt("b", "k", 0), 2);
  ini.SetString("c", "k", "4");
  EXPECT_EQ(ini.GetInt("C", "k", 0), 4);
  EXPECT_EQ(ini.KeyNames("c"), std::vector<std::string>{"k"});
}

TEST(IniFileTest, EveryKeyOfALargeSectionIsFoundQuickly) {
  // Looking up each of 100,000 keys one line after another would take
  // minutes; the file is indexed once.
  constexpr int kKeys = 100000;
  std::string text = "[big]\n";
  for (int k = 0; k < kKeys; ++k)
    text += "Key" + std::to_string(k) + "=" + std::to_string(k) + "\n";
  text += "key7=late duplicate\n[after]\nkey7=other section\n";
  const IniFile ini = IniFile::Parse(text);
  long long sum = 0;
  for (int k = 0; k < kKeys; ++k) sum += ini.GetInt("BIG", "key" + std::to_string(k), -1);
  EXPECT_EQ(sum, static_cast<long long>(kKeys) * (kKeys - 1) / 2);
  EXPECT_EQ(ini.GetString("big", "KEY7"), "7");
  EXPECT_EQ(ini.GetString("after", "key7"), "other section");
}

TEST(IniFileTest, SaveAndLoad) {
  ScratchFolder folder;
  const std::string path = folder.File("korv.ini");
  EXPECT_TRUE(IniFile::Load(path).lines().empty());  // missing file reads as empty

  IniFile ini = IniFile::Parse("[w]\r\nleft=10\r\n");
  ini.SetInt("w", "top", 20);
  ASSERT_TRUE(ini.Save(path));
  EXPECT_EQ(ReadFileBytes(path), "[w]\r\nleft=10\r\ntop=20\r\n");
  EXPECT_EQ(IniFile::Load(path).GetInt("W", "TOP", 0), 20);
  EXPECT_FALSE(ini.Save(folder.File("missing/korv.ini")));
}

TEST(IniFileTest, UpdateChangesOneKeyAndNeverDropsAnUnreadableFile) {
  ScratchFolder folder;
  const std::string path = folder.File("korv.ini");
  ASSERT_TRUE(IniFile::Update(path, [](IniFile& ini) { ini.SetInt("w", "left", 1); }));
  ASSERT_TRUE(IniFile::Update(path, [](IniFile& ini) { ini.SetInt("w", "top", 2); }));
  EXPECT_EQ(ReadFileBytes(path), "[w]\nleft=1\ntop=2\n");

  // Something that cannot be read as a file is left as it is.
  const std::string blocked = folder.File("blocked.ini");
  std::filesystem::create_directory(blocked);
  bool changed = false;
  EXPECT_FALSE(IniFile::Update(blocked, [&changed](IniFile&) { changed = true; }));
  EXPECT_FALSE(changed);
  EXPECT_TRUE(std::filesystem::is_directory(blocked));
}

}  // namespace
}  // namespace corvane
