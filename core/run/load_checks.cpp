#include "run/load_checks.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "base/text_format.h"
#include "run/dia_change.h"

namespace corvane {

namespace {

constexpr const char kReadWarning[] = "ファイル読み込み警告";
constexpr const char kRepairConfirm[] = "修正確認";
constexpr const char kAutoRepairConfirm[] = "自動修正確認";
constexpr const char kVersionWarning[] = "バージョン警告";
constexpr const char kVersionError[] = "バージョンエラー";

constexpr const char kUnitSeriesWrong[] =
    "編成データが不正です。\n%s編成の形式情報を自動修正します。\nよろしいですか？\n";
constexpr const char kDiaFaulty[] = "このダイヤデータは不具合があります。\n自動修正を試みますか？";
constexpr const char kDiaRepaired[] =
    "ダイヤデータを自動修正しました。\nただし、不具合が残っている可能性もあります。";
constexpr const char kRepairDone[] = "修正完了";
constexpr const char kPatternFaulty[] =
    "このダイヤパターンデータは不具合があります。\n自動修正を試みますか？";
constexpr const char kSpeedTypeSeries[] =
    "速度種別%sの計測用形式データがありません。\n使用中にエラーが発生する可能性があります\n\n"
    "該当する速度種別の形式設定を自動修正します。\nよろしいですか？\n";
constexpr const char kViewDirecWrong[] =
    "線路の方向表示設定が不正です。\n方向表示設定を自動修正します。\nよろしいですか？\n";
constexpr const char kRightDownWrong[] =
    "→方向が「上り」になっています。\n→方向が「下り」に自動修正します。\nよろしいですか？\n";
constexpr const char kOldSignals[] =
    "このマップは、バージョンが古いため、信号の現示などに一部不具合が出る可能性があります。\n"
    "信号現示変換処理を行いますか？\n\n"
    "信号現示変換処理を実行すると、列車性能に適した信号現示となりますが、運転時分が変わるためダイ"
    "ヤの作成をし直す必要が発生する場合があります。";
constexpr const char kOldSignalsNoExtension[] =
    "このマップは、バージョンが古いため、信号の現示などに一部不具合が出る可能性があります。\n"
    "なお、拡張機能を使用する場合、信号現示変換処理が使用できます。";
constexpr const char kNoConversionNeeded[] = "このマップは、信号現示変換処理は必要ありません。";
constexpr const char kTooOldToConvert[] =
    "このマップは、バーションが古いため信号現示変換処理は出来ません。";
constexpr const char kMapCannotConvert[] = "このマップは、信号現示変換処理に対応していません。";
// A brake so small that no deceleration would be left for the signals.
constexpr const char kBrakeTooSmall[] =
    "形式のＡＴＣブレーキが小さ過ぎるため、信号現示変換処理は出来ません。";
constexpr const char kDestinations[] =
    "ダイヤデータの行き先表示を自動設定します。\nよろしいですか？\n\n"
    "この処理を行うと、行き先表示の文字数切り替えができるようになります。";
constexpr const char kRailSignal[] =
    "レールデータが不正です。\n%sの信号設定を自動修正します。\nよろしいですか？\n";

#define CORVANE_MAKER "正しく動作しない可能性があります。\nマップ製作者にお問い合わせ下さい。\n"
constexpr const char kNextLink[] =
    "レールデータが不正です。" CORVANE_MAKER " l_next i:%d l_next:%d\n";
constexpr const char kBackLink[] =
    "レールデータが不正です。" CORVANE_MAKER " l_back i:%d l_back:%d\n";
constexpr const char kRowX[] =
    "レール表示データが不正です。" CORVANE_MAKER " row_pos_x i:%d(%d) l_next(%d):%d\n";
constexpr const char kRowYNext[] =
    "レール表示データが不正です。" CORVANE_MAKER " row_pos_y i:%d(%d) l_next(%d):%d\n";
constexpr const char kRowYBack[] =
    "レール表示データが不正です。" CORVANE_MAKER " row_pos_y i:%d(%d) l_back(%d):%d\n";
constexpr const char kDualPack[] =
    "レールデータが不正です。" CORVANE_MAKER " l_pack i:%d l_dual:%d\n";
constexpr const char kPackRail[] =
    "レールデータが不正です。" CORVANE_MAKER " l_pack i:%d l_pack:%d\n";
constexpr const char kPieceFirst[] =
    "双方向レールデータが不正です。" CORVANE_MAKER " l_pack i:%d l_dual:%d\n";
constexpr const char kPieceSecond[] =
    "双方向パックレールデータが不正です。" CORVANE_MAKER " l_pack i:%d l_dual:%d\n";
constexpr const char kPieceLength[] =
    "双方向レールデータが不正です。" CORVANE_MAKER " dist error %d:%d %d:%d\n";
constexpr const char kPieceYard[] =
    "双方向レールデータが不正です。" CORVANE_MAKER " area error %d:%d %d:%d\n";
#undef CORVANE_MAKER

constexpr const char kStatusMapRepair[] = "マップ自動修正中";
constexpr const char kStatusDuplicateSeries[] = "重複形式削除中";
constexpr const char kStatusLog[] = "ログ初期化中";
constexpr const char kStatusSeriesVersion[] = "形式データバージョンアップ中";
constexpr const char kStatusConverting[] = "信号現示変換中";
constexpr const char kStatusChecking[] = "データチェック中";

// Data versions the steps depend on.
constexpr int kVersionUnitRepair = 1110;
constexpr int kVersionDestinations = 1150;
constexpr int kSeriesVersionUp = 1110;
constexpr int kSeriesVersionCurrent = 1220;
constexpr int kSignalVersionConverted = 1042;
constexpr int kOldestConvertible = 1000;
constexpr int kImportedMapCode = 99999;
constexpr int kUnconvertibleMapCode = 401;
// The most jumps the dia data's "[StructSize]" allows.
constexpr int kMostJumps = 8191;

std::string N(int value) { return std::to_string(value); }

template <typename Record>
bool InRange(const Table<Record>& table, int index) {
  return index >= 1 && index <= table.count();
}

// The steps over one change, with the prompts counted.
class LoadChecker {
 public:
  LoadChecker(DiaModel& model, const LoadCheckSetup& setup, Prompter& prompter)
      : model_(model), change_(model), setup_(setup), prompter_(prompter) {}

