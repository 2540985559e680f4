#include "japanese.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace orindel {
namespace {

TEST(JapaneseTest, qt_speaks_japanese_once_its_translations_are_installed) {
  ASSERT_TRUE(installJapaneseTranslations(*QCoreApplication::instance()));
  EXPECT_NE(QCoreApplication::translate("QLineEdit", "&Undo"), QStringLiteral("&Undo"));
  EXPECT_NE(QCoreApplication::translate("QLineEdit", "&Paste"), QStringLiteral("&Paste"));
}

}  // namespace
}  // namespace orindel
