#include "stock/series_file.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <climits>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "base/encoding.h"
#include "base/file_io.h"
#include "base/file_messages.h"
#include "base/ini_keys.h"
#include "base/member_text.h"
#include "base/text_format.h"

namespace corvane {

namespace {

constexpr const char kInfoSection[] = "形式情報";
constexpr const char kGuideSection[] = "形式案内";

using R = SeriesRecord;

// The integer and text keys of "形式情報" in the file's order; the defaults
// are those of DefaultSeries().
const std::vector<IniKey<R>>& SeriesKeys() {
  static const std::vector<IniKey<R>> keys = {
      IntKey<R, &R::cars>("両数"),
      IntKey<R, &R::length>("編成長"),
      IntKey<R, &R::doors>("ドア総数"),
      IntKey<R, &R::door_width>("ドア幅"),
      IntKey<R, &R::capacity>("定員"),
      IntKey<R, &R::max_load>("最大乗車率"),
      IntKey<R, &R::max_speed>("最高速度"),
      IntElementKey<R, &R::supplies, 0>("NONELEC"),
      IntElementKey<R, &R::supplies, 1>("DC600V"),
      IntElementKey<R, &R::supplies, 2>("DC750V"),
      IntElementKey<R, &R::supplies, 3>("DC1500V"),
      IntElementKey<R, &R::supplies, 4>("AC20000V"),
      IntElementKey<R, &R::supplies, 5>("AC25000V"),
      IntKey<R, &R::gauge>("軌間"),
      IntElementKey<R, &R::times, 0>("折返し時間最小値"),
      IntElementKey<R, &R::times, 1>("折返し時間中間値"),
      IntElementKey<R, &R::times, 2>("折返し時間最大値"),
      IntElementKey<R, &R::times, 3>("併合時間最小値"),
      IntElementKey<R, &R::times, 4>("併合時間中間値"),
      IntElementKey<R, &R::times, 5>("併合時間最大値"),
      IntElementKey<R, &R::times, 6>("分割時間最小値"),
      IntElementKey<R, &R::times, 7>("分割時間中間値"),
      IntElementKey<R, &R::times, 8>("分割時間最大値"),
      IntElementKey<R, &R::rates, 0>("加速度"),
      IntElementKey<R, &R::rates, 1>("常用ブレーキ１段"),
      IntElementKey<R, &R::rates, 2>("常用ブレーキ２段"),
      IntElementKey<R, &R::rates, 3>("常用ブレーキ３段"),
      IntElementKey<R, &R::rates, 4>("ＡＴＣブレーキ"),
      IntElementKey<R, &R::rates, 5>("非常ブレーキ"),
      IntKey<R, &R::characteristic>("走行特性"),
      IntKey<R, &R::mass>("列車質量"),
      IntKey<R, &R::motors>("モータ個数"),
      IntKey<R, &R::sound_speed>("走行音速度"),
      TextKey<R, &R::name>("形式名"),
      TextKey<R, &R::short_name>("略記"),
      TextKey<R, &R::photo>("画像"),
      TextKey<R, &R::icon>("画像16"),
      TextKey<R, &R::door_open_sound>("ドア開"),
      TextKey<R, &R::door_close_sound>("ドア閉"),
      TextKey<R, &R::atc_sound>("ＡＴＣ"),
      TextKey<R, &R::point_sound>("ポイント"),
      TextKey<R, &R::running_sound>("走行音"),
      TextKey<R, &R::bve_sound>("ＢＶＥ"),
  };
  return keys;
}

struct RealKey {
  const char* name;
  double R::*field;
  double fallback;
};

constexpr RealKey kRealKeys[] = {
    {"慣性係数", &R::inertia, 0.09},
    {"走行抵抗係数Ａ", &R::resistance_a, 1.32},
    {"走行抵抗係数Ｂ", &R::resistance_b, 0.0164},
    {"走行抵抗係数Ｃ", &R::resistance_c, 0.028},
    {"走行抵抗係数Ｄ", &R::resistance_d, 0.0078},
    {"曲線抵抗係数", &R::curve_resistance, 800.0},
};

SeriesRecord DefaultSeries() {
  SeriesRecord record;
  record.times = {30, 60, 75, 40, 60, 80, 40, 60, 80};
  record.sound_speed = 90;
  for (const RealKey& key : kRealKeys) record.*key.field = key.fallback;
  return record;
}

// A number as "%lf" scans it (blanks, a sign, digits, an exponent), in the
// C locale; nothing for a text that is none or not finite.
std::optional<double> ScanDouble(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  if (pos < text.size() && text[pos] == '+') ++pos;
  double value = 0.0;
  const auto result = std::from_chars(text.data() + pos, text.data() + text.size(), value);
  if (result.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

struct Check {
  bool (*fails)(const R&);
  const char* message;
};

template <auto Field>
bool Unset(const R& r) {
  return r.*Field == 0;
}
template <std::size_t Rate>
bool RateUnset(const R& r) {
  return r.rates[Rate] == 0;
}

constexpr Check kChecks[] = {
    {&Unset<&R::cars>, "両数が正しく設定されていません。"},
    {&Unset<&R::length>, "編成長が正しく設定されていません。"},
    {&Unset<&R::doors>, "ドア総数が正しく設定されていません。"},
    {&Unset<&R::door_width>, "ドア幅が正しく設定されていません。"},
    {&Unset<&R::capacity>, "定員が正しく設定されていません。"},
    {&Unset<&R::max_load>, "最大乗車率が正しく設定されていません。"},
    {&Unset<&R::max_speed>, "最高速度が正しく設定されていません。"},
    {&Unset<&R::gauge>, "軌間が正しく設定されていません。"},
    {&RateUnset<0>, "加速度が正しく設定されていません。"},
    {&RateUnset<1>, "常用ブレーキ１段が正しく設定されていません。"},
    {&RateUnset<2>, "常用ブレーキ２段が正しく設定されていません。"},
    {&RateUnset<3>, "常用ブレーキ３段が正しく設定されていません。"},
    {&RateUnset<4>, "ＡＴＣブレーキが正しく設定されていません。"},
    {&RateUnset<5>, "非常ブレーキが正しく設定されていません。"},
    {[](const R& r) { return std::ranges::any_of(r.rates, [](int v) { return v < 10; }); },
     "加速度・減速度の中に小さ過ぎるものがあります。\n単位km/h/sを１００倍して整数で設定して下さい"
     "。"},
};

constexpr const char kAtcMarginShort[] =
    "この形式の減速度（%s[km/h/s]）は信号設定に対して余裕が足りません。\n"
    "信号設定を変更してから形式読み込みを行って下さい。";
constexpr const char kMassUnset[] = "列車質量が正しく設定されていません。";
constexpr const char kMotorsUnset[] = "モータ個数が正しく設定されていません。";

// The signal version from which the ATC brake must leave a margin.
constexpr int kMarginSignalVersion = 1042;

// A value with two decimals, in the C locale.
std::string Hundredths(double value) {
  char digits[64];
  const auto result =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 2);
  return std::string(digits, result.ec == std::errc() ? result.ptr - digits : 0);
}

int ClampToInt(long long value) {
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// A field of a table line as the table's reading keeps it.
std::string_view TableField(const MemberLine& line, int i) { return line.Text(i); }

int SpeedTimes1024(std::string_view field) {
  const double speed = PieceToDouble(field) * 1024.0;
  if (!std::isfinite(speed)) return 0;
  return static_cast<int>(std::clamp(std::trunc(speed), double{INT_MIN}, double{INT_MAX}));
}

std::string Line(const char* format, const std::string& value) { return FillIn(format, {value}); }

}  // namespace

SeriesFile ParseSeriesFile(const IniFile& ini) {
  SeriesFile file;
  file.record = DefaultSeries();
  const std::string info = Utf8ToSjis(kInfoSection);
  for (const IniKey<R>& key : SeriesKeys()) {
    const std::string name = Utf8ToSjis(key.name);
    if (key.is_text) {
      // A text longer than its field is cut on a character boundary.
      if (auto value = ini.Find(info, name)) key.set_text(file.record, *value);
    } else {
      key.set(file.record, ini.GetInt(info, name, key.get(file.record)));
    }
  }
  for (const RealKey& key : kRealKeys) {
    if (auto value = ini.Find(info, Utf8ToSjis(key.name))) {
      file.record.*key.field = ScanDouble(*value).value_or(key.fallback);
    }
  }
  file.acceleration_table = ini.GetString(info, Utf8ToSjis("加速度テーブル"));
  file.curve_limit_table = ini.GetString(info, Utf8ToSjis("曲線制限テーブル"));
  const std::string guide = Utf8ToSjis(kGuideSection);
  file.guide.use = ini.GetString(guide, Utf8ToSjis("用途"));
  file.guide.cabin = ini.GetString(guide, Utf8ToSjis("客室"));
  file.guide.control = ini.GetString(guide, Utf8ToSjis("制御方式"));
  file.guide.comment = ini.GetString(guide, Utf8ToSjis("コメント"));
  return file;
}

std::optional<std::string> CheckSeries(const SeriesRecord& r, const MapSettings* map) {
  for (const Check& check : kChecks) {
    if (check.fails(r)) return check.message;
  }
  if (map != nullptr && map->signal_version >= kMarginSignalVersion) {
    const long long brake = static_cast<long long>(r.rates[4]) * 1024 / 100 - 98;
    const long long signal = static_cast<long long>(map->handle_atc) * 1024 / 100;
    if (signal > brake) return FillIn(kAtcMarginShort, {Hundredths(r.rates[4] * 0.01)});
  }
  if (r.characteristic == 1) {
    if (r.mass == 0) return kMassUnset;
    if (r.motors == 0) return kMotorsUnset;
  }
  return std::nullopt;
}

int HundredthsToRate(int hundredths) {
  return ClampToInt(static_cast<long long>(hundredths) * 1024 / 100);
}

void ConvertSeriesRates(SeriesRecord& record) {
  for (int& rate : record.rates) rate = HundredthsToRate(rate);
}

std::vector<std::pair<int, int>> ParseSeriesTableText(std::string_view text, bool acceleration) {
  std::vector<std::pair<int, int>> rows;
  MemberLine line;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view content = text.substr(start, end - start);
    start = end + 1;
    while (!content.empty() && (content.back() == '\r' || content.back() == ' ')) {
      content.remove_suffix(1);
    }
    if (content.empty()) continue;
    // The rows past the most a record keeps are cut here.
    if (static_cast<int>(rows.size()) == kMostSeriesTableRows) break;
    line.Assign(content);
    const int speed = acceleration ? SpeedTimes1024(TableField(line, 0)) : line.Int(0);
    rows.emplace_back(speed, PieceToInt(TableField(line, 1)));
  }
  return rows;
}

std::optional<std::vector<std::pair<int, int>>> ReadSeriesTableFile(const std::string& path,
                                                                    bool acceleration,
                                                                    Prompter& prompter) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) {
    ReportFileError(prompter, kCannotOpenForRead, path, kReadErrorCaption);
    return std::nullopt;
  }
  return ParseSeriesTableText(*bytes, acceleration);
}

