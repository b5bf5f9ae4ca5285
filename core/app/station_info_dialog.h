#pragma once
// The station dialogs of the main window and the board's station frames:
// "駅選択" lists the stopping targets and opens "駅情報設定" for one of
// them. That dialog edits the names, scale, time display, departure melody
// and door times of a station or stop section of the loaded system map,
// lists its platform tracks and renames them; for timetables imported from
// WinDIA it also adds and deletes platform tracks. Those track edits are
// stored at once, each as its own change, and Cancel is no longer offered
// afterwards; OK stores the rest in one change.

#include <optional>
#include <string>
#include <vector>

#include "base/chooser.h"
#include "base/dialog_model.h"
#include "run/dia_model.h"

namespace corvane {

inline constexpr const char kStationDataErrorCaption[] = "データエラー";
inline constexpr const char kTimeNotPositive[] = "時間は正の値しか指定できません。";
inline constexpr const char kTimeOrder[] = "時間の大小関係が不正です。";
inline constexpr const char kTimeTooLarge[] = "時間が大きすぎます。";
inline constexpr const char kSoundFileCaption[] = "ファイルエラー";
inline constexpr const char kMelodyNotInFolder[] =
    "音楽用のパスにファイルがありません。\n正しく再生できない可能性があります。";
inline constexpr const char kSoundMissing[] = "音楽ファイル'%s'がありません。\n";
inline constexpr const char kSoundOutside[] =
    "音楽用のフォルダの外にあるファイルは再生できません。\n";
inline constexpr const char kCannotPlaySound[] = "この環境では音を再生できません。\n";
inline constexpr const char kNoNeighbourTrack[] =
    "同じ方向の番線が他にないため、この番線は削除できません。\n";
inline constexpr const char kMelodyFilter[] = "ＷＡＶファイル(*.wav)|*.wav||";

// Plays sound files without waiting for their end.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Starts playing `path` (UTF-8); nothing when it plays, else the message
  // saying why it cannot (a text of the program's own, in Japanese).
  virtual std::optional<std::string> Play(const std::string& path) = 0;
  // Stops what is playing, if anything.
  virtual void Stop() = 0;
};

// What the station dialog needs besides the data: the file chooser of
// "参照(&B)", the player of "再生(&P)" and the data folder's station sound
// folder. Without a chooser "参照(&B)" is disabled; without a player
// "再生(&P)" says that sound cannot be played.
struct StationDialogTools {
  Chooser* chooser = nullptr;
  SoundPlayer* player = nullptr;
  std::string sound_folder;  // no trailing "/"; "" when unknown
};

// The target a station frame of the board opens: the first target of the
// frame's station; 0 when the frame or its station does not exist.
int TargetOfStationFrame(const SystemMap& map, int frame);

// "名称設定": the abbreviation and the name of a rail or platform track.
class TrackNameDialog : public DialogModel {
 public:
  TrackNameDialog(std::string short_utf8, std::string name_utf8);

  std::string Title(bool english) const override;
  bool Accept(Prompter& prompter) override;

  // What OK accepted, Shift-JIS.
  const std::string& short_name() const { return short_name_; }
  const std::string& name() const { return name_; }

 private:
  std::string short_name_;
  std::string name_;
};

// "駅情報設定" for target `target` (1..count; another number shows an empty,
// disabled dialog whose OK stores nothing).
class StationInformationDialog : public DialogModel {
 public:
  StationInformationDialog(DiaModel& model, int target, const StationDialogTools& tools,
                           bool english);

  std::string Title(bool english) const override;
  void Changed(const std::string& id) override;
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;

  int target() const { return target_; }
  int station() const { return station_; }
  // The rails of the track list's lines (data not imported from WinDIA).
  const std::vector<int>& listed_rails() const { return listed_rails_; }

 private:
  void AddNameFields(const TargetRecord& target, const StationRecord* station);
  void AddTimeFields(const StationRecord* station);
  void AddTrackArea(const TargetRecord& target);
  bool imported() const;
  // Data of a station whose melody and door times can be edited.
  bool times_editable() const;
  void FillTrackList(int select);
  void UpdateButtons();
  void Browse(Prompter& prompter);
  void Play(Prompter& prompter);
  void RenameTrack(DialogHost& host);
  void AddTrack(Prompter& prompter);
  void DeleteTrack(Prompter& prompter);
  // The selected line of the track list, -1 none.
  int SelectedLine() const;
  // Reads the melody and door times; false (shown) when they are refused.
  bool ReadTimes(Prompter& prompter, int times[4]) const;

  DiaModel& model_;
  int target_ = 0;
  int station_ = 0;
  StationDialogTools tools_;
  bool english_ = false;
  std::vector<int> listed_rails_;
};

// "駅選択": the targets by name; "設定" opens the station information of
// the selected one and the list stays; OK ("終了") closes it.
class StationSelectionDialog : public DialogModel {
 public:
  StationSelectionDialog(DiaModel& model, const StationDialogTools& tools);

  std::string Title(bool english) const override;
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;

 private:
  void FillList(int select);

  DiaModel& model_;
  StationDialogTools tools_;
};

// Opens the station information dialog of target `target` through `host`;
// true when it was answered with OK. Nothing opens for a target that does
// not exist.
bool RunStationInfo(DiaModel& model, int target, const StationDialogTools& tools, DialogHost& host);

}  // namespace corvane
