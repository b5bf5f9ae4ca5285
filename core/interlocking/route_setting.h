#pragma once
// Routes of the relay-interlocking panel: from a route lever on a rail (the
// start point) to a route button on a rail further on in the same
// direction (the end point). Setting a route finds the rails between,
// refuses when a train or another route is in the way, throws the points
// on the way as route requests and records the route on the lever, the
// button and every track piece it covers (a run-time value: covers are
// never saved). The lever commands of the board's context menu and the
// start-point clicks live here too, so that the board and the headless
// tool do the same.

#include <string_view>
#include <vector>

#include "data/dia_file.h"
#include "interlocking/operation_report.h"
#include "run/dia_change.h"

namespace corvane {

// The control modes of a lever.
enum LeverMode : int { kLeverManual = 0, kLeverReset = 1, kLeverDemand = 2 };
inline constexpr int kLeverModes = 3;

// How the route search chooses among the ways a facing point offers: the
// rails on the point's path in its normal position first, or the rails
// whose piece is not in use first.
enum class RoutePreference : int { kNormalPath = 0, kFreeRails = 1 };

inline constexpr char kEndTaken[] =
    "指定された着点は競合する別進路（発点：%s）が設定されています。";
inline constexpr char kEndOpposed[] =
    "指定された着点は競合する対向進路（発点：%s）が設定されています。";
inline constexpr char kTrainAhead[] = "指定された区間に先行列車が在線します。";
inline constexpr char kRouteTaken[] = "指定された区間に競合する別進路が設定されています。";
inline constexpr char kTrainOpposite[] = "指定された区間に対向列車が在線します。";
inline constexpr char kRouteOpposed[] = "指定された区間に競合する対向進路が設定されています。";
inline constexpr char kRoutePointLocked[] = "ポイント%sが鎖錠中です。";
inline constexpr char kStartOpposed[] = "指定された発点は競合する対向進路が設定されています。";
inline constexpr char kTrainInRoute[] = "%s編成が進路内に存在します。";
inline constexpr char kConflictingNormalRoute[] = "この進路には競合する定位進路が存在します。";
inline constexpr char kRouteErrorCaption[] = "進路エラー";

// The lever (button) on `rail`, 0 none or a number beyond the table.
int LeverOnRail(const DiaFile& file, int rail);
int ButtonOnRail(const DiaFile& file, int rail);
// The rail carrying lever (button) `n`: the lowest rail whose lever
// (button) is `n`; 0 none.
int RailOfLever(const DiaFile& file, int lever);
int RailOfButton(const DiaFile& file, int button);
// The same for every lever (button) at once, indexed by its number.
std::vector<int> RailsOfLevers(const DiaFile& file);
std::vector<int> RailsOfButtons(const DiaFile& file);
// A lever's current route (its end button), 0 none; a button's lever, 0 none.
int CurrentRoute(const DiaFile& file, int lever);
int RouteFrom(const DiaFile& file, int button);
// The lever whose route covers `rail`'s track piece, 0 none.
int CoveringLever(const DiaFile& file, const RunState& run, int rail);

// The rails from `from` towards `to` along the next links, after `from` up
// to and including `to`; empty when there is no way that meets no other
// end button. Every way ends: a rail met twice is not searched again.
std::vector<int> SearchRoute(const DiaFile& file, const RunState& run, int from, int to,
                             RoutePreference preference);

// Sets the route from the lever on `start` to the button on `end` over
// `rails` (the rails after `start` up to `end`), or over the rails the
// search finds when `rails` is null. True when it was set. A refusal
// reports its message (with a beep) when `report_refusals`; a search that
// finds nothing is silent. Points thrown before a locked point stay thrown.
bool SetRoute(DiaChange& change, int start, int end, const std::vector<int>* rails,
              RoutePreference preference, bool report_refusals, const OperationReport& report);
// Releases lever `lever`'s route: the lever, its end button and the pieces
// it covered are free.
void ReleaseRoute(DiaChange& change, int lever);

// The first click of the panel on `rail`, which carries a lever: what it did.
enum class StartClick {
  kChosen,    // the lever is chosen as the start point
  kReleased,  // the lever's route was released
  kRefused,   // a refusal was reported
};
StartClick ClickStartLever(DiaChange& change, int rail, const OperationReport& report);

// "再構成": sets the lever's route again (the search preferring free rails).
void RebuildRoute(DiaChange& change, int lever, const OperationReport& report);
// The lever's control mode becomes `mode` (0..2).
void SetLeverMode(DiaChange& change, int lever, int mode);
// Ctrl + click on a lever: manual -> reset -> demand -> manual, with the message.
void CycleLeverMode(DiaChange& change, int lever, const OperationReport& report);
// "停車後進路設定": the route-after-stop flag is switched.
void ToggleRouteAfterStop(DiaChange& change, int lever);
// "定位設定" of a lever: its current route becomes its normal route, the
// rails it covers in its direction get it as their normal-route lever;
// refused with a message box when another lever's normal route is there.
bool SetLeverNormalRoute(DiaChange& change, int lever, const OperationReport& report);
// "てこ表示": the lever's main flag; "ボタン表示" on a signal button or an
// end button: its flag.
void ToggleLeverMain(DiaChange& change, int lever);
void ToggleSignalButton(DiaChange& change, int lever);
void ToggleButtonMain(DiaChange& change, int button);

// Opening data: every route that is not its lever's normal route is
// released (its lever, when it has a normal route, is to set it again ten
// seconds on), and every route still set covers its rails again.
void ResetRoutesOnLoading(DiaChange& change);

}  // namespace corvane
