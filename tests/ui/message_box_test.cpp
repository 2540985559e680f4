#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>

#include "form2_fixture.h"

namespace orindel {
namespace {

// The real box, as a person sees it: title, text, no icon and one OK button.
TEST(MessageBoxTest, shows_the_text_under_the_title_with_one_ok_button_and_no_icon) {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Warning;
  QStringList buttons;
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = true;
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    for (QAbstractButton* button : box->buttons()) buttons << button->text();
    box->button(QMessageBox::Ok)->click();
  });
  Form2Widget::showMessageBox(nullptr, QStringLiteral("入力値が不正です"));
  ASSERT_TRUE(seen);
  EXPECT_EQ(title, QStringLiteral("Orindel"));
  EXPECT_EQ(text, QStringLiteral("入力値が不正です"));
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons.size(), 1);
}

}  // namespace
}  // namespace orindel
