#include "app/settings.h"

#include <algorithm>
#include <cstdio>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/ini_keys.h"

namespace corvane {

namespace {

constexpr const char kPosLeftKey[] = "PosLeft";
constexpr const char kPosTopKey[] = "PosTop";
constexpr const char kPosRightKey[] = "PosRight";
constexpr const char kPosBottomKey[] = "PosBottom";

struct PassengerTypeDefault {
  int transfer_cost;
  int reverse_cost;
  int behavior_rate;
  const char* name;  // UTF-8
};

constexpr PassengerTypeDefault kPassengerTypeDefaults[kPassengerTypeCount] = {
    {0, 600, 50, "最短時間"},
    {300, 600, 20, "乗り換え回避－低"},
    {600, 600, 20, "乗り換え回避－中"},
    {1200, 600, 10, "乗り換え回避－高"},
};

// "%s%02d": a key or section name with a two-digit number.
std::string Numbered(std::string_view name, int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", number);
  return std::string(name) + digits;
}

std::string PassengerTypeSection(std::size_t index) {
  return Numbered("PassengerType", static_cast<int>(index));
}

bool GetFlag(const IniFile& ini, std::string_view section, std::string_view key, bool fallback) {
  return ini.GetInt(section, key, fallback ? 1 : 0) != 0;
}

void SetFlag(IniFile& ini, std::string_view section, std::string_view key, bool value) {
  ini.SetString(section, key, value ? "1" : "0");
}

using P = ProgramSettings;

// A memory threshold: whole megabytes in the file, bytes in memory. The
// product is taken in 64 bits so that 2048 MB and more survive; a count that
// is not positive means no threshold.
template <std::int64_t ProgramSettings::*Member>
constexpr IniKey<P> MegabytesKey(const char* name) {
  return ComputedKey<P>(
      name, [](const P& s) { return static_cast<int>(s.*Member / kBytesPerMegabyte); },
      [](P& s, int megabytes) {
        s.*Member = megabytes > 0 ? std::int64_t{megabytes} * kBytesPerMegabyte : 0;
      });
}

// Section "Setting", in the order the keys are written.
constexpr IniKey<P> kSettingKeys[] = {
    IntKey<P, &P::call_speed>("CallSpeed"),
    IntKey<P, &P::view_speed>("ViewSpeed"),
    IntKey<P, &P::accident_size>("AccidentSize"),
    IntElementKey<P, &P::accident_frequency, 0>("AccidentFrequency00"),
    IntElementKey<P, &P::accident_repair, 0>("AccidentRepair00"),
    IntElementKey<P, &P::accident_frequency, 1>("AccidentFrequency01"),
    IntElementKey<P, &P::accident_repair, 1>("AccidentRepair01"),
    IntElementKey<P, &P::accident_frequency, 2>("AccidentFrequency02"),
    IntElementKey<P, &P::accident_repair, 2>("AccidentRepair02"),
    IntElementKey<P, &P::accident_frequency, 3>("AccidentFrequency03"),
    IntElementKey<P, &P::accident_repair, 3>("AccidentRepair03"),
    IntKey<P, &P::view_type>("ViewType"),
    IntKey<P, &P::view_for>("ViewFor"),
    FlagKey<P, &P::smart_view>("SmartView"),
    FlagKey<P, &P::track_view>("TrackView"),
    FlagKey<P, &P::route_view>("RouteView"),
    FlagKey<P, &P::inter_view>("InterView"),
    FlagKey<P, &P::view_image16>("ViewImage16"),
    FlagKey<P, &P::tool_window>("ToolWindow"),
    FlagKey<P, &P::roll_back_file>("RollBackFile"),
    FlagKey<P, &P::roll_back_train>("RollBackTrain"),
    FlagKey<P, &P::roll_back_fast>("RollBackFast"),
    MegabytesKey<&P::min_avail_phys>("MinAvailPhys"),
    MegabytesKey<&P::min_avail_page_file>("MinAvailPageFile"),
    FlagKey<P, &P::use_dijkstra>("UseDijkstra"),
    FlagKey<P, &P::debug_dijkstra>("DebugDijkstra"),
    FlagKey<P, &P::use_undo>("UseUndo"),
    FlagKey<P, &P::use_duplicate>("UseDuplicate"),
    FlagKey<P, &P::backup_file>("BackupFile"),
    FlagKey<P, &P::extension>("Extention"),
};
static_assert(kAccidentLevelCount == 4, "one key pair per accident level");

// Sections "PassengerType%02d".
constexpr IniKey<PassengerType> kPassengerTypeKeys[] = {
    IntKey<PassengerType, &PassengerType::transfer_cost>("TransferCost"),
    IntKey<PassengerType, &PassengerType::reverse_cost>("ReverseCost"),
    IntKey<PassengerType, &PassengerType::behavior_rate>("BehaviorRate"),
    TextKey<PassengerType, &PassengerType::behavior_name>("BehaviorName"),
};

// One colour component of a line item: a byte, as the colour is held.
template <int Rgb::*Component>
constexpr IniKey<LineItem> ColourKey(const char* name) {
  return ComputedKey<LineItem>(
      name, [](const LineItem& i) { return i.colour.*Component; },
      [](LineItem& i, int value) { i.colour.*Component = value & 0xFF; });
}

// Sections "%sLine%02d".
constexpr IniKey<LineItem> kLineItemKeys[] = {
    FlagKey<LineItem, &LineItem::for_line>("ForLine"),
    IntKey<LineItem, &LineItem::pen_style>("nPenStyle"),
    IntKey<LineItem, &LineItem::point_width>("nPointWidth"),
    ColourKey<&Rgb::red>("ColorRValue"),
    ColourKey<&Rgb::green>("ColorGValue"),
    ColourKey<&Rgb::blue>("ColorBValue"),
    TextKey<LineItem, &LineItem::name>("ItemName"),
};

constexpr const char kDisplayToolBarKey[] = "ViewToolBar";

constexpr IniKey<MapEditWindowSettings> kMapEditWindowKeys[] = {
    IntKey<MapEditWindowSettings, &MapEditWindowSettings::grid_x>("GridX"),
    IntKey<MapEditWindowSettings, &MapEditWindowSettings::grid_y>("GridY"),
    IntKey<MapEditWindowSettings, &MapEditWindowSettings::undo_limit_mb>("UndoLimitMB"),
};

WindowRect Rect(int left, int top, int right, int bottom) {
  WindowRect rect;
  rect.left = left;
  rect.top = top;
  rect.right = right;
  rect.bottom = bottom;
  return rect;
}

std::array<PassengerType, kPassengerTypeCount> DefaultPassengerTypes() {
  std::array<PassengerType, kPassengerTypeCount> types;
  for (int i = 0; i < kPassengerTypeCount; ++i) {
    const PassengerTypeDefault& d = kPassengerTypeDefaults[i];
    types[i].transfer_cost = d.transfer_cost;
    types[i].reverse_cost = d.reverse_cost;
    types[i].behavior_rate = d.behavior_rate;
    types[i].behavior_name = Utf8ToSjis(d.name);
  }
  return types;
}

}  // namespace

ProgramSettings DefaultSettings(const Environment& env, bool english) {
  ProgramSettings s;
  const std::int64_t page_file = env.TotalPageFileBytes();
  // Whole megabytes, as the file holds them, so the default survives a save.
  s.min_avail_page_file =
      page_file > 0 ? page_file / 10 / kBytesPerMegabyte * kBytesPerMegabyte : 0;
  s.passenger_types = DefaultPassengerTypes();
  s.main_window = Rect(0, 0, 1000, 750);
  s.map_edit_window.rect = Rect(0, 450, 1000, 750);
  s.message_window = Rect(700, 40, 1000, 450);
  s.passenger_window = Rect(0, 40, 700, 450);
  s.main_window_lines = DefaultLineItems();
  s.default_font = DefaultFont(english);
  for (int n = 0; n < kDisplayWindows; ++n) {
    s.display_windows[static_cast<std::size_t>(n)] = DefaultDisplayWindowLayout(n, english);
  }
  return s;
}

ProgramSettings DefaultSettings(const Environment& env) {
  return DefaultSettings(env, env.LocaleIsEnglish());
}

ProgramSettings ReadSettings(const IniFile& ini, bool english, const Environment& env) {
  ProgramSettings s = DefaultSettings(env, english);
  ReadIniKeys<P>(ini, kSettingSection, kSettingKeys, s);
  for (std::size_t i = 0; i < s.passenger_types.size(); ++i) {
    ReadIniKeys<PassengerType>(ini, PassengerTypeSection(i), kPassengerTypeKeys,
                               s.passenger_types[i]);
  }

  s.main_window = ReadWindowRect(ini, kMainWindowSection, s.main_window);
  MapEditWindowSettings& map_edit = s.map_edit_window;
  map_edit.rect = ReadWindowRect(ini, kMapEditWindowSection, map_edit.rect);
  ReadIniKeys<MapEditWindowSettings>(ini, kMapEditWindowSection, kMapEditWindowKeys, map_edit);
  map_edit.open = GetFlag(ini, kMapEditWindowSection, kWindowOpenKey, map_edit.open);
  map_edit.recent_maps.clear();
  for (std::size_t n = 1; n <= kRecentMapCount; ++n) {
    std::string path =
        ini.GetString(kMapEditWindowSection, Numbered("RecentMap", static_cast<int>(n)));
    if (!path.empty()) map_edit.recent_maps.push_back(std::move(path));
  }
  s.map_message_window_open =
      GetFlag(ini, kMapMessageWindowSection, kWindowOpenKey, s.map_message_window_open);
  s.message_window = ReadWindowRect(ini, kMessageWindowSection, s.message_window);
  s.passenger_window = ReadWindowRect(ini, kPassengerWindowSection, s.passenger_window);
  s.default_font = ReadFontRecord(ini, kDefaultFontSection, english);
  for (int n = 0; n < kDisplayWindows; ++n) {
    s.display_windows[static_cast<std::size_t>(n)] =
        ReadDisplayWindowLayout(ini, n, english, s.default_font);
  }

  s.load_wdia = ini.GetString(kSettingsPathSection, kLoadWdiaKey);
  s.default_kvb = ini.GetString(kSettingsPathSection, kDefaultKvbKey);
  s.backup_files.kvb = ini.GetString(kBackupFileSection, kBackupKvbKey);
  s.backup_files.stack = ini.GetString(kBackupFileSection, kBackupStackKey);
  s.backup_files.kvm = ini.GetString(kBackupFileSection, kBackupKvmKey);

  ReadLineItems(ini, kMainWindowLineOwner, s.main_window_lines);
  return s;
}

void WriteSettings(const ProgramSettings& settings, IniFile& ini, bool english) {
  WriteIniKeys<P>(ini, kSettingSection, kSettingKeys, settings);
  for (std::size_t i = 0; i < settings.passenger_types.size(); ++i) {
    WriteIniKeys<PassengerType>(ini, PassengerTypeSection(i), kPassengerTypeKeys,
                                settings.passenger_types[i]);
  }
  WriteWindowRect(ini, kMainWindowSection, settings.main_window);
  SetFlag(ini, kMapEditWindowSection, kWindowOpenKey, settings.map_edit_window.open);
  SetFlag(ini, kMapMessageWindowSection, kWindowOpenKey, settings.map_message_window_open);
  WriteLineItems(ini, kMainWindowLineOwner, settings.main_window_lines);
  WriteFontRecord(ini, kDefaultFontSection, settings.default_font, english);
}

namespace {

// Room for a window's title bar and borders around its client area.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 32;
constexpr int kWindowGap = 8;

WindowRect RectOf(int left, int top, int width, int height) {
  WindowRect rect;
  rect.left = left;
  rect.top = top;
  rect.right = left + width;
  rect.bottom = top + height;
  return rect;
}

}  // namespace

WindowRect StartPlace(StartWindow window, const ScreenArea& area) {
  // The main window holds the board's display windows: the upper half.
  const int top_height = area.height / 2 - kFrameHeight;
  const int main_width = area.width * 5 / 8 - kFrameWidth;
  switch (window) {
    case StartWindow::kMain:
      return RectOf(area.left, area.top, main_width, top_height);
    case StartWindow::kMessage: {
      const int left = area.left + main_width + kFrameWidth + kWindowGap;
      return RectOf(left, area.top, area.left + area.width - left - kFrameWidth, top_height);
    }
    case StartWindow::kPassenger:
      // Its default place, kept on the screen.
      return FitIntoArea(RectOf(area.left, area.top + 40, 700, 410), area);
    case StartWindow::kMapEdit: {
      const int top = area.top + top_height + kFrameHeight + kWindowGap;
      return RectOf(area.left, top, area.width - kFrameWidth,
                    area.top + area.height - top - kFrameHeight);
    }
  }
  return {};
}

WindowRect FitIntoArea(const WindowRect& rect, const ScreenArea& area) {
  // The stored corners may be any numbers: their differences in 64 bits.
  const auto fit = [](std::int64_t size, int room) {
    return static_cast<int>(std::clamp<std::int64_t>(size, 1, std::max(room, 1)));
  };
  const int width = fit(std::int64_t{rect.right} - rect.left, area.width - kFrameWidth);
  const int height = fit(std::int64_t{rect.bottom} - rect.top, area.height - kFrameHeight);
  const int left = std::clamp(rect.left, area.left,
                              std::max(area.left, area.left + area.width - width - kFrameWidth));
  const int top = std::clamp(rect.top, area.top,
                             std::max(area.top, area.top + area.height - height - kFrameHeight));
  return RectOf(left, top, width, height);
}

namespace {

// How much of `rect` lies in `area` (0 for nothing).
std::int64_t SharedArea(const WindowRect& rect, const ScreenArea& area) {
  const std::int64_t width =
      std::min<std::int64_t>(rect.right, std::int64_t{area.left} + area.width) -
      std::max(rect.left, area.left);
  const std::int64_t height =
      std::min<std::int64_t>(rect.bottom, std::int64_t{area.top} + area.height) -
      std::max(rect.top, area.top);
  return width > 0 && height > 0 ? width * height : 0;
}

}  // namespace

WindowRect PlaceOnScreens(const WindowRect& rect, const WindowRect& defaults, StartWindow which,
                          std::span<const ScreenArea> screens, std::size_t primary) {
  if (primary >= screens.size()) return rect;
  const bool sized = rect.right > rect.left && rect.bottom > rect.top;
  if (!rect.has_position || !sized || rect == defaults) return StartPlace(which, screens[primary]);
  std::size_t best = primary;
  std::int64_t most = 0;
  for (std::size_t i = 0; i < screens.size(); ++i) {
    const std::int64_t shared = SharedArea(rect, screens[i]);
    if (shared > most) {
      most = shared;
      best = i;
    }
  }
  return FitIntoArea(rect, screens[best]);
}

void RememberRecentMap(std::vector<std::string>& recent, const std::string& path) {
  if (path.empty()) return;
  std::erase(recent, path);
  recent.insert(recent.begin(), path);
  if (recent.size() > kRecentMapCount) recent.resize(kRecentMapCount);
}

ProgramSettings LoadSettingsFile(const std::string& path, bool english, const Environment& env) {
  return ReadSettings(IniFile::Load(path), english, env);
}

bool SaveSettingsFile(const std::string& path, const ProgramSettings& settings, bool english) {
  return IniFile::Update(path, [&](IniFile& ini) { WriteSettings(settings, ini, english); });
}

ProgramSettings LoadProgramSettings(const DataFolder& data_folder, const Environment& env) {
  if (!IsDirectory(data_folder.path)) return DefaultSettings(env, data_folder.english);
  return LoadSettingsFile(data_folder.SettingsPath(), data_folder.english, env);
}

bool UpdateSettingsFile(const DataFolder& data_folder,
                        const std::function<void(IniFile&)>& change) {
  if (!IsDirectory(data_folder.path)) return true;
  return IniFile::Update(data_folder.SettingsPath(), change);
}

std::size_t UndoLimitBytes(const MapEditWindowSettings& window) {
  return static_cast<std::size_t>(std::max(window.undo_limit_mb, 1)) *
         static_cast<std::size_t>(kBytesPerMegabyte);
}

void ClearBackupKeys(IniFile& ini) {
  ini.SetString(kBackupFileSection, kBackupKvbKey, "");
  ini.SetString(kBackupFileSection, kBackupStackKey, "");
  ini.SetString(kBackupFileSection, kBackupKvmKey, "");
}

WindowRect ReadWindowRect(const IniFile& ini, std::string_view section,
                          const WindowRect& defaults) {
  WindowRect rect = defaults;
  const auto read = [&](const char* key, int* field) {
    const auto value = ini.Find(section, key);
    if (!value) return;
    if (value->empty()) {
      rect.has_position = false;
      return;
    }
    *field = ProfileInt(*value);
  };
  read(kPosLeftKey, &rect.left);
  read(kPosTopKey, &rect.top);
  read(kPosRightKey, &rect.right);
  read(kPosBottomKey, &rect.bottom);
  // A rectangle with a key left empty is no position at all: keep the
  // defaults rather than mixing them with the keys that do have values.
  if (!rect.has_position) {
    rect = defaults;
    rect.has_position = false;
  }
  return rect;
}

void WriteWindowRect(IniFile& ini, std::string_view section, const WindowRect& rect) {
  if (!rect.has_position) return;
  ini.SetInt(section, kPosLeftKey, rect.left);
  ini.SetInt(section, kPosTopKey, rect.top);
  ini.SetInt(section, kPosRightKey, rect.right);
  ini.SetInt(section, kPosBottomKey, rect.bottom);
}

void WriteMapEditWindowLayout(IniFile& ini, const MapEditWindowSettings& window) {
  WriteWindowRect(ini, kMapEditWindowSection, window.rect);
  WriteIniKeys<MapEditWindowSettings>(ini, kMapEditWindowSection, kMapEditWindowKeys, window);
  for (std::size_t n = 1; n <= kRecentMapCount; ++n) {
    ini.SetString(kMapEditWindowSection, Numbered("RecentMap", static_cast<int>(n)),
                  n <= window.recent_maps.size() ? window.recent_maps[n - 1] : std::string());
  }
}

std::string LineItemSection(std::string_view owner, int number) {
  return Numbered(std::string(owner) + "Line", number);
}

void ReadLineItems(const IniFile& ini, std::string_view owner, std::span<LineItem> items) {
  for (LineItem& item : items) {
    ReadIniKeys<LineItem>(ini, LineItemSection(owner, item.number), kLineItemKeys, item);
  }
}

void WriteLineItems(IniFile& ini, std::string_view owner, std::span<const LineItem> items) {
  for (const LineItem& item : items) {
    WriteIniKeys<LineItem>(ini, LineItemSection(owner, item.number), kLineItemKeys, item);
  }
}

bool SaveMainWindowLineItems(const DataFolder& data_folder, const LineItems& items) {
  return UpdateSettingsFile(
      data_folder, [&items](IniFile& ini) { WriteLineItems(ini, kMainWindowLineOwner, items); });
}

DisplayWindowLayout DefaultDisplayWindowLayout(int n, bool english) {
  DisplayWindowLayout layout;
  layout.place = n == 0 ? Rect(0, 40, 700, 450) : Rect(200, 100, 600, 400);
  layout.font = DefaultFont(english);
  return layout;
}

DisplayWindowLayout ReadDisplayWindowLayout(const IniFile& ini, int n, bool english,
                                            const FontSettings& default_font) {
  DisplayWindowLayout layout = DefaultDisplayWindowLayout(n, english);
  const std::string section = DisplayWindowSectionName(n);
  layout.place = ReadWindowRect(ini, section, layout.place);
  layout.view_tool_bar = GetFlag(ini, section, kDisplayToolBarKey, layout.view_tool_bar);
  // Window 00 is open while the program runs: it has no flag of its own.
  layout.open = n != 0 && GetFlag(ini, section, kWindowOpenKey, false);
  layout.font = ReadFontRecord(ini, "Font" + section, english, default_font);
  return layout;
}

void WriteDisplayWindowLayout(IniFile& ini, int n, const DisplayWindowLayout& layout,
                              bool english) {
  const std::string section = DisplayWindowSectionName(n);
  WriteWindowRect(ini, section, layout.place);
  SetFlag(ini, section, kDisplayToolBarKey, layout.view_tool_bar);
  if (n != 0) SetFlag(ini, section, kWindowOpenKey, layout.open);
  WriteFontRecord(ini, "Font" + section, layout.font, english);
}

}  // namespace corvane
