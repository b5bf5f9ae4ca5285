#pragma once
// The members of the dia data file, one handler each: the member's name and
// header key, the data version it appeared in, the "[StructSize]" key that
// sizes its table, its line in listings, how its rows are written and read
// (for a table: the numbering of its rows, the width of the number and the
// column description of its records) and which references the reader checks.
// The container writes, reads and lists a file from these handlers alone.
// The handlers of the compiled map's twelve members are described in
// system_map_file.cpp, those of the timetable in dia_tables.cpp.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/member_text.h"
#include "base/record_format.h"
#include "data/dia_data.h"
#include "data/dia_header.h"
#include "data/system_map.h"
#include "mapfile/map_file.h"
#include "mapfile/packed_bundle.h"

namespace corvane {

// Everything a dia data file carries.
struct DiaFile {
  DiaHeader header;
  SystemMap map;
  DiaData dia;
  // The text of the rollback stack member of executed data as read (a line
  // starting with "#" is stored escaped in the bundle and read back as it
  // was). Opening restores it into the loaded data; saving executed data
  // writes a fresh one (run/rollback.h).
  std::optional<std::string> stack;
  // The display windows' sections of the header: the views of the board
  // that travel with the data. They are no records of the data: commands
  // change them through the DiaModel without making the data modified.
  WindowSections windows = DefaultWindowSections();
};

// Every member, in the order written and read: the compiled map's twelve,
// then the timetable's.
enum class DiaMember {
  kRail,
  kPRail,
  kPoint1,
  kPoint2,
  kTarget,
  kStation,
  kStationDraw,
  kRow,
  kJump,
  kDetail,
  kSignalSet,
  kSignal,
  kSeries,
  kTrain,
  kUnit,
  kDiagram,
  kEvent,
  kPattern,
  kTrainType,
  kMode,
  kSpeedType,
  kRunTime,
  kStopTime,
  kPassenger,
  kLever,
  kButton,
  kAccidentBetween,
  kAccidentRail,
  kAccidentPoint,
  kAccidentUnit,
  kAccidentStation,
  kSound,
  kCrewMessage,
};
inline constexpr int kDiaMemberCount = 33;

// A reference column into the table of `member` that the reader checks: 0
// or a record the table holds ("no such <record>" when refused, or
// `problem`).
constexpr TableRef RefTo(DiaMember member, const char* problem = nullptr) {
  return {static_cast<int>(member), RefCheck::kNumber, problem};
}
// A rail link: 0, or a record the table holds, negative for a link that
// holds only with a point off its normal position ("a link to no <record>").
constexpr TableRef LinkTo(DiaMember member) {
  return {static_cast<int>(member), RefCheck::kLink, nullptr};
}
// A reference read as stored: the code that follows it checks it.
constexpr TableRef StoredRefTo(DiaMember member) {
  return {static_cast<int>(member), RefCheck::kAsStored, nullptr};
}

// A "[StructSize]" key: the capacity of a table when the file is read, and
// its count when written.
struct SizeKey {
  const char* key = nullptr;  // null: the table has no key
  int limit = 0;              // the most records a file may ask for
  int rank = 0;               // place of the key in the section
  int& (*count)(SystemMapCounts&, DiaCounts&) = nullptr;
};

struct DiaMemberInfo {
  DiaMember member = DiaMember::kRail;
  const char* file = nullptr;  // member name written ("rail.csv")
  const char* key = nullptr;   // its key in the header's "[ファイル]"
  int header_rank = 0;         // place of the key there
  int since = 0;               // first data version holding the member (0: all)
  // One record in messages and in the references into it ("rail").
  const char* record = nullptr;
  const char* listing = nullptr;  // its line in listings ("rails"; null: none)
  SizeKey size;
  // References into the table may name any record of its room, not only
  // those it holds (the tables whose room the file does not set).
  bool referable_to_room = false;

