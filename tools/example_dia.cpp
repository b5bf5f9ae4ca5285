#include "example_dia.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "base/encoding.h"
#include "interlocking/operation_data.h"
#include "run/rollback.h"

namespace corvane {

namespace {

std::string S(std::string_view utf8) { return Utf8ToSjis(utf8); }

// A Shift-JIS text that becomes a fixed text of any size in an initializer.
struct T {
  explicit T(std::string_view utf8) : sjis(Utf8ToSjis(utf8)) {}
  template <std::size_t N>
  operator FixedText<N>() const {  // NOLINT: converts by design
    return FixedText<N>(sjis);
  }
  std::string sjis;
};

}  // namespace

SystemMap SampleSystemMap() {
  SystemMap map;
  map.stations.Append([] {
    StationRecord s;
    s.station_aux0 = 7;
    s.station_aux1 = 3;
    s.scale = 3;
    s.melody_time = 12;
    s.station_aux2 = 1200;
    s.station_aux3 = 140;
    s.one_char_name = S("東");
    s.short_name = S("東町");
    s.name = S("東町駅");
    return s;
  }());
  map.targets.Append([] {
    TargetRecord t;
    t.station = 1;
    t.target_scale = 2;
    t.time_display = 1;
    t.target_aux = 4;
    t.start_marks = {0, 0, -1, -1, -1, -1, -1, -1, -1, 5};
    t.short_name = S("東町");
    t.name = S("東町駅");
    return t;
  }());
  for (const bool leftward : {true, false}) {
    RailRecord r;
    r.station = r.target = r.yard_target = 1;
    r.signal = 1;
    r.lever = 2;
    r.button = 3;
    r.normal_lever = 4;
    r.speed_limit = 85;
    r.length = 600;
    r.l_next = leftward ? -2 : 0;
    r.l_dual = leftward ? 2 : 1;
    r.l_pack = 1;
    r.stop_distance = 280;
    r.gradient = leftward ? -5 : 5;
    r.radius = leftward ? -800 : 800;
    r.rail_aux = 9;
    r.display_row = 1;
    r.x_exit = leftward ? 20 : 80;
    r.x_entry = leftward ? 80 : 20;
    r.y_exit = r.y_entry = 60;
    r.short_name = S("東町1");
    r.name = S("東町駅1番線");
    map.rails.Append(r);
  }
  map.prails.Append({1, 3, 1, 2, 1});
  PointRecord p;
  p.branch_count = 2;
  p.entry_count = 2;
  p.entry_rails[0] = 1;
  p.entry_rails[1] = 2;
  p.route_flag[0][1] = 1;
  p.route_value_a[1][0] = -2;
  p.route_value_b[0][1] = 1;
  p.mode = 2;
  p.label_x = 50;
  p.label_y = 72;
  p.point_key = "AA";
  map.points.Append(p);
  map.station_draws.Append({1, 1, 20, 80, 48, 72});
  map.rows.Append({10, 200, -30, 24});
  JumpRecord jump{0, 1, 1, 20, 60, 300, 120, {}};
  jump.label = S("*A");
  map.jumps.Append(jump);
  map.details.push_back({1, 0, 300, 45, -3, 600});
  MapSignalType set;
  set.attribute = 0;
  set.name = S("３現示");
  set.text2 = S("３現示自動閉塞信号機");
  for (int v = 0; v < kAspectSpeeds; ++v) {
    set.aspects[static_cast<std::size_t>(v)] =
        v < 46 ? SignalAspectEntry{0, 46, 1, 1} : SignalAspectEntry{46, kNoStepUp, 2, 2};
  }
  map.signal_sets.Append(set);
  for (const auto& [name, bitmap] :
       {std::pair{"停止", "Signal_R.bmp"}, std::pair{"進行", "Signal_G.bmp"}}) {
    SignalImageRecord image;
    image.name = S(name);
    image.bitmap = bitmap;
    map.images.Append(image);
  }
  map.colours.Append({255, 0, 0});
  map.colours.Append({0, 200, 80});
  return map;
}

DiaFile SampleDiaFile() {
  DiaFile file;
  file.map = SampleSystemMap();
  DiaHeader& h = file.header;
  h.version = kDiaVersion;
  h.wdia_mode = 1;
  h.start_time = 5 * 3600 + 4 * 60 + 3;
  h.time_units = {10, 30, 90};
  h.base_target = 1;
  h.stop_time_velocity = 1;
  h.dia_title = S("平日ダイヤ");
  h.dia_comment = S("試験用");
  h.map_code = 9001;
  h.map_name = S("東町線");
  h.map_pos_check = false;
  h.settings.signal_version = 1126;
  h.settings.use_atc = 0;
  h.settings.safety_device = kSafetyAts;
  h.settings.use_ats = 1;
  h.settings.use_interlocking = 1;
  h.settings.use_area = 1;
  h.settings.use_electri = 1;
  h.settings.use_characteristic = 1;
  h.settings.right_down = 1;
  h.settings.view_direc = 1;
  h.settings.area_order = 1;
  h.settings.route_warning_dist = 1500;
  h.settings.route_check_dist = 300;
  h.settings.break_spare_dist = 12;
  h.settings.limit_spare_dist = 40;
  h.settings.stop_spare_dist = 20;
  h.settings.signal_find_dist = 550;
  h.settings.max_speed = 130;
  h.settings.re_accel_speed = 6;
  h.settings.guidance_speed = 20;
  h.settings.handle_atc = 300;
  DisplayWindowSection& first = file.windows[0];
  first.place = {10, 20, 710, 430, true};
  first.view.scale_x = 2048;
  first.view.scroll_pos_y = 3;
  first.view.flattery_train = 1;
  DisplayWindowSection& fourth = file.windows[3];
  fourth.open = true;
  fourth.view.view_type = kFullName;
  fourth.view.rail_view = kTrackCircuits;
  fourth.view.smart_view = true;
  fourth.view.view_tool_bar = false;
  fourth.font.face_name = S("明朝");
  fourth.font.point_size = 12;
  fourth.font.italic = true;
  h.passengers = {false, true, true, true};

  DiaData& d = file.dia;
  for (int n = 1; n <= 2; ++n) {
    SeriesRecord s;
    s.cars = 4 * n;
    s.length = 80 * n;
    s.doors = 16;
    s.door_width = 1300;
    s.capacity = 560;
    s.max_load = 250;
    s.max_speed = 110;
    s.supplies = {0, 0, 0, 1, n == 2 ? 1 : 0, 0};
    s.gauge = 1067;
    s.times = {3, 5, 10, 2, 4, 6, 1, 3, 5};
    s.rates = {2800, 1000, 2000, 3500, 3000, 4500};
    s.characteristic = 1;
    s.mass = 160;
    s.motors = 8;
    s.inertia = 0.085;
    s.resistance_a = 1.625;
    s.resistance_b = 0.0312;
    s.resistance_c = 0.0023;
    s.resistance_d = -0.5;
    s.curve_resistance = 800.0;
    s.owned_units = n;
    s.file_time = {2026, 12, 8, 7, 5, 9};
    s.sound_speed = 45;
    s.short_name = S(n == 1 ? "２０５" : "Ｅ２３１");
    s.name = S(n == 1 ? "２０５系" : "Ｅ２３１系");
    s.photo = n == 1 ? "205.bmp" : "";
    s.icon = "205_16.bmp";
    if (n == 1) {
      s.acceleration = {{0, 28}, {36 * 1024, 28}, {110 * 1024, 9}};
      s.curve_limit = {{400, 65}, {800, 85}};
    }
    s.door_open_sound = "open205.wav";
    s.door_close_sound = "close205.wav";
    s.atc_sound = "atc.wav";
    s.point_sound = "point.wav";
    s.running_sound = "run205.wav";
    s.bve_sound = "bve205";
    d.series.Append(s);
  }
  d.trains.Append({1, 2, 3, T("普通")});
  d.units.Append({1, 1, 2, 3, 2, T("Ｂ１")});
  for (int i = 1; i <= 3; ++i) {
    DiagramRecord r;
    r.direction = i == 2 ? 0 : (i == 1 ? 1 : 2);
    for (int k = 0; k < kDiagramValues; ++k) r.values[static_cast<std::size_t>(k)] = k + i;
    r.values[0] = 1;
    r.values[4] = i == 1 ? 3 : 0;
    r.values[6] = 1;
    r.text1 = S("普通");
    r.destination = S("東町");
    r.text3 = S("第三");
    r.text4 = S("備考");
    r.events = {{1, 6 * 3600, kEventDeparture},
                {2, 6 * 3600 + 90, kEventNotSaved},
                {2, 6 * 3600 + 125, kEventArrival},
                {2, 6 * 3600 + 125, kEventEnd}};
    if (r.direction != 0) d.diagrams.Store(i, r);
  }
  d.patterns.Append({1, 2, 30, 40, T("朝"), T("朝の運用")});
  d.train_types.Store(0, {0, 0, 250, 255, 255, 255, T(""), T(""), T(""), T(""), T("")});
  d.train_types.Append(
      {1, 2, 500, 0, 128, 255, T("普"), T("普通"), T("普通列車"), T("Ｌ"), T("各停")});
  d.modes.Append({1, 2, T("通常")});
  SpeedTypeRecord v;
  v.series = 1;
  v.value2 = 95;
  v.short_name = S("普");
  v.name = S("普通速度");
  v.run_times = {{1, 2, 150, 1}, {2, 1, 3725, 2}};
  d.speed_types.Append(v);
  d.stop_times = {{1, 1, 1, 30, 1, 1}, {1, 2, 2, 45, 0, 1}};
  d.demand = {{1, 2, 120, 7 * 3600 + 30 * 60}, {2, 1, 80, 17 * 3600 + 5}};
  LeverRecord lever;
  for (int k = 0; k < kLeverValues; ++k) lever.values[static_cast<std::size_t>(k)] = k % 2 + k;
  d.levers = Table<LeverRecord>(2);
  d.levers.Append(lever);
  ButtonRecord button;
  for (int k = 0; k < kButtonValues; ++k) button.values[static_cast<std::size_t>(k)] = 10 + k;
  d.buttons = Table<ButtonRecord>(2);
  d.buttons.Append(button);
  for (std::size_t k = 0; k < kAccidentKinds; ++k) {
    d.accidents[k] = Table<AccidentRecord>(2);
    AccidentRecord a;
    a.values = {1, 2, 3, 4, 5, 6};
    a.timing = {3600, 60, 0, 1};
    d.accidents[k].Append(a);
    a.texts.emplace();
    (*a.texts)[0] = S("信号故障");
    (*a.texts)[4] = S("復旧");
    d.accidents[k].Append(a);
  }
  file.map.stations[1].melody_file = "melody1.wav";
  d.door_sounds.open = "open1.wav";
  d.door_sounds.close = "close1.wav";
  for (std::size_t k = 0; k < kCrewMessageKeys; ++k) {
    d.crew_messages[k] = "msg" + std::to_string(k) + ".wav";
  }
  // Executed data of this line carries its run-time state as opened.
  DiaModel opened;
  opened.Replace(file, InitialiseOperationData);
  file.stack = WriteStack(TakeSnapshot(opened));
  return file;
}

DiaFile LargeDiaFile(int trains) {
  SystemMapCounts counts;
  counts.rails = 16382;
  counts.prails = 8191;
  counts.points = 1023;
  counts.targets = 255;
  counts.stations = 255;
  counts.station_draws = 1023;
  counts.jumps = 1023;
  DiaCounts dia_counts;
  dia_counts.trains = trains;
  dia_counts.units = trains;
  dia_counts.diagrams = trains;
  DiaFile file{DiaHeader{}, SystemMap(counts), DiaData(dia_counts), std::nullopt};
  file.header.version = kDiaVersion;
  file.header.map_name = S("最大路線");
  SystemMap& map = file.map;
  for (int s = 1; s <= counts.stations; ++s) {
    StationRecord station;
    station.short_name = S("駅") + std::to_string(s);
    station.name = S("駅") + std::to_string(s) + S("駅");
    map.stations.Append(station);
    TargetRecord target;
    target.station = s;
    target.short_name = station.short_name;
    map.targets.Append(target);
    map.station_draws.Append({s, 1, s * 40, s * 40 + 30, 10, 40});
  }
  for (int i = 1; i <= counts.rails; ++i) {
    RailRecord r;
    r.station = i % 50 == 0 ? (i / 50) % counts.stations + 1 : 0;
    r.speed_limit = 95;
    r.length = 400 + i % 300;
    r.l_next = i < counts.rails ? i + 1 : 0;
    r.l_back = i - 1;
    r.l_pack = (i + 1) / 2;
    r.display_row = 1;
    r.x_exit = (i % 2) != 0 ? i % 4000 + 20 : i % 4000;
    r.x_entry = (i % 2) != 0 ? i % 4000 : i % 4000 + 20;
    r.y_exit = r.y_entry = 60 + (i / 4000) * 40;
    r.short_name = std::to_string(i);
    map.rails.Append(r);
  }
  for (int p = 1; p <= counts.prails; ++p) map.prails.Append({0, 3, 2 * p - 1, 2 * p, 1});
  for (int k = 1; k <= counts.points; ++k) {
    PointRecord point;
    point.branch_count = 2;
    point.entry_count = 3;
    point.entry_rails = {k * 8, k * 8 + 1, k * 8 + 2};
    point.route_flag[0][1] = 1;
    point.label_x = k * 10;
    map.points.Append(point);
  }
  for (int j = 1; j <= counts.jumps; ++j) map.jumps.Append({0, 1, 1, j, 10, j, 50, {}});
  MapSignalType set;
  set.name = S("３現示");
  map.signal_sets.Append(set);
  DiaData& dia = file.dia;
  dia.trains = Table<TrainRecord>(trains);
  for (int t = 1; t <= trains; ++t) {
    dia.trains.Append({t, t % counts.rails + 1, 0, T("列車" + std::to_string(t))});
    dia.units.Append({t, t, 0, 0, 0, T(std::to_string(t))});
    DiagramRecord run;
    run.direction = t % 2 + 1;
    run.values[0] = t % counts.targets + 1;
    run.text1 = S("普通");
    int time = 5 * 3600 + t * 30;
    for (int e = 0; e < 40; ++e) {
      run.events.push_back({(t * 40 + e) % counts.rails + 1, time, e % 2 + 1});
      time += 75;
    }
    run.events.push_back({run.events.back().rail, time, kEventEnd});
    dia.diagrams.Append(run);
  }
  return file;
}

void PlaceTrainsOnBlocks(DiaFile& file, int count) {
  constexpr int kFormation = 200;
  const Table<RailRecord>& rails = file.map.rails;
  const auto plain_block = [&rails](int r) {
    return rails.Contains(r) && rails[r].yard_target == 0 && rails[r].station == 0;
  };
  std::vector<int> candidates;
  for (int r = 1; r <= rails.count(); ++r) {
    const int back = rails[r].l_back;
    if (plain_block(r) && plain_block(back) && rails[back].length >= kFormation) {
      candidates.push_back(r);
    }
  }
  if (count <= 0 || candidates.empty()) return;
  DiaData& dia = file.dia;
  SeriesRecord series;
  series.cars = 10;
  series.length = kFormation;
  series.max_speed = 120;
  series.short_name = S("試験");
  series.name = S("試験形");
  const int series_number = dia.series.Append(series);
  const std::size_t step =
      std::max<std::size_t>(1, candidates.size() / static_cast<std::size_t>(count));
  dia.trains.Grow(dia.trains.count() + count);
  dia.units.Grow(dia.units.count() + count);
  for (std::size_t i = 0; i < candidates.size() && count > 0; i += step, --count) {
    const int train = dia.trains.Append(
        {0, candidates[i], 0, T("列車" + std::to_string(dia.trains.count() + 1))});
    dia.units.Append({0, train, 0, 0, series_number, T(std::to_string(train))});
  }
}

}  // namespace corvane
