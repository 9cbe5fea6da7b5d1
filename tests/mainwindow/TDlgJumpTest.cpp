#include "mainwindow/TDlgJump.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include "support/QtTestHelpers.h"

namespace kal::mainwindow {
namespace {

using store::MakeDate;

TEST(TDlgJump, PresetToTodayWithItsCaptionAndFormat) {
  TDlgJump dlg(MakeDate(2026, 12, 10));
  EXPECT_EQ(dlg.windowTitle(), QStringLiteral("指定した日付へ移動"));
  EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("LblDate"))->text(), QStringLiteral("日付:"));
  EXPECT_EQ(dlg.DtpDate->text(), QStringLiteral("2026年12月10日(木)"));
  EXPECT_EQ(dlg.BtnOk->text(), QStringLiteral("OK"));
  EXPECT_EQ(dlg.BtnCancel->text(), QStringLiteral("キャンセル"));
  EXPECT_TRUE(dlg.BtnOk->isDefault());
  EXPECT_EQ(store::DateText(dlg.ChosenDate()), "2026/12/10");
}

TEST(TDlgJump, OkGivesTheChosenDateAndCancelNothing) {
  test::OnNextModal<TDlgJump>([](TDlgJump* dlg) {
    dlg->DtpDate->setDate(QDate(1999, 2, 28));
    dlg->BtnOk->click();
  });
  const auto chosen = TDlgJump::Choose(MakeDate(2026, 12, 10));
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(store::DateText(*chosen), "1999/02/28");

  test::OnNextModal<TDlgJump>([](TDlgJump* dlg) {
    dlg->DtpDate->setDate(QDate(2000, 1, 1));
    dlg->BtnCancel->click();
  });
  EXPECT_FALSE(TDlgJump::Choose(MakeDate(2026, 12, 10)).has_value());
}

}  // namespace
}  // namespace kal::mainwindow
