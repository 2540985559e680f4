// Orindel: starts the one window.
#include <QApplication>

#include "form2.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Orindel"));
  QApplication::setApplicationVersion(QStringLiteral("1.06"));

  orindel::Form2 window;
  window.show();
  return app.exec();
}
