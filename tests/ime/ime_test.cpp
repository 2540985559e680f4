// Typing with a Japanese input method switched on: ibus with Mozc in hiragana input (ime_test.sh
// sets it up), real keys through XTEST. A plain line edit beside the window shows the full-width
// composition the engine makes of digits, so the engine is known to be on; the entry boxes take the
// same keys as they are, so an entry typed there adds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include "form2_widget.h"

namespace orindel {
namespace {

// What the input method composes and commits in a widget.
class Composition : public QObject {
 public:
  QString preedit, committed;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::InputMethod) {
      const auto* method = static_cast<const QInputMethodEvent*>(event);
      preedit = method->preeditString();
      committed += method->commitString();
    }
    return false;
  }
};

// Presses keys through XTEST on the window that has the focus, then lets the events arrive.
void keys(const QStringList& names) {
  const QStringList arguments = QStringList{"key", "--delay", "100"} + names;
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0);
  QTest::qWait(500);
}

void activate(QWidget& window) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST(InputMethodTest, digits_reach_the_boxes_as_typed_while_a_plain_edit_composes_them) {
  Form2Widget window;
  QStringList messages;
  window.setMessageHandler([&](const QString& text) { messages << text; });
  window.setEndHandler([] { FAIL() << "the program ended"; });
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  QLineEdit plain;
  plain.setWindowTitle(QStringLiteral("plain"));
  plain.move(window.frameGeometry().right() + 20, window.y());
  Composition composition;
  plain.installEventFilter(&composition);
  plain.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&plain));

  // The engine is on: the plain edit composes the digits full-width and commits them so.
  activate(plain);
  keys({"1", "2"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return composition.preedit == QStringLiteral("１２"); }, 5000))
      << "composition: " << composition.preedit.toStdString();
  keys({"Return"});
  EXPECT_TRUE(QTest::qWaitFor([&] { return plain.text() == QStringLiteral("１２"); }, 5000))
      << "committed: " << plain.text().toStdString();

  // The boxes take the same keys as ASCII digits, and the entry adds.
  activate(window);
  const QString names[] = {"Text1", "Text2", "Text3"};
  const char* digits[] = {"1", "2", "3"};
  for (int i = 0; i < 3; ++i) {
    auto* box = window.findChild<QLineEdit*>(names[i]);
    box->setFocus();
    keys({digits[i]});
    EXPECT_TRUE(QTest::qWaitFor([&] { return box->text() == QLatin1String(digits[i]); }, 5000))
        << names[i].toStdString() << ": " << box->text().toStdString();
  }
  keys({"KP_Add"});
  const QLabel* total = window.findChild<QLabel*>(QStringLiteral("Label4"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return total->text() == QStringLiteral(" 1: 2: 3"); }, 5000))
      << total->text().toStdString();
  EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
}

}  // namespace
}  // namespace orindel
