// The main window's memo box, notes and memo commands: the two panels of the under panel, the
// memo and note editing commands (dialog or external editor), the memo-icon colour and the save
// points of the memo box.
#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "app/TFrmMain.h"
#include "app/TFrmMainTray.h"
#include "maintenance/TDlgPasswd.h"
#include "mainwindow/MemoBox.h"
#include "mainwindow/MemoDialogForm.h"
#include "mainwindow/QtCalendarGrid.h"
#include "mainwindow/NoteBook.h"
#include "mainwindow/QtMemoPanel.h"
#include "mainwindow/QtNotePanel.h"
#include "mainwindow/QtRunAndWait.h"
#include "mainwindow/TDlgMemo.h"
#include "mainwindow/TFrmMainLayout.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "store/MemoFile.h"
#include "store/TextFile.h"

namespace kal::app {
namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

// Where a memo dialog opens: 24 pixels below and 16 right of the window's top-left corner (in
// mini mode, of the normal window's stored place).
QPoint DialogPlace(const QWidget* window, const TFrmMainTrayParts& tray) {
  if (tray.mini.Active()) return QPoint(tray.mini.Normal().left, tray.mini.Normal().top) + QPoint(16, 24);
  return window->frameGeometry().topLeft() + QPoint(16, 24);
}

}  // namespace

void TFrmMain::BuildMemoPanels() {
  if (!own_processes_) own_processes_ = std::make_unique<platform::PosixProcesses>();
  if (processes_ == nullptr) processes_ = own_processes_.get();
  memo_box_ = std::make_unique<mainwindow::MemoBox>(ports_.files);
  memo_box_->SetFolders(session_.folders.memo, session_.folders.data);
  memo_panel_ = new mainwindow::QtMemoPanel(*memo_box_, ports_.dialogs, session_.settings);
  memo_panel_->stored_colour = [this](const store::Date& date) {
    try {
      return store::StoredMemoColour(ports_.files, session_.folders.data, date);
    } catch (const store::FileError&) {
      return 0;
    }
  };
  note_book_ = std::make_unique<mainwindow::NoteBook>(ports_.files, ports_.dialogs);
  // The protected last tab asks for the program's password ("ノートのパスワードの入力:"); Cancel or
  // three wrong entries go back to the first tab. With no password registered the warning is
  // shown and the note opens, as at start-up.
  note_book_->ask_password = [this] {
    return maintenance::AskPassword(ports_.files, ports_.dialogs, session_.program_folder,
                                    maintenance::kNoteLabel, this) != maintenance::PasswordCheck::Refused;
  };
  note_panel_ = new mainwindow::QtNotePanel(*note_book_, ports_.dialogs, ports_.shell, session_.settings);
  note_panel_->program_folder = session_.program_folder;
  note_panel_->Open(session_.folders.note);
}

void TFrmMain::ConnectMemoCommands() {
  // Leaving a modified box saves it and repaints the calendar (its memo icon).
  memo_panel_->on_left_modified = [this] {
    if (MemDailyUpdate()) layout_->SchUpdate();
  };
  note_panel_->on_edit = [this] { NoteReplace(); };
  note_panel_->on_focus_grid = [this] { layout_->Grid()->setFocus(); };
  note_panel_->on_layout_changed = [this] { session_.layout_changed = true; };
  auto enable = [this](const char* name, std::function<void()> handler) {
    if (QAction* a = Action(U(name))) {
      a->setEnabled(true);
      connect(a, &QAction::triggered, this, std::move(handler));
    }
  };
  enable("MenMemoEdit", [this] { ShowDlgMemo(false); });
  enable("MenNoteEdit", [this] { note_panel_->EditClick(); });
}

void TFrmMain::MemoDaySelect(const store::Date& date) { memo_panel_->SelectDay(date); }

bool TFrmMain::MemDailyUpdate() { return memo_panel_ == nullptr || memo_panel_->Save(); }

void TFrmMain::MemoBoxReload() {
  if (memo_panel_ != nullptr) memo_panel_->Reload();
}

bool TFrmMain::RunExternalEditor(const std::string& program, const std::string& path) {
  if (mainwindow::RunAndWait(*processes_, program, path)) return true;
  ports_.dialogs.Error("「" + program + "」を起動できませんでした。", "エラー");
  return false;
}

