#include "platform/process_sound_player.h"

#include <QStandardPaths>
#include <QStringList>

#include "platform/qt_text.h"

namespace corvane {

namespace {

// The first command-line WAV player found on the path, "" none.
QString FindPlayer() {
  for (const char* name : {"paplay", "aplay"}) {
    const QString found = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!found.isEmpty()) return found;
  }
  return {};
}

}  // namespace

ProcessSoundPlayer::~ProcessSoundPlayer() { Stop(); }

std::optional<std::string> ProcessSoundPlayer::Play(const std::string& path) {
  Stop();
  const QString program = FindPlayer();
  if (program.isEmpty()) return std::string(kCannotPlaySound);
  auto* process = new QProcess;
  process->setProgram(program);
  process->setArguments({QStringLiteral("-q"), Qs(path)});
  if (program.endsWith(QStringLiteral("paplay"))) process->setArguments({Qs(path)});
  process->setStandardOutputFile(QProcess::nullDevice());
  process->setStandardErrorFile(QProcess::nullDevice());
  // The process object goes when the sound has ended.
  QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
  QObject::connect(process, &QProcess::errorOccurred, process, &QObject::deleteLater);
  process->start();
  if (!process->waitForStarted(2000)) return std::string(kCannotPlaySound);
  process_ = process;
  return std::nullopt;
}

void ProcessSoundPlayer::Stop() {
  if (process_.isNull()) return;
  QProcess* process = process_.data();
  process_.clear();
  if (process->state() != QProcess::NotRunning) {
    process->kill();
    process->waitForFinished(1000);
  }
  process->deleteLater();
}

}  // namespace corvane
