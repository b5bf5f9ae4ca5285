#include "mapfile/packed_bundle.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;
using testing::Sjis;

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int v : values) bytes.push_back(static_cast<char>(v));
  return bytes;
}

int FilesIn(const std::string& folder) {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

TEST(BundlePackTest, CodesEscapesAndEndCode) {
  EXPECT_EQ(PackText("12,-3\n"), Bytes({0x12, 0xAB, 0x3D, 0xFF}));
  // Escape in the high half: the raw byte straddles two bytes.
  EXPECT_EQ(PackText("A"), Bytes({0xE4, 0x1F}));
  // Escape in the low half: the raw byte is the whole next byte.
  EXPECT_EQ(PackText("1A"), Bytes({0x1E, 0x41, 0xFF}));
  // Odd code count: the end code fills the low half; even: a whole 0xFF.
  EXPECT_EQ(PackText("7"), Bytes({0x7F}));
  EXPECT_EQ(PackText("7 "), Bytes({0x7C, 0xFF}));
  EXPECT_EQ(PackText(""), Bytes({0xFF}));
  EXPECT_EQ(UnpackBytes(Bytes({0x12, 0xAB, 0x3D, 0xFF})), "12,-3\n");
  // Whatever follows the end code is not text.
  EXPECT_EQ(UnpackBytes(Bytes({0xE4, 0x1F, 0x12})), "A");
}

// What packing keeps of a text: every byte but a carriage return before a
// line feed.
std::string Packable(std::string text) {
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  return text;
}

TEST(BundlePackTest, PackThenUnpackIsTheIdentity) {
  std::string every_byte;
  for (int b = 0; b < 256; ++b) every_byte.push_back(static_cast<char>(b));
  std::mt19937 random(1220);
  std::vector<std::string> texts = {every_byte, "\r\n\r\n", Sjis("#m_rail.csv\n東京,ソ\\,表\n")};
  for (int n = 0; n < 50; ++n) {
    std::string text(random() % 97, '\0');
    for (char& c : text) c = static_cast<char>(random() % 256);
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    bool complete = false;
    EXPECT_EQ(UnpackBytes(PackText(text), &complete), Packable(text));
    EXPECT_TRUE(complete);
  }

  // A line end is a line feed alone; a carriage return elsewhere stays.
  EXPECT_EQ(UnpackBytes(PackText("a\r\nb\rc\r\r\n")), "a\nb\rc\r\n");

  // The same through files.
  ScratchFolder folder;
  ScriptedPrompter prompter;
  ASSERT_TRUE(WriteFileBytes(folder.File("in.kv2"), every_byte));
  ASSERT_TRUE(PackBundle(folder.File("in.kv2"), folder.File("a.kvm"), prompter));
  ASSERT_TRUE(UnpackBundle(folder.File("a.kvm"), folder.File("out.kv2"), prompter));
  EXPECT_EQ(ReadFileBytes(folder.File("out.kv2")), Packable(every_byte));
  EXPECT_TRUE(prompter.shown().empty());
}

TEST(BundlePackTest, StreamWithoutEndCodeIsCutShort) {
  ScratchFolder folder;
  const std::string packed = PackText(Sjis("12,駅\n"));
  // Every proper prefix lacks the end code, also one cut inside an escape.
  for (std::size_t size = 0; size < packed.size(); ++size) {
    bool complete = true;
    UnpackBytes(packed.substr(0, size), &complete);
    EXPECT_FALSE(complete) << size;

    ScriptedPrompter prompter;
    const std::string path = folder.File("cut.kvm");
    ASSERT_TRUE(WriteFileBytes(path, packed.substr(0, size)));
    EXPECT_FALSE(UnpackBundle(path, folder.File("out.kv2"), prompter));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].text, "読み込みファイル'" + path + "'は途中で切れています。\n");
    EXPECT_EQ(prompter.shown()[0].caption, "ファイル読み込みエラー");
  }
  EXPECT_FALSE(FileExists(folder.File("out.kv2")));

  ScriptedPrompter prompter;
  EXPECT_FALSE(UnpackBundle(folder.File("missing.kvm"), folder.File("out.kv2"), prompter));
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(prompter.shown()[0].text,
            "読み込みファイル'" + folder.File("missing.kvm") + "'は開けませんでした。\n");
}

