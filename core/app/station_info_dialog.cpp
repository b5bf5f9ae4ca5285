#include "app/station_info_dialog.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

#include "app/english_twins.h"
#include "base/encoding.h"
#include "base/file_io.h"
#include "base/member_text.h"
#include "compiler/map_compiler.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

const std::vector<std::string> kScaleItems = {"無人駅", "有人駅", "主要駅"};
constexpr const char kStopSectionItem[] = "停車区画";
const std::vector<std::string> kTimeDisplayItems = {"上下発時刻", "発着時刻", "下り着時刻",
                                                    "上り着時刻"};
constexpr int kNewTrackStopDistance = 100;
constexpr int kUsableLengthMargin = 10;
constexpr const char kUsableLengthLine[] =
    "%s：%d[m]";  // display name, usable length  // a rail's stop distance less this is its usable
                  // length

// The track piece that carries both rails of `entry`, 0 none: the rails'
// own piece when it does, else the first that does.
int PieceOf(const SystemMap& map, const TrackEntry& entry) {
  const auto carries = [&](int piece) {
    return map.prails.Contains(piece) && map.prails[piece].rail_first == entry.rail_first &&
           map.prails[piece].rail_second == entry.rail_second;
  };
  if (map.rails.Contains(entry.rail_first) && carries(map.rails[entry.rail_first].l_pack)) {
    return map.rails[entry.rail_first].l_pack;
  }
  for (int piece = 1; piece <= map.prails.count(); ++piece) {
    if (carries(piece)) return piece;
  }
  return 0;
}

bool BothRailsStopAt(const SystemMap& map, const TrackEntry& entry, int target) {
  for (const int rail : {entry.rail_first, entry.rail_second}) {
    if (!map.rails.Contains(rail) || map.rails[rail].target != target) return false;
  }
  return true;
}

// The rail that takes over the stops of `rail` when its track is deleted:
// the next rail after it, going round from the last to rail 1, with the
// same target and direction, other than `rail` and `twin`; 0 none.
int SuccessorRail(const SystemMap& map, int rail, int twin) {
  const int count = map.rails.count();
  const RailRecord& from = map.rails[rail];
  for (int step = 1; step < count; ++step) {
    const int next = (rail - 1 + step) % count + 1;
    const RailRecord& r = map.rails[next];
    if (next != twin && r.target == from.target && r.direction == from.direction) return next;
  }
  return 0;
}

// A time field read as "%d": text that is no number reads as 0; nothing
// for a number an int cannot hold.
std::optional<int> TimeValue(std::string_view text) {
  const LeadingNumber number = ReadLeadingNumber(text);
  if (number.magnitude > INT_MAX) return std::nullopt;
  return static_cast<int>(number.negative ? -number.magnitude : number.magnitude);
}

std::string NameOf(const TargetRecord& target) { return target.name.Utf8(); }

}  // namespace

int TargetOfStationFrame(const SystemMap& map, int frame) {
  if (!map.station_draws.Contains(frame)) return 0;
  const int station = map.station_draws[frame].station;
  if (!map.stations.Contains(station)) return 0;
  for (int t = 1; t <= map.targets.count(); ++t) {
    if (map.targets[t].station == station) return t;
  }
  return 0;
}

// ------------------------------------------------------------ name dialog

TrackNameDialog::TrackNameDialog(std::string short_utf8, std::string name_utf8) {
  Add(TextField("short", {"略記名称", "Abbreviation"}, ShortText::kCapacity,
                std::move(short_utf8)));
  Add(TextField("name", {"名称", "Name"}, LongText::kCapacity, std::move(name_utf8)));
}

std::string TrackNameDialog::Title(bool english) const { return english ? "Names" : "名称設定"; }

bool TrackNameDialog::Accept(Prompter& prompter) {
  if (!CheckTextFields(*this, prompter)) return false;
  short_name_ = ShortText(Utf8ToSjis(TextOf("short"))).str();
  name_ = LongText(Utf8ToSjis(TextOf("name"))).str();
  return true;
}

// ------------------------------------------------------------ station information

StationInformationDialog::StationInformationDialog(DiaModel& model, int target,
                                                   const StationDialogTools& tools, bool english)
    : model_(model), tools_(tools), english_(english) {
  const SystemMap& map = model.map();
  if (map.targets.Contains(target)) target_ = target;
  const TargetRecord empty;
  const TargetRecord& t = target_ != 0 ? map.targets[target_] : empty;
  if (map.stations.Contains(t.station)) station_ = t.station;
  const StationRecord* station = station_ != 0 ? &map.stations[station_] : nullptr;
  AddNameFields(t, station);
  AddTimeFields(station);
  AddTrackArea(t);
  FillTrackList(0);
  if (target_ == 0) {
    for (const DialogField& field : fields()) Find(field.id)->enabled = false;
  }
  UpdateButtons();
}