  LoadCheckResult Run() {
    CheckUnitSeries();
    if (version() == kVersionUnitRepair) RepairUnitRuns();
    CheckRunLinks();
    CheckPatterns();
    if (!imported()) RepairMap();
    MergeDuplicateSeries();
    UpgradeOldSeries();
    if (!imported()) OfferSignalConversion();
    if (version() < kVersionUnitRepair) DeriveRowJumps();
    if (version() < kVersionDestinations) OfferDestinations();
    CheckRailLinks();
    Status("");
    if (result_.aborted) change_.Cancel();
    return result_;
  }

 private:
  const DiaFile& file() const { return model_.file(); }
  int version() const { return file().header.version; }
  bool imported() const { return file().header.wdia_mode == 1; }

  PromptAnswer Ask(std::string_view text, std::string_view caption, PromptButtons buttons) {
    ++result_.prompts;
    const PromptIcon icon =
        buttons == PromptButtons::kOk ? PromptIcon::kInformation : PromptIcon::kWarning;
    return prompter_.Ask(text, caption, buttons, icon);
  }
  bool Confirm(std::string_view text, std::string_view caption) {
    return Ask(text, caption, PromptButtons::kYesNo) == PromptAnswer::kYes;
  }
  void Status(std::string_view text) {
    if (setup_.status) setup_.status(text);
  }

  // ------------------------------------------------------------ timetable links

  void CheckUnitSeries() {
    const int series = file().dia.series.count();
    for (int u = 1; u <= file().dia.units.count(); ++u) {
      const int number = file().dia.units[u].series;
      if (number <= series && number >= 0) continue;
      if (Confirm(FillIn(kUnitSeriesWrong, {file().dia.units[u].name.Utf8()}), kReadWarning)) {
        change_.units()[u].series = series;
      }
    }
  }

  // The target a rail stops at, 0 for a rail out of range.
  int TargetOfRail(int rail) const {
    return InRange(file().map.rails, rail) ? file().map.rails[rail].target : 0;
  }
  int TargetOfTrain(int train) const {
    return InRange(file().dia.trains, train) ? TargetOfRail(file().dia.trains[train].rail) : 0;
  }
  // The target of a run's first stop event; nothing when it has none.
  std::optional<int> FirstTarget(int diagram) const {
    if (!InRange(file().dia.diagrams, diagram)) return std::nullopt;
    const std::vector<StopEvent>& events = file().dia.diagrams[diagram].events;
    if (events.empty() || events.front().kind == kEventEnd) return std::nullopt;
    return TargetOfRail(events.front().rail);
  }
  bool UnitRunFaulty(const UnitRecord& unit) const {
    if (unit.diagram == 0) return false;
    const std::optional<int> first = FirstTarget(unit.diagram);
    return !first || *first != TargetOfTrain(unit.train);
  }

