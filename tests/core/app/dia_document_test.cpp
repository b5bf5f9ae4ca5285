#include "app/dia_document.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/data_folder.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "example_dia.h"
#include "mapfile/packed_bundle.h"
#include "run/dia_change.h"
#include "support/dia_support.h"
#include "support/dialog_support.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;
using testing::Sjis;

const char kOpenDiaQuestion[] =
    "ダイヤデータを開きます。\n現在のダイヤは変更されています。\n現在のデータを保存しますか？";

// The log lines of a message followed by an empty line.
std::vector<std::string> LinesOf(const std::string& message) {
  MessageLog log;
  log.AddLine(message);
  log.AddLine("");
  return log.Lines();
}

DialogAnswer Answer(std::string_view line) {
  std::string error;
  std::optional<DialogAnswer> answer = ParseDialogAnswer(line, &error);
  EXPECT_TRUE(answer) << error;
  return answer.value_or(DialogAnswer{});
}

// The sample's bundle text with its header's version replaced.
std::string SampleWithVersion(int version) {
  std::string text = FormatDiaText(SampleDiaFile(), false);
  text.replace(text.find("version=1220"), 12, "version=" + std::to_string(version));
  return text;
}

class DiaDocumentTest : public ::testing::Test {
 protected:
  DiaDocumentTest() {
    for (const std::string& folder : {folders_.temp, folders_.dia_data, folders_.system_map}) {
      std::filesystem::create_directory(folder);
    }
  }

  static DiaFolders FoldersIn(const ScratchFolder& folder) {
    DiaFolders folders;
    folders.temp = folder.File("temp/");
    folders.dia_data = folder.File("dia_data/");
    folders.system_map = folder.File("system_map/");
    folders.system_map_ini = folder.File(kSystemMapIniName);
    return folders;
  }

  // The sample saved under `path` (its kind by the extension).
  std::string SaveSample(const std::string& path, const DiaFile& file = SampleDiaFile()) {
    ScriptedPrompter prompter;
    EXPECT_TRUE(SaveDiaPath(file, path, prompter)) << path;
    return path;
  }
  std::string DiaPath(const std::string& name) const { return folders_.dia_data + name; }
  // A change of the user's: the data is modified.
  void Edit() { DiaChange(document_.model()).header().dia_comment = Sjis("変更"); }

  ScratchFolder folder_;
  DiaFolders folders_ = FoldersIn(folder_);
  ScriptedPrompter prompter_;
  ScriptedChooser chooser_;
  MessageLog log_;
  DiaDocument document_{folders_, prompter_, chooser_, log_};
};

TEST_F(DiaDocumentTest, OpeningSetsPathsLogsAndRecordsTheMap) {
  const std::string executed = SaveSample(DiaPath("run.kve"));
  const std::string dia = SaveSample(DiaPath("東町線.kvb"));
  ASSERT_EQ(document_.OpenPath(executed), DiaOpenOutcome::kOpened);
  EXPECT_EQ(document_.executed_path(), executed);
  EXPECT_TRUE(document_.dia_path().empty());
  Edit();

  ASSERT_EQ(document_.OpenPath(dia), DiaOpenOutcome::kOpened);
  EXPECT_EQ(document_.dia_path(), dia);
  EXPECT_TRUE(document_.executed_path().empty());
  EXPECT_FALSE(document_.modified());
  EXPECT_EQ(document_.loaded_version(), kDiaVersion);
  // As read, with every point brought to its normal position.
  const DiaFile initialised = testing::Initialised(SampleDiaFile());
  EXPECT_EQ(FormatDiaText(document_.file(), false), FormatDiaText(initialised, false));
  EXPECT_EQ(log_.Lines(), LinesOf("マップデータ「東町線」を開きました。"));
  EXPECT_TRUE(prompter_.shown().empty());

  // Sections and values are Shift-JIS, as every INI file of the program.
  const IniFile ini = IniFile::Load(folders_.system_map_ini);
  const std::string section = Sjis("東町線");
  EXPECT_EQ(ini.GetString(section, "map_name"), Sjis("東町線"));
  EXPECT_EQ(ini.GetString(section, Sjis("保安装置")), Sjis("保安装置：ＡＴＳ"));
  EXPECT_EQ(ini.GetString(section, "DiaTitle"), Sjis("平日ダイヤ"));
  EXPECT_EQ(ini.GetString(section, "dia_comment"), Sjis("試験用"));
  EXPECT_EQ(ini.GetString("run", "map_name"), Sjis("東町線"));
}

