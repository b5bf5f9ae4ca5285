#pragma once
// The timetable side of a dia data file: the series it uses, trains,
// trainsets, train runs with their stop events, run patterns, train types,
// modes, speed types with their running times, standard stop times,
// passenger demand, interlocking levers and buttons, the five disturbance
// tables and the sound and announcement settings.

#include <array>
#include <optional>
#include <vector>

#include "base/fixed_text.h"
#include "base/table.h"
#include "stock/series.h"

namespace corvane {

// Data version this program writes.
inline constexpr int kDiaVersion = 1220;

using MidText = FixedText<64>;

struct TrainRecord {
  int value1 = 0;
  int rail = 0;
  int value3 = 0;
  LongText name;
  friend bool operator==(const TrainRecord&, const TrainRecord&) = default;
};

// One trainset (編成).
struct UnitRecord {
  int diagram = 0;
  int train = 0;
  int value3 = 0;
  int value4 = 0;
  int series = 0;
  LongText name;
  friend bool operator==(const UnitRecord&, const UnitRecord&) = default;
};

enum StopEventKind : int { kEventEnd = 0, kEventDeparture = 1, kEventArrival = 2, kEventPass = 3 };
// Events of this kind live only while the dia runs and are never saved.
inline constexpr int kEventNotSaved = 13;

struct StopEvent {
  int rail = 0;
  int time = 0;  // seconds since midnight
  int kind = kEventEnd;
  friend bool operator==(const StopEvent&, const StopEvent&) = default;
};

inline constexpr int kDiagramValues = 17;

// One train run; direction 0 marks an empty record.
struct DiagramRecord {
  int direction = 0;  // 1 up, 2 down
  // The first is the destination target, the fifth a link to another run,
  // the seventh the train type. Data older than the columns of the twelfth
  // and thirteenth implies 1 for them.
  std::array<int, kDiagramValues> values{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0};
  ShortText text1;
  ShortText destination;  // abbreviated name of the destination target
  MidText text3;
  LongText text4;
  int run_state = 0;              // not stored; negative with an eighth value of 0: not saved
  std::vector<StopEvent> events;  // ends with a kEventEnd entry

