#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTranslator>
#include <gtest/gtest.h>

#include "platform/QtTranslation.h"

namespace {

QString YesNoButtons() {
  QMessageBox box(QMessageBox::Question, "DOJOKAI", "終了しますか？", QMessageBox::Yes | QMessageBox::No);
  return box.button(QMessageBox::Yes)->text() + "/" + box.button(QMessageBox::No)->text();
}

TEST(QtTranslationTest, MessageBoxesGetJapaneseButtonsWhateverTheLocale) {
  QLocale::setDefault(QLocale::c());
  const auto translator = plat::InstallJapaneseDialogs();
  ASSERT_TRUE(translator) << "qtbase_ja.qm (qt6-translations-l10n) is missing";
  EXPECT_EQ(YesNoButtons(), QStringLiteral("はい(&Y)/いいえ(&N)"));
  QCoreApplication::removeTranslator(translator.get());
}

TEST(QtTranslationTest, AMissingTranslationLeavesTheButtonsEnglish) {
  QTemporaryDir empty;
  EXPECT_EQ(plat::InstallJapaneseDialogs(empty.path().toStdString()), nullptr);
  EXPECT_EQ(YesNoButtons(), QStringLiteral("&Yes/&No"));
}

}  // namespace