TEST_F(DiaDocumentTest, BundleTextHasNoPathSoSaveAsksForAName) {
  const std::string text_path = SaveSample(DiaPath("old.kvp"));
  const std::string before = *ReadFileBytes(text_path);
  ASSERT_EQ(document_.OpenPath(SaveSample(DiaPath("a.kvb"))), DiaOpenOutcome::kOpened);
  ASSERT_EQ(document_.OpenPath(SaveSample(DiaPath("a.kve"))), DiaOpenOutcome::kOpened);
  ASSERT_FALSE(document_.executed_path().empty());

  ASSERT_EQ(document_.OpenPath(text_path), DiaOpenOutcome::kOpened);
  EXPECT_TRUE(document_.dia_path().empty());
  EXPECT_TRUE(document_.executed_path().empty());
  Edit();
  EXPECT_FALSE(document_.Save());  // the name dialog is cancelled
  ASSERT_EQ(chooser_.requests().size(), 1u);
  EXPECT_TRUE(chooser_.requests()[0].save);
  EXPECT_TRUE(document_.modified());
  EXPECT_EQ(*ReadFileBytes(text_path), before);
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folders_.dia_data)) {
    files.push_back(entry.path().filename().string());
  }
  EXPECT_EQ(files.size(), 3u);
}

TEST_F(DiaDocumentTest, FailedOpenKeepsDataAndPaths) {
  const std::string good = SaveSample(DiaPath("good.kvb"));
  ASSERT_EQ(document_.OpenPath(good), DiaOpenOutcome::kOpened);
  Edit();
  const std::string text = FormatDiaText(document_.file(), false);
  const std::vector<std::string> lines = log_.Lines();

  // Another map whose train member is missing from the bundle.
  DiaFile other = SampleDiaFile();
  other.header.map_name = Sjis("別線");
  std::vector<BundleMember> members = *SplitBundleText(FormatDiaText(other, false));
  std::erase_if(members, [](const BundleMember& m) { return m.name == "train.csv"; });
  ASSERT_TRUE(WriteFileBytes(DiaPath("lacking.kvb"), PackText(JoinBundle(members))));
  ASSERT_TRUE(WriteFileBytes(DiaPath("old.kvp"), SampleWithVersion(1069)));

  for (const char* name : {"missing.kvb", "lacking.kvb", "old.kvp"}) {
    prompter_.ClearShown();
    EXPECT_EQ(document_.OpenPath(DiaPath(name)), DiaOpenOutcome::kFailed) << name;
    EXPECT_EQ(prompter_.shown().size(), 1u) << name;
    EXPECT_EQ(document_.file().header.map_name, Sjis("東町線")) << name;
    EXPECT_EQ(FormatDiaText(document_.file(), false), text) << name;
    EXPECT_EQ(document_.dia_path(), good) << name;
    EXPECT_TRUE(document_.executed_path().empty()) << name;
    EXPECT_TRUE(document_.modified()) << name;
    EXPECT_EQ(log_.Lines(), lines) << name;
  }
  const IniFile ini = IniFile::Load(folders_.system_map_ini);
  EXPECT_TRUE(ini.GetString("lacking", "map_name").empty());
}

