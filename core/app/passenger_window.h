#pragma once
// The passenger number window without its window: the pair of stations
// whose demand curve it shows, the view of the graph, the editing of the
// curve by clicks, buttons, keys and small dialogs, the two numbers of the
// simple passenger simulation of the from station, and the drawing of it
// all onto a Canvas. Every edit is one change of the dia data; the copy
// changes nothing.
//
// The client area: the top kGraphTop pixels hold the buttons and texts,
// the graph lies below with its base line kBaseMargin pixels above the
// bottom. A time T is at x = (T − left time) / seconds per pixel, a count
// c at y = height − c / passengers per pixel − kBaseMargin.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/passenger_demand.h"
#include "base/canvas.h"
#include "base/dialog_model.h"
#include "base/text_format.h"
#include "board/operation_panel.h"
#include "run/dia_model.h"

namespace corvane {

inline constexpr int kGraphTop = 100;
inline constexpr int kBaseMargin = 20;

// Refusals and their captions.
inline constexpr char kPassengerErrorCaption[] = "乗客数エラー";
inline constexpr char kNoPassengersText[] =
    "乗客数が設定されていない場合には、数値指定はできません。\n";
inline constexpr char kOperationErrorCaption[] = "操作エラー";
inline constexpr char kNothingToCopyText[] = "コピーするデータがありません。";
inline constexpr char kNothingToPasteText[] = "コピー元のデータがありません。";
inline constexpr char kFromStationErrorCaption[] = "発駅指定エラー";
inline constexpr char kReverseRefusedText[] = "指定以外各駅を発駅に設定することは出来ません。\n";
inline constexpr char kSameStationText[] = "発駅と着駅に同じ駅は指定できません。\n";
inline constexpr char kEveryOtherStation[] = "指定以外各駅";

// The window's commands: its buttons and its menu bar.
inline constexpr char kPassengerFrom[] = "passenger.from";
inline constexpr char kPassengerTo[] = "passenger.to";
inline constexpr char kPassengerReverse[] = "passenger.reverse";
inline constexpr char kPassengerCurvePlus[] = "passenger.curve_plus";
inline constexpr char kPassengerCurveMinus[] = "passenger.curve_minus";
inline constexpr char kPassengerCurveInput[] = "passenger.curve_input";
inline constexpr char kPassengerHourPlus[] = "passenger.hour_plus";
inline constexpr char kPassengerHourMinus[] = "passenger.hour_minus";
inline constexpr char kPassengerHourInput[] = "passenger.hour_input";
inline constexpr char kPassengerTrainPlus[] = "passenger.train_plus";
inline constexpr char kPassengerTrainMinus[] = "passenger.train_minus";
inline constexpr char kPassengerTrainInput[] = "passenger.train_input";
inline constexpr char kPassengerLeft[] = "passenger.left";
inline constexpr char kPassengerTaller[] = "passenger.taller";
inline constexpr char kPassengerShorter[] = "passenger.shorter";
inline constexpr char kPassengerWider[] = "passenger.wider";
inline constexpr char kPassengerNarrower[] = "passenger.narrower";
inline constexpr char kPassengerRight[] = "passenger.right";
inline constexpr char kPassengerChoosePair[] = "passenger.choose_pair";
inline constexpr char kPassengerCopy[] = "passenger.copy";
inline constexpr char kPassengerPaste[] = "passenger.paste";

// A command of the window: a button at its place in the top area, or a
// line of the menu bar (no place).
struct PassengerCommand {
  const char* id;
  Bilingual label;
  // The name an editing script presses it by (the label, with the number's
  // name in front for the station numbers' buttons).
  const char* script_name;
  int left = 0, top = 0, width = 0, height = 0;
  bool button() const { return width > 0; }
};
// Buttons first, then the menu bar's lines, each in the order shown.
const std::vector<PassengerCommand>& PassengerCommands();
// The command `name` names: its id, its script name, its Japanese or
// English label; null for none.
const PassengerCommand* FindPassengerCommand(std::string_view name);

struct PassengerView {
  int from = 0;
  int to = 0;
  int left_time = 21600;
  int seconds_per_pixel = 30;
  int passengers_per_pixel = 10;
};

// "人数設定": a number of passengers ("約 … 人"); a negative number or one
// an int cannot hold is refused.
class PassengerNumberDialog : public DialogModel {
 public:
  PassengerNumberDialog(std::int64_t value, bool english);

