#pragma once
// The output a command line names: never one of the command's inputs, and
// always of a kind the command writes, checked before anything is read or
// written.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "base/prompter.h"

namespace corvane {

// True when `output` may be written by a command that reads `inputs` and
// writes files ending in one of `extensions` (without the dot, letter case
// ignored). Otherwise reports why through `prompter` and returns false:
// `output` is one of `inputs` (also through another path or a link), or its
// extension is none of `extensions`.
bool OutputPathAllowed(const std::string& output, std::initializer_list<std::string_view> inputs,
                       std::span<const std::string_view> extensions, Prompter& prompter);

}  // namespace corvane