  // A trainset runs the first run in use that starts where its train stands.
  void RepairUnitRuns() {
    const Table<UnitRecord>& units = file().dia.units;
    int faulty = 0;
    for (int u = 1; u <= units.count(); ++u) faulty += UnitRunFaulty(units[u]) ? 1 : 0;
    if (faulty == 0 || !Confirm(kDiaFaulty, kRepairConfirm)) return;
    const Table<DiagramRecord>& diagrams = file().dia.diagrams;
    for (int u = 1; u <= units.count(); ++u) {
      if (!UnitRunFaulty(units[u])) continue;
      const int target = TargetOfTrain(units[u].train);
      for (int d = 1; d <= diagrams.count(); ++d) {
        if (diagrams[d].direction != 0 && FirstTarget(d) == target) {
          change_.units()[u].diagram = d;
          break;
        }
      }
    }
    Ask(kDiaRepaired, kRepairDone, PromptButtons::kOk);
  }

  bool RunInUse(int diagram) const {
    return InRange(file().dia.diagrams, diagram) && file().dia.diagrams[diagram].direction != 0;
  }

  void CheckRunLinks() {
    for (int d = 1; d <= file().dia.diagrams.count(); ++d) {
      const int link = file().dia.diagrams[d].values[4];
      if (link == 0 || RunInUse(link)) continue;
      if (Confirm(kDiaFaulty, kRepairConfirm)) change_.diagrams()[d].values[4] = 0;
    }
  }

  void CheckPatterns() {
    for (int p = 1; p <= file().dia.patterns.count();) {
      const int diagram = file().dia.patterns[p].diagram;
      if (diagram != 0 && !RunInUse(diagram) && Confirm(kPatternFaulty, kRepairConfirm)) {
        change_.patterns().Delete(p);
        continue;
      }
      ++p;
    }
  }

  // ------------------------------------------------------------ map repairs

  void RepairMap() {
    Status(kStatusMapRepair);
    const Table<DiagramRecord>& diagrams = file().dia.diagrams;
    for (int d = 1; d <= diagrams.count(); ++d) {
      if (diagrams[d].values[7] != 0 && diagrams[d].values[8] != 0) {
        change_.diagrams()[d].values[8] = 0;
      }
    }
    const int series = file().dia.series.count();
    const Table<SpeedTypeRecord>& types = file().dia.speed_types;
    for (int t = 1; series >= 1 && t <= types.count(); ++t) {
      if (types[t].series <= series && types[t].series >= 0) continue;
      if (Confirm(FillIn(kSpeedTypeSeries, {types[t].short_name.Utf8()}), kAutoRepairConfirm)) {
        change_.speed_types()[t].series = 1;
      }
    }
    if (file().header.map_code != kImportedMapCode) return;
    if (file().header.settings.view_direc == 0 && Confirm(kViewDirecWrong, kAutoRepairConfirm)) {
      change_.header().settings.view_direc = 1;
    }
    if (file().header.settings.right_down == 0 && Confirm(kRightDownWrong, kAutoRepairConfirm)) {
      change_.header().settings.right_down = 1;
    }
  }

  // ------------------------------------------------------------ series

  // Later copies of a series give their trainsets to the first; what
  // referred to them refers to it.
  void MergeDuplicateSeries() {
    Status(kStatusDuplicateSeries);
    for (int first = 1; first <= file().dia.series.count(); ++first) {
      for (int later = first + 1; later <= file().dia.series.count();) {
        if (!SameSeries(file().dia.series[first], file().dia.series[later], true)) {
          ++later;
          continue;
        }
        const long long owned = static_cast<long long>(file().dia.series[first].owned_units) +
                                file().dia.series[later].owned_units;
        change_.series()[first].owned_units =
            static_cast<int>(std::clamp<long long>(owned, INT_MIN, INT_MAX));
        RenumberSeries(later, first);
        change_.series().Delete(later);
      }
    }
    Status(kStatusLog);
  }

