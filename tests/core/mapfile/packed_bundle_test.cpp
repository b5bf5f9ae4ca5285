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

TEST(BundleSplitTest, WritesMembersAndFindsTheWantedOne) {
  ScratchFolder folder;
  ScriptedPrompter prompter;
  const std::string text_path = folder.File("temp.kv2");
  ASSERT_TRUE(WriteFileBytes(text_path, Sjis("#temp.kv1\n[K-ORV]\n#表.csv\n 1,東京\n")));
  const auto header = SplitBundle(text_path, folder.path(), "kv1", "not a map", prompter);
  ASSERT_TRUE(header);
  EXPECT_EQ(*header, folder.File("temp.kv1"));
  EXPECT_EQ(ReadFileBytes(*header), "[K-ORV]\n");
  EXPECT_EQ(ReadFileBytes(folder.File(Sjis("表.csv"))), Sjis(" 1,東京\n"));
  EXPECT_TRUE(prompter.shown().empty());

  // No member with the wanted extension: no bundle of the kind wanted, and
  // nothing is written.
  ASSERT_TRUE(WriteFileBytes(text_path, "#m_rail.csv\n  0,\n"));
  EXPECT_FALSE(SplitBundle(text_path, folder.path(), "kv1", "not a map", prompter));
  ASSERT_EQ(prompter.shown().size(), 1u);
  EXPECT_EQ(prompter.shown()[0].text, "not a map");
  EXPECT_EQ(prompter.shown()[0].caption, "ファイル読み込みエラー");
  EXPECT_FALSE(std::filesystem::exists(folder.File("m_rail.csv")));
  EXPECT_TRUE(std::filesystem::exists(folder.File("temp.kv1")));  // of the split before
}

TEST(BundleSplitTest, NamesOutsideTheFolderWriteNothing) {
  // A trail byte 0x5C inside a two-byte character is no separator.
  const std::string so = Sjis("ソ.csv");
  ASSERT_EQ(so[1], '\\');
  ASSERT_TRUE(SplitBundleText("#" + so + "\n1,\n"));

  for (const std::string name : {"../x", "a/b", "a\\b", ".", "..", "/abs.csv"}) {
    SCOPED_TRACE(name);
    std::string bad;
    EXPECT_FALSE(SplitBundleText("#ok.kv1\n\n#" + name + "\n1,\n", &bad));
    EXPECT_EQ(bad, name);

    ScratchFolder outer;
    const std::string folder = outer.File("temp/");
    std::filesystem::create_directory(folder);
    const std::string text_path = outer.File("temp.kv2");
    ASSERT_TRUE(WriteFileBytes(text_path, "#ok.kv1\n[K-ORV]\n#" + name + "\n1,\n"));
    ScriptedPrompter prompter;
    EXPECT_FALSE(SplitBundle(text_path, folder, "kv1", "not a map", prompter));
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].text, "not a map");
    EXPECT_EQ(prompter.shown()[0].caption, "ファイル読み込みエラー");
    EXPECT_EQ(FilesIn(folder), 0);
    EXPECT_EQ(FilesIn(outer.path()), 2);
  }
}

}  // namespace
}  // namespace corvane