std::array<int, 6> FileWriteTime(const std::string& path) {
  std::error_code error;
  const auto written = std::filesystem::last_write_time(path, error);
  if (error) return {};
  const auto system = std::chrono::file_clock::to_sys(written);
  const std::time_t seconds = std::chrono::system_clock::to_time_t(system);
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return {};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

std::optional<SeriesFile> LoadSeriesFile(const std::string& path, const SeriesFolders& folders,
                                         const MapSettings* map, Prompter& prompter) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) {
    ReportFileError(prompter, kCannotOpenForRead, path, kReadErrorCaption);
    return std::nullopt;
  }
  SeriesFile file = ParseSeriesFile(IniFile::Parse(*bytes));
  if (const auto refusal = CheckSeries(file.record, map)) {
    prompter.Error(*refusal, kSeriesDataErrorCaption);
    return std::nullopt;
  }
  ConvertSeriesRates(file.record);
  const auto read_table = [&](const std::string& name, const std::string& folder, bool accel,
                              std::vector<std::pair<int, int>>& rows) {
    if (name.empty()) return true;
    // A name is a file of its folder, never a path out of it.
    const std::string utf8 = SjisToUtf8(name);
    if (!IsBareFileName(utf8)) {
      ReportFileError(prompter, kCannotOpenForRead, utf8, kReadErrorCaption);
      return false;
    }
    auto read = ReadSeriesTableFile(JoinPath(folder, utf8), accel, prompter);
    if (!read) return false;
    rows = std::move(*read);
    return true;
  };
  if (!read_table(file.acceleration_table, folders.acceleration, true, file.record.acceleration) ||
      !read_table(file.curve_limit_table, folders.curve_limit, false, file.record.curve_limit)) {
    return std::nullopt;
  }
  file.record.acceleration_rows = static_cast<int>(file.record.acceleration.size());
  file.record.file_time = FileWriteTime(path);
  file.record.record_version = 1220;
  return file;
}