  // References to series `gone` go to `kept`; later ones move down by one.
  void RenumberSeries(int gone, int kept) {
    const auto renumber = [&](int number) {
      if (number == gone) return kept;
      return number > gone ? number - 1 : number;
    };
    for (int u = 1; u <= file().dia.units.count(); ++u) {
      const int number = file().dia.units[u].series;
      if (renumber(number) != number) change_.units()[u].series = renumber(number);
    }
    for (int t = 1; t <= file().dia.speed_types.count(); ++t) {
      const int number = file().dia.speed_types[t].series;
      if (renumber(number) != number) change_.speed_types()[t].series = renumber(number);
    }
  }

  void UpgradeOldSeries() {
    for (int s = 1; s <= file().dia.series.count(); ++s) {
      if (file().dia.series[s].record_version >= kSeriesVersionUp) continue;
      Status(kStatusSeriesVersion);
      const std::optional<FoundSeriesFile> found =
          FindSeriesFile(setup_.series_folders.series, file().dia.series[s]);
      if (!found) continue;
      SeriesRecord& record = change_.series()[s];
      record.record_version = kSeriesVersionCurrent;
      record.supplies = found->file.record.supplies;
      record.gauge = found->file.record.gauge;
      record.times = found->file.record.times;
    }
  }

  void OfferSignalConversion() {
    if (file().header.settings.signal_version >= kSignalVersionConverted) return;
    if (!setup_.extension) {
      Ask(kOldSignalsNoExtension, kVersionWarning, PromptButtons::kOk);
      return;
    }
    if (!Confirm(kOldSignals, kVersionWarning)) return;
    ++result_.prompts;  // what the conversion shows is counted as one
    if (ConvertSignalAspects(model_, setup_, prompter_)) result_.converted = true;
  }

  // ------------------------------------------------------------ old data

  // Rows of old data continue into the next row where a rail's exit has no
  // successor in its row and a rail of the next row starts at that place.
  void DeriveRowJumps() {
    const Table<JumpRecord>& jumps = file().map.jumps;
    int keep = 0;
    while (keep < jumps.count() && jumps[keep + 1].jump_kind != 1) ++keep;
    while (jumps.count() > keep) change_.jumps().Delete(jumps.count());
    const Table<RailRecord>& rails = file().map.rails;
    // Rails by row and entry point.
    std::multimap<std::tuple<int, int, int>, int> entries;
    for (int i = 1; i <= rails.count(); ++i) {
      entries.emplace(std::make_tuple(rails[i].display_row, rails[i].x_entry, rails[i].y_entry), i);
    }
    for (int i = 1; i <= rails.count(); ++i) {
      const RailRecord& rail = rails[i];
      const int row = rail.display_row;
      if (row < 1 || row >= file().map.rows.count()) continue;
      if (entries.contains({row, rail.x_exit, rail.y_exit})) continue;
      const auto [from, to] = entries.equal_range({row + 1, rail.x_exit, rail.y_exit});
      for (auto match = from; match != to; ++match) AppendRowJump(row, rail);
    }
  }

  void AppendRowJump(int row, const RailRecord& rail) {
    JumpRecord jump;
    jump.jump_kind = 1;
    jump.from_row = row;
    jump.to_row = row + 1;
    jump.x_from = jump.x_to = rail.x_exit;
    jump.y_from = jump.y_to = rail.y_exit;
    DiaTableChange<JumpRecord> jumps = change_.jumps();
    if (jumps.count() >= kMostJumps) return;
    jump.label = "R" + N(jumps.count() + 1);
    // The table grows as the jumps need it.
    jumps.Grow(jumps.count() + 1);
    jumps.Append(jump);
  }

  void OfferDestinations() {
    if (!Confirm(kDestinations, kRepairConfirm)) return;
    const Table<TargetRecord>& targets = file().map.targets;
    for (int d = 1; d <= file().dia.diagrams.count(); ++d) {
      const DiagramRecord& run = file().dia.diagrams[d];
      if (run.direction == 0) continue;
      int destination = run.values[0];
      for (int t = 1; t <= targets.count(); ++t) {
        if (targets[t].short_name == run.destination) destination = t;
      }
      if (destination != run.values[0]) change_.diagrams()[d].values[0] = destination;
    }
  }

  // ------------------------------------------------------------ rail links

