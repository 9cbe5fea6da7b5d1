#include "platform/QtDialogs.h"

#include <QMessageBox>

#include <gtest/gtest.h>

#include "support/QtTestHelpers.h"

namespace kal::platform {
namespace {

QStringList Sorted(QStringList list) {
  list.sort();
  return list;
}

struct MessageCase {
  MsgButtons buttons;
  const char* press;  // button text to press; nullptr closes the box
  MsgAnswer expected;
  QStringList button_texts;
  const char* default_button;
};

class QtDialogsMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(QtDialogsMessage, ShowsJapaneseButtonsAndReturnsThePressedOne) {
  const MessageCase& c = GetParam();
  QtDialogs dialogs;
  test::SeenMessageBox seen;
  test::AnswerNextMessageBox(seen, c.press ? QString::fromUtf8(c.press) : QString(), c.press == nullptr);
  const MsgAnswer answer = dialogs.Message("削除してもよろしいですか？", "確認", MsgIcon::Warning, c.buttons);
  ASSERT_TRUE(seen.seen);
  EXPECT_EQ(answer, c.expected);
  EXPECT_EQ(seen.caption, QStringLiteral("確認"));
  EXPECT_EQ(seen.text, QStringLiteral("削除してもよろしいですか？"));
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  EXPECT_EQ(Sorted(seen.buttons), Sorted(c.button_texts));
  EXPECT_EQ(seen.default_button, QString::fromUtf8(c.default_button));
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, QtDialogsMessage,
    ::testing::Values(
        MessageCase{MsgButtons::Ok, "OK", MsgAnswer::Ok, {"OK"}, "OK"},
        MessageCase{MsgButtons::Ok, nullptr, MsgAnswer::Ok, {"OK"}, "OK"},
        MessageCase{MsgButtons::OkCancel, "キャンセル", MsgAnswer::Cancel, {"OK", "キャンセル"}, "OK"},
        MessageCase{MsgButtons::OkCancel, nullptr, MsgAnswer::Cancel, {"OK", "キャンセル"}, "OK"},
        MessageCase{MsgButtons::YesNo, "はい", MsgAnswer::Yes, {"はい", "いいえ"}, "はい"},
        MessageCase{MsgButtons::YesNo, "いいえ", MsgAnswer::No, {"はい", "いいえ"}, "はい"},
        MessageCase{MsgButtons::YesNo, nullptr, MsgAnswer::No, {"はい", "いいえ"}, "はい"},
        MessageCase{MsgButtons::YesNoCancel, "いいえ", MsgAnswer::No, {"はい", "いいえ", "キャンセル"}, "はい"},
        MessageCase{MsgButtons::YesNoCancel, nullptr, MsgAnswer::Cancel, {"はい", "いいえ", "キャンセル"}, "はい"}));

TEST(QtDialogs, ShowsEachIconAndTheTextAsPlainText) {
  const std::pair<MsgIcon, QMessageBox::Icon> icons[] = {{MsgIcon::Information, QMessageBox::Information},
                                                         {MsgIcon::Warning, QMessageBox::Warning},
                                                         {MsgIcon::Error, QMessageBox::Critical},
                                                         {MsgIcon::Question, QMessageBox::Question},
                                                         {MsgIcon::None, QMessageBox::NoIcon}};
  for (const auto& [icon, expected] : icons) {
    QtDialogs dialogs;
    test::SeenMessageBox seen;
    test::AnswerNextMessageBox(seen, QStringLiteral("OK"));
    // Data texts may hold markup characters; they are shown as they are.
    dialogs.Message("<b>会議</b>\n場所：本社", "Kalendor", icon, MsgButtons::Ok);
    ASSERT_TRUE(seen.seen);
    EXPECT_EQ(seen.icon, expected);
    EXPECT_EQ(seen.text, QStringLiteral("<b>会議</b>\n場所：本社"));
    EXPECT_EQ(seen.text_format, Qt::PlainText);
  }
}

TEST(QtDialogs, TheShorthandsUseTheirIconsAndButtons) {
  QtDialogs dialogs;
  test::SeenMessageBox seen;
  test::AnswerNextMessageBox(seen, QStringLiteral("いいえ"));
  EXPECT_FALSE(dialogs.Confirm("削除しますか？", "確認"));
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  test::SeenMessageBox error;
  test::AnswerNextMessageBox(error, QStringLiteral("OK"));
  dialogs.Error("件名が未入力です。", "入力エラー");
  EXPECT_EQ(error.caption, QStringLiteral("入力エラー"));
  EXPECT_EQ(error.icon, QMessageBox::Critical);
  EXPECT_EQ(error.buttons, QStringList{QStringLiteral("OK")});
}

TEST(QtDialogs, FileFiltersBecomeQtNameFilters) {
  EXPECT_EQ(QtNameFilters({"CSVファイル|*.csv|すべてのファイル|*.*"}),
            QStringLiteral("CSVファイル (*.csv);;すべてのファイル (*.*)"));
  EXPECT_EQ(QtNameFilters({"iCalendar (*.ics)|*.ics"}), QStringLiteral("iCalendar (*.ics)"));
  EXPECT_EQ(QtNameFilters({"音声|*.wav;*.mp3"}), QStringLiteral("音声 (*.wav *.mp3)"));
  EXPECT_EQ(QtNameFilters({""}), QString());
}

}  // namespace
}  // namespace kal::platform
