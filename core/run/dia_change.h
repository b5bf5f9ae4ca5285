#pragma once
// The one way to change the loaded dia data. A DiaChange is one user action
// (a board command, a dialog's OK, a load-time repair, an import): every
// record it hands out, adds or deletes is recorded with what was there
// before, and when the outermost change of an action ends the listeners
// are told what changed (if anything did). Changes opened while another is
// open belong to the same action.
//
//   DiaChange change(model);
//   change.points()[p].normal_position = position;  // the old record is kept first
//   change.header().passengers = options;
//   change.run().points[p].failed = true;           // run-time: shown, not modified
//   if (refused) change.Cancel();                   // a refusal changes nothing
//
// Stored records that end as they were are no change: the data stays
// unmodified. Run-time values (RunState) change through the same object;
// they are restored by Cancel but never make the data modified.

#include <vector>

#include "run/dia_model.h"

namespace corvane {

template <typename Record>
class DiaTableChange {
 public:
  DiaTableChange(DiaModel& model, DiaTable table, Table<Record>& records)
      : model_(model), table_(table), records_(records) {}

  const Table<Record>& records() const { return records_; }
  int count() const { return records_.count(); }
  bool Contains(int index) const { return records_.Contains(index); }

  // Record `index` (0..count) to change in place.
  Record& operator[](int index) { return model_.Touch(table_, records_, index); }

  // Lets the table hold at least `capacity` records; what is saved follows
  // the records it holds.
  void Grow(int capacity) { records_.Grow(capacity); }
  // Appends a record: its number, or 0 when the table is full.
  int Append(const Record& record) {
    return model_.InsertRecord(table_, records_, records_.count() + 1, record) ? records_.count()
                                                                               : 0;
  }
  // Inserts a record as number `index` (1..count + 1); false when full.
  bool Insert(int index, const Record& record) {
    return model_.InsertRecord(table_, records_, index, record);
  }
  // Deletes record `index`; later records move down by one (the caller
  // renumbers what refers to them).
  void Delete(int index) { model_.DeleteRecord(table_, records_, index); }

 private:
  DiaModel& model_;
  DiaTable table_;
  Table<Record>& records_;
};

class DiaChange {
 public:
  explicit DiaChange(DiaModel& model);
  ~DiaChange();
  DiaChange(const DiaChange&) = delete;
  DiaChange& operator=(const DiaChange&) = delete;

  const DiaModel& model() const { return model_; }

  // The compiled map.
  DiaTableChange<RailRecord> rails() { return Records(DiaTable::kRail, map().rails); }
  DiaTableChange<PRailRecord> prails() { return Records(DiaTable::kPRail, map().prails); }
  DiaTableChange<PointRecord> points() { return Records(DiaTable::kPoint, map().points); }
  DiaTableChange<TargetRecord> targets() { return Records(DiaTable::kTarget, map().targets); }
  DiaTableChange<StationRecord> stations() { return Records(DiaTable::kStation, map().stations); }
  DiaTableChange<StationDrawRecord> station_draws() {
    return Records(DiaTable::kStationDraw, map().station_draws);
  }
  DiaTableChange<RowRecord> rows() { return Records(DiaTable::kRow, map().rows); }
  DiaTableChange<JumpRecord> jumps() { return Records(DiaTable::kJump, map().jumps); }
  DiaTableChange<MapSignalType> signal_sets() {
    return Records(DiaTable::kSignalSet, map().signal_sets);
  }
  DiaTableChange<SignalImageRecord> images() { return Records(DiaTable::kImage, map().images); }
  DiaTableChange<AspectColour> colours() { return Records(DiaTable::kColour, map().colours); }

  // The timetable.
  DiaTableChange<SeriesRecord> series() { return Records(DiaTable::kSeries, dia().series); }
  DiaTableChange<TrainRecord> trains() { return Records(DiaTable::kTrain, dia().trains); }
  DiaTableChange<UnitRecord> units() { return Records(DiaTable::kUnit, dia().units); }
  DiaTableChange<DiagramRecord> diagrams() { return Records(DiaTable::kDiagram, dia().diagrams); }
  DiaTableChange<PatternRecord> patterns() { return Records(DiaTable::kPattern, dia().patterns); }
  DiaTableChange<TrainTypeRecord> train_types() {
    return Records(DiaTable::kTrainType, dia().train_types);
  }
  DiaTableChange<ModeRecord> modes() { return Records(DiaTable::kMode, dia().modes); }
  DiaTableChange<SpeedTypeRecord> speed_types() {
    return Records(DiaTable::kSpeedType, dia().speed_types);
  }
  DiaTableChange<LeverRecord> levers() { return Records(DiaTable::kLever, dia().levers); }
  DiaTableChange<ButtonRecord> buttons() { return Records(DiaTable::kButton, dia().buttons); }
  DiaTableChange<AccidentRecord> accidents(AccidentKind kind) {
    return Records(AccidentTable(kind), dia().accidents[static_cast<std::size_t>(kind)]);
  }

  // Values changed as a whole: the image of the whole value is kept first.
  DiaHeader& header() { return model_.TouchWhole(DiaTable::kHeader, model_.file_.header); }
  std::vector<DetailRecord>& details() {
    return model_.TouchWhole(DiaTable::kDetails, map().details);
  }
  std::vector<StopTimeEntry>& stop_times() {
    return model_.TouchWhole(DiaTable::kStopTimes, dia().stop_times);
  }
  std::vector<DemandEntry>& demand() { return model_.TouchWhole(DiaTable::kDemand, dia().demand); }
  DoorSounds& door_sounds() { return model_.TouchWhole(DiaTable::kDoorSounds, dia().door_sounds); }
  CrewMessages& crew_messages() {
    return model_.TouchWhole(DiaTable::kCrewMessages, dia().crew_messages);
  }

  // The run-time values: shown by the windows, restored by Cancel, never a
  // modification of the data.
  RunState& run() { return model_.TouchRun(); }

  // Takes back everything the action has changed so far, run-time values
  // included: a refused action leaves the data as it was.
  void Cancel() { model_.CancelChange(); }

 private:
  template <typename Record>
  DiaTableChange<Record> Records(DiaTable table, Table<Record>& records) {
    return DiaTableChange<Record>(model_, table, records);
  }
  SystemMap& map() { return model_.file_.map; }
  DiaData& dia() { return model_.file_.dia; }

  DiaModel& model_;
};

}  // namespace corvane