  // One report: false when the check ends (Abort or Ignore).
  template <typename... Ints>
  bool Report(std::string_view format, Ints... values) {
    return Reported(FillIn(format, {std::string_view(N(values))...}));
  }
  bool Reported(const std::string& text) {
    switch (Ask(text, kReadWarning, PromptButtons::kAbortRetryIgnore)) {
      case PromptAnswer::kAbort:
        result_.aborted = true;
        return false;
      case PromptAnswer::kIgnore:
        return false;
      default:
        return true;
    }
  }

  void CheckRailLinks() {
    Status(kStatusChecking);
    const Table<RailRecord>& rails = file().map.rails;
    for (int i = 1; i <= rails.count(); ++i) {
      if (rails[i].l_next == 0 && rails[i].signal == 0 &&
          Confirm(FillIn(kRailSignal, {rails[i].name.Utf8()}), kReadWarning)) {
        change_.rails()[i].signal = 1;
      }
      if (!CheckRail(i)) return;
    }
    for (int j = 1; j <= file().map.prails.count(); ++j) {
      if (!CheckPiece(j)) return;
    }
  }

  bool CheckRail(int i) {
    const Table<RailRecord>& rails = file().map.rails;
    const RailRecord& r = rails[i];
    const bool next = r.l_next > 0 && InRange(rails, r.l_next);
    const bool back = r.l_back > 0 && InRange(rails, r.l_back);
    if (r.l_next > 0 && (!next || std::llabs(rails[r.l_next].l_back) != i)) {
      if (!Report(kNextLink, i, r.l_next)) return false;
    }
    if (file().header.map_pos_check) {
      if (r.l_back > 0 && (!back || std::llabs(rails[r.l_back].l_next) != i)) {
        if (!Report(kBackLink, i, r.l_back)) return false;
      }
      if (r.display_row != 0 && !CheckPositions(i, next, back)) return false;
    }
    if (r.l_dual != 0 && (!InRange(rails, r.l_dual) || rails[r.l_dual].l_pack != r.l_pack)) {
      if (!Report(kDualPack, i, r.l_dual)) return false;
    }
    if (r.l_pack != 0) {
      const Table<PRailRecord>& pieces = file().map.prails;
      const bool known = InRange(pieces, r.l_pack);
      if (!known || (pieces[r.l_pack].rail_first != i && pieces[r.l_pack].rail_second != i)) {
        if (!Report(kPackRail, i, r.l_pack)) return false;
      }
    }
    return true;
  }

  // Whether a jump of the board joins the places (x1, y1) and (x2, y2):
  // a link through a jump is no position fault.
  bool JoinedByJump(int x1, int y1, int x2, int y2) {
    if (!jump_places_) {
      jump_places_.emplace();
      const Table<JumpRecord>& jumps = file().map.jumps;
      for (int j = 1; j <= jumps.count(); ++j) {
        const JumpRecord& jump = jumps[j];
        jump_places_->insert({jump.x_from, jump.y_from, jump.x_to, jump.y_to});
        jump_places_->insert({jump.x_to, jump.y_to, jump.x_from, jump.y_from});
      }
    }
    return jump_places_->contains({x1, y1, x2, y2});
  }

  bool CheckPositions(int i, bool next, bool back) {
    const Table<RailRecord>& rails = file().map.rails;
    const RailRecord& r = rails[i];
    next =
        next && !JoinedByJump(r.x_exit, r.y_exit, rails[r.l_next].x_entry, rails[r.l_next].y_entry);
    back =
        back && !JoinedByJump(r.x_entry, r.y_entry, rails[r.l_back].x_exit, rails[r.l_back].y_exit);
    if (next && r.x_exit != rails[r.l_next].x_entry &&
        !Report(kRowX, i, r.x_exit, r.l_next, rails[r.l_next].x_entry)) {
      return false;
    }
    if (back && r.x_entry != rails[r.l_back].x_exit &&
        !Report(kRowX, i, r.x_entry, r.l_back, rails[r.l_back].x_exit)) {
      return false;
    }
    if (next && r.y_exit != rails[r.l_next].y_entry &&
        !Report(kRowYNext, i, r.y_exit, r.l_next, rails[r.l_next].y_entry)) {
      return false;
    }
    if (back && r.y_entry != rails[r.l_back].y_exit &&
        !Report(kRowYBack, i, r.y_entry, r.l_back, rails[r.l_back].y_exit)) {
      return false;
    }
    return true;
  }

