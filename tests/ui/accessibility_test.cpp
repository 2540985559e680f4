// What the window gives the desktop around it: a name for each control that a screen reader reads
// out, and the total on the clipboard.
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>

#include "form2_fixture.h"

namespace orindel {
namespace {

QString accessibleName(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<none>");
}

TEST_F(Form2WidgetTest, a_screen_reader_hears_a_name_for_every_control) {
  const std::pair<const char*, const char*> names[] = {
      {"Text1", "ｈ"},        {"Text2", "ｍ"},
      {"Text3", "ｓ"},        {"Command1", "加算"},
      {"Command2", "減算"},   {"Command3", "拡張メニューの表示切替"},
      {"Label4", " 0: 0: 0"}, {"Option1", "74分を超えたら警告"},
  };
  for (const auto& [object, name] : names) {
    auto* widget = window->findChild<QWidget*>(QString::fromLatin1(object));
    ASSERT_NE(widget, nullptr) << object;
    EXPECT_EQ(accessibleName(widget), QString::fromUtf8(name)) << object;
  }
  fill("1", "2", "3");
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(accessibleName(label("Label4")), QStringLiteral(" 1: 2: 3"));  // follows the total
}

TEST_F(Form2WidgetTest, a_right_click_on_the_total_copies_it_without_blanks) {
  fill("1", "23", "30");
  QTest::keyClick(box(3), Qt::Key_Plus, Qt::KeypadModifier);
  box(2)->setFocus();
  const QPoint at(5, 5);
  QContextMenuEvent click(QContextMenuEvent::Mouse, at, label("Label4")->mapToGlobal(at));
  QApplication::sendEvent(label("Label4"), &click);
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 1);
  EXPECT_EQ(actions.first()->text(), QStringLiteral("コピー"));
  QTest::keyClick(menu, Qt::Key_Down);
  QTest::keyClick(menu, Qt::Key_Return);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("1:23:30"));
  EXPECT_EQ(total(), QStringLiteral(" 1: 23: 30"));
  EXPECT_EQ(label("Label4")->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(QApplication::focusWidget(), box(2));
}

}  // namespace
}  // namespace orindel