void StationInformationDialog::AddNameFields(const TargetRecord& t, const StationRecord* s) {
  // A station's names are its own; a stop section has only the target's.
  Add(TextField("one_char", {"一文字駅名", "One-Letter Name"}, ShortText::kCapacity,
                s != nullptr ? s->one_char_name.Utf8() : t.one_char_name.Utf8()));
  Add(TextField("short", {"略記駅名", "Abbreviation"}, ShortText::kCapacity,
                s != nullptr ? s->short_name.Utf8() : t.short_name.Utf8()));
  Add(TextField("name", {"駅名", "Station Name"}, LongText::kCapacity,
                s != nullptr ? s->name.Utf8() : t.name.Utf8()));
  if (s != nullptr) {
    Add(ChoiceField("scale", {"駅規模", "Station Scale"}, kScaleItems, s->scale - 1));
  } else {
    Add(ChoiceField("scale", {"駅規模", "Station Scale"}, {kStopSectionItem}, 0)).enabled = false;
  }
  Add(ChoiceField("time_display", {"時刻表示", "Time Display"}, kTimeDisplayItems, t.time_display));
}

void StationInformationDialog::AddTimeFields(const StationRecord* s) {
  const bool times = times_editable();
  const auto add = [&](DialogField field, Bilingual group) {
    field = InGroup(std::move(field), group, "");
    if (!times) field.text.clear();
    field.enabled = times;
    Add(std::move(field));
  };
  const auto value = [s](int StationRecord::*member) { return s != nullptr ? s->*member : 0; };
  const Bilingual melody{"発車メロディ", "Departure Melody"};
  add(NumberField("melody_time", {"時間", "Time"}, value(&StationRecord::melody_time)), melody);
  const Bilingual note{"（時間を0秒にすると、発車メロディなしに設定されます）",
                       "(A time of 0 seconds sets no departure melody.)"};
  Add(InGroup(MakeField("melody_note", note, FieldKind::kNote), melody, "")).text = note.japanese;
  add(TextField("melody_file", {"ＷＡＶファイル", "WAV File"}, LongText::kCapacity,
                s != nullptr ? s->melody_file.Utf8() : ""),
      melody);
  const Bilingual doors{"ドア閉め時間", "Door Closing Time"};
  add(NumberField("door_min", {"最小値", "Minimum"}, value(&StationRecord::door_min)), doors);
  add(NumberField("door_mid", {"中間値", "Middle"}, value(&StationRecord::door_mid)), doors);
  add(NumberField("door_max", {"最大値", "Maximum"}, value(&StationRecord::door_max)), doors);
  AddButton("browse", {"参照(&B)", "Browse(&B)"});
  AddButton("play", {"再生(&P)", "Play(&P)"});
}

void StationInformationDialog::AddTrackArea(const TargetRecord& t) {
  const Bilingual tracks =
      imported() ? Bilingual{"番線情報", "Platforms"} : Bilingual{"有効長情報", "Usable Lengths"};
  Add(ChoiceField("tracks", tracks, {}, -1, FieldKind::kList));
  DialogField shown = MakeField("show_tracks", {"番線表示", "Show Platforms"}, FieldKind::kCheck);
  shown.checked = t.target_aux3 != 0;
  Add(std::move(shown));
  // The box is no column of the stored target table: it lasts while the
  // data stays loaded.
  const Bilingual kept{"（番線表示はファイルに保存されず、プログラムを閉じるまで有効です）",
                       "(Show Platforms is not saved: it lasts until the program closes.)"};
  Add(MakeField("show_tracks_note", kept, FieldKind::kNote)).text = kept.japanese;
  if (imported()) {
    AddButton("add", {"番線追加(&A)", "Add Platform(&A)"});
    AddButton("delete", {"番線削除(&D)", "Delete Platform(&D)"});
  } else {
    AddButton("add", {"非対応", "Not Supported"});
    AddButton("delete", {"非対応", "Not Supported"});
  }
  AddButton("rename", {"番線名称(&N)", "Platform Names(&N)"});
}

std::string StationInformationDialog::Title(bool english) const {
  return english ? "Station Information" : "駅情報設定";
}

bool StationInformationDialog::imported() const { return model_.header().wdia_mode == 1; }

