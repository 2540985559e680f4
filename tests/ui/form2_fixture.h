// A fresh, shown Form2Widget per test, with its messages recorded and Esc counted instead of
// ending.
#pragma once

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>

#include "form2_widget.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace orindel {

class Form2WidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    messages.clear();
    ends = 0;
    window = std::make_unique<Form2Widget>();
    window->setMessageHandler([this](const QString& text) { messages << text; });
    window->setEndHandler([this] { ++ends; });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }

  template <typename T>
  T* child(const char* name) const {
    T* found = window->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
  }

  QLineEdit* box(int n) const {
    const char* names[] = {"", "Text1", "Text2", "Text3"};
    return child<QLineEdit>(names[n]);
  }
  QLabel* label(const char* name) const { return child<QLabel>(name); }
  QPushButton* button(const char* name) const { return child<QPushButton>(name); }

  void fill(const QString& t1, const QString& t2, const QString& t3) {
    // Typed by hand, so that the key state is what a person leaves behind.
    box(1)->setFocus();
    QTest::keyClicks(box(1), t1);
    QTest::keyClicks(box(2), t2);
    QTest::keyClicks(box(3), t3);
  }

  QString boxes() const {
    return box(1)->text() + QLatin1Char('|') + box(2)->text() + QLatin1Char('|') + box(3)->text();
  }
  QString total() const { return label("Label4")->text(); }
  bool panelShown() const { return window->form().panelFlag() == 1; }
  int keyCode() const { return window->form().keyCode().value(); }
  bool focusInText1() const { return QApplication::focusWidget() == box(1); }

  std::unique_ptr<Form2Widget> window;
  QStringList messages;
  int ends = 0;
};

}  // namespace orindel
