#include "board/line_items.h"

#include "base/encoding.h"

namespace corvane {

const LineItems& DefaultLineItems() {
  static const LineItems items = [] {
    struct Default {
      const char* name;
      Rgb colour;
    };
    const Default defaults[kLineItemCount] = {
        {"ジャンプ文字", {255, 255, 255}},
        {"駅描画－文字色", {0, 0, 0}},
        {"駅描画－背景色", {128, 128, 128}},
        {"列番強調表示－乗車列車", {255, 255, 255}},
        {"列番強調表示－追従列車", {128, 128, 128}},
        {"ポイント－手動制御", {255, 255, 255}},
        {"ポイント－復位制御－定位", {0, 0, 255}},
        {"ポイント－復位制御－反位", {255, 0, 255}},
        {"ポイント－要求制御", {0, 255, 0}},
        {"ポイント－通知制御", {255, 255, 0}},
        {"ポイント－順序制御", {0, 128, 0}},
        {"ポイント－併用制御", {128, 0, 0}},
        {"発点てこ－選択－選択", {255, 0, 0}},
        {"発点てこ－選択－非選択", {255, 255, 255}},
        {"発点てこ－手動制御", {255, 0, 0}},
        {"発点てこ－復位制御－定位", {0, 0, 255}},
        {"発点てこ－復位制御－反位", {255, 0, 255}},
        {"発点てこ－要求制御", {0, 255, 0}},
        {"着点ボタン－選択－候補", {255, 255, 0}},
        {"着点ボタン－選択－候補外", {255, 255, 255}},
        {"着点ボタン－進路構成－あり", {0, 255, 255}},
        {"着点ボタン－進路構成－なし", {255, 255, 0}},
    };
    LineItems result;
    for (int i = 0; i < kLineItemCount; ++i) {
      BoardLineItem& item = result[static_cast<std::size_t>(i)];
      // The first five are items 17..21 of the settings file, the others 0..16.
      item.number = i < 5 ? 17 + i : i - 5;
      item.colour = defaults[i].colour;
      item.name = Utf8ToSjis(defaults[i].name);
      // The train number boxes are dotted lines.
      if (i == kBoardingTrainBoxItem || i == kFollowingTrainBoxItem) {
        item.for_line = true;
        item.pen_style = 2;
      }
    }
    return result;
  }();
  return items;
}

}  // namespace corvane
