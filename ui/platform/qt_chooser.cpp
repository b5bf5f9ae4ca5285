#include "platform/qt_chooser.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>
#include <QStringList>

#include "app/messages.h"
#include "platform/dialog_owner.h"
#include "platform/qt_text.h"

namespace corvane {

QString QtFileFilter(std::string_view filter) {
  QStringList entries;
  for (const FileFilter& pair : ParseFilter(filter)) {
    QStringList patterns;
    for (const std::string& pattern : SplitPatterns(pair.pattern)) patterns << Qs(pattern);
    if (patterns.isEmpty()) continue;
    const QString group = QStringLiteral("(") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    QString description = Qs(pair.description).trimmed();
    const QString shown = QStringLiteral("(") + Qs(pair.pattern) + QLatin1Char(')');
    if (description.endsWith(shown)) {
      description.chop(shown.size());
      description += group;
    } else {
      if (!description.isEmpty()) description += QLatin1Char(' ');
      description += group;
    }
    entries << description;
  }
  return entries.join(QStringLiteral(";;"));
}

void ConfigureFileDialog(QFileDialog& dialog, const FileChoice& choice) {
  dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(!choice.save && choice.must_exist ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !(choice.save && choice.overwrite_prompt));
  const QString filter = QtFileFilter(choice.filter);
  if (!filter.isEmpty()) dialog.setNameFilters(filter.split(QStringLiteral(";;")));
  dialog.setDefaultSuffix(Qs(choice.default_extension));
  if (choice.initial_path.empty()) return;
  const QString initial = Qs(choice.initial_path);
  const QFileInfo info(initial);
  if (initial.endsWith(QLatin1Char('/')) || info.isDir()) {
    dialog.setDirectory(initial);
  } else {
    dialog.setDirectory(info.absolutePath());
    dialog.selectFile(info.fileName());
  }
}

std::optional<std::string> QtChooser::ChooseFile(const FileChoice& choice) {
  QFileDialog dialog(DialogOwner(parent_.data()));
  ConfigureFileDialog(dialog, choice);
  const QPointer<QWidget> focus = QApplication::focusWidget();
  const bool chosen = dialog.exec() == QDialog::Accepted;
  RestoreFocus(focus);
  if (!chosen) return std::nullopt;
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return std::nullopt;
  return Utf8(files.first());
}

std::optional<std::string> ChooseFolderWithDialog(QWidget* parent, const QString& title,
                                                  const QString& start) {
  const QString folder = QFileDialog::getExistingDirectory(parent, title, start);
  if (folder.isEmpty()) return std::nullopt;
  return Utf8(folder);
}

}  // namespace corvane
