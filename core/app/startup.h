#pragma once
// Finding (or creating) the data folder at process start, choosing the
// display language and preparing the data folder's sub-folders.

#include <string>

#include "app/data_folder.h"
#include "app/environment.h"

namespace corvane {

// Finds the data folder through the Path file and the per-user value,
// creating a new "Corvane"/"CorvaneNN" folder in the documents folder when
// this is the first start of an installed program. Reads the Path file's
// table and chooses the language. A data folder that cannot be made leaves
// `path` empty; the first tick reports it.
DataFolder FindDataFolder(Environment& env);

// Uses `folder` as the data folder for this run: its Path file is
// "Path.ini" inside it, written with the folder's table when it has none.
// `folder` is created when missing. False with `error` (UTF-8) when that
// fails.
bool UseDataFolder(const std::string& folder, Environment& env, DataFolder* data_folder,
                   std::string* error);

// English or Japanese: the locale decides, then "Language.ini" in the data
// folder ("Japanese" wins over "English").
bool ChooseEnglish(const Environment& env, const std::string& data_folder);

// When the data folder exists: creates every missing slot folder and copies
// the program's system data into the new ones without overwriting anything.
void PrepareDataFolder(const DataFolder& data_folder, const Environment& env);

}  // namespace corvane
