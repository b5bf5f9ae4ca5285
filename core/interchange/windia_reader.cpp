#include "interchange/windia_reader.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "base/encoding.h"
#include "base/member_text.h"

namespace corvane {
namespace {

enum class Section { kNone, kTitle, kStations, kLineKinds, kDown, kUp };

// The complete lines of `text`: each ends at a line feed, a carriage return
// right before it is dropped, a last line without one is left out.
std::vector<std::string_view> CompleteLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string_view::npos;
       end = text.find('\n', start)) {
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t comma = line.find(',', start);
    if (comma == std::string_view::npos) {
      fields.push_back(line.substr(start));
      return fields;
    }
    fields.push_back(line.substr(start, comma - start));
    start = comma + 1;
  }
}

std::string_view FieldAt(const std::vector<std::string_view>& fields, std::size_t i) {
  return i < fields.size() ? fields[i] : std::string_view();
}

bool Blank(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// Whether the single-byte character `letter` is one of the characters of
// `sjis` (the second byte of a two-byte character never counts).
bool HasLetter(std::string_view sjis, char letter) {
  for (std::size_t i = 0; i < sjis.size(); ++i) {
    if (IsSjisLeadByte(static_cast<unsigned char>(sjis[i]))) {
      ++i;
    } else if (sjis[i] == letter) {
      return true;
    }
  }
  return false;
}

// `sjis` without its first `count` characters.
std::string_view SkipCharacters(std::string_view sjis, int count) {
  std::size_t pos = 0;
  for (int i = 0; i < count && pos < sjis.size(); ++i) {
    pos += IsSjisLeadByte(static_cast<unsigned char>(sjis[pos])) ? 2 : 1;
  }
  return sjis.substr(std::min(pos, sjis.size()));
}

Section SectionOf(std::string_view line) {
  static const std::string kStations = Utf8ToSjis("[駅]");
  static const std::string kLineKinds = Utf8ToSjis("[線種]");
  static const std::string kDown = Utf8ToSjis("[下り]");
  static const std::string kUp = Utf8ToSjis("[上り]");
  if (line == "[WinDIA]") return Section::kTitle;
  if (line == kStations) return Section::kStations;
  if (line == kLineKinds) return Section::kLineKinds;
  if (line == kDown) return Section::kDown;
  if (line == kUp) return Section::kUp;
  return Section::kNone;
}

WindiaStation ReadStation(std::string_view line) {
  const std::vector<std::string_view> fields = Fields(line);
  const std::string_view attributes = FieldAt(fields, 0);
  WindiaStation station;
  station.scale = HasLetter(attributes, 'p') ? 3 : 2;
  if (HasLetter(attributes, 'b')) {
    station.time_display = 1;
  } else if (HasLetter(attributes, 'd')) {
    station.time_display = 2;
  } else if (HasLetter(attributes, 'u')) {
    station.time_display = 3;
  }
  station.name = std::string(FieldAt(fields, 1));
  return station;
}

void ReadLineKinds(std::string_view line, WindiaTimetable& out) {
  constexpr std::string_view kLines = "LINES=";
  if (const std::size_t at = line.find(kLines); at != std::string_view::npos) {
    std::vector<std::string_view> values = Fields(line.substr(at + kLines.size()));
    if (values.back().empty()) values.pop_back();  // nothing after the last comma
    std::vector<int> codes;
    for (std::size_t i = 0; i < values.size() && i < kWindiaTrainTypes; ++i) {
      codes.push_back(PieceToInt(values[i]));
    }
    out.line_codes = std::move(codes);
    return;
  }
  for (int n = 0; n < kWindiaTrainTypes; ++n) {
    char key[16];
    std::snprintf(key, sizeof key, "Train%02d=", n);
    const std::size_t at = line.find(key);
    if (at == std::string_view::npos) continue;
    const std::vector<std::string_view> values =
        Fields(line.substr(at + std::char_traits<char>::length(key)));
    out.type_names[static_cast<std::size_t>(n)] =
        WindiaTypeNames{std::string(FieldAt(values, 0)), std::string(FieldAt(values, 1))};
    return;
  }
}

// The events one station field gives on `rail`.
void AddFieldEvents(std::string_view field, int rail, std::vector<WindiaEvent>& events) {
  if (Blank(field)) return;
  if (field.find('-') != std::string_view::npos) {
    events.push_back({{rail, 0, kEventPass}, false});
    return;
  }
  if (const std::size_t mark = field.find('?'); mark != std::string_view::npos) {
    std::size_t first = mark;
    while (first > 0 && field[first - 1] >= '0' && field[first - 1] <= '9') --first;
    const int time = WindiaSeconds(PieceToInt(field.substr(first, mark - first)));
    events.push_back({{rail, time, kEventPass}, true});
    return;
  }
  if (const std::size_t slash = field.find('/'); slash != std::string_view::npos) {
    const std::string_view arrival = field.substr(0, slash);
    const std::string_view departure = field.substr(slash + 1);
    if (!Blank(arrival)) {
      events.push_back({{rail, WindiaSeconds(PieceToInt(arrival)), kEventArrival}, true});
    }
    if (!Blank(departure)) {
      events.push_back({{rail, WindiaSeconds(PieceToInt(departure)), kEventDeparture}, true});
    }
    return;
  }
  events.push_back({{rail, WindiaSeconds(PieceToInt(field)), kEventDeparture}, true});
}

// Reads the train of line `*at`; a station field "\" continues on the next
// line, and `*at` is left on the last line the train used.
WindiaTrain ReadTrain(const std::vector<std::string_view>& lines, std::size_t* at, bool down,
                      int station_count) {
  std::vector<std::string_view> fields = Fields(lines[*at]);
  WindiaTrain train;
  train.down = down;
  train.type = PieceToInt(FieldAt(fields, 0));
  train.number = std::string(FieldAt(fields, 1));
  train.text3 = std::string(FieldAt(fields, 2));
  train.value17 = PieceToInt(FieldAt(fields, 3));
  // One field per station in station order, whichever way the train runs;
  // its events go in running order (an up train from the last station).
  std::vector<std::vector<WindiaEvent>> at_station(static_cast<std::size_t>(station_count));
  std::size_t next = 4;
  for (int i = 0; i < station_count; ++i) {
    std::string_view field = FieldAt(fields, next);
    while (field == "\\" && *at + 1 < lines.size()) {
      ++*at;
      fields = Fields(lines[*at]);
      next = 1;
      field = FieldAt(fields, next);
    }
    if (field == "\\") field = {};  // continued past the last line
    ++next;
    const int rail = down ? 2 * (i + 1) : 2 * (i + 1) - 1;
    AddFieldEvents(field, rail, at_station[static_cast<std::size_t>(i)]);
  }
  const auto append = [&train](const std::vector<WindiaEvent>& events) {
    train.events.insert(train.events.end(), events.begin(), events.end());
  };
  if (down) {
    std::for_each(at_station.begin(), at_station.end(), append);
  } else {
    std::for_each(at_station.rbegin(), at_station.rend(), append);
  }
  return train;
}

}  // namespace

