#include "base/font_record.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>

#include "base/encoding.h"

namespace corvane {

namespace {

using F = FontSettings;

const std::string& JapaneseDefaultFace() {
  static const std::string face = Utf8ToSjis("ＭＳ ゴシック");
  return face;
}
constexpr const char kEnglishDefaultFace[] = "MS Gothic";

// The record with the face name under `face_key`; an empty face name is
// written as the language's default.
template <bool English>
constexpr std::array<IniKey<F>, 7> FontKeys(const char* face_key) {
  IniKey<F> face = TextKey<F, &F::face_name>(face_key);
  face.get_text = [](const F& f) { return FaceNameOrDefault(f, English); };
  return {
      face,
      IntKey<F, &F::point_size>("PointSize"),
      IntKey<F, &F::height>("Height"),
      IntKey<F, &F::weight>("Weight"),
      FlagKey<F, &F::italic>("Italic"),
      FlagKey<F, &F::underline>("Underline"),
      FlagKey<F, &F::strike_out>("StrikeOut"),
  };
}

constexpr std::array<IniKey<F>, 7> kJapaneseFontKeys = FontKeys<false>("FaceName");
constexpr std::array<IniKey<F>, 7> kEnglishFontKeys = FontKeys<true>("FaceNameEnglish");

}  // namespace

FontSettings DefaultFont(bool english) {
  FontSettings font;
  font.face_name = english ? std::string_view(kEnglishDefaultFace) : JapaneseDefaultFace();
  return font;
}

std::string_view FaceNameOrDefault(const FontSettings& font, bool english) {
  if (!font.face_name.empty()) return font.face_name.view();
  return english ? std::string_view(kEnglishDefaultFace) : JapaneseDefaultFace();
}

const char* FontFaceKey(bool english) { return FontRecordKeys(english).front().name; }

std::span<const IniKey<FontSettings>> FontRecordKeys(bool english) {
  return english ? std::span<const IniKey<F>>(kEnglishFontKeys)
                 : std::span<const IniKey<F>>(kJapaneseFontKeys);
}

int FontHeightOfPoints(int point_size, int dpi) {
  const std::int64_t dots = std::int64_t{point_size} * dpi;
  const std::int64_t rounded = dots >= 0 ? (dots + 36) / 72 : (dots - 36) / 72;
  return static_cast<int>(std::clamp<std::int64_t>(-rounded, INT_MIN, INT_MAX));
}

FontSettings ReadFontRecord(const IniFile& ini, std::string_view section, bool english) {
  return ReadFontRecord(ini, section, english, DefaultFont(english));
}

FontSettings ReadFontRecord(const IniFile& ini, std::string_view section, bool english,
                            FontSettings base) {
  ReadIniKeys(ini, section, FontRecordKeys(english), base);
  return base;
}

void WriteFontRecord(IniFile& ini, std::string_view section, const FontSettings& font,
                     bool english) {
  WriteIniKeys(ini, section, FontRecordKeys(english), font);
}

std::string FormatFontRecord(const FontSettings& font, bool english) {
  std::string text;
  FormatIniKeys(FontRecordKeys(english), font, text);
  return text;
}

}  // namespace corvane
