#include "app/passenger_options.h"

#include "run/dia_change.h"

namespace corvane {
namespace {

constexpr PassengerOptionsTexts kJapaneseTexts = {
    "乗客数シミュレート設定",
    "駅間詳細設定乗客数",
    "１時間当たり乗客数",
    "１列車当たり乗客数",
    "簡易シミュレート",
    "乗客数シミュレートの省略",
    "これをチェックすると、一部の処理が高速化されます。",
};

constexpr PassengerOptionsTexts kEnglishTexts = {
    "Passenger Simulation Setting",
    "Detailed Passengers between Stations",
    "Passengers per Hour",
    "Passengers per Train",
    "Simple Simulation",
    "Skip Passenger Simulation",
    "When this is checked, some processing becomes faster.",
};

// The flag a box stands for.
bool PassengerOptions::*FlagOf(PassengerBox box) {
  switch (box) {
    case PassengerBox::kGraph:
      return &PassengerOptions::graph;
    case PassengerBox::kHour:
      return &PassengerOptions::hour;
    case PassengerBox::kTrain:
      return &PassengerOptions::train;
    case PassengerBox::kAvoid:
      break;
  }
  return &PassengerOptions::avoid;
}

}  // namespace

bool PassengerOptionsDialog::Checked(PassengerBox box) const { return options_.*FlagOf(box); }

bool PassengerOptionsDialog::Enabled(PassengerBox box) const {
  return box == PassengerBox::kAvoid || !options_.avoid;
}

bool PassengerOptionsDialog::SetChecked(PassengerBox box, bool checked) {
  if (!Enabled(box)) return false;
  bool& flag = options_.*FlagOf(box);
  if (flag == checked) return false;
  flag = checked;
  return true;
}

const PassengerOptionsTexts& PassengerOptionsDialogTexts(bool english) {
  return english ? kEnglishTexts : kJapaneseTexts;
}

void TakePassengerOptions(DiaModel& dia, const PassengerOptions& options) {
  DiaChange change(dia);
  change.header().passengers = options;
}

}  // namespace corvane
