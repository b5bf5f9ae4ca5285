#pragma once
// The editing tools of the map edit window. Exactly one is active at a time;
// every left click on the grid goes to it. The numbers are the ones the
// window has always used (editing scripts choose tools by them), so gaps are
// deliberate; what each tool does and draws is its description in
// edit_tool.h.

namespace corvane {

enum class EditMode : int {
  kNone = 0,  // no tool, e.g. after cancelling a tool's dialog

  // Placing objects.
  kTrack = 2,            // track segments; the direction is a separate tool value
  kTurnout = 3,          // points with a joint and branches
  kCrossing = 4,         // crossings from four corners; clicking one changes its kind
  kStation = 5,          // segments into the current station
  kStopSection = 6,      // segments into the current stop section
  kStationYard = 7,      // segments and points into the current station's yard
  kStopSectionYard = 8,  // segments and points into the current stop section's yard
  kStationDrawing = 9,   // rectangles showing the current station
  kJump = 10,
  kDelete = 11,

  // Selection and moving.
  kSelect = 12,  // individual, batch or range selection (a separate kind)
  kMove = 13,

  // Value setters: one click stores the tool's value on one object.
  kDirectionBoth = 14,
  kDirectionLeftward = 15,
  kDirectionRightward = 16,
  kSingleTrack = 17,
  kElectric = 18,
  kSignalLeftward = 19,
  kSignalRightward = 20,
  kSpeedLimit = 21,
  kPointSpeed = 22,  // branch speed limits, asked branch by branch
  kLength = 23,
  kStopLeftward = 24,   // stop-target distance for leftward running
  kStopRightward = 25,  // stop-target distance for rightward running

  // Naming.
  kManualName = 26,
  kBlockNameAuto = 27,  // full-automatic block naming
  kBlockNameSemi = 28,  // semi-automatic block naming
  kYardName = 29,
  kStationName = 30,
  kStopSectionName = 31,

  kProperty = 32,       // information dialog of a segment or point
  kStartPoint = 33,     // start of the line
  kStartDistance = 34,  // distances from the start to stations and stop sections

  // Whole rows and columns.
  kInsertRows = 39,
  kInsertColumns = 40,
  kDeleteRows = 41,
  kDeleteColumns = 42,
};

// How the selection tool picks objects.
enum class SelectionKind : int {
  kIndividual = 0,  // one object per click
  kBatch = 1,       // a segment and every segment joined to it
  kRange = 2,       // everything inside a rectangle of two clicks
};

}  // namespace corvane
