#include "app/dia_document.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/english_twins.h"
#include "app/messages.h"
#include "base/encoding.h"
#include "base/file_io.h"
#include "interchange/windia_line.h"
#include "interlocking/operation_data.h"

namespace corvane {

namespace {

constexpr const char kOpenedLine[] = "マップデータ「%s」を開きました。";
constexpr const char kSavedLine[] = "マップデータ「%s」を保存しました。";
constexpr const char kPhotoMissing[] =
    "%sの形式写真が見つかりません。\n表示させるには、別途用意してインポートする必要があります。";
constexpr const char kPhotoCaption[] = "形式写真エラー";
constexpr const char kIconMissing[] =
    "%sの形式アイコンが見つかりません。\n表示させるには、別途用意してインポートする必要があります"
    "。";
constexpr const char kIconCaption[] = "形式アイコンエラー";
constexpr const char kFolderUnsearchable[] = "マップデータのフォルダ\n%s\nが開けませんでした。";
constexpr const char kNoMaps[] = "マップデータが見つかりませんでした。";
constexpr const char kStartupMapLine[] = "起動時のマップです";
constexpr int kMostListedMaps = 255;

const char* SafetyDeviceText(int device) {
  switch (device) {
    case kSafetyAtc:
      return "保安装置：ＡＴＣ";
    case kSafetyDigitalAtc:
      return "保安装置：デジタルＡＴＣ";
    default:
      return "保安装置：ＡＴＳ";
  }
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

DiaFolders DiaFoldersOf(const DataFolder& data_folder) {
  DiaFolders folders;
  folders.temp = data_folder.TempFolder();
  folders.dia_data = data_folder.table[kSlotDataKvb];
  folders.system_map = data_folder.table[kSlotSystemMap];
  folders.system_map_ini = JoinPath(data_folder.path, kSystemMapIniName);
  folders.image = data_folder.table[kSlotImage];
  folders.image16 = data_folder.table[kSlotImage16];
  return folders;
}

DiaFolders ScratchDiaFolders(const std::string& temp) {
  DiaFolders folders;
  folders.temp = temp;
  return folders;
}

std::string SystemMapSection(const std::string& path) {
  std::string name = BaseName(path);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

DiaDocument::DiaDocument(DiaFolders folders, Prompter& prompter, Chooser& chooser, MessageLog& log)
    : folders_(std::move(folders)), prompter_(prompter), chooser_(chooser), log_(log) {
  SetRollbackSetup({});
}

bool DiaDocument::ConfirmDiscard(int action) {
  while (modified()) {
    const DiaChangedPrompt prompt = ComposeDiaChangedPrompt(static_cast<MsgId>(action), english_);
    switch (prompter_.Ask(prompt.text, prompt.caption, PromptButtons::kYesNoCancel,
                          PromptIcon::kQuestion)) {
      case PromptAnswer::kYes:
        SaveAs();
        break;
      case PromptAnswer::kNo:
        return true;
      default:
        return false;
    }
  }
  return true;
}

DiaOpenOutcome DiaDocument::Open() {
  while (true) {
    if (!ConfirmDiscard(MsgOpenDia)) return DiaOpenOutcome::kCancelled;
    FileChoice choice;
    choice.must_exist = true;
    const DialogFilter filter = FilterFor(FilterUse::kOpenDia, english_);
    choice.filter = filter.filter;
    choice.default_extension = filter.default_extension;
    choice.initial_path = folders_.dia_data;
    const auto chosen = chooser_.ChooseFile(choice);
    if (!chosen) return DiaOpenOutcome::kCancelled;
    bool retry = false;
    const DiaOpenOutcome outcome = ReadPath(*chosen, &retry);
    if (!retry) return outcome;
  }
}

DiaOpenOutcome DiaDocument::OpenPath(const std::string& path) {
  bool retry = false;
  return ReadPath(path, &retry);
}

DiaOpenOutcome DiaDocument::OpenDropped(const std::string& path) {
  while (true) {
    if (!ConfirmDiscard(MsgOpenDia)) return DiaOpenOutcome::kCancelled;
    bool retry = false;
    const DiaOpenOutcome outcome = ReadPath(path, &retry);
    if (!retry) return outcome;
  }
}

DiaOpenOutcome DiaDocument::OpenSystemMap(const std::string& file_name) {
  bool retry = false;
  const DiaOpenOutcome outcome = ReadPath(JoinPath(folders_.system_map, file_name), &retry);
  if (outcome == DiaOpenOutcome::kOpened) ForgetPaths();
  return outcome;
}

DiaOpenOutcome DiaDocument::ReadPath(const std::string& path, bool* retry) {
  DiaFile read;
  switch (OpenDiaFile(path, folders_.temp, prompter_, read, english_)) {
    case DiaReadResult::kRead:
      break;
    case DiaReadResult::kRetry:
      *retry = true;
      return DiaOpenOutcome::kFailed;
    case DiaReadResult::kFailed:
      return DiaOpenOutcome::kFailed;
  }
  // Kept for an abort of the load checks, which leaves them as they were.
  std::optional<DiaFile> previous;
  const std::string previous_dia = dia_path_, previous_executed = executed_path_;
  const int previous_version = loaded_version_;
  RunState previous_run;
  if (load_checks_) {
    previous = model_.file();
    previous_run = model_.run();
  }
  loaded_version_ = read.header.version;
  TakePath(path, true);
  // The log is new before the windows hear of the new data.
  log_.Clear();
  log_.AddLine(FillIn(kOpenedLine, {read.header.map_name.Utf8()}));
  log_.AddLine("");
  load_check_result_ = {};
  if (!load_checks_) {
    model_.Replace(std::move(read), InitialiseOperationData);
  } else {
    // The load checks work on the data as read; then it is initialised.
    model_.Replace(std::move(read));
    load_check_result_ = RunLoadChecks(model_, *load_checks_, prompter_);
    if (load_check_result_.aborted) {
      model_.Replace(std::move(*previous), [&previous_run](DiaChange& change) {
        change.run() = std::move(previous_run);
      });
      dia_path_ = previous_dia;
      executed_path_ = previous_executed;
      loaded_version_ = previous_version;
      return DiaOpenOutcome::kFailed;
    }
    // Converted data is saved under a new name.
    if (load_check_result_.converted) ForgetPaths();
    model_.Initialise(InitialiseOperationData);
  }
  RecordSystemMap(path);
  ReportSeriesImages();
  StartRollbackList();
  RestoreStackMember();
  return DiaOpenOutcome::kOpened;
}

void DiaDocument::SetRollbackSetup(RollbackSetup setup) {
  rollback_setup_ = std::move(setup);
  rollback_setup_.temp = folders_.temp;
  rollback_.SetSetup(rollback_setup_);
}

void DiaDocument::StartRollbackList() { rollback_ = RollbackList(rollback_setup_); }

bool DiaDocument::AddRollbackPoint() { return rollback_.AddPoint(model_, log_, prompter_); }

void DiaDocument::RestoreStackMember() {
  if (!corvane::RestoreStackMember(model_, JoinPath(folders_.temp, kStackMember), prompter_))
    return;
  TakeRestoredPoint();
}

bool DiaDocument::RestoreStackFile(const std::string& path) {
  const std::optional<RollbackSnapshot> snapshot = ReadStackFile(path, prompter_);
  if (!snapshot || !RestoreOnOpening(model_, *snapshot, path, prompter_)) return false;
  TakeRestoredPoint();
  return true;
}

void DiaDocument::TakeRestoredPoint() {
  AddRollbackPoint();
  log_.AddLine(kRollbackRestoredLine);
}

void DiaDocument::TakePath(const std::string& path, bool opened) {
  switch (DiaKindOfPath(path)) {
    case DiaFileKind::kDia:
    case DiaFileKind::kLog:
      dia_path_ = path;
      executed_path_.clear();
      break;
    case DiaFileKind::kExecuted:
      // Executed data opened is no dia file: a later dia save asks for a
      // name rather than writing it over the dia file opened before.
      if (opened) dia_path_.clear();
      executed_path_ = path;
      break;
    default:
      ForgetPaths();
      break;
  }
}

void DiaDocument::RecordSystemMap(const std::string& path) const {
  if (folders_.system_map_ini.empty()) return;
  // File names are UTF-8; the record, as every INI file, is Shift-JIS.
  const std::string section = Utf8ToSjis(SystemMapSection(path));
  IniFile::Update(folders_.system_map_ini, [&](IniFile& ini) {
    const DiaHeader& h = file().header;
    ini.SetString(section, "map_name", h.map_name.view());
    ini.SetString(section, Utf8ToSjis("保安装置"),
                  Utf8ToSjis(SafetyDeviceText(h.settings.safety_device)));
    ini.SetString(section, "DiaTitle", h.dia_title.view());
    ini.SetString(section, "dia_comment", h.dia_comment.view());
  });
}

void DiaDocument::ReportSeriesImages() const {
  if (folders_.image.empty()) return;
  const Table<SeriesRecord>& series = file().dia.series;
  for (int n = 1; n <= series.count(); ++n) {
    const SeriesRecord& s = series[n];
    const auto missing = [](const LongText& name, const std::string& folder) {
      return !name.empty() && !FileExists(JoinPath(folder, std::string(name.view())));
    };
    if (missing(s.photo, folders_.image)) {
      prompter_.Error(FillIn(kPhotoMissing, {s.name.Utf8()}), kPhotoCaption);
      return;
    }
    if (missing(s.icon, folders_.image16)) {
      prompter_.Error(FillIn(kIconMissing, {s.name.Utf8()}), kIconCaption);
      return;
    }
  }
}

bool DiaDocument::Save() {
  if (dia_path_.empty() || loaded_version_ != kDiaVersion) return SaveAs();
  if (!WriteTo(dia_path_)) return false;
  model_.MarkSaved();
  return true;
}

bool DiaDocument::SaveAs() {
  FileChoice choice;
  choice.save = true;
  choice.overwrite_prompt = true;
  const DialogFilter filter = FilterFor(FilterUse::kOpenDiaTwoGenerations, english_);
  choice.filter = filter.filter;
  choice.default_extension = filter.default_extension;
  choice.initial_path = dia_path_.empty() ? folders_.dia_data : dia_path_;
  const auto chosen = chooser_.ChooseFile(choice);
  if (!chosen) return false;
  return SaveAsPath(*chosen);
}

bool DiaDocument::SaveAsPath(const std::string& path) {
  if (!WriteTo(path)) return false;
  TakePath(path, false);
  model_.MarkSaved();
  return true;
}

bool DiaDocument::WriteTo(const std::string& path) {
  // Executed data carries the run-time state as it is now.
  std::optional<std::string> stack;
  if (DiaKindOfPath(path, true) == DiaFileKind::kExecuted) stack = WriteStack(TakeSnapshot(model_));
  if (!SaveDiaPath(file(), path, prompter_, english_, stack ? &*stack : nullptr)) return false;
  loaded_version_ = kDiaVersion;
  log_.AddLine(FillIn(kSavedLine, {file().header.map_name.Utf8()}));
  log_.AddLine("");
  return true;
}

void DiaDocument::Replace(DiaFile file) {
  // A compiled line is shown in the windows as they are.
  file.windows = model_.windows();
  file.header.version = kDiaVersion;
  loaded_version_ = kDiaVersion;
  ForgetPaths();
  model_.Replace(std::move(file), InitialiseOperationData);
  StartRollbackList();
}

DiaOpenOutcome DiaDocument::ImportWindia(std::string* load_folder) {
  if (!ConfirmDiscard(MsgOpenDia)) return DiaOpenOutcome::kCancelled;
  FileChoice choice;
  choice.must_exist = true;
  const DialogFilter filter = FilterFor(FilterUse::kWindia, english_);
  choice.filter = filter.filter;
  choice.default_extension = filter.default_extension;
  choice.initial_path = load_folder->empty() ? folders_.dia_data : *load_folder;
  const auto chosen = chooser_.ChooseFile(choice);
  if (!chosen) return DiaOpenOutcome::kCancelled;
  *load_folder = std::filesystem::path(*chosen).parent_path().string();
  std::optional<DiaFile> imported = ImportWindiaFile(*chosen, prompter_);
  if (!imported) return DiaOpenOutcome::kFailed;
  Replace(std::move(*imported));
  return DiaOpenOutcome::kOpened;
}

DiaOpenOutcome DiaDocument::SelectMap(const std::string& default_kvb,
                                      const std::function<void(const std::string&)>& set_default,
                                      DialogHost& host) {
  if (!ConfirmDiscard(MsgOpenMap)) return DiaOpenOutcome::kCancelled;
  const auto chosen = ChooseSystemMap(folders_, default_kvb, set_default, host);
  if (!chosen) return DiaOpenOutcome::kCancelled;
  return OpenSystemMap(*chosen);
}

void DiaDocument::ForgetPaths() {
  dia_path_.clear();
  executed_path_.clear();
}

// ------------------------------------------------------------ map selection

std::optional<std::vector<std::string>> ListSystemMaps(const std::string& folder) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) return std::nullopt;
  std::vector<std::string> names;
  for (fs::directory_iterator end; it != end; it.increment(error)) {
    if (error) break;
    const std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.' || it->is_directory(error)) continue;
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  if (names.size() > kMostListedMaps) names.resize(kMostListedMaps);
  return names;
}

MapSelectDialog::MapSelectDialog(std::vector<std::string> files, IniFile system_map_ini,
                                 std::string default_kvb,
                                 std::function<void(const std::string&)> set_default)
    : files_(std::move(files)),
      ini_(std::move(system_map_ini)),
      default_kvb_(std::move(default_kvb)),
      set_default_(std::move(set_default)) {
  std::vector<std::string> shown;
  for (const std::string& file : files_) shown.push_back(SystemMapSection(file));
  Add(ChoiceField("map", {"マップ", "Map"}, shown, -1, FieldKind::kList));
  Add(ChoiceField("info", {"マップ情報", "Map information"}, {}, -1, FieldKind::kList)).enabled =
      false;
  Add(TextField("title", {"ダイヤタイトル", "Dia title"}, 255, "")).enabled = false;
  Add(TextField("comment", {"コメント", "Comment"}, 255, "")).enabled = false;
  AddButton("set_default", {"起動時のマップに設定(&S)", "Set as Start-up Map(&S)"});
  ShowSelected();
}

std::string MapSelectDialog::Title(bool english) const {
  return english ? "Select System Map" : "マップ選択";
}

void MapSelectDialog::Changed(const std::string& id) {
  if (id == "map") ShowSelected();
}

void MapSelectDialog::ShowSelected() {
  const int item = Find("map")->item;
  const bool selected = item >= 0 && item < static_cast<int>(files_.size());
  DialogField& info = *Find("info");
  info.items.clear();
  std::string title;
  std::string comment;
  if (selected) {
    const std::string& file = files_[static_cast<std::size_t>(item)];
    const std::string section = Utf8ToSjis(SystemMapSection(file));
    for (const char* key : {"map_name", "保安装置", "旧版"}) {
      const std::string value = ini_.GetString(section, Utf8ToSjis(key));
      if (!value.empty()) info.items.push_back(Shown(SjisToUtf8(value), english_));
    }
    if (file == default_kvb_) info.items.push_back(Shown(kStartupMapLine, english_));
    title = SjisToUtf8(ini_.GetString(section, "DiaTitle"));
    comment = SjisToUtf8(ini_.GetString(section, "dia_comment"));
  }
  Find("title")->text = title;
  Find("comment")->text = comment;
  EnableButton("set_default", selected);
  ok_enabled_ = selected;
}

void MapSelectDialog::Press(const std::string& button, DialogHost& /*host*/) {
  const int item = Find("map")->item;
  if (button != "set_default" || item < 0 || item >= static_cast<int>(files_.size())) return;
  default_kvb_ = files_[static_cast<std::size_t>(item)];
  if (set_default_) set_default_(default_kvb_);
  ShowSelected();
}

bool MapSelectDialog::Accept(Prompter& /*prompter*/) {
  const int item = Find("map")->item;
  if (item < 0 || item >= static_cast<int>(files_.size())) return false;
  chosen_ = files_[static_cast<std::size_t>(item)];
  return true;
}

std::optional<std::string> ChooseSystemMap(
    const DiaFolders& folders, const std::string& default_kvb,
    const std::function<void(const std::string&)>& set_default, DialogHost& host) {
  const auto files = ListSystemMaps(folders.system_map);
  if (!files) {
    host.prompter().Error(FillIn(kFolderUnsearchable, {folders.system_map}), "");
    return std::nullopt;
  }
  if (files->empty()) {
    host.prompter().Error(kNoMaps, "");
    return std::nullopt;
  }
  MapSelectDialog dialog(*files, IniFile::Load(folders.system_map_ini), default_kvb, set_default);
  dialog.set_english(host.english());
  if (!host.Run(dialog)) return std::nullopt;
  return dialog.chosen();
}

}  // namespace corvane