bool StationInformationDialog::times_editable() const { return station_ != 0 && !imported(); }

void StationInformationDialog::FillTrackList(int select) {
  const SystemMap& map = model_.map();
  std::vector<std::string> lines;
  listed_rails_.clear();
  if (target_ != 0 && imported()) {
    for (const TrackEntry& entry : map.targets[target_].tracks) lines.push_back(entry.name.Utf8());
  } else if (target_ != 0) {
    const MapSettings& settings = model_.header().settings;
    for (int r = 1; r <= map.rails.count(); ++r) {
      const RailRecord& rail = map.rails[r];
      if (rail.target != target_ || rail.stop_distance == 0) continue;
      listed_rails_.push_back(r);
      const std::string line = FillIn(
          kUsableLengthLine,
          {SjisToUtf8(RailDisplayName(rail, settings, english_)),
           std::to_string(static_cast<long long>(rail.stop_distance) - kUsableLengthMargin)});
      lines.push_back(Shown(line, english_));
    }
  }
  DialogField& list = *Find("tracks");
  list.items = std::move(lines);
  const int count = static_cast<int>(list.items.size());
  list.item = count == 0 ? -1 : std::clamp(select, 0, count - 1);
}

int StationInformationDialog::SelectedLine() const {
  const DialogField& list = *Find("tracks");
  return list.item >= 0 && list.item < static_cast<int>(list.items.size()) ? list.item : -1;
}

void StationInformationDialog::UpdateButtons() {
  const bool times = times_editable() && target_ != 0;
  EnableButton("browse", times && tools_.chooser != nullptr);
  EnableButton("play", times);
  const int tracks = static_cast<int>(Find("tracks")->items.size());
  EnableButton("add", target_ != 0 && imported());
  EnableButton("delete", target_ != 0 && imported() && tracks > 1);
  EnableButton("rename", SelectedLine() >= 0);
}

void StationInformationDialog::Changed(const std::string& id) {
  if (id == "tracks") UpdateButtons();
}

void StationInformationDialog::Press(const std::string& button, DialogHost& host) {
  const DialogButton* pressed = FindButton(button);
  if (pressed == nullptr || !pressed->enabled) return;
  if (button == "browse") Browse(host.prompter());
  if (button == "play") Play(host.prompter());
  if (button == "rename") RenameTrack(host);
  if (button == "add") AddTrack(host.prompter());
  if (button == "delete") DeleteTrack(host.prompter());
  UpdateButtons();
}

void StationInformationDialog::Browse(Prompter& prompter) {
  if (tools_.chooser == nullptr) return;
  FileChoice choice;
  choice.must_exist = true;
  choice.filter = kMelodyFilter;
  choice.default_extension = "wav";
  const std::string& now = TextOf("melody_file");
  choice.initial_path = tools_.sound_folder.empty() ? now
                        : IsBareFileName(now)       ? JoinPath(tools_.sound_folder, now)
                                                    : tools_.sound_folder + "/";
  const std::optional<std::string> chosen = tools_.chooser->ChooseFile(choice);
  if (!chosen) return;
  const std::string name = FileNameOf(*chosen);
  Find("melody_file")->text = name;
  if (tools_.sound_folder.empty() ||
      !EqualsIgnoringCase(JoinPath(tools_.sound_folder, name), *chosen)) {
    prompter.Error(kMelodyNotInFolder, kSoundFileCaption);
  }
}

void StationInformationDialog::Play(Prompter& prompter) {
  const std::string& name = TextOf("melody_file");
  if (name.empty()) {  // nothing to play
    prompter.Beep();
    return;
  }
  if (!IsBareFileName(name) || tools_.sound_folder.empty()) {
    prompter.Error(kSoundOutside, kSoundFileCaption);
    return;
  }
  const std::string path = JoinPath(tools_.sound_folder, name);
  if (!FileExists(path)) {
    prompter.Error(FillIn(kSoundMissing, {path}), kSoundFileCaption);
    return;
  }
  if (tools_.player == nullptr) {
    prompter.Error(kCannotPlaySound, kSoundFileCaption);
    return;
  }
  if (const std::optional<std::string> problem = tools_.player->Play(path)) {
    prompter.Error(*problem, kSoundFileCaption);
  }
}

