#include "app/environment.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "base/file_io.h"
#include "support/test_support.h"

namespace corvane {
namespace {

using testing::ScratchFolder;

// Changes environment variables for one test and puts them back afterwards.
class ScopedEnvironment {
 public:
  ~ScopedEnvironment() {
    for (const auto& [name, value] : saved_) {
      if (value) {
        ::setenv(name.c_str(), value->c_str(), 1);
      } else {
        ::unsetenv(name.c_str());
      }
    }
  }
  void Set(const std::string& name, const std::string& value) {
    Save(name);
    ::setenv(name.c_str(), value.c_str(), 1);
  }
  void Unset(const std::string& name) {
    Save(name);
    ::unsetenv(name.c_str());
  }

 private:
  void Save(const std::string& name) {
    if (saved_.count(name)) return;
    const char* value = std::getenv(name.c_str());
    saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
  }
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST(EnvironmentTest, LocaleNames) {
  for (const char* name : {"en_US.UTF-8", "en_GB", "en", "en.UTF-8", "en@quot"}) {
    EXPECT_TRUE(LocaleNameIsEnglish(name)) << name;
  }
  for (const char* name : {"", "e", "C", "C.UTF-8", "POSIX", "ja_JP.UTF-8", "eo", "english"}) {
    EXPECT_FALSE(LocaleNameIsEnglish(name)) << name;
  }
}

TEST(EnvironmentTest, FirstSetLocaleVariableDecides) {
  ScopedEnvironment variables;
  variables.Set("LC_ALL", "");  // set but empty counts as unset
  variables.Set("LC_MESSAGES", "en_US.UTF-8");
  variables.Set("LANG", "ja_JP.UTF-8");
  EXPECT_TRUE(SystemEnvironment().LocaleIsEnglish());
  variables.Set("LC_ALL", "ja_JP.UTF-8");
  EXPECT_FALSE(SystemEnvironment().LocaleIsEnglish());
  variables.Unset("LC_ALL");
  variables.Unset("LC_MESSAGES");
  EXPECT_FALSE(SystemEnvironment().LocaleIsEnglish());
  variables.Unset("LANG");
  EXPECT_FALSE(SystemEnvironment().LocaleIsEnglish());
}

TEST(EnvironmentTest, XdgUserFolders) {
  ScratchFolder scratch;
  const std::string home = scratch.path() + "home";
  const std::string config = scratch.path() + "config";
  std::filesystem::create_directories(config);
  ScopedEnvironment variables;
  variables.Set("HOME", home + "/");
  variables.Set("XDG_CONFIG_HOME", config);
  for (const char* key : {"XDG_DOCUMENTS_DIR", "XDG_DESKTOP_DIR", "XDG_MUSIC_DIR"}) {
    variables.Unset(key);
  }

  // Without user-dirs.dirs: the usual names under the home folder.
  EXPECT_EQ(XdgUserFolder("XDG_DOCUMENTS_DIR", "Documents"), home + "/Documents");

  ASSERT_TRUE(WriteFileBytes(config + "/user-dirs.dirs",
                             "# written by xdg-user-dirs-update\n"
                             "XDG_DESKTOP_DIR=\"$HOME/\"\n"
                             "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
                             "XDG_MUSIC_DIR=\"/srv/music/\"\n"));
  EXPECT_EQ(XdgUserFolder("XDG_DOCUMENTS_DIR", "Documents"), home + "/Dokumente");
  EXPECT_EQ(XdgUserFolder("XDG_MUSIC_DIR", "Music"), "/srv/music");
  // An entry pointing at the home folder itself is disabled.
  EXPECT_EQ(XdgUserFolder("XDG_DESKTOP_DIR", "Desktop"), home + "/Desktop");
  EXPECT_EQ(XdgUserFolder("XDG_VIDEOS_DIR", "Videos"), home + "/Videos");
}

TEST(EnvironmentTest, DataPathInfoLivesInTheUserConfigFolder) {
  ScratchFolder scratch;
  ScopedEnvironment variables;
  variables.Set("XDG_CONFIG_HOME", scratch.path() + "config");
  SystemEnvironment env;
  EXPECT_FALSE(env.DataPathInfo());
  // The folder is made on the first write.
  ASSERT_TRUE(env.SetDataPathInfo("/home/u/Documents/Corvane/Path.ini"));
  EXPECT_TRUE(FileExists(scratch.path() + "config/corvane/registry.ini"));
  EXPECT_EQ(SystemEnvironment().DataPathInfo(), "/home/u/Documents/Corvane/Path.ini");
}

}  // namespace
}  // namespace corvane