TEST(BundleSplitTest, MarkersStartLines) {
  const auto members =
      SplitBundleText("dropped\n#a.kv1\nx=1\nnot # a marker\n#b.csv\n 1,#2,\n#\n#c.csv\nlost\n");
  ASSERT_TRUE(members);
  ASSERT_EQ(members->size(), 2u);
  EXPECT_EQ((*members)[0].name, "a.kv1");
  EXPECT_EQ((*members)[0].content, "x=1\nnot # a marker\n");
  EXPECT_EQ((*members)[1].name, "b.csv");
  EXPECT_EQ((*members)[1].content, " 1,#2,\n");

  // Joining gives the text back from the first marker on.
  const std::vector<BundleMember> parts = {{"h.kv1", "k=v\n"}, {"t.csv", ""}, {"u.csv", "1,\n"}};
  EXPECT_EQ(JoinBundle(parts), "#h.kv1\nk=v\n#t.csv\n#u.csv\n1,\n");
  const auto again = SplitBundleText(JoinBundle(parts));
  ASSERT_TRUE(again);
  ASSERT_EQ(again->size(), 3u);
  EXPECT_EQ((*again)[2].content, "1,\n");
  EXPECT_TRUE(SplitBundleText("no marker at all")->empty());
}

TEST(BundleReadTest, SplitsInMemoryAndFindsTheHeader) {
  ScratchFolder folder;
  ScriptedPrompter prompter;
  const std::string text = Sjis("#temp.kv1\n[K-ORV]\n#表.csv\n 1,東京\n");
  ASSERT_TRUE(WriteFileBytes(folder.File("bundle.kv2"), text));
  ASSERT_TRUE(WriteFileBytes(folder.File("bundle.kvm"), PackText(text)));
  for (const bool packed : {false, true}) {
    const auto bundle = ReadBundleFile(folder.File(packed ? "bundle.kvm" : "bundle.kv2"), packed,
                                       "kv1", "not a map", prompter);
    ASSERT_TRUE(bundle);
    EXPECT_EQ(bundle->header_name, "temp.kv1");
    EXPECT_EQ(bundle->header_content, "[K-ORV]\n");
    ASSERT_EQ(bundle->members.size(), 2u);
    EXPECT_EQ(bundle->members[1].name, Sjis("表.csv"));
    EXPECT_EQ(bundle->members[1].content, Sjis(" 1,東京\n"));
  }
  EXPECT_TRUE(prompter.shown().empty());
  EXPECT_EQ(FilesIn(folder.path()), 2);  // nothing written beside the bundle

  // The last member with the header's extension is the header, and the
  // last member of its name its content.
  ASSERT_TRUE(WriteFileBytes(folder.File("twice.kv2"), "#a.kv1\n1\n#b.kv1\n2\n#b.kv1\n3\n"));
  const auto twice = ReadBundleFile(folder.File("twice.kv2"), false, "kv1", "", prompter);
  ASSERT_TRUE(twice);
  EXPECT_EQ(twice->header_name, "b.kv1");
  EXPECT_EQ(twice->header_content, "3\n");

  // No member with the header's extension: no bundle of the kind wanted.
  ASSERT_TRUE(WriteFileBytes(folder.File("rails.kv2"), "#m_rail.csv\n  0,\n"));
  EXPECT_FALSE(ReadBundleFile(folder.File("rails.kv2"), false, "kv1", "not a map", prompter));
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(prompter.shown()[0].text, "not a map");
  EXPECT_EQ(prompter.shown()[0].caption, "ファイル読み込みエラー");

  // A file that cannot be read, and a packed stream cut short.
  ScriptedPrompter failing;
  EXPECT_FALSE(ReadBundleFile(folder.File("missing.kvm"), true, "kv1", "", failing));
  ASSERT_TRUE(WriteFileBytes(folder.File("cut.kvm"), PackText(text).substr(0, 4)));
  EXPECT_FALSE(ReadBundleFile(folder.File("cut.kvm"), true, "kv1", "", failing));
  ASSERT_EQ(failing.shown().size(), 2u);
  EXPECT_EQ(failing.shown()[0].text,
            "読み込みファイル'" + folder.File("missing.kvm") + "'は開けませんでした。\n");
  EXPECT_EQ(failing.shown()[1].text,
            "読み込みファイル'" + folder.File("cut.kvm") + "'は途中で切れています。\n");
}