void StationInformationDialog::RenameTrack(DialogHost& host) {
  const int line = SelectedLine();
  if (line < 0) return;
  const SystemMap& map = model_.map();
  if (!imported()) {
    const int rail = listed_rails_[static_cast<std::size_t>(line)];
    if (!map.rails.Contains(rail)) return;
    TrackNameDialog names(map.rails[rail].short_name.Utf8(), map.rails[rail].name.Utf8());
    if (!host.Run(names)) return;
    DiaChange change(model_);
    RailRecord& record = change.rails()[rail];
    record.short_name = names.short_name();
    record.name = names.name();
  } else {
    const TrackEntry& entry = map.targets[target_].tracks[static_cast<std::size_t>(line)];
    TrackNameDialog names(entry.short_name.Utf8(), entry.name.Utf8());
    if (!host.Run(names)) return;
    cancel_enabled_ = false;
    DiaChange change(model_);
    TargetRecord& target = change.targets()[target_];
    TrackEntry& track = target.tracks[static_cast<std::size_t>(line)];
    track.short_name = names.short_name();
    track.name = names.name();
    // The track list is built anew when the data is read: the rails carry
    // the names on, as an imported timetable names them (the target's
    // names followed by the track's).
    auto rails = change.rails();
    for (const int rail : {track.rail_first, track.rail_second}) {
      if (!rails.Contains(rail)) continue;
      rails[rail].short_name = std::string(target.short_name.view()) + names.short_name();
      rails[rail].name = std::string(target.name.view()) + names.name();
    }
  }
  FillTrackList(line);
}

void StationInformationDialog::AddTrack(Prompter& prompter) {
  const SystemMap& map = model_.map();
  const std::vector<TrackEntry>& tracks = map.targets[target_].tracks;
  int piece = 0;
  for (auto entry = tracks.rbegin(); entry != tracks.rend() && piece == 0; ++entry) {
    if (BothRailsStopAt(map, *entry, target_)) piece = PieceOf(map, *entry);
  }
  if (piece == 0 || map.rails.count() > kUnboundedTable - 2 ||
      map.prails.count() > kUnboundedTable - 1) {
    prompter.Beep();
    return;
  }
  cancel_enabled_ = false;
  const PRailRecord old_piece = map.prails[piece];
  RailRecord first = map.rails[old_piece.rail_first];
  RailRecord second = map.rails[old_piece.rail_second];
  DiaChange change(model_);
  auto rails = change.rails();
  auto prails = change.prails();
  // Tables read from a file hold only what it counted: they grow.
  rails.Grow(rails.count() + 2);
  prails.Grow(prails.count() + 1);
  const int new_first = rails.count() + 1;
  const int new_second = rails.count() + 2;
  const int new_piece = prails.count() + 1;
  first.l_dual = new_second;
  second.l_dual = new_first;
  first.stop_distance = second.stop_distance = kNewTrackStopDistance;
  first.l_pack = second.l_pack = new_piece;
  rails.Append(first);
  rails.Append(second);
  PRailRecord carrier = old_piece;
  carrier.rail_first = new_first;
  carrier.rail_second = new_second;
  prails.Append(carrier);
  std::vector<TrackEntry>& list = change.targets()[target_].tracks;
  TrackEntry entry = NumberedTrackEntry(static_cast<int>(list.size()) + 1);
  entry.rail_first = new_first;
  entry.rail_second = new_second;
  entry.display_order = entry.build_order = static_cast<int>(list.size());
  list.push_back(entry);
  FillTrackList(static_cast<int>(list.size()) - 1);
}

void StationInformationDialog::DeleteTrack(Prompter& prompter) {
  const int line = SelectedLine();
  const SystemMap& map = model_.map();
  const std::vector<TrackEntry>& tracks = map.targets[target_].tracks;
  if (line < 0 || tracks.size() < 2) return;
  const TrackEntry entry = tracks[static_cast<std::size_t>(line)];
  const int a = entry.rail_first;
  const int b = entry.rail_second;
  // Each rail's stops go to the next rail of the target running the same
  // way; without one they would be left on a rail that stops nowhere.
  const auto successor = [&](int rail, int twin) {
    return map.rails.Contains(rail) ? SuccessorRail(map, rail, twin) : -1;
  };
  const int next_a = successor(a, b);
  const int next_b = successor(b, a);
  if (next_a == 0 || next_b == 0) {
    prompter.Error(kNoNeighbourTrack, kStationDataErrorCaption);
    return;
  }
  cancel_enabled_ = false;
  DiaChange change(model_);
  auto rails = change.rails();
  for (const int rail : {a, b}) {
    if (!rails.Contains(rail)) continue;
    rails[rail].target = 0;
    rails[rail].stop_distance = 0;
  }
  auto diagrams = change.diagrams();
  // A rail that is no rail of the table (-1) has no stops to move.
  const auto moves = [&](const StopEvent& event) {
    return (event.rail == a && next_a > 0) || (event.rail == b && next_b > 0);
  };
  for (int d = 1; d <= diagrams.count(); ++d) {
    const std::vector<StopEvent>& events = diagrams.records()[d].events;
    if (std::none_of(events.begin(), events.end(), moves)) continue;
    for (StopEvent& event : diagrams[d].events) {
      if (!moves(event)) continue;
      event.rail = event.rail == a ? next_a : next_b;
    }
  }
  std::vector<TrackEntry>& list = change.targets()[target_].tracks;
  list.erase(list.begin() + line);
  FillTrackList(line);
}