TEST_F(DiaDocumentTest, DiscardQuestionBeforeOpening) {
  document_.Replace(SampleDiaFile());
  EXPECT_FALSE(document_.modified());  // a compiled map is no change of the user's
  Edit();
  ASSERT_TRUE(document_.modified());

  prompter_.Queue(PromptAnswer::kCancel);
  EXPECT_EQ(document_.Open(), DiaOpenOutcome::kCancelled);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, kOpenDiaQuestion);
  EXPECT_EQ(prompter_.shown()[0].caption, "読み込み確認");
  EXPECT_EQ(prompter_.shown()[0].buttons, PromptButtons::kYesNoCancel);
  EXPECT_TRUE(chooser_.requests().empty());

  // No: the open dialog comes (and is cancelled).
  prompter_.Queue(PromptAnswer::kNo);
  EXPECT_EQ(document_.Open(), DiaOpenOutcome::kCancelled);
  ASSERT_EQ(chooser_.requests().size(), 1u);
  EXPECT_FALSE(chooser_.requests()[0].save);
  EXPECT_TRUE(document_.modified());

  // Yes with the save dialog cancelled asks again.
  prompter_.ClearShown();
  prompter_.Queue(PromptAnswer::kYes);
  prompter_.Queue(PromptAnswer::kCancel);
  EXPECT_EQ(document_.Open(), DiaOpenOutcome::kCancelled);
  EXPECT_EQ(prompter_.shown().size(), 2u);
  ASSERT_EQ(chooser_.requests().size(), 2u);
  EXPECT_TRUE(chooser_.requests()[1].save);

  // Yes with a name saves, then the open dialog comes.
  prompter_.ClearShown();
  prompter_.Queue(PromptAnswer::kYes);
  chooser_.Queue(DiaPath("saved.kvb"));
  EXPECT_EQ(document_.Open(), DiaOpenOutcome::kCancelled);
  EXPECT_EQ(prompter_.shown().size(), 1u);
  ASSERT_EQ(chooser_.requests().size(), 4u);
  EXPECT_FALSE(chooser_.requests()[3].save);
  EXPECT_TRUE(FileExists(DiaPath("saved.kvb")));
  EXPECT_FALSE(document_.modified());
  EXPECT_EQ(document_.dia_path(), DiaPath("saved.kvb"));
}

TEST_F(DiaDocumentTest, ADroppedFileOpensAfterTheDiscardQuestion) {
  const std::string dropped = SaveSample(DiaPath("dropped.kvb"));
  document_.Replace(SampleDiaFile());
  Edit();
  prompter_.Queue(PromptAnswer::kCancel);
  EXPECT_EQ(document_.OpenDropped(dropped), DiaOpenOutcome::kCancelled);
  EXPECT_TRUE(document_.dia_path().empty());
  EXPECT_TRUE(document_.modified());

  prompter_.ClearShown();
  prompter_.Queue(PromptAnswer::kNo);
  EXPECT_EQ(document_.OpenDropped(dropped), DiaOpenOutcome::kOpened);
  EXPECT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(document_.dia_path(), dropped);
  EXPECT_FALSE(document_.modified());
  EXPECT_TRUE(chooser_.requests().empty());  // no file dialog
  // A file that is no dia data is reported and changes nothing.
  EXPECT_TRUE(WriteFileBytes(DiaPath("notes.kvb"), "hello"));
  EXPECT_EQ(document_.OpenDropped(DiaPath("notes.kvb")), DiaOpenOutcome::kFailed);
  EXPECT_EQ(document_.dia_path(), dropped);
}

TEST_F(DiaDocumentTest, WindowsHearEachOpenSaveAndCompile) {
  std::vector<DiaEventKind> heard;
  std::vector<std::string> titles;  // the map name a title shows when told
  const DiaModel::Subscription window = document_.model().Listen([&](const DiaEvent& event) {
    heard.push_back(event.kind);
    titles.push_back(document_.file().header.map_name.Utf8());
  });
  const std::string good = SaveSample(DiaPath("good.kvb"));
  ASSERT_EQ(document_.OpenPath(good), DiaOpenOutcome::kOpened);
  EXPECT_EQ(document_.OpenPath(DiaPath("missing.kvb")), DiaOpenOutcome::kFailed);
  Edit();
  ASSERT_TRUE(document_.Save());
  DiaFile compiled = SampleDiaFile();
  compiled.header.map_name = Sjis("新線");
  document_.Replace(compiled);
  EXPECT_EQ(heard, (std::vector<DiaEventKind>{DiaEventKind::kReplaced, DiaEventKind::kChanged,
                                              DiaEventKind::kSaved, DiaEventKind::kReplaced}));
  EXPECT_EQ(titles, (std::vector<std::string>{"東町線", "東町線", "東町線", "新線"}));
  EXPECT_FALSE(document_.modified());
}

