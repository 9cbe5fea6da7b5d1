// The list and search dialog: lists, searches, edits, deletes and exports the stored data of one
// kind. Every rule lives in listing/ListForm.h; the dialog maps widgets to the form and opens the
// entry dialogs of the kinds.
#pragma once

#include <QDialog>

#include <optional>
#include <vector>

#include "app/Startup.h"
#include "listing/ExportFile.h"
#include "listing/ListForm.h"
#include "listing/ListSession.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QToolBar;
class QToolButton;
class QTreeWidget;

namespace kal::platform {
class Clock;
class Dialogs;
class FileSystem;
class Shell;
}  // namespace kal::platform

namespace kal::listing {

struct ListPorts {
  platform::Dialogs& dialogs;
  platform::FileSystem& files;
  platform::Shell& shell;
  const platform::Clock& clock;
};

class TDlgList : public QDialog {
  Q_OBJECT

 public:
  // `main_top`, `main_left`: the main window's position, for the default placement.
  TDlgList(ListPorts ports, const app::Session& session, ListKind kind, ListMode mode, const store::Date& reference,
           int main_top = 0, int main_left = 0, QWidget* parent = nullptr);
  ~TDlgList() override;

  const ListForm& Form() const { return form_; }
  // The modified flag: 1 when an entry was added, changed or deleted.
  int Modified() const { return form_.modified(); }
  // Section List as written at closing, when it was written.
  const std::optional<store::ListSettings>& SavedLayout() const { return saved_layout_; }
  // The rows selected now, in list order.
  std::vector<ListRow> SelectedRows() const;

  QMenuBar* MenuBar;
  QToolBar* ToolBar;
  QAction* MenAdd;
  QAction* MenRep;
  QAction* MenDel;
  QAction* MenCopy;
  QAction* MenExc;
  QAction* MenSelectAll;
  QAction* MenExportCsv;
  QAction* MenExportVcs;
  QAction* MenExportIcs;
  QAction* MenExit;
  QAction* MenView[5];  // 1日 .. 全件, 検索 (F3 .. F7)
  QComboBox* CmbFile;
  QGroupBox* PnlFind;
  QCheckBox* ChkFromDate;
  QDateEdit* DtpFromDate;
  QCheckBox* ChkToDate;
  QDateEdit* DtpToDate;
  QPushButton* BtnNowYear;
  QPushButton* BtnBeforeYear;
  QComboBox* CmbPast;
  QLineEdit* EdtTitle;
  QCheckBox* ChkCapital;
  QComboBox* CmbBunrui;
  QLineEdit* EdtDtl;
  QPushButton* BtnOk;
  QPushButton* BtnClear;
  QTreeWidget* LtvList;
  QLabel* SbrPanel1;
  QLabel* SbrPanel2;

  void MenAddClick();
  void MenRepClick();
  void MenDelClick();
  void MenCopyClick();
  void MenExcClick();
  void MenSelectAllClick();
  void SetView(int view);
  void CmbFileChange();
  void BtnOkClick();
  void BtnClearClick();
  void LtvListColumnClick(int column);
  // The export items: the selected rows, in list order, to a file chosen by the user.
  void ExportClick(ExportFormat format);

 protected:
  void done(int result) override;

 private:
  void BuildControls();
  void BuildColumns();
  void Fill();
  void UpdateCommands();
  void ShowSearchPanel();
  void Guarded(const std::function<void()>& work);
  // The entry dialogs: `mode` 0 new, 1 change, 3 copy.
  void OpenEntry(int mode);
  // The ToDo entry dialog for a new item (`row` null) or the row's item; whether it stored.
  // Throws store::FileError.
  bool OpenTodoEntry(int mode, const ListRow* row);
  // The memo dialog for the row's memo, or the reference day's for a new one. Throws store::FileError.
  bool OpenMemoEntry(const ListRow* row);
  // Writes the add-on check boxes to Addon.lst when one was toggled; false when the file changed
  // meanwhile (the message has been shown and the page read again) or could not be written.
  bool AddonUpdate();
  SearchConditions Conditions() const;
  void CaptureScheduleWidths();
  void FormCloseQuery();

  ListPorts ports_;
  const app::Session& session_;
  ListForm form_;
  ListLayout layout_;
  ListLayout opened_layout_;
  bool sort_clicked_ = false;
  bool addon_checked_ = false;  // an add-on check box was toggled since the last update
  std::optional<store::ListSettings> saved_layout_;
};

}  // namespace kal::listing
