#pragma once
// The signal detail dialog that edits the signal types' aspect bands
// ("信号詳細設定") or chooses a type ("信号選択").

#include <string>
#include <vector>

#include "base/dialog_model.h"
#include "map/signal_bands.h"

namespace corvane {

enum class SignalDetailMode { kEdit, kChoose };

class SignalDetailDialog : public DialogModel {
 public:
  // `type` is the type selected at first (0: "next section").
  SignalDetailDialog(SignalTables tables, const MapSettings& settings, SignalDetailMode mode,
                     int type, bool english);

  std::string Title(bool english) const override;
  void Changed(const std::string& id) override;
  void Press(const std::string& button, DialogHost& host) override;
  bool Accept(Prompter& prompter) override;

  const SignalTables& tables() const { return tables_; }
  int chosen_type() const { return type_; }

 private:
  void ShowType();
  void ShowBand();
  MapSignalType* Type();
  // The band lows in the order of the aspect list (highest first).
  std::vector<int> ListedBands() const;

  SignalTables tables_;
  MapSettings settings_;
  SignalDetailMode mode_;
  bool english_;
  int type_ = 0;
  int band_ = 0;  // low speed of the selected band
};

}  // namespace corvane