TEST_F(DiaDocumentTest, NewerVersionRetryAndIgnore) {
  const std::string newer = DiaPath("newer.kvb");
  ASSERT_TRUE(WriteFileBytes(newer, PackText(SampleWithVersion(1221))));
  const std::string good = SaveSample(DiaPath("good.kvb"));

  // Retry starts the command again: the open dialog comes a second time.
  chooser_.Queue(newer);
  chooser_.Queue(good);
  prompter_.Queue(PromptAnswer::kRetry);
  EXPECT_EQ(document_.Open(), DiaOpenOutcome::kOpened);
  EXPECT_EQ(chooser_.requests().size(), 2u);
  EXPECT_EQ(document_.dia_path(), good);

  // Data of a newer version, once read, is never written over its file
  // without a name being chosen.
  prompter_.Queue(PromptAnswer::kIgnore);
  ASSERT_EQ(document_.OpenPath(newer), DiaOpenOutcome::kOpened);
  EXPECT_EQ(document_.loaded_version(), 1221);
  const std::string packed = *ReadFileBytes(newer);
  EXPECT_FALSE(document_.Save());
  EXPECT_EQ(chooser_.requests().size(), 3u);
  EXPECT_EQ(*ReadFileBytes(newer), packed);
}

TEST_F(DiaDocumentTest, SaveAsThenSaveAndOtherExtensions) {
  document_.Replace(SampleDiaFile());
  const std::string path = DiaPath("new.kvb");
  ASSERT_TRUE(document_.SaveAsPath(path));
  EXPECT_EQ(document_.dia_path(), path);
  EXPECT_FALSE(document_.modified());
  EXPECT_EQ(log_.Lines(), LinesOf("マップデータ「東町線」を保存しました。"));

  DiaChange(document_.model()).header().map_name = Sjis("改名線");
  ASSERT_TRUE(document_.Save());
  EXPECT_TRUE(chooser_.requests().empty());
  EXPECT_FALSE(document_.modified());
  DiaFile read;
  ScriptedPrompter prompter;
  ASSERT_EQ(OpenDiaFile(path, folders_.temp, prompter, read), DiaReadResult::kRead);
  EXPECT_EQ(FormatDiaText(read, false), FormatDiaText(document_.file(), false));
  EXPECT_EQ(read.header.map_name, Sjis("改名線"));

  ASSERT_TRUE(document_.SaveAsPath(DiaPath("new.kve")));
  EXPECT_EQ(document_.dia_path(), path);
  EXPECT_EQ(document_.executed_path(), DiaPath("new.kve"));
  // Another extension: the bundle text, and no current file.
  ASSERT_TRUE(document_.SaveAsPath(DiaPath("new.txt")));
  EXPECT_EQ(*ReadFileBytes(DiaPath("new.txt")), FormatDiaText(document_.file(), false));
  EXPECT_EQ(ReadFileBytes(DiaPath("new.txt"))->rfind("#temp.kvd\n", 0), 0u);
  EXPECT_TRUE(document_.dia_path().empty());
  EXPECT_TRUE(document_.executed_path().empty());
}

TEST_F(DiaDocumentTest, MissingSeriesPhotoIsReportedOnce) {
  folders_.image = folder_.File("image/");
  folders_.image16 = folder_.File("image16/");
  std::filesystem::create_directory(folders_.image);
  std::filesystem::create_directory(folders_.image16);
  DiaDocument document(folders_, prompter_, chooser_, log_);
  const std::string path = SaveSample(DiaPath("a.kvb"));
  ASSERT_EQ(document.OpenPath(path), DiaOpenOutcome::kOpened);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text,
            "２０５系の形式写真が見つかりません。\n表示させるには、別途用意してインポートする必"
            "要があります。");
  EXPECT_EQ(prompter_.shown()[0].caption, "形式写真エラー");

  // With the photo in place the icon is looked for in its own folder.
  ASSERT_TRUE(WriteFileBytes(folders_.image + "205.bmp", "BM"));
  prompter_.ClearShown();
  ASSERT_EQ(document.OpenPath(path), DiaOpenOutcome::kOpened);
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].caption, "形式アイコンエラー");
  ASSERT_TRUE(WriteFileBytes(folders_.image16 + "205_16.bmp", "BM"));
  prompter_.ClearShown();
  ASSERT_EQ(document.OpenPath(path), DiaOpenOutcome::kOpened);
  EXPECT_TRUE(prompter_.shown().empty());
}

