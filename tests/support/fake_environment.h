#pragma once
// An Environment whose every answer the test sets.

#include <ctime>
#include <optional>
#include <string>

#include "app/environment.h"

namespace corvane::testing {

class FakeEnvironment : public Environment {
 public:
  std::string documents;
  std::string desktop;
  std::string program_files;  // "" = not installed anywhere
  std::string program_folder;
  std::string program_data_folder;  // "" = same as program_folder
  std::optional<std::string> data_path_info;
  bool english = false;
  std::int64_t total_page_file = std::int64_t{8} << 30;
  std::tm now = MakeTime(2026, 12, 8, 9, 30, 15);

  static std::tm MakeTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
  }

  std::string DocumentsFolder() const override { return documents; }
  std::string DesktopFolder() const override { return desktop; }
  std::string ProgramFilesFolder() const override { return program_files; }
  std::string ProgramFolder() const override { return program_folder; }
  std::string ProgramDataFolder() const override {
    return program_data_folder.empty() ? program_folder : program_data_folder;
  }
  std::optional<std::string> DataPathInfo() const override { return data_path_info; }
  bool SetDataPathInfo(const std::string& path_file) override {
    data_path_info = path_file;
    return true;
  }
  bool LocaleIsEnglish() const override { return english; }
  std::int64_t TotalPageFileBytes() const override { return total_page_file; }
  std::tm LocalTime() const override { return now; }
};

}  // namespace corvane::testing
