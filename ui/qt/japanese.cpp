#include "japanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace orindel {

bool installJapaneseTranslations(QCoreApplication& app) {
  // Owned by the application, which keeps it for the rest of the run.
  auto* translator = new QTranslator(&app);
  const QString directory = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!translator->load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                        directory)) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

}  // namespace orindel
