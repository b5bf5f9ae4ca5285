#include "run/name_tables.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/file_messages.h"
#include "base/member_text.h"
#include "base/text_format.h"

namespace corvane {

namespace {

// One row of a name table: its key and up to three further columns
// (Shift-JIS, each as long as a piece may be).
struct NameRow {
  std::array<std::string, 4> columns;
  const std::string& key() const { return columns[0]; }
};

std::vector<NameRow> ReadNameTable(const std::string& path, Prompter& prompter) {
  std::vector<NameRow> rows;
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) {
    prompter.Error(FillIn(kCannotOpenForRead, {path}), kReadErrorCaption);
    return rows;
  }
  MemberLine line;
  std::string_view rest = *bytes;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    line.Assign(rest.substr(0, end));
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    NameRow row;
    for (int c = 0; c < 4; ++c) row.columns[static_cast<std::size_t>(c)] = line.Text(c);
    rows.push_back(std::move(row));
  }
  return rows;
}

const NameRow* RowKeyed(const std::vector<NameRow>& rows, std::string_view key) {
  for (const NameRow& row : rows) {
    if (row.key() == key) return &row;
  }
  return nullptr;
}

// The rows of the target table by the full names of the targets that have
// one (the names as they stand before the targets are renamed).
using NamedTargets = std::map<std::string, const NameRow*, std::less<>>;

// The name a rail takes: `name` is a target's name, or two joined by one of
// the arrows, followed by a suffix key; none when it is neither.
std::optional<std::pair<std::string, std::string>> RailNames(std::string_view name,
                                                             const std::vector<NameRow>& suffixes,
                                                             const NamedTargets& targets) {
  static const std::array<std::pair<std::string, const char*>, 3> kJoins = {
      {{Utf8ToSjis("←"), "<-"}, {Utf8ToSjis("→"), "->"}, {Utf8ToSjis("＝"), "=="}}};
  for (const NameRow& suffix : suffixes) {
    if (!name.ends_with(suffix.key())) continue;
    const std::string_view stem = name.substr(0, name.size() - suffix.key().size());
    if (const auto target = targets.find(stem); target != targets.end()) {
      const NameRow& row = *target->second;
      return std::pair{row.columns[2] + suffix.columns[2], row.columns[2] + suffix.columns[1]};
    }
    for (const auto& [sign, ascii] : kJoins) {
      for (std::size_t at = stem.find(sign); at != std::string_view::npos;
           at = stem.find(sign, at + 1)) {
        const auto a = targets.find(stem.substr(0, at));
        const auto b = targets.find(stem.substr(at + sign.size()));
        if (a == targets.end() || b == targets.end()) continue;
        const NameRow& ra = *a->second;
        const NameRow& rb = *b->second;
        return std::pair{ra.columns[2] + ascii + rb.columns[2] + suffix.columns[2],
                         ra.columns[1] + ascii + rb.columns[1] + suffix.columns[1]};
      }
    }
  }
  return std::nullopt;
}

void RenameRails(DiaChange& change, const std::vector<NameRow>& suffixes,
                 const NamedTargets& targets) {
  if (suffixes.empty() || targets.empty()) return;
  const Table<RailRecord>& rails = change.model().map().rails;
  for (int r = 1; r <= rails.count(); ++r) {
    if (const auto names = RailNames(rails[r].name.view(), suffixes, targets)) {
      RailRecord& rail = change.rails()[r];
      rail.name = LongText(names->first);
      rail.short_name = ShortText(names->second);
    }
  }
}

}  // namespace

void RenameFromNameTables(DiaChange& change, const std::string& folder, Prompter& prompter) {
  std::array<std::vector<NameRow>, std::size(kNameTableFiles)> tables;
  for (std::size_t t = 0; t < tables.size(); ++t) {
    tables[t] = ReadNameTable(folder + kNameTableFiles[t], prompter);
  }
  const auto& [target_rows, suffix_rows, type_rows, set_rows, image_rows] = tables;
  const DiaModel& model = change.model();

  for (int n = 1; n <= model.dia().train_types.count(); ++n) {
    if (const NameRow* row = RowKeyed(type_rows, model.dia().train_types[n].name.view())) {
      TrainTypeRecord& type = change.train_types()[n];
      type.one_char_name = ShortText(row->columns[1]);
      type.short_name = ShortText(row->columns[2]);
      type.name = LongText(row->columns[3]);
    }
  }
  for (int n = 1; n <= model.map().signal_sets.count(); ++n) {
    if (const NameRow* row = RowKeyed(set_rows, model.map().signal_sets[n].name.view())) {
      MapSignalType& set = change.signal_sets()[n];
      set.name = ShortText(row->columns[1]);
      set.text2 = LongText(row->columns[2]);
    }
  }
  for (int n = 1; n <= model.map().images.count(); ++n) {
    if (const NameRow* row = RowKeyed(image_rows, model.map().images[n].name.view())) {
      change.images()[n].bitmap = LongText(row->columns[1]);
    }
  }
  // Rails by the targets' names as they stand before the targets are renamed.
  NamedTargets named;
  for (int n = 1; n <= model.map().targets.count(); ++n) {
    const std::string name = model.map().targets[n].name.str();
    if (const NameRow* row = RowKeyed(target_rows, name)) named.emplace(name, row);
  }
  RenameRails(change, suffix_rows, named);
  for (int n = 1; n <= model.map().targets.count(); ++n) {
    if (const NameRow* row = RowKeyed(target_rows, model.map().targets[n].name.view())) {
      TargetRecord& target = change.targets()[n];
      target.one_char_name = ShortText(row->columns[1]);
      target.short_name = ShortText(row->columns[2]);
      target.name = LongText(row->columns[3]);
    }
  }
  for (int n = 1; n <= model.map().stations.count(); ++n) {
    if (const NameRow* row = RowKeyed(target_rows, model.map().stations[n].name.view())) {
      StationRecord& station = change.stations()[n];
      station.one_char_name = ShortText(row->columns[1]);
      station.short_name = ShortText(row->columns[2]);
      station.name = LongText(row->columns[3]);
    }
  }
  const Table<TargetRecord>& targets = model.map().targets;
  for (int n = 1; n <= model.dia().diagrams.count(); ++n) {
    const DiagramRecord& diagram = model.dia().diagrams[n];
    const int target = diagram.values[0];
    if (diagram.direction == 0 || !targets.Contains(target)) continue;
    if (diagram.destination != targets[target].short_name.view()) {
      change.diagrams()[n].destination = ShortText(targets[target].short_name.view());
    }
  }
}

}  // namespace corvane
