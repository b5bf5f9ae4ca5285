// Opening and saving dia data as large as the compile can make it, with a
// timetable of 2,000 trains: formatting the bundle text, packing, unpacking,
// splitting and reading every member. The open is
// also timed against a plain read of the same unpacked bytes in the same run
// (counter "vs_plain_read": how many times longer reading takes).

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <string>

#include "base/file_io.h"
#include "base/prompter.h"
#include "data/dia_file.h"
#include "example_dia.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"

namespace corvane {
namespace {

constexpr int kTrains = 2000;

const DiaFile& LargeFile() {
  static const DiaFile file = LargeDiaFile(kTrains);
  return file;
}

// A scratch folder with the large file saved packed and as text.
struct Files {
  Files() : folder(std::filesystem::temp_directory_path().string(), "corvane-bench-") {
    temp = folder.path() + "temp/";
    std::filesystem::create_directories(temp);
    packed = folder.path() + "large.kvb";
    text = folder.path() + "large.kvp";
    ScriptedPrompter prompter;
    SaveDiaPath(LargeFile(), packed, prompter);
    SaveDiaPath(LargeFile(), text, prompter);
  }
  TemporaryFolder folder;
  std::string temp, packed, text;
};

const Files& SavedFiles() {
  static const Files files;
  return files;
}

void BM_FormatDiaText(benchmark::State& state) {
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::string text = FormatDiaText(LargeFile(), false);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}
BENCHMARK(BM_FormatDiaText)->Unit(benchmark::kMillisecond);

void BM_SaveDia(benchmark::State& state) {
  const Files& files = SavedFiles();
  ScriptedPrompter prompter;
  for (auto _ : state) {
    if (!SaveDiaPath(LargeFile(), files.folder.path() + "saved.kvb", prompter)) {
      state.SkipWithError("the dia data could not be saved");
    }
  }
}
BENCHMARK(BM_SaveDia)->Unit(benchmark::kMillisecond);

// Reading only: every member from the split text in memory.
void BM_ReadDiaMembers(benchmark::State& state) {
  const std::string text = FormatDiaText(LargeFile(), false);
  const auto members = SplitBundleText(text);
  BundleTableSource source(*members);
  for (auto _ : state) {
    DiaFile read;
    ScriptedPrompter prompter;
    if (ReadDiaFromHeader(members->front().content, kDiaHeaderMember, source, prompter, read) !=
        DiaReadResult::kRead) {
      state.SkipWithError("the dia data could not be read");
    }
    benchmark::DoNotOptimize(read.dia.diagrams.count());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadDiaMembers)->Unit(benchmark::kMillisecond);

// The whole open as the main window does it, and a plain read of the same
// unpacked text beside it.
void BM_OpenDia(benchmark::State& state) {
  const Files& files = SavedFiles();
  const std::size_t bytes = ReadFileBytes(files.text)->size();
  std::chrono::duration<double> open_time{0};
  std::chrono::duration<double> plain_time{0};
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    DiaFile read;
    ScriptedPrompter prompter;
    if (OpenDiaFile(files.packed, files.temp, prompter, read) != DiaReadResult::kRead) {
      state.SkipWithError("the dia data could not be opened");
    }
    const auto opened = std::chrono::steady_clock::now();
    const auto plain = ReadFileBytes(files.text);
    benchmark::DoNotOptimize(plain->data());
    const auto done = std::chrono::steady_clock::now();
    open_time += opened - start;
    plain_time += done - opened;
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.counters["open_MB_per_s"] = static_cast<double>(bytes) *
                                    static_cast<double>(state.iterations()) / 1e6 /
                                    open_time.count();
  state.counters["vs_plain_read"] = open_time.count() / plain_time.count();
}
BENCHMARK(BM_OpenDia)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
