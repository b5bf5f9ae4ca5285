#pragma once
// The twelve members of the dia data file that carry the compiled map: their
// names and header keys, writing each as text and reading it back for any
// data version, with every record number, count and reference checked so
// that a foreign or damaged member is refused with the member and line named
// instead of reaching past a table.

#include <string>
#include <string_view>
#include <vector>

#include "data/system_map.h"

namespace corvane {

enum class SystemMember {
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
};

struct SystemMemberInfo {
  SystemMember member;
  const char* key;   // key of the header's "[ファイル]" section
  const char* file;  // member name written ("rail.csv")
  int since;         // first data version holding the member (0: all)
};

// The members in the order they are written.
const std::vector<SystemMemberInfo>& SystemMembers();

// The text of one member as version 1220 writes it.
std::string FormatSystemMember(const SystemMap& map, SystemMember member);

// Reads one member of data `version` into `map`, whose tables are sized
// already (point2 after point1, signal after signal_set); a member the
// version lacks reads as an empty one, whatever `text` holds. Record 0 of a
// table holds no data (all zeros, empty texts) but in `row`, and records no
// row fills are empty records. False with
// `*problem` naming the line and what is wrong; the table may then hold part
// of the member.
bool ReadSystemMember(SystemMember member, std::string_view text, int version, SystemMap& map,
                      std::string* problem);

// After every member is read: the references between the tables (rails to
// stations, targets, pieces and other rails; pieces to rails; points and
// their routes to rails; drawings to stations) name records that exist. False with
// `*problem` naming the first that does not; run-time fields are cleared and
// the platform track lists built.
bool FinishSystemMap(SystemMap& map, int version, std::string* problem);

}  // namespace corvane
