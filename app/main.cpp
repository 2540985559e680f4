// Orindel: starts the one window.
#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QVersionNumber>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "form2_widget.h"
#include "japanese.h"
#include "orindel_version.h"
#include "start_up.h"

int main(int argc, char* argv[]) {
  if (const std::optional<int> code = orindel::answerCommandLine(argc, argv)) return *code;
  orindel::keepInputMethodsOut();
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
  const int code = QApplication::exec();
  // Qt 6.4's Wayland client can deadlock while it closes its connection to the compositor (its
  // event thread waits for a read that never comes), and the program would stay behind with no
  // window. The window is gone and there is nothing left to save, so a Wayland run on that Qt
  // ends here. The Qt the program runs on decides, not the one it was built with: the package
  // built with Qt 6.4 runs on Qt 6.8 as well, which closes its connection cleanly.
  if (QGuiApplication::platformName() == QLatin1String("wayland") &&
      QLibraryInfo::version() < QVersionNumber(6, 8)) {
    std::fflush(nullptr);
    std::_Exit(code);
  }
  return code;
}
