// Orindel: starts the one window.
#include <QApplication>
#include <QIcon>
#include <optional>

#include "form2_widget.h"
#include "japanese.h"
#include "orindel_version.h"
#include "start_up.h"

int main(int argc, char* argv[]) {
  if (const std::optional<int> code = orindel::answerCommandLine(argc, argv)) return *code;
  std::optional<orindel::DisplayCheck> displayCheck(std::in_place);
  QApplication app(argc, argv);
  displayCheck.reset();
  QApplication::setApplicationName(QStringLiteral("Orindel"));
  QApplication::setApplicationVersion(QStringLiteral(ORINDEL_DISPLAY_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral(ORINDEL_APP_ID));
  QIcon icon;
  for (int size : {16, 32, 48}) icon.addFile(QStringLiteral(":/icons/orindel-%1.png").arg(size));
  QApplication::setWindowIcon(icon);
  orindel::installJapaneseTranslations(app);

  orindel::Form2Widget window;
  window.show();
  return app.exec();
}