TEST(BundleReadTest, NamesOutsideTheFolderAreNoBundle) {
  // A trail byte 0x5C inside a two-byte character is no separator.
  const std::string so = Sjis("ソ.csv");
  ASSERT_EQ(so[1], '\\');
  ASSERT_TRUE(SplitBundleText("#" + so + "\n1,\n"));

  for (const std::string name : {"../x", "a/b", "a\\b", ".", "..", "/abs.csv"}) {
    SCOPED_TRACE(name);
    std::string bad;
    EXPECT_FALSE(SplitBundleText("#ok.kv1\n\n#" + name + "\n1,\n", &bad));
    EXPECT_EQ(bad, name);

    ScratchFolder folder;
    const std::string text_path = folder.File("temp.kv2");
    ASSERT_TRUE(WriteFileBytes(text_path, "#ok.kv1\n[K-ORV]\n#" + name + "\n1,\n"));
    ScriptedPrompter prompter;
    EXPECT_FALSE(ReadBundleFile(text_path, false, "kv1", "not a map", prompter));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].text, "not a map");
    EXPECT_EQ(prompter.shown()[0].caption, "ファイル読み込みエラー");
    EXPECT_EQ(FilesIn(folder.path()), 1);
  }
}

TEST(BundleWriteTest, PackedOrAsTextReplacedOnlyWhole) {
  ScratchFolder folder;
  ScriptedPrompter prompter;
  const std::string text = "#a.kv1\nk=v\n";
  ASSERT_TRUE(WriteBundleFile(text, folder.File("a.kvm"), true, prompter));
  ASSERT_TRUE(WriteBundleFile(text, folder.File("a.kvp"), false, prompter));
  EXPECT_EQ(ReadFileBytes(folder.File("a.kvm")), PackText(text));
  EXPECT_EQ(ReadFileBytes(folder.File("a.kvp")), text);
  EXPECT_EQ(FilesIn(folder.path()), 2);  // no scratch text left over
  EXPECT_TRUE(prompter.shown().empty());

  // A folder that is missing: the message of each form.
  EXPECT_FALSE(WriteBundleFile(text, folder.File("none/a.kvm"), true, prompter));
  EXPECT_FALSE(WriteBundleFile(text, folder.File("none/a.kvp"), false, prompter));
  ASSERT_EQ(prompter.shown().size(), 2u);
  EXPECT_EQ(prompter.shown()[0].text,
            "書き込みファイル'" + folder.File("none/a.kvm") + "'は開けませんでした。\n");
  EXPECT_EQ(prompter.shown()[1].text,
            "ファイル'" + folder.File("none/a.kvp") + "'は開けませんでした。\n");
  EXPECT_EQ(prompter.shown()[1].caption, "ファイル書き込みエラー");
}

TEST(BundleHeaderTest, VersionAndMemberSectionsStartTheHeader) {
  EXPECT_EQ(FormatBundleHeaderStart(1220, {{"WdiaMode", "0"}}, {{"rail", "rail.csv"}}),
            "[K-ORV]\nversion=1220\nWdiaMode=0\n\n[" + Sjis("ファイル") + "]\nrail=rail.csv\n\n");
  EXPECT_EQ(BundleFileSection(), Sjis("ファイル"));
}

}  // namespace
}  // namespace corvane
