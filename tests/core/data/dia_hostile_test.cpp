// Damaged or foreign dia data: every refusal names what is wrong and leaves
// the data open before it untouched.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/prompter.h"
#include "data/dia_file.h"
#include "example_dia.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;
using testing::Sjis;

// The data open before each read; a refused read must leave it as it is.
DiaFile Previous() {
  DiaFile file;
  file.header.map_name = Sjis("元の線");
  return file;
}

// The sample's bundle text with member `name` changed by `edit`.
std::string SampleWith(const std::string& name, const std::function<void(std::string&)>& edit) {
  std::vector<BundleMember> members = *SplitBundleText(FormatDiaText(SampleDiaFile(), false));
  bool found = false;
  for (BundleMember& m : members) {
    if (m.name != name) continue;
    edit(m.content);
    found = true;
  }
  EXPECT_TRUE(found) << name;
  return JoinBundle(members);
}

// `from` replaced by `to` in a member (the text must hold it).
std::function<void(std::string&)> Replace(const std::string& from, const std::string& to) {
  return [from, to](std::string& content) {
    const std::size_t at = content.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    content.replace(at, from.size(), to);
  };
}

std::string RefusedMember(const std::string& shown, const std::string& problem) {
  return "ファイル読み込みエラー: 読み込みファイル'" + shown + "'の内容が正しくありません。\n" +
         problem + "\n";
}

struct Outcome {
  DiaReadResult result;
  DiaFile file;
  std::vector<std::string> shown;  // "caption: text"
};

// Reads a bundle text from memory into data that held Previous().
Outcome ReadText(const std::string& text) {
  const auto members = SplitBundleText(text);
  EXPECT_TRUE(members);
  BundleTableSource source(members.value_or(std::vector<BundleMember>{}));
  std::string header;
  std::string shown;
  if (auto content = source.ReadTable(kDiaHeaderMember, &shown)) header = *content;
  ScriptedPrompter prompter;
  Outcome outcome{DiaReadResult::kFailed, Previous(), {}};
  outcome.result = ReadDiaFromHeader(header, kDiaHeaderMember, source, prompter, outcome.file);
  for (const auto& box : prompter.shown()) outcome.shown.push_back(box.caption + ": " + box.text);
  return outcome;
}

// A refused read: one message, and the data as it was.
void ExpectRefused(const Outcome& outcome, const std::string& message) {
  EXPECT_EQ(outcome.result, DiaReadResult::kFailed);
  EXPECT_EQ(outcome.shown, std::vector<std::string>{message});
  EXPECT_EQ(outcome.file.header.map_name, Sjis("元の線"));
  EXPECT_EQ(FormatDiaText(outcome.file, false), FormatDiaText(Previous(), false));
}

TEST(DiaHostileTest, TableSizesBeyondAnyFileAreRefusedInTheHeader) {
  ASSERT_EQ(ReadText(FormatDiaText(SampleDiaFile(), false)).result, DiaReadResult::kRead);
  ExpectRefused(ReadText(SampleWith(kDiaHeaderMember, Replace("\nRail=2\n", "\nRail=99999999\n"))),
                RefusedMember("temp.kvd", "[StructSize] Rail=99999999: not between 0 and 65535"));
  ExpectRefused(ReadText(SampleWith(kDiaHeaderMember, Replace("\nDiagram=3\n", "\nDiagram=-5\n"))),
                RefusedMember("temp.kvd", "[StructSize] Diagram=-5: not between 0 and 65535"));
}

