#include "app/settings.h"

#include <cstdio>

#include "base/encoding.h"

namespace corvane {

namespace {

constexpr const char kPosLeftKey[] = "PosLeft";
constexpr const char kPosTopKey[] = "PosTop";
constexpr const char kPosRightKey[] = "PosRight";
constexpr const char kPosBottomKey[] = "PosBottom";

struct LineItemDefault {
  int number;
  const char* name;  // UTF-8
  bool for_line;
  int pen_style;
  int red, green, blue;
};

// The main window's items in the order the board uses them: the texts and
// train-number boxes first (numbers 17 to 21), then points, levers and
// buttons (0 to 16).
constexpr LineItemDefault kMainWindowLineDefaults[kMainWindowLineItemCount] = {
    {17, "ジャンプ文字", false, 0, 255, 255, 255},
    {18, "駅描画－文字色", false, 0, 0, 0, 0},
    {19, "駅描画－背景色", false, 0, 128, 128, 128},
    {20, "列番強調表示－乗車列車", true, 2, 255, 255, 255},
    {21, "列番強調表示－追従列車", true, 2, 128, 128, 128},
    {0, "ポイント－手動制御", false, 0, 255, 255, 255},
    {1, "ポイント－復位制御－定位", false, 0, 0, 0, 255},
    {2, "ポイント－復位制御－反位", false, 0, 255, 0, 255},
    {3, "ポイント－要求制御", false, 0, 0, 255, 0},
    {4, "ポイント－通知制御", false, 0, 255, 255, 0},
    {5, "ポイント－順序制御", false, 0, 0, 128, 0},
    {6, "ポイント－併用制御", false, 0, 128, 0, 0},
    {7, "発点てこ－選択－選択", false, 0, 255, 0, 0},
    {8, "発点てこ－選択－非選択", false, 0, 255, 255, 255},
    {9, "発点てこ－手動制御", false, 0, 255, 0, 0},
    {10, "発点てこ－復位制御－定位", false, 0, 0, 0, 255},
    {11, "発点てこ－復位制御－反位", false, 0, 255, 0, 255},
    {12, "発点てこ－要求制御", false, 0, 0, 255, 0},
    {13, "着点ボタン－選択－候補", false, 0, 255, 255, 0},
    {14, "着点ボタン－選択－候補外", false, 0, 255, 255, 255},
    {15, "着点ボタン－進路構成－あり", false, 0, 0, 255, 255},
    {16, "着点ボタン－進路構成－なし", false, 0, 255, 255, 0},
};

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

constexpr const char kJapaneseDefaultFace[] = "ＭＳ ゴシック";  // UTF-8
constexpr const char kEnglishDefaultFace[] = "MS Gothic";

// "%s%02d": a key or section name with a two-digit number.
std::string Numbered(std::string_view name, int number) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", number);
  return std::string(name) + digits;
}

bool GetFlag(const IniFile& ini, std::string_view section, std::string_view key, bool fallback) {
  return ini.GetInt(section, key, fallback ? 1 : 0) != 0;
}

void SetFlag(IniFile& ini, std::string_view section, std::string_view key, bool value) {
  ini.SetString(section, key, value ? "1" : "0");
}

// A memory threshold: megabytes in the file, bytes in memory. The product is
// taken in 64 bits so that 2048 MB and more survive; a negative count means
// no threshold.
std::int64_t GetMegabytes(const IniFile& ini, std::string_view key, std::int64_t fallback_bytes) {
  const auto value = ini.Find(kSettingSection, key);
  if (!value || value->empty()) return fallback_bytes;
  const std::int64_t megabytes = ProfileInt(*value);
  return megabytes > 0 ? megabytes * kBytesPerMegabyte : 0;
}

void SetMegabytes(IniFile& ini, std::string_view key, std::int64_t bytes) {
  ini.SetString(kSettingSection, key, std::to_string(bytes / kBytesPerMegabyte));
}

// A text key over the field's current value; the field clips it.
template <std::size_t N>
void GetText(const IniFile& ini, std::string_view section, std::string_view key,
             FixedText<N>* field) {
  if (auto value = ini.Find(section, key)) field->Set(*value);
}

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

void ReadSettingSection(const IniFile& ini, ProgramSettings* s) {
  const auto get_int = [&ini](std::string_view key, int* field) {
    *field = ini.GetInt(kSettingSection, key, *field);
  };
  const auto get_flag = [&ini](std::string_view key, bool* field) {
    *field = GetFlag(ini, kSettingSection, key, *field);
  };
  get_int("CallSpeed", &s->call_speed);
  get_int("ViewSpeed", &s->view_speed);
  get_int("AccidentSize", &s->accident_size);
  for (int i = 0; i < kAccidentLevelCount; ++i) {
    get_int(Numbered("AccidentFrequency", i), &s->accident_frequency[i]);
    get_int(Numbered("AccidentRepair", i), &s->accident_repair[i]);
  }
  get_int("ViewType", &s->view_type);
  get_int("ViewFor", &s->view_for);
  get_flag("SmartView", &s->smart_view);
  get_flag("TrackView", &s->track_view);
  get_flag("RouteView", &s->route_view);
  get_flag("InterView", &s->inter_view);
  get_flag("ViewImage16", &s->view_image16);
  get_flag("ToolWindow", &s->tool_window);
  get_flag("RollBackFile", &s->roll_back_file);
  get_flag("RollBackTrain", &s->roll_back_train);
  get_flag("RollBackFast", &s->roll_back_fast);
  s->min_avail_phys = GetMegabytes(ini, "MinAvailPhys", s->min_avail_phys);
  s->min_avail_page_file = GetMegabytes(ini, "MinAvailPageFile", s->min_avail_page_file);
  get_flag("UseDijkstra", &s->use_dijkstra);
  get_flag("DebugDijkstra", &s->debug_dijkstra);
  get_flag("UseUndo", &s->use_undo);
  get_flag("UseDuplicate", &s->use_duplicate);
  get_flag("BackupFile", &s->backup_file);
  get_flag("Extention", &s->extension);
}

void WriteSettingSection(const ProgramSettings& s, IniFile& ini) {
  const auto set_int = [&ini](std::string_view key, int value) {
    ini.SetInt(kSettingSection, key, value);
  };
  const auto set_flag = [&ini](std::string_view key, bool value) {
    SetFlag(ini, kSettingSection, key, value);
  };
  set_int("CallSpeed", s.call_speed);
  set_int("ViewSpeed", s.view_speed);
  set_int("AccidentSize", s.accident_size);
  for (int i = 0; i < kAccidentLevelCount; ++i) {
    set_int(Numbered("AccidentFrequency", i), s.accident_frequency[i]);
    set_int(Numbered("AccidentRepair", i), s.accident_repair[i]);
  }
  set_int("ViewType", s.view_type);
  set_int("ViewFor", s.view_for);
  set_flag("SmartView", s.smart_view);
  set_flag("TrackView", s.track_view);
  set_flag("RouteView", s.route_view);
  set_flag("InterView", s.inter_view);
  set_flag("ViewImage16", s.view_image16);
  set_flag("ToolWindow", s.tool_window);
  set_flag("RollBackFile", s.roll_back_file);
  set_flag("RollBackTrain", s.roll_back_train);
  set_flag("RollBackFast", s.roll_back_fast);
  SetMegabytes(ini, "MinAvailPhys", s.min_avail_phys);
  SetMegabytes(ini, "MinAvailPageFile", s.min_avail_page_file);
  set_flag("UseDijkstra", s.use_dijkstra);
  set_flag("DebugDijkstra", s.debug_dijkstra);
  set_flag("UseUndo", s.use_undo);
  set_flag("UseDuplicate", s.use_duplicate);
  set_flag("BackupFile", s.backup_file);
  set_flag("Extention", s.extension);
}

void ReadPassengerTypes(const IniFile& ini, std::span<PassengerType> types) {
  for (std::size_t i = 0; i < types.size(); ++i) {
    const std::string section = Numbered("PassengerType", static_cast<int>(i));
    PassengerType& type = types[i];
    type.transfer_cost = ini.GetInt(section, "TransferCost", type.transfer_cost);
    type.reverse_cost = ini.GetInt(section, "ReverseCost", type.reverse_cost);
    type.behavior_rate = ini.GetInt(section, "BehaviorRate", type.behavior_rate);
    GetText(ini, section, "BehaviorName", &type.behavior_name);
  }
}

void WritePassengerTypes(IniFile& ini, std::span<const PassengerType> types) {
  for (std::size_t i = 0; i < types.size(); ++i) {
    const std::string section = Numbered("PassengerType", static_cast<int>(i));
    const PassengerType& type = types[i];
    ini.SetInt(section, "TransferCost", type.transfer_cost);
    ini.SetInt(section, "ReverseCost", type.reverse_cost);
    ini.SetInt(section, "BehaviorRate", type.behavior_rate);
    ini.SetString(section, "BehaviorName", type.behavior_name.view());
  }
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
  s.main_window_lines = DefaultMainWindowLineItems();
  s.default_font = DefaultFont(english);
  return s;
}

ProgramSettings DefaultSettings(const Environment& env) {
  return DefaultSettings(env, env.LocaleIsEnglish());
}

ProgramSettings ReadSettings(const IniFile& ini, bool english, const Environment& env) {
  ProgramSettings s = DefaultSettings(env, english);
  ReadSettingSection(ini, &s);
  ReadPassengerTypes(ini, s.passenger_types);

  s.main_window = ReadWindowRect(ini, kMainWindowSection, s.main_window);
  MapEditWindowSettings& map_edit = s.map_edit_window;
  map_edit.rect = ReadWindowRect(ini, kMapEditWindowSection, map_edit.rect);
  map_edit.grid_x = ini.GetInt(kMapEditWindowSection, "GridX", map_edit.grid_x);
  map_edit.grid_y = ini.GetInt(kMapEditWindowSection, "GridY", map_edit.grid_y);
  map_edit.open = GetFlag(ini, kMapEditWindowSection, kWindowOpenKey, map_edit.open);
  s.map_message_window_open =
      GetFlag(ini, kMapMessageWindowSection, kWindowOpenKey, s.map_message_window_open);
  s.message_window = ReadWindowRect(ini, kMessageWindowSection, s.message_window);
  for (int n = 1; n <= kDisplayWindowCount; ++n) {
    s.display_window_open[n] =
        GetFlag(ini, Numbered("DisplayWindow", n), kWindowOpenKey, s.display_window_open[n]);
  }

  s.load_wdia = ini.GetString(kSettingsPathSection, kLoadWdiaKey);
  s.default_kvb = ini.GetString(kSettingsPathSection, kDefaultKvbKey);
  s.backup_files.kvb = ini.GetString(kBackupFileSection, kBackupKvbKey);
  s.backup_files.stack = ini.GetString(kBackupFileSection, kBackupStackKey);
  s.backup_files.kvm = ini.GetString(kBackupFileSection, kBackupKvmKey);

  ReadLineItems(ini, kMainWindowLineOwner, s.main_window_lines);
  s.default_font = ReadFontRecord(ini, kDefaultFontSection, english);
  return s;
}

void WriteSettings(const ProgramSettings& settings, IniFile& ini, bool english) {
  WriteSettingSection(settings, ini);
  WritePassengerTypes(ini, settings.passenger_types);
  WriteWindowRect(ini, kMainWindowSection, settings.main_window);
  SetFlag(ini, kMapEditWindowSection, kWindowOpenKey, settings.map_edit_window.open);
  SetFlag(ini, kMapMessageWindowSection, kWindowOpenKey, settings.map_message_window_open);
  WriteLineItems(ini, kMainWindowLineOwner, settings.main_window_lines);
  WriteFontRecord(ini, kDefaultFontSection, settings.default_font, english);
}

ProgramSettings LoadSettingsFile(const std::string& path, bool english, const Environment& env) {
  return ReadSettings(IniFile::Load(path), english, env);
}

bool SaveSettingsFile(const std::string& path, const ProgramSettings& settings, bool english) {
  return IniFile::Update(path, [&](IniFile& ini) { WriteSettings(settings, ini, english); });
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
  ini.SetInt(kMapEditWindowSection, "GridX", window.grid_x);
  ini.SetInt(kMapEditWindowSection, "GridY", window.grid_y);
}

std::array<LineItem, kMainWindowLineItemCount> DefaultMainWindowLineItems() {
  std::array<LineItem, kMainWindowLineItemCount> items;
  for (int i = 0; i < kMainWindowLineItemCount; ++i) {
    const LineItemDefault& d = kMainWindowLineDefaults[i];
    LineItem& item = items[i];
    item.number = d.number;
    item.for_line = d.for_line;
    item.pen_style = d.pen_style;
    item.point_width = 250;
    item.color = ColorOf(d.red, d.green, d.blue);
    item.item_name = Utf8ToSjis(d.name);
  }
  return items;
}

std::string LineItemSection(std::string_view owner, int number) {
  return Numbered(std::string(owner) + "Line", number);
}

void ReadLineItems(const IniFile& ini, std::string_view owner, std::span<LineItem> items) {
  for (LineItem& item : items) {
    const std::string section = LineItemSection(owner, item.number);
    item.for_line = GetFlag(ini, section, "ForLine", item.for_line);
    item.pen_style = ini.GetInt(section, "nPenStyle", item.pen_style);
    item.point_width = ini.GetInt(section, "nPointWidth", item.point_width);
    // Each component is one byte, as the colour is held.
    const int red = ini.GetInt(section, "ColorRValue", RedOf(item.color)) & 0xFF;
    const int green = ini.GetInt(section, "ColorGValue", GreenOf(item.color)) & 0xFF;
    const int blue = ini.GetInt(section, "ColorBValue", BlueOf(item.color)) & 0xFF;
    item.color = ColorOf(red, green, blue);
    GetText(ini, section, "ItemName", &item.item_name);
  }
}

void WriteLineItems(IniFile& ini, std::string_view owner, std::span<const LineItem> items) {
  for (const LineItem& item : items) {
    const std::string section = LineItemSection(owner, item.number);
    SetFlag(ini, section, "ForLine", item.for_line);
    ini.SetInt(section, "nPenStyle", item.pen_style);
    ini.SetInt(section, "nPointWidth", item.point_width);
    ini.SetInt(section, "ColorRValue", RedOf(item.color));
    ini.SetInt(section, "ColorGValue", GreenOf(item.color));
    ini.SetInt(section, "ColorBValue", BlueOf(item.color));
    ini.SetString(section, "ItemName", item.item_name.view());
  }
}

FontSettings DefaultFont(bool english) {
  FontSettings font;
  font.face_name = english ? std::string(kEnglishDefaultFace) : Utf8ToSjis(kJapaneseDefaultFace);
  return font;
}

const char* FontFaceKey(bool english) { return english ? "FaceNameEnglish" : "FaceName"; }

FontSettings ReadFontRecord(const IniFile& ini, std::string_view section, bool english) {
  FontSettings font = DefaultFont(english);
  GetText(ini, section, FontFaceKey(english), &font.face_name);
  font.point_size = ini.GetInt(section, "PointSize", font.point_size);
  font.height = ini.GetInt(section, "Height", font.height);
  font.weight = ini.GetInt(section, "Weight", font.weight);
  font.italic = GetFlag(ini, section, "Italic", font.italic);
  font.underline = GetFlag(ini, section, "Underline", font.underline);
  font.strike_out = GetFlag(ini, section, "StrikeOut", font.strike_out);
  return font;
}

void WriteFontRecord(IniFile& ini, std::string_view section, const FontSettings& font,
                     bool english) {
  ini.SetString(section, FontFaceKey(english), font.face_name.view());
  ini.SetInt(section, "PointSize", font.point_size);
  ini.SetInt(section, "Height", font.height);
  ini.SetInt(section, "Weight", font.weight);
  ini.SetInt(section, "Italic", font.italic ? 1 : 0);
  ini.SetInt(section, "Underline", font.underline ? 1 : 0);
  ini.SetInt(section, "StrikeOut", font.strike_out ? 1 : 0);
}

std::string FormatFontRecord(const FontSettings& font, bool english) {
  std::string text;
  text += FontFaceKey(english);
  text += "=";
  text += font.face_name.view();
  text += "\n";
  const auto line = [&text](const char* key, int value) {
    text += key;
    text += "=";
    text += std::to_string(value);
    text += "\n";
  };
  line("PointSize", font.point_size);
  line("Height", font.height);
  line("Weight", font.weight);
  line("Italic", font.italic ? 1 : 0);
  line("Underline", font.underline ? 1 : 0);
  line("StrikeOut", font.strike_out ? 1 : 0);
  return text;
}

}  // namespace corvane
