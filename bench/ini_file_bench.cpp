// Reading every key of an INI file with one large section, as "sound.ini"
// of a dia file with many stations: the lookups should grow with the size of
// the file, not with its square (state.range(0) keys).

#include <benchmark/benchmark.h>

#include <string>

#include "base/ini_file.h"

namespace corvane {
namespace {

std::string LargeSection(int keys) {
  std::string text = "[section]\n";
  for (int k = 0; k < keys; ++k)
    text += "key" + std::to_string(k) + "=v" + std::to_string(k) + "\n";
  return text;
}

void BM_ReadEveryKey(benchmark::State& state) {
  const int keys = static_cast<int>(state.range(0));
  const std::string text = LargeSection(keys);
  for (auto _ : state) {
    const IniFile ini = IniFile::Parse(text);
    std::size_t found = 0;
    for (int k = 0; k < keys; ++k)
      found += ini.GetString("section", "key" + std::to_string(k)).size();
    benchmark::DoNotOptimize(found);
  }
  state.SetComplexityN(keys);
}
BENCHMARK(BM_ReadEveryKey)->Range(1000, 100000)->Complexity()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
