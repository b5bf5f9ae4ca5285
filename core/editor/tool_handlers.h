#pragma once
// The handlers and looks of the editing tools, referred to by the tool
// descriptions. Each handler works on the session's state and changes the
// map through a MapChange of its own, one user action per call; each look
// (map_drawing.h) says what the map shows while its tool is active.

#include "editor/edit_session.h"

namespace corvane {

// The second of two clicks that give the diagonal corners of a rectangle:
// the first click waits as the pending point; corners in one row or column
// are refused. True, with the first corner, when the rectangle is given.
bool SecondCorner(EditSession& session, GridPoint p, const Refusal& refusal, GridPoint* first);

// Segments in a station or a stop section, where trains stop.
inline bool InStationOrStopSection(const MapRail& rail) {
  return rail.station != 0 || rail.target != 0;
}

// Placing (placing_tools.cpp).
void TrackClick(EditSession& session, int px, int py);
void TurnoutClick(EditSession& session, int px, int py);
void CrossingClick(EditSession& session, int px, int py);
void StationDrawingClick(EditSession& session, int px, int py);
void JumpClick(EditSession& session, int px, int py);
void DeleteClick(EditSession& session, int px, int py);
// Right clicks: end a line of clicks, drop the last crossing corner.
void ForgetPendingPoint(EditSession& session, int px, int py);
void ForgetTurnout(EditSession& session, int px, int py);
void DropCrossingCorner(EditSession& session, int px, int py);
void ForgetCrossingCorners(EditSession& session);
extern const ToolLook kTrackLook;
extern const ToolLook kTurnoutLook;
extern const ToolLook kCrossingLook;
extern const ToolLook kJumpLook;

// Stations and stop sections (station_tools.cpp).
void AskForStation(EditSession& session, int variant);
void AssignClick(EditSession& session, int px, int py);
void AskForStationAgain(EditSession& session, int px, int py);
void StationDrawingRightClick(EditSession& session, int px, int py);
extern const ToolLook kStationLook;
extern const ToolLook kStopSectionLook;
extern const ToolLook kStationYardLook;
extern const ToolLook kStopSectionYardLook;
extern const ToolLook kStationDrawingLook;

// Selecting, moving and the information dialogs (selection_tools.cpp).
void SelectClick(EditSession& session, int px, int py);
void SelectPress(EditSession& session, int px, int py);
KeyResult ClearSelectionCommand(EditSession& session);
KeyResult InvertSelectionCommand(EditSession& session);
void SelectEscape(EditSession& session);
bool MoveNeedsSelection(EditSession& session);
bool MoveArrow(EditSession& session, EditKey key, bool shift);
void MoveRelease(EditSession& session, int px, int py);
void BackToSelection(EditSession& session);
void PropertyClick(EditSession& session, int px, int py);
extern const ToolLook kSelectLook;
extern const ToolLook kMoveLook;

// Setters (setter_tools.cpp): storing the tool's value on a segment or a
// point, the dialogs that ask for it, the clicks.
void SetBothWays(EditSession& session, MapChange& change, int rail);
void SetLeftwardOnly(EditSession& session, MapChange& change, int rail);
void SetRightwardOnly(EditSession& session, MapChange& change, int rail);
void SetSingleTrack(EditSession& session, MapChange& change, int rail);
void SetRailElectric(EditSession& session, MapChange& change, int rail);
void SetPointElectric(EditSession& session, MapChange& change, int point);
void SetRailSignalLeft(EditSession& session, MapChange& change, int rail);
void SetRailSignalRight(EditSession& session, MapChange& change, int rail);
void SetPointSignalLeft(EditSession& session, MapChange& change, int point);
void SetPointSignalRight(EditSession& session, MapChange& change, int point);
void SetRailSpeed(EditSession& session, MapChange& change, int rail);
void SetPointSpeed(EditSession& session, MapChange& change, int point);
void SetRailLength(EditSession& session, MapChange& change, int rail);
void SetPointLength(EditSession& session, MapChange& change, int point);
void SetStopLeft(EditSession& session, MapChange& change, int rail);
void SetStopRight(EditSession& session, MapChange& change, int rail);
void SetRailNames(EditSession& session, MapChange& change, int rail);
// Naming clicks: manual texts, the automatic block, yard, station and stop
// section names.
void ManualNameClick(EditSession& session, int px, int py);
void BlockNameAutoClick(EditSession& session, int px, int py);
void BlockNameSemiClick(EditSession& session, int px, int py);
void YardNameClick(EditSession& session, int px, int py);
void StationNameClick(EditSession& session, int px, int py);
void StopSectionNameClick(EditSession& session, int px, int py);
void SetPointNames(EditSession& session, MapChange& change, int point);
bool AskForElectric(EditSession& session);
bool AskForSignalType(EditSession& session);
bool AskForSpeed(EditSession& session);
bool AskForDistance(EditSession& session);
void SetterClick(EditSession& session, int px, int py);
void AskForValueAgain(EditSession& session, int px, int py);
void ClearSingleTrack(EditSession& session, int px, int py);
void PointSpeedClick(EditSession& session, int px, int py);
extern const ToolLook kDirectionBothLook;
extern const ToolLook kDirectionLeftwardLook;
extern const ToolLook kDirectionRightwardLook;
extern const ToolLook kSingleTrackLook;
extern const ToolLook kElectricLook;
extern const ToolLook kSignalLeftwardLook;
extern const ToolLook kSignalRightwardLook;
extern const ToolLook kSpeedLimitLook;
extern const ToolLook kLengthLook;
extern const ToolLook kStopLeftwardLook;
extern const ToolLook kStopRightwardLook;

// Start point (start_tools.cpp).
void StartPointClick(EditSession& session, int px, int py);
void StartDistanceClick(EditSession& session, int px, int py);
void StartDistanceRightClick(EditSession& session, int px, int py);
KeyResult StartDistanceCommand(EditSession& session);
extern const ToolLook kStartPointLook;
extern const ToolLook kStartDistanceLook;

// Rows and columns (rows_columns.cpp).
void RowsColumnsClick(EditSession& session, int px, int py);
extern const ToolLook kRowsLook;
extern const ToolLook kColumnsLook;

// Naming (naming_tools.cpp): the dialogs that choose the texts or the
// naming-table entry before a naming tool starts; false when cancelled.
bool AskForManualNames(EditSession& session);
bool AskForBlockName(EditSession& session);
bool AskForYardName(EditSession& session);
bool AskForStationName(EditSession& session);
bool AskForStopSectionName(EditSession& session);
extern const ToolLook kManualNameLook;
extern const ToolLook kBlockNameAutoLook;
extern const ToolLook kBlockNameSemiLook;
extern const ToolLook kYardNameLook;
extern const ToolLook kStationNameLook;
extern const ToolLook kStopSectionNameLook;

}  // namespace corvane