TEST(DiaHostileTest, RowsOutsideTheirTablesAreRefusedWithTheLine) {
  const auto append = [](const std::string& line) {
    return [line](std::string& content) { content += line; };
  };
  const std::string run_line =
      ",1, 1,2,3,  4,  3,6, 1, 8, 9,10,11,12,13, 14, 15, 16, 17,a,b,c,d,\n";
  struct Case {
    const char* member;
    std::function<void(std::string&)> edit;
    const char* problem;
  };
  const std::vector<Case> cases = {
      {"rail.csv", append("99999,  1,  1,  1, 1,\n"),
       "line 4: record 99999 lies beyond the table's 2 records"},
      {"rail.csv", append("-1,  1,  1,  1, 1,\n"),
       "line 4: record -1 lies beyond the table's 2 records"},
      {"diagram.csv", append("99999" + run_line),
       "line 3: record 99999 lies beyond the table's 3 records"},
      {"diagram.csv", Replace("  3,2,", " -3,2,"),
       "line 2: record -3 lies beyond the table's 3 records"},
      // A point has at most 20 branches and 20 entries.
      {"point1.csv", Replace(" 1, 0, 2, 2,", " 1, 0,21, 2,"),
       "line 1: column 3: 21 is not between 0 and 20"},
      {"point1.csv", Replace(" 1, 0, 2, 2,", " 1, 0, 2,21,"),
       "line 1: column 4: 21 is not between 0 and 20"},
      {"point1.csv", Replace(" 1, 0, 2, 2,", " 1,20, 2, 2,"),
       "line 1: column 2: 20 is not between 0 and 19"},
      // Stop events of runs beyond the table.
      {"d_event.csv", append("9000,  1,21600,1,\n"), "line 7: an event of no train run 9000"},
      {"d_event.csv", append("-4,  1,21600,1,\n"), "line 7: an event of no train run -4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.member) + " " + c.problem);
    ExpectRefused(ReadText(SampleWith(c.member, c.edit)), RefusedMember(c.member, c.problem));
  }
}

TEST(DiaHostileTest, MemberNamesLeavingTheFolderAreNeverOpened) {
  ScratchFolder root;
  const std::string folder = root.File("dia/");
  std::filesystem::create_directory(folder);
  const std::string text = FormatDiaText(SampleDiaFile(), true);
  const std::vector<BundleMember> members = *SplitBundleText(text);
  for (const BundleMember& m : members) {
    ASSERT_TRUE(WriteFileBytes(folder + m.name, m.content));
  }
  // Usable members outside and inside the folder.
  ASSERT_TRUE(WriteFileBytes(root.File("x"), *ReadFileBytes(folder + "rail.csv")));
  ASSERT_TRUE(WriteFileBytes(folder + "x", *ReadFileBytes(folder + "rail.csv")));
  const std::string header = *ReadFileBytes(folder + kDiaHeaderMember);
  const auto read = [&](const std::string& from, const std::string& to, Outcome& outcome) {
    std::string edited = header;
    edited.replace(edited.find(from), from.size(), to);
    FolderTableSource source(folder, "");
    ScriptedPrompter prompter;
    outcome.result =
        ReadDiaFromHeader(edited, folder + kDiaHeaderMember, source, prompter, outcome.file);
    for (const auto& box : prompter.shown()) outcome.shown.push_back(box.caption + ": " + box.text);
  };
  for (const char* key : {"rail=", "stack="}) {
    SCOPED_TRACE(key);
    const std::string line = std::string(key) + (key[0] == 'r' ? "rail.csv" : "stack.csv");
    Outcome inside{DiaReadResult::kFailed, Previous(), {}};
    read(line, std::string(key) + "x", inside);
    EXPECT_EQ(inside.result, DiaReadResult::kRead);
    Outcome outside{DiaReadResult::kFailed, Previous(), {}};
    read(line, std::string(key) + "../x", outside);
    const std::string refused = "ファイル読み込みエラー: 読み込みファイル'" +
                                JoinPath(folder, "../x") + "'は開けませんでした。\n";
    if (key[0] == 'r') {
      ExpectRefused(outside, refused);
    } else {
      // The data is whole without its rollback stack: it opens without one,
      // the stack told with its own file message.
      EXPECT_EQ(outside.result, DiaReadResult::kRead);
      EXPECT_EQ(outside.shown,
                std::vector<std::string>{"ファイル読み込みエラー: ファイル'" +
                                         JoinPath(folder, "../x") + "'は開けませんでした。\n"});
      EXPECT_FALSE(outside.file.stack);
    }
  }
}

TEST(DiaHostileTest, DamagedBundlesAreRefusedBeforeAnythingIsWritten) {
  ScratchFolder root;
  const std::string temp = root.File("temp/");
  std::filesystem::create_directory(temp);
  const std::string text = FormatDiaText(SampleDiaFile(), false);
  const auto open = [&](const std::string& path) {
    ScriptedPrompter prompter;
    Outcome outcome{DiaReadResult::kFailed, Previous(), {}};
    outcome.result = OpenDiaFile(path, temp, prompter, outcome.file);
    for (const auto& box : prompter.shown()) outcome.shown.push_back(box.caption + ": " + box.text);
    return outcome;
  };

  // A member marker naming a file outside the scratch folder.
  const std::string escaping = text + "#../x\n1,2,3\n";
  std::string bad_name;
  EXPECT_FALSE(SplitBundleText(escaping, &bad_name));
  EXPECT_EQ(bad_name, "../x");
  ASSERT_TRUE(WriteFileBytes(root.File("escaping.kvp"), escaping));
  ExpectRefused(open(root.File("escaping.kvp")), "ファイル読み込みエラー: 読み込みファイル'" +
                                                     root.File("escaping.kvp") +
                                                     "'は、ダイヤデータではありません。\n");
  EXPECT_FALSE(FileExists(root.File("x")));
  EXPECT_FALSE(FileExists(temp + "rail.csv"));

  // A packed stream cut short anywhere, even by its last byte.
  const std::string packed = PackText(text);
  for (const std::size_t size : {packed.size() / 2, packed.size() - 1}) {
    const std::string path = root.File("cut.kvb");
    ASSERT_TRUE(WriteFileBytes(path, packed.substr(0, size)));
    ExpectRefused(open(path),
                  "ファイル読み込みエラー: 読み込みファイル'" + path + "'は途中で切れています。\n");
    EXPECT_TRUE(std::filesystem::is_empty(temp));
  }

  // No dia data at all: a text and a binary file under dia data names.
  for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
           {"notes.kvp", "Just some notes.\n#not a member line either\n"},
           {"notes.kvb", PackText("Just some notes.\n")},
           {"picture.kvb", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff", 18)}}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(WriteFileBytes(root.File(name), bytes));
    ExpectRefused(open(root.File(name)), "ファイル読み込みエラー: 読み込みファイル'" +
                                             root.File(name) +
                                             "'は、ダイヤデータではありません。\n");
  }
}

TEST(DiaHostileTest, LongTextsAreClippedOnCharacterBoundaries) {
  std::string kana;
  for (int i = 0; i < 150; ++i) kana += Sjis("あ");  // 300 bytes
  const auto first = [&kana](std::size_t characters) { return kana.substr(0, characters * 2); };
  // Odd room after a one-byte character would end in the lead half of a
  // character; the clip stops a byte early instead.
  const Outcome outcome = ReadText(SampleWith(
      "diagram.csv", Replace(Sjis("普通,東町,第三,備考,"),
                             "a" + kana + "," + Sjis("東町") + "," + kana + ",a" + kana + ",")));
  ASSERT_EQ(outcome.result, DiaReadResult::kRead) << ::testing::PrintToString(outcome.shown);
  const DiagramRecord& run = outcome.file.dia.diagrams[1];
  EXPECT_EQ(run.text1.view(), "a" + first(9));    // 21-byte field: 19 bytes
  EXPECT_EQ(run.text3.view(), first(31));         // 64-byte field: 62 bytes
  EXPECT_EQ(run.text4.view(), "a" + first(127));  // a piece keeps 255 bytes
  EXPECT_EQ(run.destination.view(), Sjis("東町"));
}

}  // namespace
}  // namespace corvane
