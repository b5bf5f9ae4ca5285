#include "board/train_state.h"

#include <iterator>

#include "map/map_settings.h"

namespace corvane {

namespace {

constexpr int kLastTableState =
    kFirstTableState + static_cast<int>(std::size(kTrainStateTexts)) - 1;

bool Moving(int state) { return state >= 14 && state <= 18; }

}  // namespace

TrainStateLook TrainStateOf(const TrainRun& train, const TrainStateContext& context) {
  const Rgb base = context.to_diagram ? kWhite : kGray;
  const int state = train.state;
  TrainStateLook look{"", base};
  if (state >= kFirstTableState && state <= kLastTableState) {
    look.text = kTrainStateTexts[state - kFirstTableState].Pick(context.english);
  }
  switch (state) {
    case 0:
      look.text = context.collects_tickets ? "集札中" : "乗降中";
      break;
    case 1:
      look.text = "併合待";
      break;
    case 2:
      look.text = "併合中";
      break;
    case 3:
      look.text = "分割中";
      break;
    case 4:
      look.text = "方転中";
      break;
    case 6:
    case 7:
    case 8:
    case 9:
    case 10:
      look.colour = kOrange;
      break;
    case 14:
      if (context.motion_colours) look.colour = kBlue;
      break;
    case 15:
      if (context.motion_colours) look.colour = kCyan;
      break;
    case 16:
      if (context.motion_colours) look.colour = kGreen;
      break;
    case 17:
      look.text = context.safety_device == kSafetyAts ? "ＡＴＳ" : "ＡＴＣ";
      look.colour = kMagenta;
      if (train.permitted_speed <= 45 && train.signal_distance > 200) look.colour = kRed;
      if (!train.route_ahead) look.colour = kOrange;
      break;
    case 18:
      look.text = "非常止";
      look.colour = kRed;
      break;
    default:
      break;
  }
  if (Moving(state)) {
    if (train.guidance) look.text = "誘導中";
    if (state != 17 && !train.route_ahead && context.to_diagram) look.colour = kOrange;
  }
  if (train.failed) {
    look.text = "故障中";
    look.colour = kRed;
  }
  return look;
}

}  // namespace corvane
