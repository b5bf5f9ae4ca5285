#pragma once
// Signal types and their speed-indexed aspect tables, shared by the map under
// edit and the compiled map.

#include <array>
#include <vector>

#include "base/fixed_text.h"

namespace corvane {

constexpr int kAspectSpeeds = 1024;  // aspect entries per signal type, speeds 0..1023
constexpr int kNoStepUp = 1023;      // aspect_speed of a band without a step-up aspect

// One speed of a signal type. Every entry of a band holds the band's values.
struct SignalAspectEntry {
  int band_low = 0;      // lowest speed of the band holding this entry
  int aspect_speed = 0;  // lowest speed of the step-up band, or kNoStepUp
  int image = 0;         // index into the image table
  int colour = 0;        // index into the colour table

  friend bool operator==(const SignalAspectEntry&, const SignalAspectEntry&) = default;
};

struct SignalImageRecord {
  ShortText name;
  LongText bitmap;
  LongText extra;

  friend bool operator==(const SignalImageRecord&, const SignalImageRecord&) = default;
};

struct AspectColour {
  int red = 255;
  int green = 255;
  int blue = 255;

  friend bool operator==(const AspectColour&, const AspectColour&) = default;
};

struct MapSignalType {
  int attribute = 0;  // stored number, kept as loaded
  ShortText name;     // shown in the signal lists
  LongText text2;     // second text, kept as loaded
  std::array<SignalAspectEntry, kAspectSpeeds> aspects{};

  friend bool operator==(const MapSignalType&, const MapSignalType&) = default;
};

}  // namespace corvane