TEST_F(DiaDocumentTest, MapSelectionListsRecordsAndSetsTheStartupMap) {
  SaveSample(folders_.system_map + "b.kvb");
  SaveSample(folders_.system_map + "a.kvb");
  std::filesystem::create_directory(folders_.system_map + "sub");
  ASSERT_TRUE(WriteFileBytes(folders_.system_map + ".hidden", "x"));
  ASSERT_EQ(ListSystemMaps(folders_.system_map), (std::vector<std::string>{"a.kvb", "b.kvb"}));
  ASSERT_EQ(document_.OpenSystemMap("a.kvb"), DiaOpenOutcome::kOpened);  // records "a"

  std::vector<std::string> defaults;
  MapSelectDialog dialog(*ListSystemMaps(folders_.system_map),
                         IniFile::Load(folders_.system_map_ini), "a.kvb",
                         [&defaults](const std::string& name) { defaults.push_back(name); });
  EXPECT_EQ(dialog.Find("map")->items, (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(dialog.ok_enabled());
  EXPECT_FALSE(dialog.FindButton("set_default")->enabled);
  dialog.Find("map")->item = 0;
  dialog.Changed("map");
  EXPECT_EQ(dialog.Find("info")->items,
            (std::vector<std::string>{"東町線", "保安装置：ＡＴＳ", "起動時のマップです"}));
  EXPECT_EQ(dialog.Find("title")->text, "平日ダイヤ");
  EXPECT_EQ(dialog.Find("comment")->text, "試験用");
  // The English interface shows the lines the dialog composes in English.
  dialog.set_english(true);
  EXPECT_EQ(dialog.Find("info")->items, (std::vector<std::string>{"東町線", "Train protection: ATS",
                                                                  "This is the start-up map"}));
  dialog.set_english(false);
  dialog.Find("map")->item = 1;  // never opened: no record
  dialog.Changed("map");
  EXPECT_TRUE(dialog.Find("info")->items.empty());
  EXPECT_TRUE(dialog.Find("title")->text.empty());
  ScriptDialogHost host(prompter_);
  dialog.Press("set_default", host);
  EXPECT_EQ(defaults, std::vector<std::string>{"b.kvb"});
  EXPECT_EQ(dialog.Find("info")->items, std::vector<std::string>{"起動時のマップです"});
  ASSERT_TRUE(dialog.Accept(prompter_));
  EXPECT_EQ(dialog.chosen(), "b.kvb");
}

TEST_F(DiaDocumentTest, MapSelectionFolderMessages) {
  ScriptDialogHost host(prompter_);
  host.Queue(Answer("マップ=#1 ok"));
  EXPECT_FALSE(ChooseSystemMap(folders_, "", {}, host));
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text, "マップデータが見つかりませんでした。");
  EXPECT_TRUE(host.has_answers());  // no dialog

  DiaFolders missing = folders_;
  missing.system_map = folder_.File("nowhere/");
  prompter_.ClearShown();
  EXPECT_FALSE(ChooseSystemMap(missing, "", {}, host));
  ASSERT_EQ(prompter_.shown().size(), 1u);
  EXPECT_EQ(prompter_.shown()[0].text,
            "マップデータのフォルダ\n" + missing.system_map + "\nが開けませんでした。");
  EXPECT_TRUE(host.has_answers());
}

TEST_F(DiaDocumentTest, SelectMapOpensTheChosenMapWithoutAPath) {
  SaveSample(folders_.system_map + "a.kvb");
  DiaFile other = SampleDiaFile();
  other.header.map_name = Sjis("別線");
  SaveSample(folders_.system_map + "b.kvb", other);
  ASSERT_EQ(document_.OpenPath(SaveSample(DiaPath("mine.kvb"))), DiaOpenOutcome::kOpened);

  ScriptDialogHost host(prompter_);
  host.Queue(Answer("マップ=b ok"));
  std::vector<std::string> defaults;
  EXPECT_EQ(document_.SelectMap(
                "a.kvb", [&defaults](const std::string& n) { defaults.push_back(n); }, host),
            DiaOpenOutcome::kOpened);
  EXPECT_FALSE(host.TakeMistake());
  EXPECT_EQ(document_.file().header.map_name, Sjis("別線"));
  EXPECT_TRUE(document_.dia_path().empty());
  EXPECT_TRUE(document_.executed_path().empty());
  EXPECT_TRUE(defaults.empty());
  EXPECT_EQ(log_.Lines(), LinesOf("マップデータ「別線」を開きました。"));
  EXPECT_EQ(IniFile::Load(folders_.system_map_ini).GetString("b", "map_name"), Sjis("別線"));
  EXPECT_TRUE(prompter_.shown().empty());
}

}  // namespace
}  // namespace corvane
