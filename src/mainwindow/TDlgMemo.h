// The memo dialog TDlgMemo: edits a day or month memo, the day-memo template or a note. The form
// (MemoDialogForm) decides the file, caption, starting text and what OK writes; the dialog shows
// the text area MemText, the date picker DtpDate of a day memo, and OK / キャンセル.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

#include "mainwindow/MemoDialogForm.h"
#include "store/Settings.h"

class QDateEdit;
class QPlainTextEdit;
class QPushButton;

namespace kal::platform {
class Dialogs;
}  // namespace kal::platform

namespace kal::mainwindow {

// How the dialog looks: font and colours of the box it stands for, the Tab-key setting, its width.
struct MemoDialogLook {
  std::string font_name;
  int font_size = 9;
  int text_colour = 0x000000;  // blue-green-red
  int back_colour = 0xFFFFFF;
  bool tab_inserts = true;
  int width = 0;  // 0: the default width
};

// The look from a font setting ("name,size"), the box's colours and Tab-key setting.
MemoDialogLook MemoLookOf(const std::vector<std::string>& font, const store::ColourPair& colours, bool tab, int width);

class TDlgMemo : public QDialog {
  Q_OBJECT

 public:
  // `form` has been opened (OpenMemo, OpenTemplate or OpenNote) without an error.
  TDlgMemo(platform::Dialogs& dialogs, MemoDialogForm& form, const MemoDialogLook& look, QWidget* parent = nullptr);

  QPlainTextEdit* MemText;
  QDateEdit* DtpDate = nullptr;  // a day memo only
  QPushButton* BtnOk;
  QPushButton* BtnCancel;

  void BtnOkClick();
  void DtpDateChange();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowForm();

  platform::Dialogs& dialogs_;
  MemoDialogForm& form_;
};

// Opens the form's dialog modally; true when OK stored the text. A file the form cannot read is
// reported (caption "エラー") and the dialog is not shown.
bool ShowDlgMemo(platform::Dialogs& dialogs, MemoDialogForm& form, const std::optional<std::string>& open_error,
                 const MemoDialogLook& look, QWidget* parent, const QPoint& position);

}  // namespace kal::mainwindow