  bool Saved() const { return direction != 0 && !(values[7] == 0 && run_state < 0); }
  friend bool operator==(const DiagramRecord&, const DiagramRecord&) = default;
};

struct PatternRecord {
  int diagram = 0;
  int value2 = 0;
  int value3 = 0, value4 = 0;
  ShortText short_name;
  LongText name;
  friend bool operator==(const PatternRecord&, const PatternRecord&) = default;
};

// A train type (列車種別).
struct TrainTypeRecord {
  int kind = 0;  // 1 passenger service
  int line_style = 0;
  int line_width = 0;
  int red = 0, green = 0, blue = 0;
  ShortText one_char_name;
  ShortText short_name;
  LongText name;
  ShortText name4, name5;
  friend bool operator==(const TrainTypeRecord&, const TrainTypeRecord&) = default;
};

struct ModeRecord {
  int value1 = 0, value2 = 0;
  LongText name;
  friend bool operator==(const ModeRecord&, const ModeRecord&) = default;
};

struct RunTimeEntry {
  int from_target = 0;
  int to_target = 0;
  int time = 0;  // seconds
  int kind = 0;  // never 0: 0 ends the list in the member
  friend bool operator==(const RunTimeEntry&, const RunTimeEntry&) = default;
};

// A speed type (速度種別) with its running times.
struct SpeedTypeRecord {
  int series = 0;  // series the times were measured with
  int value2 = 0;
  ShortText short_name;
  LongText name;
  std::vector<RunTimeEntry> run_times;
  friend bool operator==(const SpeedTypeRecord&, const SpeedTypeRecord&) = default;
};

struct StopTimeEntry {
  int target = 0, rail = 0, kind = 0;
  int seconds = 0;
  int train_type = 0, speed_type = 0;
  friend bool operator==(const StopTimeEntry&, const StopTimeEntry&) = default;
};

struct DemandEntry {
  int from = 0, to = 0;  // never 0: 0 ends the list in the member
  int count = 0;
  int time = 0;
  friend bool operator==(const DemandEntry&, const DemandEntry&) = default;
};

inline constexpr int kLeverValues = 13;
inline constexpr int kButtonValues = 7;

// The columns of a lever record's values.
enum LeverValue : int {
  kLeverMode = 0,  // 0 manual, 1 reset, 2 demand
  kLeverNormalRoute = 1,
  kLeverCurrentRoute = 2,
  kLeverFlag = 3,
  kLeverDirection = 4,
  kLeverMain = 5,
  kLeverRow = 6,  // the lever's place on the board: display row, x, y
  kLeverX = 7,
  kLeverY = 8,
  kLeverHasSignalButton = 9,
  kSignalButtonRow = 10,  // its signal button's place
  kSignalButtonX = 11,
  kSignalButtonY = 12,
};

// The columns of a route button record's values.
enum ButtonValue : int {
  kButtonRouteFrom = 0,  // the lever whose route ends here, 0 none
  kButtonFlag = 1,
  kButtonDirection = 2,
  kButtonMain = 3,
  kButtonRow = 4,  // its place on the board: display row, x, y
  kButtonX = 5,
  kButtonY = 6,
};

struct LeverRecord {
  std::array<int, kLeverValues> values{};
  int newer_value = 0;  // the column newer data holds after the second; not written
  friend bool operator==(const LeverRecord&, const LeverRecord&) = default;
};

struct ButtonRecord {
  std::array<int, kButtonValues> values{};
  friend bool operator==(const ButtonRecord&, const ButtonRecord&) = default;
};

enum class AccidentKind { kBetween, kRail, kPoint, kUnit, kStation };
inline constexpr int kAccidentKinds = 5;
inline constexpr int kAccidentTexts = 5;

// A disturbance (運転支障): its own integers (3 to 6 by kind), its timing
// block, and five texts that exist only once one was set.
struct AccidentRecord {
  std::array<int, 6> values{};
  std::array<int, 4> timing{};
  int timing_copy = 0;  // the station kind writes the block's first integer once more
  std::optional<std::array<LongText, kAccidentTexts>> texts;
  friend bool operator==(const AccidentRecord&, const AccidentRecord&) = default;
};

// Common door sounds of "sound.ini".
struct DoorSounds {
  LongText open{"open.wav"};
  LongText close{"close.wav"};
  friend bool operator==(const DoorSounds&, const DoorSounds&) = default;
};

// The on-board announcement files of "crew_msg.ini": every key of every
// section, in the order of CrewMessageKeys().
inline constexpr int kCrewMessageKeys = 52;
using CrewMessages = std::array<LongText, kCrewMessageKeys>;

struct CrewMessageSection {
  const char* name;  // UTF-8
  std::vector<const char*> keys;
};
const std::vector<CrewMessageSection>& CrewMessageSections();

// Capacities from the dia header; tables hold records 1..capacity.
struct DiaCounts {
  int trains = 255;
  int units = 1023;
  int diagrams = 8195;
  int levers = 0;
  int buttons = 0;
  std::array<int, kAccidentKinds> accidents{};
};

inline constexpr int kMaxTrainTypes = 127;
// Tables the header gives no size: room enough for any timetable.
inline constexpr int kMaxPatterns = 65535;
inline constexpr int kMaxModes = 1023;
inline constexpr int kMaxSpeedTypes = 1023;

struct DiaData {
  DiaData() : DiaData(DiaCounts{}) {}
  explicit DiaData(const DiaCounts& counts);

  Table<SeriesRecord> series{kMaxSeries};
  Table<TrainRecord> trains;
  Table<UnitRecord> units;
  Table<DiagramRecord> diagrams;
  Table<PatternRecord> patterns{kMaxPatterns};
  Table<TrainTypeRecord> train_types{kMaxTrainTypes};
  Table<ModeRecord> modes{kMaxModes};
  Table<SpeedTypeRecord> speed_types{kMaxSpeedTypes};
  std::vector<StopTimeEntry> stop_times;
  std::vector<DemandEntry> demand;
  Table<LeverRecord> levers;
  Table<ButtonRecord> buttons;
  std::array<Table<AccidentRecord>, kAccidentKinds> accidents;
  DoorSounds door_sounds;
  CrewMessages crew_messages;

  // The counts the header keeps: the highest record number written of each
  // table ("Diagram": of the runs that are written).
  DiaCounts Counts() const;
};

}  // namespace corvane