void TFrmMain::ShowDlgMemo(bool from_grid) {
  if (!MemDailyUpdate()) return;
  const store::MemoId id = mainwindow::MemoToEdit(selected_date_, memo_box_->tab(), from_grid);
  std::string path = store::MemoPath(session_.folders.memo, id);
  const auto& memo = session_.settings.memo;
  if (auto program = mainwindow::ExternalEditor(memo.exe, memo.exe_name)) {
    memo_box_->SetExternalEditor(path, true);
    memo_panel_->Reload();
    RunExternalEditor(*program, path);
    memo_box_->SetExternalEditor(path, false);
  } else {
    mainwindow::MemoDialogForm form(ports_.files);
    const auto failed = form.OpenMemo(session_.folders.memo, id);
    const QWidget* side = layout_->Region(QStringLiteral("PnlRight"));
    const auto look = mainwindow::MemoLookOf(session_.settings.font.memo, session_.settings.color.mem, memo.tab,
                             side ? mainwindow::MemoDialogForm::MemoWidth(side->width(), 0) : 0);
    if (!mainwindow::ShowDlgMemo(ports_.dialogs, form, failed, look, this, DialogPlace(this, TrayParts()))) return;
    path = form.path();
  }
  try {
    store::RemoveIfEmpty(ports_.files, path);
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
  layout_->SchUpdate();  // the box is read again with the calendar
}

void TFrmMain::NoteReplace() {
  if (note_book_->current() < 0) return;
  const std::string path = note_book_->CurrentPath();
  const auto& note = session_.settings.note;
  if (auto program = mainwindow::ExternalEditor(note.exe, note.exe_name)) {
    RunExternalEditor(*program, path);
  } else {
    mainwindow::MemoDialogForm form(ports_.files);
    const auto failed = form.OpenNote(note_book_->folder(), note_book_->CurrentTitle());
    const auto look = mainwindow::MemoLookOf(session_.settings.font.note, session_.settings.color.not_, note.tab,
                             note_panel_->width() + 20);
    mainwindow::ShowDlgMemo(ports_.dialogs, form, failed, look, this, DialogPlace(this, TrayParts()));
  }
  try {
    store::RemoveIfEmpty(ports_.files, path);
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
}

void TFrmMain::MemoColourSet(int colour) {
  try {
    store::StoreMemoColour(ports_.files, session_.folders.data, selected_date_, colour);
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    return;
  }
  layout_->SchUpdate();
}

void TFrmMain::MemoDelete() {
  if (!MemDailyUpdate()) return;
  const store::MemoId id = memo_box_->ShownId();
  if (!store::MemoExists(ports_.files, session_.folders.memo, id)) return;
  if (session_.settings.view.del_msg &&
      !ports_.dialogs.Confirm(store::MemoDeleteQuestion(id), store::kMemoDeleteCaption))
    return;
  try {
    store::DeleteMemo(ports_.files, session_.folders.memo, session_.folders.data, id);
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
  layout_->SchUpdate();
}

// The memo items of the grid's pop-up menu: "メモの編集(&M)" and the colour submenu
// "メモアイコンの色(&Z)" with the selected day's colour checked.
void TFrmMain::GridPopupMemo(QMenu* menu) {
  if (QAction* edit = menu->findChild<QAction*>(QStringLiteral("PopMemoEdit"))) {
    edit->setEnabled(true);
    connect(edit, &QAction::triggered, this, [this] { ShowDlgMemo(true); });
  }
  QAction* colour = menu->findChild<QAction*>(QStringLiteral("PopMemoColour"));
  if (colour == nullptr) return;
  const bool has_memo = colour->isVisible() && store::MemoExists(ports_.files, session_.folders.memo,
                                                                   store::MemoId::OfDay(selected_date_));
  auto* sub = new QMenu(menu);
  sub->setObjectName(QStringLiteral("PopMemoColourMenu"));
  auto* group = new QActionGroup(sub);
  int current = 0;
  try {
    current = store::StoredMemoColour(ports_.files, session_.folders.data, selected_date_);
  } catch (const store::FileError&) {
  }
  if (current == 0) current = session_.settings.memo.icon_color;
  const char* const names[] = {"赤(&R)", "緑(&G)", "黄(&Y)", "青(&B)", "紫(&P)"};
  for (int i = 1; i <= 5; ++i) {
    QAction* a = sub->addAction(U(names[i - 1]));
    a->setObjectName(QStringLiteral("PopMemoColour%1").arg(i));
    a->setCheckable(true);
    a->setChecked(i == current);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, i] { MemoColourSet(i); });
  }
  colour->setMenu(sub);
  colour->setEnabled(has_memo);
}

}  // namespace kal::app