int WindiaSeconds(long long hhmm) {
  const long long seconds = hhmm / 100 * 3600 + hhmm % 100 * 60;
  return static_cast<int>(std::clamp<long long>(seconds, INT_MIN, INT_MAX));
}

bool IsWindiaText(std::string_view sjis) {
  const std::vector<std::string_view> lines = CompleteLines(sjis);
  return std::find(lines.begin(), lines.end(), "[WinDIA]") != lines.end();
}

WindiaTimetable ReadWindiaText(std::string_view sjis) {
  const std::vector<std::string_view> lines = CompleteLines(sjis);
  WindiaTimetable out;
  Section section = Section::kNone;
  for (std::size_t at = 0; at < lines.size(); ++at) {
    const std::string_view line = lines[at];
    if (line.empty()) continue;
    if (const Section next = SectionOf(line); next != Section::kNone) {
      section = next;
      continue;
    }
    switch (section) {
      case Section::kNone:
        break;
      case Section::kTitle:
        out.title = std::string(line);
        break;
      case Section::kStations:
        out.stations.push_back(ReadStation(line));
        break;
      case Section::kLineKinds:
        ReadLineKinds(line, out);
        break;
      case Section::kDown:
      case Section::kUp:
        if (line.find("\t%") != std::string_view::npos) {
          if (!out.trains.empty()) {
            const std::string_view remark = SkipCharacters(line, 2);
            out.trains.back().remark = std::string(remark.substr(0, remark.find(',')));
          }
          break;
        }
        out.trains.push_back(ReadTrain(lines, &at, section == Section::kDown,
                                       static_cast<int>(out.stations.size())));
        break;
    }
  }
  return out;
}

}  // namespace corvane
