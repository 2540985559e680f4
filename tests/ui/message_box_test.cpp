#include "message_box.h"

#include <QAbstractButton>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <functional>

#include "form2_fixture.h"

namespace orindel {
namespace {

// Shows the box over `parent`, runs `look` on it once it is up, then `close` to close it; returns
// false if the box never showed or did not close.
bool withBox(QWidget* parent, const QString& text, const std::function<void(QDialog&)>& look,
             const std::function<void(QDialog&)>& close) {
  bool seen = false;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = true;
    look(*box);
    close(*box);
  });
  timer.start(0);
  showMessageBox(parent, text);  // returns once the box is closed
  return seen;
}

QPushButton* okOf(QDialog& box) {
  return box.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

// As a person sees it: the title in full, the text in the window's font with even margins, one OK
// button without an icon below it at the right, and nothing to minimise or maximise.
TEST_F(Form2WidgetTest, a_message_box_is_titled_plain_and_even) {
  const QString texts[] = {"入力値が不正です", "計算値が不正です", "計算値が８０分を超えました"};
  for (const QString& text : texts) {
    const std::string name = text.toStdString();
    const bool shown = withBox(
        window.get(), text,
        [&](QDialog& box) {
          EXPECT_EQ(box.windowTitle(), QStringLiteral("Orindel")) << name;
          const QList<QAbstractButton*> buttons = box.findChildren<QAbstractButton*>();
          ASSERT_EQ(buttons.size(), 1) << name;
          EXPECT_EQ(buttons.first(), okOf(box)) << name;
          EXPECT_TRUE(buttons.first()->icon().isNull()) << name;
          EXPECT_FALSE(box.windowFlags() & Qt::WindowMinimizeButtonHint) << name;
          EXPECT_FALSE(box.windowFlags() & Qt::WindowMaximizeButtonHint) << name;
          EXPECT_TRUE(box.windowFlags() & Qt::WindowCloseButtonHint) << name;
          // Room for the title beside an icon and a close button in a title bar.
          EXPECT_GE(box.width(), 200) << name;
          const QList<QLabel*> labels = box.findChildren<QLabel*>();
          ASSERT_EQ(labels.size(), 1) << name;
          QLabel* label = labels.first();
          EXPECT_EQ(label->text(), text) << name;
          EXPECT_TRUE(label->pixmap().isNull()) << name;
          EXPECT_EQ(label->font(), window->font()) << name;
          const int textWidth = label->fontMetrics().horizontalAdvance(text);
          const QRect drawn = QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                                  QSize(textWidth, 1), label->geometry());
          EXPECT_LE(std::abs(drawn.left() - (box.width() - 1 - drawn.right())), 1) << name;
          // The OK button below the text, its right edge under the text's.
          const QRect ok(okOf(box)->mapTo(&box, QPoint(0, 0)), okOf(box)->size());
          EXPECT_GT(ok.top(), label->geometry().bottom()) << name;
          EXPECT_LE(std::abs(ok.right() - label->geometry().right()), 1) << name;
        },
        [](QDialog& box) { okOf(box)->click(); });
    EXPECT_TRUE(shown) << name;
  }
}

TEST_F(Form2WidgetTest, a_message_box_closes_by_enter_space_esc_or_its_close_button) {
  const std::pair<const char*, std::function<void(QDialog&)>> closers[] = {
      {"enter", [](QDialog& box) { QTest::keyClick(&box, Qt::Key_Return); }},
      {"space", [](QDialog& box) { QTest::keyClick(okOf(box), Qt::Key_Space); }},
      {"esc", [](QDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
      {"close button", [](QDialog& box) { box.close(); }},
  };
  for (const auto& [name, close] : closers) {
    int modal = 0;
    EXPECT_TRUE(withBox(
        window.get(), QStringLiteral("入力値が不正です"),
        [&](QDialog& box) { modal = box.isModal(); }, close))
        << name;
    EXPECT_TRUE(modal) << name;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << name;
  }
}

}  // namespace
}  // namespace orindel
