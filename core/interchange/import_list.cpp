#include "interchange/import_list.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/file_messages.h"
#include "base/text_format.h"

namespace corvane {

namespace fs = std::filesystem;

std::vector<std::string> ImportListEntries(const IniFile& list) {
  const std::string section = Utf8ToSjis(kImportListSection);
  std::vector<std::string> entries;
  for (int key = 0; key <= 99; ++key) {
    char name[4];
    std::snprintf(name, sizeof name, "%02d", key);
    std::string value = list.GetString(section, name);
    if (!value.empty()) entries.push_back(std::move(value));
  }
  return entries;
}

std::optional<std::string> ImportRelativePath(std::string_view entry) {
  std::string path(entry);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (path.empty() || path.front() == '/') return std::nullopt;
  std::string relative;
  std::size_t start = 0;
  bool first = true;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string_view part = std::string_view(path).substr(start, end - start);
    start = end + 1;
    // A drive ("C:") makes the entry absolute.
    if (first && part.size() >= 2 && part[1] == ':') return std::nullopt;
    first = false;
    if (part.empty() || part == ".") continue;
    if (part == "..") return std::nullopt;
    if (!relative.empty()) relative += '/';
    relative += part;
  }
  if (relative.empty()) return std::nullopt;
  return relative;
}

bool SameTimeAndSize(const std::string& a, const std::string& b) {
  std::error_code error;
  if (!fs::is_regular_file(a, error) || !fs::is_regular_file(b, error)) return false;
  const auto size_a = fs::file_size(a, error);
  if (error) return false;
  const auto size_b = fs::file_size(b, error);
  if (error || size_a != size_b) return false;
  const auto time_a = fs::last_write_time(a, error);
  if (error) return false;
  const auto time_b = fs::last_write_time(b, error);
  return !error && time_a == time_b;
}

bool CopyFileKeepingTime(const std::string& source, const std::string& destination) {
  std::error_code error;
  if (!fs::is_regular_file(source, error)) return false;
  const auto bytes = ReadFileBytes(source);
  if (!bytes) return false;
  const fs::path folder = fs::path(destination).parent_path();
  if (!folder.empty()) fs::create_directories(folder, error);
  if (!WriteFileAtomically(destination, *bytes)) return false;
  const auto time = fs::last_write_time(source, error);
  if (!error) fs::last_write_time(destination, time, error);
  return true;
}

namespace {

// Whether `path` lies inside `folder` once the links of their existing parts
// are resolved: a linked sub-folder must not lead out of the data folder.
bool StaysInside(const std::string& path, const std::string& folder) {
  std::error_code error;
  const fs::path inside = fs::weakly_canonical(fs::absolute(path, error), error);
  if (error) return false;
  const fs::path base = fs::weakly_canonical(fs::absolute(folder, error), error);
  if (error) return false;
  const auto mismatch = std::mismatch(base.begin(), base.end(), inside.begin(), inside.end());
  return mismatch.first == base.end();
}

class ListImport {
 public:
  ListImport(const std::string& list_path, const std::string& data_folder, Prompter& prompter)
      : list_folder_(DirectoryOf(list_path)), data_folder_(data_folder), prompter_(prompter) {}

  void ImportEntry(const std::string& entry_sjis) {
    const std::string entry = SjisToUtf8(entry_sjis);
    const auto relative = ImportRelativePath(entry);
    if (!relative || !StaysInside(JoinPath(data_folder_, *relative), data_folder_)) {
      Refuse(kImportOutside, entry, kImportRefusedCaption);
      return;
    }
    const std::string source = list_folder_ + *relative;
    const std::string destination = JoinPath(data_folder_, *relative);
    if (!FileExists(source)) {
      Refuse(kImportSourceMissing, source, kReadErrorCaption);
      return;
    }
    std::error_code error;
    if (fs::exists(fs::symlink_status(destination, error))) {
      if (SameTimeAndSize(source, destination)) {
        if (counts_.present++ == 0)
          prompter_.Error(FillIn(kImportPresent, {destination}), kImportPresentCaption);
        return;
      }
      if (prompter_.Ask(FillIn(kImportOverwrite, {destination}), kImportOverwriteCaption,
                        PromptButtons::kYesNo, PromptIcon::kQuestion) != PromptAnswer::kYes) {
        ++counts_.failed;
        return;
      }
    }
    if (CopyFileKeepingTime(source, destination)) {
      ++counts_.copied;
    } else {
      Refuse(kCannotOpenForWrite, destination, kWriteErrorCaption);
    }
  }

  void ShowSummary() {
    prompter_.Inform(
        FillIn(kImportSummary, {std::to_string(counts_.copied), std::to_string(counts_.failed),
                                std::to_string(counts_.present)}),
        kImportSummaryCaption);
  }

  const ImportCounts& counts() const { return counts_; }

 private:
  void Refuse(std::string_view format, std::string_view path, std::string_view caption) {
    prompter_.Error(FillIn(format, {path}), caption);
    ++counts_.failed;
  }

  std::string list_folder_;  // with a trailing "/" or empty
  std::string data_folder_;
  Prompter& prompter_;
  ImportCounts counts_;
};

}  // namespace

std::optional<ImportCounts> ImportListFile(const std::string& list_path,
                                           const std::string& data_folder, Prompter& prompter) {
  const auto bytes = ReadFileBytes(list_path);
  // Without a data folder every entry would land beside the working folder.
  if (!bytes || data_folder.empty()) {
    ReportFileError(prompter, kCannotOpenForRead, list_path, kReadErrorCaption);
    return std::nullopt;
  }
  ListImport import(list_path, data_folder, prompter);
  for (const std::string& entry : ImportListEntries(IniFile::Parse(*bytes))) {
    import.ImportEntry(entry);
  }
  import.ShowSummary();
  return import.counts();
}

}  // namespace corvane
