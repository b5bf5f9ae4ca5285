#include "app/about.h"

#include "app/messages.h"

namespace corvane {

AboutText AboutBoxText(bool english) {
  AboutText about;
  about.caption = english ? "Version Information" : "バージョン情報";
  about.text = WindowTitleText(WindowTitle::kProductTitle, english);
  about.text += english ? "\nVersion " : "\nバージョン ";
  about.text += kProgramVersion;
  about.text += english ? "\nMap editor and map compiler for railway lines."
                        : "\n路線のマップを作成・編集し、コンパイルするプログラムです。";
  return about;
}

}  // namespace corvane