std::optional<SeriesFile> PeekSeriesFile(const std::string& path, const SeriesFolders& folders) {
  const std::optional<std::string> bytes = ReadFileBytes(path);
  if (!bytes) return std::nullopt;
  SeriesFile file = ParseSeriesFile(IniFile::Parse(*bytes));
  ConvertSeriesRates(file.record);
  const auto table = [](const std::string& name, const std::string& folder, bool accel) {
    const std::string utf8 = SjisToUtf8(name);
    if (name.empty() || !IsBareFileName(utf8)) return std::vector<std::pair<int, int>>{};
    const std::optional<std::string> text = ReadFileBytes(JoinPath(folder, utf8));
    return text ? ParseSeriesTableText(*text, accel) : std::vector<std::pair<int, int>>{};
  };
  file.record.acceleration = table(file.acceleration_table, folders.acceleration, true);
  file.record.curve_limit = table(file.curve_limit_table, folders.curve_limit, false);
  file.record.acceleration_rows = static_cast<int>(file.record.acceleration.size());
  file.record.file_time = FileWriteTime(path);
  return file;
}

bool SameSeries(const SeriesRecord& a, const SeriesRecord& b, bool exact) {
  if (a.short_name != b.short_name || a.name != b.name || a.cars != b.cars) return false;
  if (!exact) return true;
  return a.file_time == b.file_time && a.acceleration == b.acceleration &&
         a.curve_limit == b.curve_limit;
}

