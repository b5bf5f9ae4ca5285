// Feeds arbitrary bytes to the reader of the rollback stack text. Whatever
// it takes must write back to a text that reads again to the same bytes,
// and restore into data whose tables hold as many records as the stack
// says without leaving a value that names no record.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "base/prompter.h"
#include "data/dia_file.h"
#include "fuzz_support.h"
#include "run/dia_model.h"
#include "run/rollback.h"
#include "run/rollback_list.h"

namespace {

using namespace corvane;
using fuzzing::IgnoringPrompter;
using fuzzing::Mismatch;

// Data as large as this is enough to reach every check; larger stacks are
// only read and written.
constexpr int kMostRestoredRecords = 4000;

template <typename Record>
void Fill(Table<Record>& table, const std::vector<Record>& records) {
  const int count = records.empty() ? 0 : static_cast<int>(records.size()) - 1;
  table.Grow(count);
  for (int n = 1; n <= count; ++n) table.Store(n, records[static_cast<std::size_t>(n)]);
}

template <typename Record, typename Entry>
void FillBlank(Table<Record>& table, const std::vector<Entry>& entries) {
  const int count = entries.empty() ? 0 : static_cast<int>(entries.size()) - 1;
  table.Grow(count);
  for (int n = 1; n <= count; ++n) table.Store(n, Record{});
}

// Data whose tables hold the records of `s`.
DiaFile DataOfSize(const RollbackSnapshot& s) {
  DiaFile file;
  Fill(file.dia.diagrams, s.diagrams);
  Fill(file.dia.trains, s.trains);
  Fill(file.dia.units, s.units);
  Fill(file.map.points, s.points);
  Fill(file.dia.levers, s.levers);
  Fill(file.dia.buttons, s.buttons);
  Fill(file.map.stations, s.stations);
  FillBlank(file.map.rails, s.rails);
  FillBlank(file.map.prails, s.pieces);
  for (std::size_t k = 0; k < s.accidents.size(); ++k) Fill(file.dia.accidents[k], s.accidents[k]);
  return file;
}

int Records(const StackCounts& counts) {
  long total = 0;
  for (const int count : counts) total += count;
  return total > kMostRestoredRecords ? kMostRestoredRecords + 1 : static_cast<int>(total);
}

void CheckRestore(const RollbackSnapshot& s) {
  if (Records(s.Counts()) > kMostRestoredRecords) return;
  DiaModel model;
  model.Replace(DataOfSize(s));
  IgnoringPrompter prompter;
  if (!RestoreOnOpening(model, s, "stack.csv", prompter)) return;
  // What was restored is what a snapshot of the data gives now, and it
  // fits the data.
  std::string problem;
  const RollbackSnapshot now = TakeSnapshot(model);
  if (!SnapshotFits(model, now, &problem)) Mismatch("restored state does not fit", problem, "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  RollbackSnapshot read;
  std::string problem;
  if (!ReadStack(text, read, &problem)) {
    if (problem.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  const std::string written = WriteStack(read);
  RollbackSnapshot again;
  if (!ReadStack(written, again, &problem)) Mismatch("written stack reads back", written, problem);
  const std::string rewritten = WriteStack(again);
  if (rewritten != written) Mismatch("written stack reads back differently", written, rewritten);
  CheckRestore(again);
  return 0;
}
