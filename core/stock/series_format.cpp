#include "stock/series_format.h"

#include "base/member_text.h"

namespace corvane {

const RecordFormat<SeriesRecord>& SeriesFormat() {
  using R = SeriesRecord;
  static const RecordFormat<R> format = [] {
    RecordFormat<R> f;
    f.Num<&R::record_version>(4).Num<&R::cars>(2).Num<&R::length>(3).Num<&R::doors>(2);
    f.Num<&R::door_width>(4).Num<&R::capacity>(4).Num<&R::max_load>(3).Num<&R::max_speed>(3);
    f.Elements<&R::supplies>(1).Num<&R::gauge>(4).Elements<&R::times>(2).Elements<&R::rates>(4);
    f.Num<&R::characteristic>(1).Num<&R::acceleration_rows>(4).Num<&R::mass>(3);
    f.Num<&R::motors>(3).Real<&R::inertia>(5, 3).Real<&R::resistance_a>(5, 3);
    f.Real<&R::resistance_b>(6, 4).Real<&R::resistance_c>(6, 4).Real<&R::resistance_d>(6, 4);
    f.Real<&R::curve_resistance>(5, 1).Num<&R::owned_units>(2);
    f.Element<&R::file_time>(4, 0);
    for (int k = 1; k < 6; ++k) f.Element<&R::file_time>(2, k);
    f.Num<&R::sound_speed>(3).Text<&R::short_name>().Text<&R::name>().Text<&R::photo>();
    f.Text<&R::icon>();
    return f;
  }();
  return format;
}

std::string AccelerationMemberName(int series) {
  return "table_acceleration_" + std::to_string(series) + ".csv";
}

std::string CurveLimitMemberName(int series) {
  return "table_curve_limit_" + std::to_string(series) + ".csv";
}

std::string FormatSeriesTable(const std::vector<std::pair<int, int>>& rows, bool acceleration) {
  MemberWriter out;
  for (const auto& [speed, value] : rows) {
    out.Num(acceleration ? 6 : 4, speed).Num(3, value).EndLine();
  }
  return out.Take();
}

void ReadSeriesTable(std::string_view text, std::vector<std::pair<int, int>>& rows) {
  rows.clear();
  ForEachMemberLine(text,
                    [&](const MemberLine& line) { rows.emplace_back(line.Int(0), line.Int(1)); });
}

}  // namespace corvane
