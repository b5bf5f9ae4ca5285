// corvane-cli: the headless commands of Corvane.

#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/message_log.h"
#include "app/program_folder.h"
#include "base/chooser.h"
#include "base/prompter.h"
#include "editor/edit_map.h"
#include "mapfile/map_document.h"
#include "mapfile/map_summary.h"
#include "mapfile/packed_bundle.h"

namespace corvane {
namespace {

constexpr const char kUsage[] =
    "Usage: corvane-cli [options] COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  pack TEXT BUNDLE            pack a bundle text into its stored form\n"
    "  unpack BUNDLE TEXT          unpack a stored bundle into its text\n"
    "  map info MAP.kvm            print a map's header and the size of every table\n"
    "  map resave IN.kvm OUT.kvm   read a map file of any version, write it in the current one\n"
    "  map new OUT.kvm             write a new, empty map with the default signal types\n"
    "\n"
    "Options:\n"
    "  --yes       answer Yes to questions (the default answer is the one that changes nothing)\n"
    "  --ignore    answer Ignore to read warnings and go on (the default is Abort)\n"
    "  --help      show this help\n"
    "\n"
    "Messages are printed to standard error as \"caption: text\". The exit status is 0 on\n"
    "success, 1 when a command fails and 2 for a wrong command line.\n";

int UsageError(const char* what) {
  std::fprintf(stderr, "corvane-cli: %s\n\n%s", what, kUsage);
  return 2;
}

// A private scratch folder for one run, removed at exit.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "corvane-cli-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern + "/";
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The map file commands on one map, with no dialogs.
struct MapSession {
  explicit MapSession(Prompter& prompter)
      : document(map, Folders(), prompter, chooser, log) {}

  MapFolders Folders() const {
    MapFolders folders;
    folders.temp = scratch.path();
    folders.map_data = scratch.path();
    folders.old_map = OldMapFolder(ProgramFolder());
    return folders;
  }

  ScratchFolder scratch;
  EditMap map;
  ScriptedChooser chooser;  // never asked: paths come from the command line
  MessageLog log;
  MapDocument document;
};

int MapCommand(const std::vector<std::string>& args, Prompter& prompter) {
  if (args.empty()) return UsageError("map: a subcommand is missing");
  const std::string& sub = args[0];
  MapSession session(prompter);
  if (session.scratch.path().empty()) {
    std::fprintf(stderr, "corvane-cli: cannot create a scratch folder\n");
    return 1;
  }
  if (sub == "info" && args.size() == 2) {
    if (session.document.OpenPath(args[1]) != OpenOutcome::kOpened) return 1;
    std::printf("file: %s\n%s", args[1].c_str(), DescribeMap(session.map).c_str());
    return 0;
  }
  if (sub == "resave" && args.size() == 3) {
    if (session.document.OpenPath(args[1]) != OpenOutcome::kOpened) return 1;
    return session.document.SaveAsPath(args[2]) ? 0 : 1;
  }
  if (sub == "new" && args.size() == 2) {
    if (!session.document.NewMap()) return 1;
    return session.document.SaveAsPath(args[1]) ? 0 : 1;
  }
  return UsageError("map: unknown subcommand or wrong number of arguments");
}

int Run(int argc, char** argv) {
  ConsolePrompter::Policy policy;
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--yes") {
      policy.answer_yes = true;
    } else if (arg == "--ignore") {
      policy.answer_ignore = true;
    } else if (arg.size() > 2 && arg.substr(0, 2) == "--") {
      return UsageError(("unknown option " + std::string(arg)).c_str());
    } else {
      args.emplace_back(arg);
    }
  }
  if (args.empty()) return UsageError("a command is missing");
  ConsolePrompter prompter(policy);
  const std::string command = args.front();
  args.erase(args.begin());
  if (command == "pack" && args.size() == 2) {
    return PackBundle(args[0], args[1], prompter) ? 0 : 1;
  }
  if (command == "unpack" && args.size() == 2) {
    return UnpackBundle(args[0], args[1], prompter) ? 0 : 1;
  }
  if (command == "map") return MapCommand(args, prompter);
  return UsageError("unknown command or wrong number of arguments");
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) { return corvane::Run(argc, argv); }
