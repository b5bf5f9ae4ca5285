#pragma once
// The series setting dialog of the main window ("形式設定"): the series
// files of the data folder and the series the dia data holds, each
// described with its pictures, and the commands that add trainsets of a
// file's series, dispose of trainsets and read a series again from its
// file. The dialog works on its own copy of the series; OK stores it in one
// change of the dia data.

#include <optional>
#include <string>
#include <vector>

#include "base/dialog_model.h"
#include "run/dia_model.h"
#include "stock/series_file.h"

namespace corvane {

// The series as the dialog changes them: the records, each with the number
// it has in the dia data (0 for one added here).
struct SeriesWork {
  Table<SeriesRecord> series{kMaxSeries};
  std::vector<int> origin{0};  // per record (index 0 unused)

  static SeriesWork Of(const DiaData& dia);
};

// One line of the dialog's list: a file of the series folder (with the
// record it is, by the exact identity) or a record no file matched.
struct SeriesEntry {
  std::string file;  // name in the series folder; empty for a record alone
  int record = 0;    // 0: the dia data does not hold it
  std::string label;
};

// Files first (at most kMostListedSeries entries in all), then the records
// no file matched.
std::vector<SeriesEntry> ListSeries(const SeriesFolders& folders, const Table<SeriesRecord>& held);

// Trainsets of `series` the dia data's trainsets use.
int UsedTrainsets(const DiaData& dia, int series);

// The commands on `work`; each shows its refusal through `prompter` and
// returns false, changing nothing.
bool AddTrainsets(SeriesWork& work, const SeriesFolders& folders, const std::string& file,
                  int count, const MapSettings& map, Prompter& prompter);
bool DisposeTrainsets(SeriesWork& work, const DiaData& dia, int record, int count,
                      Prompter& prompter);
// Reads the record's file again; the record to select afterwards (another
// that is that file exactly, or the same), nothing when refused.
std::optional<int> ReloadSeries(SeriesWork& work, const SeriesFolders& folders, int record,
                                const MapSettings& map, Prompter& prompter);

// Stores `work` in the dia data as one change: records kept, changed,
// added and removed, and the trainsets and speed types following their
// series' new numbers.
void StoreSeries(DiaModel& model, const SeriesWork& work);

// The picture files of a series: its photograph and icon in their folders,
// "white.bmp" and "black.bmp" there when it names none.
std::string SeriesPhotoPath(const SeriesFolders& folders, const SeriesRecord& record);
std::string SeriesIconPath(const SeriesFolders& folders, const SeriesRecord& record);

class SeriesDialog : public DialogModel {
 public:
  SeriesDialog(DiaModel& model, SeriesFolders folders);

  std::string Title(bool english) const override;
  void set_english(bool english) {
    english_ = english;
    ShowSelected();
  }
  void Changed(const std::string& id) override;
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;

  const SeriesWork& work() const { return work_; }

 private:
  void Rebuild(int select_record, const std::string& select_file);
  void ShowSelected();
  const SeriesEntry* Selected() const;

  DiaModel& model_;
  SeriesFolders folders_;
  SeriesWork work_;
  std::vector<SeriesEntry> entries_;
  bool english_ = false;
};

}  // namespace corvane
