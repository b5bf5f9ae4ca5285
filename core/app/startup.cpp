#include "app/startup.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

#include "base/file_io.h"
#include "base/ini_file.h"

namespace corvane {

namespace fs = std::filesystem;

namespace {

// Whether the Path file in the program folder can be written, without
// creating it when it is missing.
bool PathFileWritable(const std::string& program_folder) {
  const std::string path = JoinPath(program_folder, kPathFileName);
  if (FileExists(path)) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
  }
  return ::access(program_folder.c_str(), W_OK) == 0;
}

// Makes a new data folder in the documents folder; "" when that fails.
std::string CreateDocumentsDataFolder(const Environment& env) {
  const std::string documents = env.DocumentsFolder();
  if (documents.empty()) return "";
  const std::string folder = FirstFreeDataFolderName(documents);
  std::error_code error;
  fs::create_directories(folder, error);
  return IsDirectory(folder) ? folder : "";
}

DataFolder ReadDataFolder(const std::string& path_file, const Environment& env) {
  DataFolder data_folder;
  data_folder.path_file = path_file;
  const IniFile file = IniFile::Load(path_file);
  data_folder.path = WithoutTrailingSlash(file.GetString(kPathFileDataSection, kPathFileDataKey));
  data_folder.table = DataFolderTable::Read(file);
  data_folder.english = ChooseEnglish(env, data_folder.path);
  return data_folder;
}

}  // namespace

DataFolder FindDataFolder(Environment& env) {
  const std::string program_folder = env.ProgramFolder();
  const std::string program_files = env.ProgramFilesFolder();
  const bool installed = !program_files.empty() && PathIsInside(program_folder, program_files);
  const bool unwritable = installed && !PathFileWritable(program_folder);
  std::string path_file = JoinPath(program_folder, kPathFileName);

  if (installed && unwritable) {
    if (const auto info = env.DataPathInfo(); info && !info->empty()) {
      return ReadDataFolder(*info, env);
    }
  } else if (FileExists(path_file)) {
    return ReadDataFolder(path_file, env);
  }

  const bool has_settings = FileExists(JoinPath(program_folder, kSettingsFileName));
  const bool new_folder = (has_settings && installed && unwritable) || (!has_settings && installed);
  if (!new_folder) {
    // A program outside the system folders keeps its data beside itself.
    WriteDataPath(path_file, program_folder);
    return ReadDataFolder(path_file, env);
  }
  const std::string folder = CreateDocumentsDataFolder(env);
  if (!folder.empty()) {
    if (unwritable) {
      path_file = JoinPath(folder, kPathFileName);
      env.SetDataPathInfo(path_file);
    }
    WriteDataPath(path_file, folder);
  }
  return ReadDataFolder(path_file, env);
}

bool UseDataFolder(const std::string& folder_in, Environment& env, DataFolder* data_folder,
                   std::string* error) {
  // A relative folder is taken from the current folder, once, so that the
  // Path file never holds a path that changes meaning with it.
  std::error_code absolute_error;
  const fs::path absolute = fs::absolute(folder_in, absolute_error);
  const std::string folder =
      WithoutTrailingSlash(absolute_error ? folder_in : absolute.lexically_normal().string());
  std::string too_long;
  if (!DataFolderTable::Build(folder, &too_long)) {
    *error = "データフォルダのパスが長すぎます。\n" + too_long + "\n";
    return false;
  }
  std::error_code ignored;
  fs::create_directories(folder, ignored);
  if (!IsDirectory(folder)) {
    *error = "データフォルダ'" + folder + "'を作成できませんでした。\n";
    return false;
  }
  const std::string path_file = JoinPath(folder, kPathFileName);
  const IniFile existing = IniFile::Load(path_file);
  if (WithoutTrailingSlash(existing.GetString(kPathFileDataSection, kPathFileDataKey)) != folder ||
      !existing.HasSection(kPathFileSlotSection)) {
    if (!WriteDataPath(path_file, folder)) {
      *error = "書き込みファイル'" + path_file + "'は開けませんでした。\n";
      return false;
    }
  }
  *data_folder = ReadDataFolder(path_file, env);
  return true;
}

bool ChooseEnglish(const Environment& env, const std::string& data_folder) {
  bool english = env.LocaleIsEnglish();
  if (data_folder.empty()) return english;
  const IniFile language = IniFile::Load(JoinPath(data_folder, kLanguageFileName));
  if (language.GetInt("SystemLanguage", "English", 0) != 0) english = true;
  if (language.GetInt("SystemLanguage", "Japanese", 0) != 0) english = false;
  return english;
}

namespace {

// Copies the files of `source` into `folder`, keeping any file of the same
// name that is there.
void CopyFolderFiles(const std::string& source, const std::string& folder) {
  if (source.empty() || !IsDirectory(source)) return;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(source, error)) {
    if (!entry.is_regular_file()) continue;
    fs::copy_file(entry.path(), fs::path(folder) / entry.path().filename(),
                  fs::copy_options::skip_existing, error);
  }
}

}  // namespace

void PrepareDataFolder(const DataFolder& data_folder, const Environment& env) {
  if (data_folder.path.empty() || !IsDirectory(data_folder.path)) return;
  const auto system_table = DataFolderTable::Build(env.ProgramDataFolder());
  for (int slot = 1; slot < kFolderSlotCount; ++slot) {
    const std::string& folder = data_folder.table[slot];
    if (folder.empty() || IsDirectory(folder)) continue;
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) continue;
    // A new map folder starts with the sample maps, so the first open
    // dialog has something to offer.
    if (slot == kSlotDataKvm) CopyFolderFiles(env.ProgramDataFolder() + "/examples", folder);
    if (IsUserDataSlot(slot) || IsScratchSlot(slot) || !system_table) continue;
    CopyFolderFiles((*system_table)[slot], folder);
  }
}

}  // namespace corvane
