#pragma once
// A font as the settings file and the dia data keep it: the face name under
// the key of the interface language ("FaceName" for Japanese,
// "FaceNameEnglish" for English), then the point size, height, weight and
// the three style flags, in that order.

#include <span>
#include <string>
#include <string_view>

#include "base/fixed_text.h"
#include "base/ini_file.h"
#include "base/ini_keys.h"

namespace corvane {

struct FontSettings {
  // Shift-JIS, at most 31 bytes; empty stands for the language's default
  // face, which is what is written for it.
  FixedText<32> face_name;
  int point_size = 9;
  int height = -12;  // pixels; negative: the character height without leading
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strike_out = false;

  friend bool operator==(const FontSettings&, const FontSettings&) = default;
};

// The default font of the interface language, its face name given.
FontSettings DefaultFont(bool english);
// The face name of `font`, or the language's default face while it has none.
std::string_view FaceNameOrDefault(const FontSettings& font, bool english);
// The face-name key of the language: "FaceName" or "FaceNameEnglish".
const char* FontFaceKey(bool english);
// Every key of the record in the order written, the face-name key of the
// language first.
std::span<const IniKey<FontSettings>> FontRecordKeys(bool english);

// The height in pixels a font of `point_size` points has on a display of
// `dpi` dots per inch, as a negative character height (rounded).
int FontHeightOfPoints(int point_size, int dpi = 96);

// Reads a record over the language's defaults, or over `base`.
FontSettings ReadFontRecord(const IniFile& ini, std::string_view section, bool english);
FontSettings ReadFontRecord(const IniFile& ini, std::string_view section, bool english,
                            FontSettings base);
void WriteFontRecord(IniFile& ini, std::string_view section, const FontSettings& font,
                     bool english);
// The record's lines as they are written straight into a text file
// ("FaceName=...\n" through "StrikeOut=...\n").
std::string FormatFontRecord(const FontSettings& font, bool english);

}  // namespace corvane
