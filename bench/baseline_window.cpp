// The start-up baseline: a minimal Qt Widgets window with one label.
#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel label(QStringLiteral(" 0: 0: 0"));
  label.setWindowTitle(QStringLiteral("Baseline window"));
  label.resize(196, 80);
  label.show();
  return QApplication::exec();
}
