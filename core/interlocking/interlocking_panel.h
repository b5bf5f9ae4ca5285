#pragma once
// The relay-interlocking panel mode of the loaded data: switching it on
// gives every station yard its route levers and buttons, generated anew
// from the rails; switching it off keeps them. Data whose yards are not
// set up for it, or whose map is too old, is refused with a message box.

#include "interlocking/operation_report.h"
#include "run/dia_model.h"

namespace corvane {

enum class PanelToggle { kRefused, kSwitchedOff, kSwitchedOn };

// The toggle of the header's use_interlocking as one user action: the
// checks (message boxes through `report`), the toggle, and when switched on
// the generation of levers and buttons followed by the question whether
// they start under demand control (Yes) or reset control (No).
PanelToggle ToggleInterlockingPanel(DiaModel& model, const OperationReport& report);

// The message boxes of the toggle's checks, their captions and the
// question asked after the generation.
inline constexpr const char* kPanelNeedsAreasText =
    "継電連動装置操作盤方式には、構内管理の有効なマップが必要です。";
inline constexpr const char* kPanelPointsOutsideYardsText =
    "このマップは構内設定が正しくできていません。\n"
    "全てのポイントが構内に含まれている必要があります。";
inline constexpr const char* kPanelAreaErrorCaption = "構内設定エラー";
inline constexpr const char* kPanelOldMapText =
    "このマップは、マップのバージョンが古いため継電連動装置操作盤方式は未対応です。";
inline constexpr const char* kPanelUnsupportedCaption = "未対応エラー";
inline constexpr const char* kPanelDemandQuestion =
    "進路制御方式を要求制御に設定します。\nよろしいですか？\n\n"
    "「はい」　：　要求制御\n「いいえ」：　復位制御";
inline constexpr const char* kPanelDemandCaption = "進路制御方式確認";

}  // namespace corvane
