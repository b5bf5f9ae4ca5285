#pragma once
// The keys of an INI section bound to the fields of a struct, described once
// and used for reading (over the struct's current values, so the defaults are
// the values the struct starts with), for writing through IniFile and for
// writing the "key=value" lines of a header text.
//
//   constexpr IniKey<FontSettings> kFontKeys[] = {
//       IntKey<FontSettings, &FontSettings::point_size>("PointSize"),
//       FlagKey<FontSettings, &FontSettings::italic>("Italic"),
//   };

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "base/fixed_text.h"
#include "base/ini_file.h"

namespace corvane {

template <typename S>
struct IniKey {
  const char* name = "";
  bool is_text = false;
  int (*get)(const S&) = nullptr;
  void (*set)(S&, int) = nullptr;
  std::string_view (*get_text)(const S&) = nullptr;
  void (*set_text)(S&, std::string_view) = nullptr;
  const char* format = "%d";     // how the number is written into a header text
  const char* legacy = nullptr;  // older key read instead while this one reads 0
  bool write_only = false;       // kept for older programs, never read
  const char* label = nullptr;   // name in listings, when not the key's
};

// A member reached through a chain of member pointers (a field of a nested
// struct): FieldAt<&Header::settings, &MapSettings::use_atc>(header).
template <auto First, auto... Rest, typename T>
constexpr auto& FieldAt(T& object) {
  if constexpr (sizeof...(Rest) == 0) {
    return object.*First;
  } else {
    return FieldAt<Rest...>(object.*First);
  }
}

template <typename S, auto... Path>
constexpr IniKey<S> IntKey(const char* name, const char* format = "%d") {
  IniKey<S> key;
  key.name = name;
  key.format = format;
  key.get = [](const S& s) { return static_cast<int>(FieldAt<Path...>(s)); };
  key.set = [](S& s, int value) { FieldAt<Path...>(s) = value; };
  return key;
}

// A number kept within `Low`..`High` when it is read.
template <typename S, int Low, int High, auto... Path>
constexpr IniKey<S> ClampedIntKey(const char* name) {
  IniKey<S> key = IntKey<S, Path...>(name);
  key.set = [](S& s, int value) { FieldAt<Path...>(s) = std::clamp(value, Low, High); };
  return key;
}

// Element `Index` of an int array member.
template <typename S, auto Member, std::size_t Index>
constexpr IniKey<S> IntElementKey(const char* name) {
  IniKey<S> key;
  key.name = name;
  key.get = [](const S& s) { return (s.*Member)[Index]; };
  key.set = [](S& s, int value) { (s.*Member)[Index] = value; };
  return key;
}

// A number whose field is computed: `get` and `set` convert.
template <typename S>
constexpr IniKey<S> ComputedKey(const char* name, int (*get)(const S&), void (*set)(S&, int)) {
  IniKey<S> key;
  key.name = name;
  key.get = get;
  key.set = set;
  return key;
}

// A yes/no field: 1 or 0 in the file, any other number reads as yes.
template <typename S, auto... Path>
constexpr IniKey<S> FlagKey(const char* name) {
  IniKey<S> key;
  key.name = name;
  key.get = [](const S& s) { return FieldAt<Path...>(s) ? 1 : 0; };
  key.set = [](S& s, int value) { FieldAt<Path...>(s) = value != 0; };
  return key;
}

// Stores a value read from an INI file in a text field so that writing and
// reading it again gives the same text: a fixed text cut at its size is
// trimmed and unquoted again as reading would.
inline void StoreIniValue(std::string& field, std::string_view value) { field = value; }
template <std::size_t N>
void StoreIniValue(FixedText<N>& field, std::string_view value) {
  field = value;
  for (;;) {
    const std::string stored(field.view());
    const std::string_view as_read = IniValueAsRead(stored);
    if (as_read.size() == stored.size()) return;
    field = as_read;
  }
}

inline std::string_view TextOfField(const std::string& text) { return text; }
template <typename Text>
std::string_view TextOfField(const Text& text) {
  return text.view();
}

// A text field (FixedText or std::string), bytes as they are in the file.
template <typename S, auto... Path>
constexpr IniKey<S> TextKey(const char* name) {
  IniKey<S> key;
  key.name = name;
  key.is_text = true;
  key.get_text = [](const S& s) { return TextOfField(FieldAt<Path...>(s)); };
  key.set_text = [](S& s, std::string_view value) { StoreIniValue(FieldAt<Path...>(s), value); };
  return key;
}

// The same key written once more under an older name, for older programs.
template <typename S>
constexpr IniKey<S> WrittenAlsoAs(IniKey<S> key, const char* older_name) {
  key.name = older_name;
  key.legacy = nullptr;
  key.write_only = true;
  return key;
}

// A key that older files name `older_name`: read from there while the key
// itself is missing or 0.
template <typename S>
constexpr IniKey<S> WithLegacyName(IniKey<S> key, const char* older_name) {
  key.legacy = older_name;
  return key;
}

// The key under another name in listings.
template <typename S>
constexpr IniKey<S> Labelled(IniKey<S> key, const char* label) {
  key.label = label;
  return key;
}

// Reads every key present in `section`; a missing key (and an empty number)
// keeps the field's current value.
template <typename S>
void ReadIniKeys(const IniFile& ini, std::string_view section, std::span<const IniKey<S>> keys,
                 S& s) {
  for (const IniKey<S>& key : keys) {
    if (key.write_only) continue;
    if (key.is_text) {
      if (auto value = ini.Find(section, key.name)) key.set_text(s, *value);
      continue;
    }
    if (key.legacy != nullptr) {
      const int value = ini.GetInt(section, key.name, 0);
      key.set(s, value != 0 ? value : ini.GetInt(section, key.legacy, key.get(s)));
      continue;
    }
    key.set(s, ini.GetInt(section, key.name, key.get(s)));
  }
}

// Sets every key of `section` through the profile semantics (other lines
// stay as they are).
template <typename S>
void WriteIniKeys(IniFile& ini, std::string_view section, std::span<const IniKey<S>> keys,
                  const S& s) {
  for (const IniKey<S>& key : keys) {
    if (key.is_text) {
      ini.SetString(section, key.name, key.get_text(s));
    } else {
      ini.SetInt(section, key.name, key.get(s));
    }
  }
}

// Appends "name=value\n" for every key, numbers in their formats.
template <typename S>
void FormatIniKeys(std::span<const IniKey<S>> keys, const S& s, std::string& out) {
  for (const IniKey<S>& key : keys) {
    out += key.name;
    out += '=';
    if (key.is_text) {
      out += key.get_text(s);
    } else {
      char number[32];
      std::snprintf(number, sizeof number, key.format, key.get(s));
      out += number;
    }
    out += '\n';
  }
}

}  // namespace corvane
