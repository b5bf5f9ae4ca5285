#include "board/display_window_menu.h"

#include <charconv>
#include <cstdio>

#include "board/board_commands.h"
#include "run/dia_model.h"

namespace corvane {

namespace {

// A line that sets an int option to one value.
struct ViewChoice {
  std::string id;
  int ViewSettings::*field;
  int value;
};

// A line that flips a flag.
struct ViewToggle {
  const char* id;
  bool ViewSettings::*field;
};

constexpr ViewToggle kToggles[] = {
    {kCmdTrackView, &ViewSettings::track_view},
    {kCmdRouteView, &ViewSettings::route_view},
    {kCmdBoardView, &ViewSettings::board_view},
    {kCmdFlatteryView, &ViewSettings::flattery_view},
    {kCmdToolBar, &ViewSettings::view_tool_bar},
    {kCmdSmartView, &ViewSettings::smart_view},
    {kCmdTrainIcons16, &ViewSettings::view_image16},
};

std::string Choice(const char* prefix, int value) { return prefix + std::to_string(value); }

const std::vector<ViewChoice>& Choices() {
  static const std::vector<ViewChoice> choices = [] {
    std::vector<ViewChoice> all;
    for (int v = kNoName; v <= kFullName; ++v) {
      all.push_back({Choice(kCmdViewTypePrefix, v), &ViewSettings::view_type, v});
      all.push_back({Choice(kCmdViewForPrefix, v), &ViewSettings::view_for, v});
    }
    for (int v = kAspectAndLimit; v <= kTrackCircuits; ++v) {
      all.push_back({Choice(kCmdRailViewPrefix, v), &ViewSettings::rail_view, v});
    }
    for (int v = kNoPanel; v <= kMainPanel; ++v) {
      all.push_back({Choice(kCmdInterViewPrefix, v), &ViewSettings::inter_view, v});
    }
    for (int v = kNoClock; v <= kClockBottomRight; ++v) {
      all.push_back({Choice(kCmdClockPrefix, v), &ViewSettings::clock_position, v});
    }
    return all;
  }();
  return choices;
}

MenuEntry Line(const std::string& id, const char* japanese, const char* english) {
  return CheckableCommand(id, japanese, english);
}

// The four name forms of the train type or destination lines.
std::vector<MenuEntry> NameForms(const char* prefix) {
  return {
      Line(Choice(prefix, kNoName), "なし(&N)", "None(&N)"),
      Line(Choice(prefix, kOneLetterName), "一文字名称(&I)", "One-Letter Name(&I)"),
      Line(Choice(prefix, kShortName), "略記名称(&B)", "Short Name(&B)"),
      Line(Choice(prefix, kFullName), "完全名称(&F)", "Full Name(&F)"),
  };
}

MenuEntry ViewMenu() {
  return Submenu(
      "view", "表示内容(&V)", "View(&V)",
      {
          Submenu("view.type", "列車種別表示(&T)", "Train Type(&T)", NameForms(kCmdViewTypePrefix)),
          Submenu("view.for", "行先表示(&F)", "Destination(&F)", NameForms(kCmdViewForPrefix)),
          MenuSeparator(),
          Line(kCmdTrackView, "軌道回路単位表示(&T)", "Trains by Circuit Section(&T)"),
          Submenu("view.rail", "線路表示色(&C)", "Track Section Colours(&C)",
                  {
                      Line(Choice(kCmdRailViewPrefix, kAspectAndLimit), "信号現示＋制限(&L)",
                           "Aspect and Speed Limit(&L)"),
                      Line(Choice(kCmdRailViewPrefix, kAspectOnly), "信号現示(&S)", "Aspect(&S)"),
                      Line(Choice(kCmdRailViewPrefix, kTrackCircuits), "短絡軌道回路(&T)",
                           "Occupied Circuit Sections(&T)"),
                  }),
          MenuSeparator(),
          Line(kCmdRouteView, "乗車列車進路表示(&R)", "Boarding Train's Route(&R)"),
          Line(kCmdBoardView, "列番強調表示－乗車列車(&E)", "Mark Boarding Train's Number(&E)"),
          Line(kCmdFlatteryView, "列番強調表示－追従列車(&S)", "Mark Followed Train's Number(&S)"),
          MenuSeparator(),
          Submenu("view.inter", "継電連動装置表示(&I)", "Relay Interlocking Display(&I)",
                  {
                      Line(Choice(kCmdInterViewPrefix, kNoPanel), "なし(&N)", "None(&N)"),
                      Line(Choice(kCmdInterViewPrefix, kMainPanel), "主要(&B)", "Main(&B)"),
                      Line(Choice(kCmdInterViewPrefix, kFullPanel), "完全(&F)", "Full(&F)"),
                  }),
          Submenu(
              "view.clock", "時計表示(&C)", "Clock(&C)",
              {
                  Line(Choice(kCmdClockPrefix, kNoClock), "なし(&N)", "None(&N)"),
                  Line(Choice(kCmdClockPrefix, kClockTopLeft), "左上(&1)", "Top Left(&1)"),
                  Line(Choice(kCmdClockPrefix, kClockTopRight), "右上(&2)", "Top Right(&2)"),
                  Line(Choice(kCmdClockPrefix, kClockBottomLeft), "左下(&3)", "Bottom Left(&3)"),
                  Line(Choice(kCmdClockPrefix, kClockBottomRight), "右下(&4)", "Bottom Right(&4)"),
              }),
          MenuCommand(kCmdSpeedAspect, "速度現示表示(&C)", "Speed Aspect Display(&C)"),
      });
}

// The train commands; they act on a selected train, which comes with the
// board's mouse commands.
MenuEntry CommandMenu() {
  return Submenu(
      "train", "指令(&O)", "Command(&O)",
      {
          MenuCommand("train.follow", "自動追従(&F)", "Follow(&F)"),
          MenuSeparator(),
          MenuCommand("train.hold", "抑止(&S)", "Hold(&S)"),
          MenuCommand("train.hold_at", "駅指定抑止(&H)", "Hold at Station(&H)"),
          MenuCommand("train.notice", "通知運転(&N)", "Notice Running(&N)"),
          MenuCommand("train.resume", "運転再開(&R)", "Resume Running(&R)"),
          MenuSeparator(),
          MenuCommand("train.depart", "当駅発車(&0)", "Depart Now(&0)"),
          MenuCommand("train.delay", "延発(&L)", "Delayed Departure(&L)"),
          MenuCommand("train.early", "早発(&E)", "Early Departure(&E)"),
          MenuSeparator(),
          MenuCommand("train.boarding", "乗車ウインドウ(&B)", "Boarding Window(&B)"),
          MenuCommand("train.info", "列車情報ウインドウ(&I)", "Train Information Window(&I)"),
          MenuCommand("train.timetable", "ダイヤ修正(&D)", "Timetable Change(&D)"),
          MenuCommand("train.working", "運用変更(&C)", "Working Change(&C)"),
      });
}

MenuEntry WindowMenu() {
  std::vector<MenuEntry> lines = {
      MenuCommand(kCmdNewWindow, "新規ウインドウ(&N)", "New Window(&N)"),
      MenuCommand(kCmdCloseWindow, "閉じる(&X)", "Close(&X)"),
      MenuCommand(kCmdSwitchWindow, "ウインドウ切替(&W)", "Switch Window(&W)"),
      MenuSeparator(),
  };
  for (int n = 0; n < kDisplayWindows; ++n) {
    char japanese[64];
    char english[64];
    const char key = "0123456789ABCDEF"[n];
    std::snprintf(japanese, sizeof japanese, "ウインドウ%02d(&%c)", n, key);
    std::snprintf(english, sizeof english, "Window %02d(&%c)", n, key);
    lines.push_back(CheckableCommand(WindowCommand(n), japanese, english));
  }
  return Submenu("window", "ウインドウ(&W)", "Window(&W)", std::move(lines));
}

void Enable(MenuState& state, const std::string& id, bool enabled, bool checked = false) {
  CommandState& command = state.commands[id];
  command.enabled = enabled;
  command.checked = checked;
}

}  // namespace

const std::vector<MenuEntry>& DisplayWindowMenu() {
  static const std::vector<MenuEntry> menu = {
      BoardCommandMenu(),
      ViewMenu(),
      Submenu("display", "表示設定(&S)", "Display Setting(&S)",
              {Line(kCmdToolBar, "ツールバー表示(&T)", "Toolbar(&T)")}),
      Submenu("options", "オプション(&P)", "Option(&P)",
              {
                  Line(kCmdSmartView, "簡易表示(&M)", "Simple Display(&M)"),
                  Line(kCmdTrainIcons16, "列車アイコン表示(&C)", "Train Icon Display(&C)"),
                  MenuSeparator(),
                  MenuCommand(kCmdWindowFont, "フォント設定(&F)", "Font Setting(&F)"),
              }),
      CommandMenu(),
      WindowMenu(),
  };
  return menu;
}

std::string WindowCommand(int n) {
  char id[32];
  std::snprintf(id, sizeof id, "%s%02d", kCmdWindowPrefix, n);
  return id;
}

int WindowOfCommand(std::string_view id) {
  const std::string_view prefix = kCmdWindowPrefix;
  if (id.size() != prefix.size() + 2 || id.substr(0, prefix.size()) != prefix) return -1;
  int n = -1;
  const char* digits = id.data() + prefix.size();
  const auto [end, error] = std::from_chars(digits, digits + 2, n);
  if (error != std::errc() || end != digits + 2 || n < 0 || n >= kDisplayWindows) return -1;
  return n;
}

MenuState DisplayWindowMenuState(const DisplayWindowMenuInputs& inputs) {
  MenuState state = BoardCommandMenuState(inputs.layout, inputs.layout_commands);
  const ViewSettings& view = inputs.view;
  for (const ViewChoice& choice : Choices()) {
    const bool interlocking_line = choice.field == &ViewSettings::inter_view;
    Enable(state, choice.id, !interlocking_line || inputs.interlocking,
           view.*choice.field == choice.value);
  }
  for (const ViewToggle& toggle : kToggles) Enable(state, toggle.id, true, view.*toggle.field);
  Enable(state, kCmdSpeedAspect, false);
  Enable(state, kCmdWindowFont, true);

  int open_count = 0;
  for (int n = 0; n < kDisplayWindows; ++n) {
    const bool open = inputs.open[static_cast<std::size_t>(n)];
    open_count += open ? 1 : 0;
    Enable(state, WindowCommand(n), true, open);
  }
  Enable(state, kCmdNewWindow, open_count < kDisplayWindows);
  Enable(state, kCmdCloseWindow, true);
  Enable(state, kCmdSwitchWindow, open_count > 1);
  // The train commands stay disabled: Of() answers so for ids not set.
  return state;
}

std::optional<ViewSettings> ViewAfterCommand(std::string_view id, const ViewSettings& view) {
  ViewSettings changed = view;
  for (const ViewChoice& choice : Choices()) {
    if (choice.id != id) continue;
    changed.*choice.field = choice.value;
    return changed;
  }
  for (const ViewToggle& toggle : kToggles) {
    if (toggle.id != id) continue;
    changed.*toggle.field = !(view.*toggle.field);
    return changed;
  }
  return std::nullopt;
}

bool ApplyViewCommand(DiaModel& model, int n, std::string_view id) {
  if (n < 0 || n >= kDisplayWindows) return false;
  DisplayWindowSection window = model.windows()[static_cast<std::size_t>(n)];
  if (!window.open) return false;
  const std::optional<ViewSettings> view = ViewAfterCommand(id, window.view);
  if (!view) return false;
  window.view = *view;
  model.SetDisplayWindow(n, window);
  return true;
}

}  // namespace corvane