int FindSeriesRecord(const Table<SeriesRecord>& series, const SeriesRecord& file, bool exact) {
  for (int n = 1; n <= series.count(); ++n) {
    if (SameSeries(series[n], file, exact)) return n;
  }
  return 0;
}

std::vector<std::string> SeriesFileNames(const std::string& folder) {
  std::vector<std::string> names;
  if (folder.empty()) return names;
  std::error_code error;
  for (auto it = std::filesystem::directory_iterator(folder, error);
       !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
    std::error_code kind_error;
    if (!it->is_regular_file(kind_error)) continue;
    std::string name = it->path().filename().string();
    if (name.empty() || name.front() == '.') continue;
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  if (names.size() > static_cast<std::size_t>(kMostListedSeries)) names.resize(kMostListedSeries);
  return names;
}

std::optional<FoundSeriesFile> FindSeriesFile(const std::string& folder,
                                              const SeriesRecord& record) {
  for (const std::string& name : SeriesFileNames(folder)) {
    const std::string path = JoinPath(folder, name);
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) continue;
    SeriesFile file = ParseSeriesFile(IniFile::Parse(*bytes));
    if (SameSeries(file.record, record, false)) return FoundSeriesFile{path, std::move(file)};
  }
  return std::nullopt;
}

std::optional<int> SmallestAtcBrake(const Table<SeriesRecord>& series) {
  std::optional<int> smallest;
  for (int n = 1; n <= series.count(); ++n) {
    const int brake = series[n].rates[4];
    if (!smallest || brake < *smallest) smallest = brake;
  }
  return smallest;
}

std::string DescribeSeries(const SeriesRecord& r, const SeriesGuide* guide, bool held, int owned,
                           int used) {
  const SeriesGuide none;
  const SeriesGuide& g = guide != nullptr ? *guide : none;
  const auto rate = [](int value) { return Hundredths(value / 1024.0); };
  std::string out;
  const auto add = [&out](const std::string& line) { out += line + "\n"; };
  add(Line("形式：%s", r.name.Utf8()));
  add(Line("用途：%s", SjisToUtf8(g.use)));
  add(Line("客室：%s", SjisToUtf8(g.cabin)));
  add(Line("制御方式：%s", SjisToUtf8(g.control)));
  add(SjisToUtf8(g.comment));
  add(Line("両数：%s両", std::to_string(r.cars)));
  add(Line("定員：%s人", std::to_string(r.capacity)));
  add(Line("最大乗車率：%s％", std::to_string(r.max_load)));
  add(Line("最高速：%skm/h", std::to_string(r.max_speed)));
  add(Line("加速度：%skm/h/s", rate(r.rates[0])));
  add(Line("常用ブレーキ１段：%skm/h/s", rate(r.rates[1])));
  add(Line("常用ブレーキ２段：%skm/h/s", rate(r.rates[2])));
  add(Line("常用ブレーキ３段：%skm/h/s", rate(r.rates[3])));
  add(Line("ＡＴＣブレーキ：%skm/h/s", rate(r.rates[4])));
  add(Line("非常ブレーキ：%skm/h/s", rate(r.rates[5])));
  add(r.characteristic == 1 ? "走行特性シミュレート：対応" : "走行特性シミュレート：非対応");
  if (!held) {
    add("未導入");
    return out;
  }
  add(FillIn("%d編成", {std::to_string(owned)}));
  add(FillIn("使用：%d／所有：%d", {std::to_string(used), std::to_string(owned)}));
  return out;
}

std::string SeriesKeyLines(const SeriesFile& file) {
  std::string out;
  const R& r = file.record;
  for (const IniKey<R>& key : SeriesKeys()) {
    out += key.name;
    out += '=';
    out += key.is_text ? SjisToUtf8(key.get_text(r)) : std::to_string(key.get(r));
    out += '\n';
  }
  for (const RealKey& key : kRealKeys) {
    char digits[64];
    const auto result = std::to_chars(digits, digits + sizeof digits, r.*key.field);
    out += std::string(key.name) + "=" + std::string(digits, result.ptr) + "\n";
  }
  out += "加速度テーブル=" + SjisToUtf8(file.acceleration_table) + "\n";
  out += "曲線制限テーブル=" + SjisToUtf8(file.curve_limit_table) + "\n";
  return out;
}

}  // namespace corvane
