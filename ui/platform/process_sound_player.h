#pragma once
// The desktop program's sound player: a WAV file is handed to the system's
// command-line player ("paplay" or "aplay", whichever is installed), which
// plays it while the program goes on. Without either, playing says that
// sound cannot be played here.

#include <QPointer>
#include <QProcess>
#include <optional>
#include <string>

#include "app/station_info_dialog.h"

namespace corvane {

class ProcessSoundPlayer : public SoundPlayer {
 public:
  ProcessSoundPlayer() = default;
  ~ProcessSoundPlayer() override;

  std::optional<std::string> Play(const std::string& path) override;
  void Stop() override;

 private:
  QPointer<QProcess> process_;
};

}  // namespace corvane
