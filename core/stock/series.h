#pragma once
// One series (形式) of rolling stock as the dia data carries it: its figures,
// running characteristics, acceleration and curve-limit tables, file names of
// its pictures and sounds.

#include <array>
#include <utility>
#include <vector>

#include "base/fixed_text.h"

namespace corvane {

inline constexpr int kMaxSeries = 127;

// The supply systems a series can run on, in the order of the series file.
inline constexpr int kSupplyKinds = 6;

struct SeriesRecord {
  int record_version = 1220;                 // data version of the record
  int cars = 0;                              // 両数
  int length = 0;                            // 編成長
  int doors = 0;                             // ドア総数
  int door_width = 0;                        // ドア幅
  int capacity = 0;                          // 定員
  int max_load = 0;                          // 最大乗車率
  int max_speed = 0;                         // 最高速度
  std::array<int, kSupplyKinds> supplies{};  // NONELEC, DC600V ... AC25000V
  int gauge = 0;                             // 軌間
  std::array<int, 9> times{};  // turn-back, joining and splitting: minimum, middle, maximum
  std::array<int, 6> rates{};  // acceleration, three service brake steps, ATC and emergency brake
  int characteristic = 0;      // 走行特性
  int acceleration_rows = 0;   // as written; the table below holds the rows
  int mass = 0;                // 列車質量
  int motors = 0;              // モータ個数
  double inertia = 0.0;        // 慣性係数
  double resistance_a = 0.0;   // 走行抵抗係数Ａ
  double resistance_b = 0.0, resistance_c = 0.0, resistance_d = 0.0;
  double curve_resistance = 0.0;  // 曲線抵抗係数
  int owned_units = 0;
  std::array<int, 6> file_time{};  // year, month, day, hour, minute, second
  int sound_speed = 0;             // 走行音速度
  ShortText short_name;            // 略記
  LongText name;                   // 形式名
  LongText photo;                  // 画像
  LongText icon;                   // 画像16

  // Speed (× 1024) and value pairs, without the terminating (0, 0).
  std::vector<std::pair<int, int>> acceleration;
  std::vector<std::pair<int, int>> curve_limit;

  // Sound files: door opening and closing, ATC bell, points, running, BVE.
  LongText door_open_sound, door_close_sound, atc_sound, point_sound, running_sound, bve_sound;
  friend bool operator==(const SeriesRecord&, const SeriesRecord&) = default;
};

}  // namespace corvane
