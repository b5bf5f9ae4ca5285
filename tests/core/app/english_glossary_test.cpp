// The English interface calls each thing by one word, the word of the
// glossary in docs/ARCHITECTURE.md: every English text of the menus, the
// dialogs, the titles, the status line and the message twins is checked
// against the words it must not use.

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app/english_twins.h"
#include "app/main_menu.h"
#include "app/station_info_dialog.h"
#include "app/stop_time_dialog.h"
#include "app/train_type_dialog.h"
#include "board/display_window_menu.h"
#include "board/line_items_dialog.h"
#include "editor/edit_session.h"
#include "editor/edit_tool.h"
#include "editor/map_edit_menu.h"
#include "editor/map_edit_title.h"
#include "editor/rail_info_dialog.h"
#include "editor/settings_dialogs.h"
#include "editor/signal_detail.h"
#include "editor/station_dialogs.h"
#include "editor/value_dialogs.h"
#include "map/map_change.h"

namespace corvane {
namespace {

void AddMenus(const std::vector<MenuEntry>& entries, std::vector<std::string>* texts) {
  for (const MenuEntry& entry : entries) {
    texts->push_back(entry.english);
    AddMenus(entry.children, texts);
  }
}

void AddDialog(const DialogModel& dialog, std::vector<std::string>* texts) {
  texts->push_back(dialog.Title(true));
  texts->push_back(dialog.ok_label().english);
  texts->push_back(dialog.cancel_label().english);
  for (const DialogField& field : dialog.fields()) {
    texts->push_back(field.label.english);
    texts->push_back(field.group.english);
  }
  for (const DialogButton& button : dialog.buttons()) texts->push_back(button.label.english);
}

// A map with a segment, a point, a station and a stop section, and every
// English text shown about it.
std::vector<std::string> EnglishTexts() {
  std::vector<std::string> texts;
  std::size_t count = 0;
  const EnglishTwin* twins = EnglishTwins(&count);
  for (std::size_t i = 0; i < count; ++i) texts.emplace_back(twins[i].english);
  AddMenus(MapEditFileMenu(), &texts);
  AddMenus(MapEditToolMenus(), &texts);
  AddMenus(MainMenu(), &texts);
  AddMenus(DisplayWindowMenu(), &texts);

  EditMap map;
  {
    MapChange change(map);
    change.rails().Append(NewRail({2, 5}, {6, 5}, kBothWays));
    change.points().Append(MapPoint{});
    change.stations().Append(MapStation{});
    change.targets().Append(MapTarget{});
    change.signal_types().Append(MapSignalType{});
  }
  ScriptedPrompter prompter;
  EditDialogs dialogs;
  EditSession session(map, prompter, dialogs);
  for (const EditTool& tool : EditTools()) {
    session.SetMode(tool.mode);
    texts.push_back(MapEditTitle("", session, true));
  }
  session.Hover(3 * kCellWidth + 5, 5 * kCellHeight + 6);
  texts.push_back(PointerText(session, true));

  AddDialog(RailInfoDialog(map, 1, false, true), &texts);
  AddDialog(RailInfoDialog(map, 1, true, true), &texts);
  {
    MapChange change(map);
    for (const EditMode tool : {EditMode::kStation, EditMode::kStopSection, EditMode::kStationYard,
                                EditMode::kStationDrawing}) {
      AddDialog(StationSelectDialog(change, tool, 1), &texts);
    }
    AddDialog(NamingListDialog(change, NameTable::kBlock, 0), &texts);
  }
  AddDialog(StationInfoDialog(StationTexts{}, TimeUnits{}, true), &texts);
  AddDialog(NameDialog(MapNameEntry{}), &texts);
  AddDialog(LineItemsDialog(DefaultLineItems(), true), &texts);
  DiaModel types;
  const TrainTypeDialog type_dialog(types, true);
  AddDialog(type_dialog, &texts);
  for (const std::string& style : type_dialog.Find("style")->items) texts.push_back(style);
  {
    DiaFile file;
    file.map.targets.Append(TargetRecord{});
    file.map.rails.Append(RailRecord{});
    types.Replace(file);
    const StopTimeDialog stop_times(types, prompter, true);
    AddDialog(stop_times, &texts);
    for (const char* id : {"mode", "train_type", "speed_type", "entries"}) {
      for (const std::string& item : stop_times.Find(id)->items) texts.push_back(item);
    }
  }
  AddDialog(StationSelectionDialog(types, {}), &texts);
  AddDialog(StationInformationDialog(types, 1, {}, true), &texts);
  AddDialog(TrackNameDialog("", ""), &texts);
  {
    DiaFile imported;
    imported.header.wdia_mode = 1;
    DiaModel model;
    model.Replace(std::move(imported));
    AddDialog(StationInformationDialog(model, 1, {}, true), &texts);
  }
  AddDialog(SpeedDialog(), &texts);
  AddDialog(DistanceDialog(), &texts);
  AddDialog(GridDialog(10, 4), &texts);
  AddDialog(ElectricKindDialog(3, true), &texts);
  AddDialog(MapPropertyDialog(map.header()), &texts);
  AddDialog(SignalSettingsDialog(map.header().settings, SignalSettingsMode::kEditor), &texts);
  AddDialog(TimeUnitsDialog(map.header().time_units), &texts);
  AddDialog(SignalDetailDialog(SignalTablesOf(map), map.header().settings, SignalDetailMode::kEdit,
                               1, true),
            &texts);
  return texts;
}

TEST(EnglishGlossaryTest, EachThingHasOneName) {
  // A piece of the map's track is a "track section" (never a segment, a
  // rail or "track information"); "track" stands alone only in "single
  // track"; the ATC and ATS kinds are "train protection".
  const std::regex other_names(
      R"(\b([Ss]egments?|[Rr]ails?|[Ss]afety [Dd]evice)\b|Track Information)");
  const std::regex lone_track(R"(\b[Tt]racks?\b(?! [Ss]ections?\b))");
  const std::regex single_track(R"([Ss]ingle [Tt]rack\b)");
  const std::vector<std::string> texts = EnglishTexts();
  ASSERT_GT(texts.size(), 300u);
  for (const std::string& text : texts) {
    EXPECT_FALSE(std::regex_search(text, other_names)) << text;
    const std::string without_single = std::regex_replace(text, single_track, "");
    EXPECT_FALSE(std::regex_search(without_single, lone_track)) << text;
  }
}

}  // namespace
}  // namespace corvane
