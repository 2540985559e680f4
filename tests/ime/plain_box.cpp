// A plain line edit that takes what the input method composes, as any Qt program's would: the
// control beside Orindel's window in the input method tests. It prints its text once it has the
// focus, and again on every change.
#include <QApplication>
#include <QLineEdit>
#include <cstdio>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLineEdit box;
  box.setWindowTitle(QStringLiteral("plain box"));
  const auto print = [&box] {
    std::puts(box.text().toUtf8().constData());
    std::fflush(stdout);
  };
  QObject::connect(&app, &QApplication::focusChanged, print);
  QObject::connect(&box, &QLineEdit::textChanged, print);
  box.show();
  return QApplication::exec();
}
