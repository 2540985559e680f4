// Orindel: starts the one window.
#include <QApplication>
#include <QIcon>

#include "form2_widget.h"
#include "japanese.h"
#include "orindel_version.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orindel"));
  // Shown as major.two-digit minor: 1.6 is "1.06".
  QApplication::setApplicationVersion(QStringLiteral("%1.%2")
                                          .arg(ORINDEL_VERSION_MAJOR)
                                          .arg(ORINDEL_VERSION_MINOR, 2, 10, QLatin1Char('0')));
  QGuiApplication::setDesktopFileName(QStringLiteral(ORINDEL_APP_ID));
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addFile(QStringLiteral(":/icons/orindel-%1.png").arg(size));
  QApplication::setWindowIcon(icon);
  orindel::installJapaneseTranslations(app);

  orindel::Form2Widget window;
  window.show();
  return app.exec();
}