  std::string Title(bool english) const override;
  bool Accept(Prompter& prompter) override;

  int value() const { return value_; }

 private:
  int value_ = 0;
};

// "発駅着駅選択": the from station (1 … N by full name) and the to station
// ("指定以外各駅" or a station); one station for both is refused.
class StationPairDialog : public DialogModel {
 public:
  StationPairDialog(const SystemMap& map, int from, int to, bool english);

  std::string Title(bool english) const override;
  bool Accept(Prompter& prompter) override;

  int from() const { return from_; }
  int to() const { return to_; }

 private:
  int from_ = 0;
  int to_ = 0;
};

class PassengerWindow {
 public:
  explicit PassengerWindow(DiaModel& model);
  PassengerWindow(const PassengerWindow&) = delete;
  PassengerWindow& operator=(const PassengerWindow&) = delete;

  // The pair and view as shown: a station beyond the map's count is first
  // brought back (from to 1, to to 0).
  PassengerView view() const;
  const DemandSummary& summary() const { return summary_; }
  // The entries of the pair shown, in list order.
  std::vector<DemandEntry> PairEntries() const;
  const std::vector<DemandEntry>& clipboard() const { return clipboard_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // The client area's size in pixels.
  void SetClientSize(int width, int height);
  // Shows pair (from, to); false (nothing changed) for a station the map
  // does not hold or one station for both.
  bool SetPair(int from, int to);

  // Runs a button or menu command; false for an unknown id. Dialogs open
  // through `host`, refusals go to its prompter.
  bool Run(std::string_view id, DialogHost& host);
  // A key of the window (F2, F5 … F8, the arrow keys); false when the
  // window does not take it (the board's typed keys take it then).
  bool Key(PanelKey key, int function, DialogHost& host);

  // Clicks at a pixel of the client area: the graph below kGraphTop only.
  void LeftClick(PixelPoint pixel);
  void RightClick(PixelPoint pixel);
  // What a left click does at a time (rounded to 10 minutes, within 0 …
  // 28:00) with a count (0 … the largest the data holds).
  void SetCountAt(std::int64_t time, std::int64_t count);
  // What a right click does: the pair's entry at that time goes.
  void RemoveAt(std::int64_t time);

  // The whole client area on a white picture.
  void Draw(Canvas& canvas, bool english) const;
  // Pixels of the graph.
  int XOfTime(std::int64_t time) const;
  int YOfCount(std::int64_t count) const;

  // The pair's entries and totals as text lines (for scripts).
  std::string Listing() const;

 private:
  void Summarise();
  bool Editable() const;
  // The time and count a click at `pixel` means.
  std::int64_t TimeAt(int x) const;
  std::int64_t CountAt(int y) const;
  void ScaleCurve(int numerator, int denominator);
  void InputTotal(DialogHost& host);
  void Copy(Prompter& prompter);
  void Paste(Prompter& prompter);
  void StepStationNumber(int StationRecord::*member, int step);
  void InputStationNumber(int StationRecord::*member, DialogHost& host);
  void StepFrom();
  void StepTo();
  void Reverse(Prompter& prompter);
  void ChoosePair(DialogHost& host);
  void DrawGrid(Canvas& canvas) const;
  void DrawCurve(Canvas& canvas, int from, int to, Rgb colour, bool circles) const;
  void DrawTexts(Canvas& canvas, bool english) const;

  DiaModel& model_;
  PassengerView view_;
  int width_ = 700;
  int height_ = 410;
  DemandSummary summary_;
  std::vector<DemandEntry> clipboard_;
  DiaModel::Subscription subscription_;
};

}  // namespace corvane
