// Real keys through a real X server: the window runs on Qt's xcb platform under Xvfb, and xdotool
// presses keys through XTEST, so the keys take the same path as a person's keyboard.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

#include "form2_widget.h"
#include "orindel_version.h"

namespace orindel {
namespace {

void xdotool(const QStringList& arguments) {
  ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0)
      << arguments.join(' ').toStdString();
}

class RealKeysTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.setMessageHandler([this](const QString& text) { messages << text; });
    window.setEndHandler([this] { ++ends; });
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }

  // Types with real keys, then lets the window take the events.
  void keys(const QStringList& names) {
    QStringList arguments{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")};
    xdotool(arguments + names);
    QTest::qWait(300);
  }

  QString total() const { return window.findChild<QLabel*>(QStringLiteral("Label4"))->text(); }
  QString box(int n) const {
    return window.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n))->text();
  }

  Form2Widget window;
  QStringList messages;
  int ends = 0;
};

TEST_F(RealKeysTest, sign_keys_and_the_letter_o_act_as_on_a_keyboard) {
  struct Step {
    const char* name;
    QStringList keys;
    QString total;
    int kc;
    bool panel;
  } steps[] = {
      // 0 h, 3 m, 0 s and the keypad plus in the third box.
      {"keypad plus", {"0", "Tab", "3", "Tab", "0", "KP_Add"}, " 0: 3: 0", -1, false},
      {"main minus", {"0", "Tab", "1", "Tab", "0", "minus"}, " 0: 2: 0", -1, false},
      {"shift and the plus key",
       {"1", "Tab", "0", "Tab", "5", "shift+equal"},
       " 1: 2: 5",
       -1,
       false},
      {"the plus key alone", {"1", "Tab", "0", "Tab", "5", "equal"}, " 1: 2: 5", 187, false},
      {"keypad minus", {"BackSpace", "KP_Subtract"}, " 0: 2: 0", -1, false},
      {"the letter o", {"o"}, " 0: 2: 0", 79, true},
      {"o after a digit", {"7", "o"}, " 0: 2: 0", 79, true},
  };
  for (const Step& step : steps) {
    keys(step.keys);
    EXPECT_EQ(total(), step.total) << step.name;
    EXPECT_EQ(window.form().keyCode(), step.kc) << step.name;
    EXPECT_EQ(window.form().panelFlag() == 1, step.panel) << step.name;
  }
  EXPECT_TRUE(messages.isEmpty()) << messages.join(' ').toStdString();
  EXPECT_EQ(box(1), QString());
}

TEST_F(RealKeysTest, modifier_keys_and_enter_report_their_codes) {
  const std::pair<const char*, int> presses[] = {
      {"Return", 13}, {"KP_Enter", 13}, {"Shift_L", 16}, {"Control_L", 17}, {"Alt_L", 18}};
  for (const auto& [name, code] : presses) {
    keys({QString::fromLatin1(name)});
    EXPECT_EQ(window.form().keyCode(), code) << name;
  }
  EXPECT_EQ(box(1), QString());
  EXPECT_EQ(ends, 0);
}

// A Japanese keyboard: the plus key is ";+", so Shift with it adds; Shift with the minus key types
// "=" and still subtracts, which the entry check then rejects for the "=".
TEST_F(RealKeysTest, japanese_layout_plus_and_minus_keys) {
  if (QProcess::execute(QStringLiteral("setxkbmap"),
                        {QStringLiteral("-layout"), QStringLiteral("jp")}) != 0) {
    GTEST_SKIP() << "setxkbmap is not available";
  }
  keys({"0", "Tab", "2", "Tab", "0", "shift+semicolon"});
  EXPECT_EQ(total(), QStringLiteral(" 0: 2: 0"));
  EXPECT_EQ(window.form().keyCode(), -1);
  keys({"0", "Tab", "1", "Tab", "0", "minus"});
  EXPECT_EQ(total(), QStringLiteral(" 0: 1: 0"));
  keys({"0", "Tab", "1", "Tab", "0", "shift+minus"});
  EXPECT_EQ(total(), QStringLiteral(" 0: 1: 0"));
  EXPECT_EQ(messages, QStringList{QStringLiteral("入力値が不正です")});
  QProcess::execute(QStringLiteral("setxkbmap"), {QStringLiteral("-layout"), QStringLiteral("us")});
}

// The real program: Esc in an entry box ends it at once.
TEST(RealProgramTest, escape_ends_the_process) {
  QProcess program;
  program.start(QStringLiteral(ORINDEL_BINARY));
  ASSERT_TRUE(program.waitForStarted(10000));
  QProcess search;
  search.start(QStringLiteral("xdotool"),
               {QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--name"),
                QStringLiteral(ORINDEL_CAPTION)});
  ASSERT_TRUE(search.waitForFinished(10000));
  const QString windowId = QString::fromLatin1(search.readAllStandardOutput()).split('\n').first();
  ASSERT_FALSE(windowId.isEmpty());
  QTest::qWait(300);
  xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), windowId});
  xdotool({QStringLiteral("key"), QStringLiteral("1"), QStringLiteral("Escape")});
  ASSERT_TRUE(program.waitForFinished(5000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
}

}  // namespace
}  // namespace orindel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
