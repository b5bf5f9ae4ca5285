#pragma once
// The dia data file: a packed bundle of the header member "temp.kvd", the
// twelve members of the compiled map, the timetable members and, for
// executed data, the rollback stack. Its kinds by extension, writing the
// bundle text and reading any kind back into fresh objects, all through the
// members' handlers (dia_members.h).

#include <optional>
#include <string>
#include <string_view>

#include "base/prompter.h"
#include "data/dia_members.h"
#include "mapfile/map_file.h"

namespace corvane {

inline constexpr const char kDiaHeaderMember[] = "temp.kvd";
inline constexpr const char kDiaHeaderExtension[] = "kvd";
inline constexpr const char kStackMember[] = "stack.csv";
inline constexpr int kOldestReadableDiaVersion = 1070;

enum class DiaFileKind {
  kDia,       // ".kvb": packed bundle
  kOldDia,    // ".kvp": the bundle text, not packed
  kOldest,    // ".kvd": the header alone, members beside it
  kExecuted,  // ".kve": packed bundle with the rollback stack
  kLog,       // ".kvw": packed bundle of a recorded run
};

// By the extension, without regard to case; any other extension is the
// header kind when opening, bundle text when `saving`.
DiaFileKind DiaKindOfPath(std::string_view path, bool saving = false);
bool IsPackedDiaKind(DiaFileKind kind);

// The interface language a file is read and written in picks the key of
// the display windows' font face ("FaceName" or "FaceNameEnglish").

// The whole bundle text as this version writes it; `with_stack` adds the
// stack member: `stack` when given, else the one read (empty when none).
std::string FormatDiaText(const DiaFile& file, bool with_stack, bool english = false,
                          const std::string* stack = nullptr);

enum class DiaReadResult {
  kRead,
  kFailed,  // reported
  kRetry,   // the user asked to open another file
};

// Reads the header text and every member it names through `source` into
// `out`, which is replaced only when everything was read. Reports what went
// wrong through `prompter`; `shown_header` names the header in messages. A
// rollback stack member that cannot be read is reported and the data is
// read without it.
DiaReadResult ReadDiaFromHeader(std::string_view header_text, const std::string& shown_header,
                                MapTableSource& source, Prompter& prompter, DiaFile& out,
                                bool english = false);

// Reads the header member at `header_path` and the members in its folder.
DiaReadResult ReadDiaHeader(const std::string& header_path, Prompter& prompter, DiaFile& out,
                            bool english = false);

// Opens a dia file of any kind: a bundle is unpacked and split in memory
// and read from there (messages name a member by its path in the scratch
// folder `temp_folder`, where the members of a split lie); a header file is
// read with the members beside it.
DiaReadResult OpenDiaFile(const std::string& path, const std::string& temp_folder,
                          Prompter& prompter, DiaFile& out, bool english = false);

// Saves as the kind of `path`'s extension: packed kinds packed (".kve"
// with the stack member, `stack` when given); ".kvd" as the header member
// with every other member beside it in its folder (the form a ".kvd" is read
// in); other extensions as bundle text. Each file is replaced only when it
// was written whole; failures are reported.
bool SaveDiaPath(const DiaFile& file, const std::string& path, Prompter& prompter,
                 bool english = false, const std::string* stack = nullptr);

// A listing of the header's values and every table's count (UTF-8).
std::string DescribeDia(const DiaFile& file);

}  // namespace corvane
