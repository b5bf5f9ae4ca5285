// The table of English twins: each Japanese text of the editor and the main
// window beside its English text, in the plain style of the English menus.

#include "app/english_twins.h"

#include <iterator>

namespace corvane {

namespace {

constexpr EnglishTwin kTwins[] = {
    {"新規のマップを開始するか、保存データを読み込んで下さい。",
     "Start a new map or open a map file."},
    {"線路の始点を左クリックして下さい。", "Click where the track starts."},
};

}  // namespace

const EnglishTwin* EnglishTwins(std::size_t* count) {
  *count = std::size(kTwins);
  return kTwins;
}

}  // namespace corvane
