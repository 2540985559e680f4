// A keystroke soak: 100,000 random key events and pastes into the real window (offscreen), with
// every message answered at once. Nothing may crash, and after every event the labels show the
// register, the count stays in range, and a calculation leaves no key pending.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <random>

#include "form2_widget.h"
#include "label_invariant.h"

namespace orindel {
namespace {

struct Key {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};

constexpr Key kKeys[] = {
    {Qt::Key_0, Qt::NoModifier},
    {Qt::Key_1, Qt::NoModifier},
    {Qt::Key_5, Qt::NoModifier},
    {Qt::Key_9, Qt::NoModifier},
    {Qt::Key_3, Qt::KeypadModifier},
    {Qt::Key_Plus, Qt::KeypadModifier},
    {Qt::Key_Minus, Qt::KeypadModifier},
    {Qt::Key_Minus, Qt::NoModifier},
    {Qt::Key_Underscore, Qt::ShiftModifier},
    {Qt::Key_Plus, Qt::ShiftModifier},
    {Qt::Key_Equal, Qt::NoModifier},
    {Qt::Key_Plus, Qt::ShiftModifier | Qt::ControlModifier},
    {Qt::Key_O, Qt::NoModifier},
    {Qt::Key_O, Qt::ShiftModifier},
    {Qt::Key_Return, Qt::NoModifier},
    {Qt::Key_Backspace, Qt::NoModifier},
    {Qt::Key_Comma, Qt::NoModifier},
    {Qt::Key_Period, Qt::NoModifier},
    {Qt::Key_E, Qt::NoModifier},
    {Qt::Key_Space, Qt::NoModifier},
    {Qt::Key_Home, Qt::NoModifier},
    {Qt::Key_End, Qt::NoModifier},
};

QString randomText(std::mt19937& random, int length) {
  static const QString kCharacters = QStringLiteral("0123456789+-,.e 5５ａ");
  QString text;
  for (int i = 0; i < length; ++i) text += kCharacters[int(random() % kCharacters.size())];
  return text;
}

TEST(SoakTest, random_keys_and_pastes_keep_the_window_consistent) {
  Form2Widget window;
  int messages = 0;
  int runtimeErrors = 0;
  window.setMessageHandler([&](const QString& text) {
    ++messages;
    if (text.contains(QStringLiteral("実行時エラー"))) ++runtimeErrors;
  });
  window.setEndHandler([] { FAIL() << "the program ended"; });
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QLineEdit* boxes[] = {window.findChild<QLineEdit*>(QStringLiteral("Text1")),
                        window.findChild<QLineEdit*>(QStringLiteral("Text2")),
                        window.findChild<QLineEdit*>(QStringLiteral("Text3"))};
  auto* label4 = window.findChild<QLabel*>(QStringLiteral("Label4"));
  auto* label5 = window.findChild<QLabel*>(QStringLiteral("Label5"));

  std::mt19937 random(20261207);
  constexpr int kEvents = 100'000;
  int calculations = 0;
  for (int event = 0; event < kEvents; ++event) {
    QLineEdit* box = boxes[random() % 3];
    const QString totalBefore = label4->text();
    const QString countBefore = label5->text();
    const int messagesBefore = messages;
    const int errorsBefore = runtimeErrors;
    const unsigned choice = random() % 1000;
    if (choice < 5) {
      const int length = choice == 0 ? 20'000 : int(random() % 300);
      QApplication::clipboard()->setText(randomText(random, length));
      box->paste();
    } else if (choice < 10) {
      QTest::keyPress(box, random() % 2 ? Qt::Key_Shift : Qt::Key_Control);
    } else {
      const Key& key = kKeys[random() % std::size(kKeys)];
      QTest::keyClick(box, key.key, key.modifiers);
    }

    const TallyRegister& reg = window.form().tally();
    const char* wrong =
        labelsDisagree(reg, label4->text().toStdU16String(), label5->text().toStdU16String());
    ASSERT_EQ(wrong, nullptr) << wrong << ", event " << event;
    const bool calculated = label4->text() != totalBefore || label5->text() != countBefore ||
                            (messages > messagesBefore && runtimeErrors == errorsBefore);
    if (calculated) {
      ++calculations;
      ASSERT_EQ(window.form().keyCode(), -1) << "event " << event;
    }
  }
  std::cout << kEvents << " events, " << calculations << " calculations, " << messages
            << " messages (" << runtimeErrors << " runtime errors), total "
            << label4->text().toStdString() << ", count " << label5->text().toStdString() << "\n";
  EXPECT_GT(calculations, 100);
}

}  // namespace
}  // namespace orindel