  // The describing steps, each on a copy:
  //   MemberInfo(DiaMember::kRow, "row.csv", "row", 7).Since(1010).Records("row", "rows")
  constexpr DiaMemberInfo Since(int version) const {
    DiaMemberInfo info = *this;
    info.since = version;
    return info;
  }
  constexpr DiaMemberInfo Records(const char* one, const char* listed) const {
    DiaMemberInfo info = *this;
    info.record = one;
    info.listing = listed;
    return info;
  }
  constexpr DiaMemberInfo Listed(const char* listed) const { return Records(record, listed); }
  constexpr DiaMemberInfo Sized(const SizeKey& key) const {
    DiaMemberInfo info = *this;
    info.size = key;
    return info;
  }
  constexpr DiaMemberInfo ReferableToRoom() const {
    DiaMemberInfo info = *this;
    info.referable_to_room = true;
    return info;
  }
};

// A member named `file`, whose "[ファイル]" key `key` stands at
// `header_rank` in the header.
constexpr DiaMemberInfo MemberInfo(DiaMember member, const char* file, const char* key,
                                   int header_rank) {
  DiaMemberInfo info;
  info.member = member;
  info.file = file;
  info.key = key;
  info.header_rank = header_rank;
  return info;
}

class DiaMemberHandler {
 public:
  explicit DiaMemberHandler(const DiaMemberInfo& info) : info_(info) {}
  virtual ~DiaMemberHandler() = default;
  DiaMemberHandler(const DiaMemberHandler&) = delete;
  DiaMemberHandler& operator=(const DiaMemberHandler&) = delete;

  const DiaMemberInfo& info() const { return info_; }
  // Data older than the member lacks it: it reads as an empty one.
  bool HeldBy(int version) const { return version >= info_.since; }

  // The member's text as this version writes it.
  std::string Format(const DiaFile& file) const;
  // Reads the member of data `version` into `file`, whose tables are sized
  // already; members are read in the order written (stop events after the
  // runs, running times after the speed types, "sound.ini" after the
  // stations and series). False with `*problem` naming the line and what is
  // wrong; the table may then hold part of the member.
  bool Read(std::string_view text, int version, DiaFile& file, std::string* problem) const;

  // Once every member of its part was read: the references its records
  // hold name records that exist. False with `*problem` naming the first
  // that does not ("rail 3: no such station").
  virtual bool CheckReferences(const DiaFile& file, std::string* problem) const;
  // Its records, as listings count them.
  virtual std::size_t Listed(const DiaFile& file) const;
  // The highest record number references into its table may hold.
  virtual int HighestReferable(const DiaFile& file) const;

  // Members that follow this one in the bundle and that no header key
  // names (the series' tables), and reading them back by their names.
  virtual void FormatCompanions(const DiaFile& file, std::vector<BundleMember>& out) const;
  virtual void ReadCompanions(int version, MapTableSource& source, DiaFile& file) const;

 protected:
  virtual void Write(const DiaFile& file, MemberWriter& out) const = 0;
  virtual bool ReadRows(std::string_view text, int version, DiaFile& file,
                        std::string* problem) const = 0;

 private:
  DiaMemberInfo info_;
};

// The handlers of the compiled map's members (system_map_file.cpp) and of
// the timetable's (dia_tables.cpp), each in the order written.
std::span<const DiaMemberHandler* const> CompiledMapMembers();
std::span<const DiaMemberHandler* const> TimetableMembers();
// Both parts: the handler of DiaMember m is at place m.
std::span<const DiaMemberHandler* const> DiaMembers();
const DiaMemberHandler& HandlerOf(DiaMember member);
// The handlers in the order the header's "[ファイル]" lists their keys.
const std::vector<const DiaMemberHandler*>& DiaMembersByHeaderOrder();
// The "[StructSize]" keys in their order.
const std::vector<SizeKey>& SizeKeys();

// The references of every member of `members` (CheckReferences), in order.
bool CheckReferences(std::span<const DiaMemberHandler* const> members, const DiaFile& file,
                     std::string* problem);

// "rail 3: no such station".
std::string RecordProblem(const char* record, int number, std::string_view what);

}  // namespace corvane
