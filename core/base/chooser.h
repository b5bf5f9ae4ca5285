#pragma once
// File and folder choosers: the desktop's dialogs, or scripted answers in
// tests. Paths are UTF-8.

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace corvane {

struct FileChoice {
  bool save = false;              // a save dialog (else open)
  bool must_exist = false;        // open: the file must exist
  bool overwrite_prompt = false;  // save: ask before replacing a file
  std::string filter;             // "text(*.ext)|*.ext||" as the file formats give it
  std::string default_extension;  // added to a name typed without one
  std::string initial_path;       // folder and name shown first
};

class Chooser {
 public:
  virtual ~Chooser() = default;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> ChooseFile(const FileChoice& choice) = 0;
};

// Answers from a queue (nothing = cancel); records every request.
class ScriptedChooser : public Chooser {
 public:
  void Queue(std::optional<std::string> answer) { answers_.push_back(std::move(answer)); }
  std::optional<std::string> ChooseFile(const FileChoice& choice) override {
    requests_.push_back(choice);
    if (answers_.empty()) return std::nullopt;
    auto answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  const std::vector<FileChoice>& requests() const { return requests_; }
  bool has_answers() const { return !answers_.empty(); }

 private:
  std::deque<std::optional<std::string>> answers_;
  std::vector<FileChoice> requests_;
};

}  // namespace corvane