bool StationInformationDialog::ReadTimes(Prompter& prompter, int times[4]) const {
  const char* const ids[4] = {"melody_time", "door_min", "door_mid", "door_max"};
  for (int i = 0; i < 4; ++i) {
    const std::optional<int> value = TimeValue(TextOf(ids[i]));
    if (!value) {
      prompter.Error(kTimeTooLarge, kStationDataErrorCaption);
      return false;
    }
    times[i] = *value;
  }
  if (times[0] < 0 || times[1] <= 0 || times[2] <= 0 || times[3] <= 0) {
    prompter.Error(kTimeNotPositive, kStationDataErrorCaption);
    return false;
  }
  if (!(times[1] < times[2] && times[2] < times[3])) {
    prompter.Error(kTimeOrder, kStationDataErrorCaption);
    return false;
  }
  return true;
}

bool StationInformationDialog::Accept(Prompter& prompter) {
  if (tools_.player != nullptr) tools_.player->Stop();
  if (target_ == 0) return true;
  int times[4] = {};
  if (times_editable() && !ReadTimes(prompter, times)) return false;
  if (!CheckTextFields(*this, prompter)) return false;
  const std::string one_char = Utf8ToSjis(TextOf("one_char"));
  const std::string short_name = Utf8ToSjis(TextOf("short"));
  const std::string name = Utf8ToSjis(TextOf("name"));

  DiaChange change(model_);
  TargetRecord& target = change.targets()[target_];
  if (station_ != 0) {
    StationRecord& station = change.stations()[station_];
    if (times_editable()) {
      station.melody_file = Utf8ToSjis(TextOf("melody_file"));
      station.melody_time = times[0];
      station.door_min = times[1];
      station.door_mid = times[2];
      station.door_max = times[3];
    }
    station.one_char_name = one_char;
    station.short_name = short_name;
    station.name = name;
    station.scale = ItemOr("scale", station.scale - 1) + 1;
    target.target_scale = station.scale;
  }
  target.time_display = ItemOr("time_display", target.time_display);
  target.one_char_name = one_char;
  target.short_name = short_name;
  target.name = name;
  target.target_aux3 = Find("show_tracks")->checked ? 1 : 0;
  return true;
}

// ------------------------------------------------------------ station selection

StationSelectionDialog::StationSelectionDialog(DiaModel& model, const StationDialogTools& tools)
    : model_(model), tools_(tools) {
  Add(ChoiceField("list", {"駅", "Stations"}, {}, -1, FieldKind::kList));
  AddButton("set", {"設定", "Set"});
  ok_label_ = {"終了", "Close"};
  cancel_label_ = {"", ""};  // "終了" is the only way out
  FillList(0);
}

std::string StationSelectionDialog::Title(bool english) const {
  return english ? "Station Selection" : "駅選択";
}

void StationSelectionDialog::FillList(int select) {
  const auto& targets = model_.map().targets;
  std::vector<std::string> names;
  for (const TargetRecord& target : targets) names.push_back(NameOf(target));
  DialogField& list = *Find("list");
  list.items = std::move(names);
  const int count = static_cast<int>(list.items.size());
  list.item = count == 0 ? -1 : std::clamp(select, 0, count - 1);
  EnableButton("set", count > 0);
}

void StationSelectionDialog::Press(const std::string& button, DialogHost& host) {
  const DialogField& list = *Find("list");
  if (button != "set" || list.item < 0) return;
  const int selected = list.item;
  RunStationInfo(model_, selected + 1, tools_, host);
  // The names may have changed.
  FillList(selected);
}

bool StationSelectionDialog::Accept(Prompter& /*prompter*/) { return true; }

bool RunStationInfo(DiaModel& model, int target, const StationDialogTools& tools,
                    DialogHost& host) {
  if (!model.map().targets.Contains(target)) return false;
  StationInformationDialog dialog(model, target, tools, host.english());
  return host.Run(dialog);
}

}  // namespace corvane
