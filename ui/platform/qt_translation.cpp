#include "platform/qt_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace corvane {

namespace {

// The one translation the program has installed, if any.
QPointer<QTranslator>& Installed() {
  static QPointer<QTranslator> translator;
  return translator;
}

}  // namespace

bool InstallQtTranslation(bool english) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return false;
  if (QTranslator* old = Installed().data()) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  if (english) return true;
  auto* translator = new QTranslator(application);
  if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                        QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  Installed() = translator;
  return true;
}

}  // namespace corvane