  bool CheckPiece(int j) {
    const Table<RailRecord>& rails = file().map.rails;
    const PRailRecord& piece = file().map.prails[j];
    const int first = piece.rail_first;
    const int second = piece.rail_second;
    if (first != 0 && (!InRange(rails, first) || rails[first].l_pack != j) &&
        !Report(kPieceFirst, j, first)) {
      return false;
    }
    if (second != 0 && (!InRange(rails, second) || rails[second].l_pack != j) &&
        !Report(kPieceSecond, j, second)) {
      return false;
    }
    if (!InRange(rails, first) || !InRange(rails, second)) return true;
    if (rails[first].length != rails[second].length &&
        !Report(kPieceLength, first, rails[first].length, second, rails[second].length)) {
      return false;
    }
    if (rails[first].yard_target != rails[second].yard_target &&
        !Report(kPieceYard, first, rails[first].yard_target, second, rails[second].yard_target)) {
      return false;
    }
    return true;
  }

  DiaModel& model_;
  DiaChange change_;
  const LoadCheckSetup& setup_;
  Prompter& prompter_;
  LoadCheckResult result_;
  std::optional<std::set<std::array<int, 4>>> jump_places_;
};

}  // namespace

LoadCheckResult RunLoadChecks(DiaModel& model, const LoadCheckSetup& setup, Prompter& prompter) {
  return LoadChecker(model, setup, setup.prompter != nullptr ? *setup.prompter : prompter).Run();
}

PromptAnswer FixedAnswers::Ask(std::string_view text, std::string_view caption,
                               PromptButtons buttons, PromptIcon icon) {
  shown_.Ask(text, caption, PromptButtons::kOk, icon);
  PromptAnswer answer = PromptAnswer::kOk;
  if (buttons == PromptButtons::kYesNo || buttons == PromptButtons::kYesNoCancel) {
    answer = question_;
  } else if (buttons == PromptButtons::kAbortRetryIgnore) {
    answer = report_;
  } else {
    return answer;
  }
  if (taken_) taken_(answer);
  return answer;
}

const char* AnswerName(PromptAnswer answer) {
  switch (answer) {
    case PromptAnswer::kYes:
      return "Yes";
    case PromptAnswer::kNo:
      return "No";
    case PromptAnswer::kAbort:
      return "Abort";
    case PromptAnswer::kRetry:
      return "Retry";
    case PromptAnswer::kIgnore:
      return "Ignore";
    case PromptAnswer::kCancel:
      return "Cancel";
    default:
      return "OK";
  }
}

std::optional<int> ConvertedHandleAtc(std::optional<int> brake, int handle_atc) {
  if (!brake) return std::nullopt;
  const long long allowed = (static_cast<long long>(*brake) * 100 - 9800) / 1024;
  return static_cast<int>(std::min<long long>(handle_atc, allowed));
}

bool ConvertSignalAspects(DiaModel& model, const LoadCheckSetup& setup, Prompter& prompter) {
  const DiaHeader& header = model.header();
  if (header.wdia_mode == 1) return false;
  if (header.settings.signal_version >= kSignalVersionConverted) {
    prompter.Error(kNoConversionNeeded, kVersionError);
    return false;
  }
  if (header.settings.signal_version < kOldestConvertible) {
    prompter.Error(kTooOldToConvert, kVersionError);
    return false;
  }
  if (header.map_code == kUnconvertibleMapCode) {
    prompter.Error(kMapCannotConvert, kVersionError);
    return false;
  }
  if (setup.status) setup.status(kStatusConverting);
  MapSettings settings = header.settings;
  // Without series the deceleration stays; one of 0 or below would stop
  // every signal calculation.
  const std::optional<int> handle =
      ConvertedHandleAtc(SmallestAtcBrake(model.dia().series), settings.handle_atc);
  if (handle && *handle <= 0) {
    prompter.Error(kBrakeTooSmall, kVersionError);
    return false;
  }
  if (handle) settings.handle_atc = *handle;
  settings.stop_spare_dist = std::max(settings.stop_spare_dist, 5) - 5;  // never below 0
  if (setup.signal_settings && !setup.signal_settings(settings)) return false;
  settings.signal_version = kSignalVersionConverted;
  DiaChange change(model);
  change.header().settings = settings;
  return true;
}

}  // namespace corvane
