#include "base/output_path.h"

#include "base/file_io.h"
#include "base/file_messages.h"

namespace corvane {

bool OutputPathAllowed(const std::string& output, std::initializer_list<std::string_view> inputs,
                       std::span<const std::string_view> extensions, Prompter& prompter) {
  for (const std::string_view input : inputs) {
    if (SameFile(output, std::string(input))) {
      prompter.Error(FillIn(kOutputIsInput, {output, input}), kWriteErrorCaption);
      return false;
    }
  }
  const std::string extension = ExtensionOf(output);
  std::string written;
  for (const std::string_view allowed : extensions) {
    if (EqualsIgnoringCase(extension, allowed)) return true;
    if (!written.empty()) written += ' ';
    written += '.';
    written += allowed;
  }
  prompter.Error(FillIn(kOutputKindWrong, {output, written}), kWriteErrorCaption);
  return false;
}

}  // namespace corvane
