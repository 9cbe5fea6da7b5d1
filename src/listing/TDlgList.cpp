#include "listing/TDlgList.h"

#include <QActionGroup>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include "app/TDlgHolidayInput.h"
#include "app/TDlgWeather.h"
#include "catalogues/Category.h"
#include "catalogues/ItemTable.h"
#include "catalogues/TDlgExc.h"
#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "mainwindow/TDlgMemo.h"
#include "reminders/Addon.h"
#include "reminders/TDlgAddonInput.h"
#include "schedule/TDlgSchInput.h"
#include "store/DayFile.h"
#include "store/HolidayFile.h"
#include "store/MemoFile.h"
#include "store/TextFile.h"
#include "todo/TDlgTodoInput.h"
#include "todo/TodoFile.h"

namespace kal::listing {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QDate ToQDate(const store::Date& d) { return QDate(store::YearOf(d), store::MonthOf(d), store::DayOf(d)); }
store::Date FromQDate(const QDate& d) { return store::MakeDate(d.year(), d.month(), d.day()); }

constexpr int kRowRole = Qt::UserRole + 1;

// An Addon.lst line with its enabled flag (byte 6) set; every other byte stays as stored.
std::string WithEnabled(std::string line, bool enabled) {
  if (line.size() < 6) line.resize(6, ' ');
  line[5] = enabled ? '1' : '0';
  return line;
}

}  // namespace

TDlgList::TDlgList(ListPorts ports, const app::Session& session, ListKind kind, ListMode mode,
                   const store::Date& reference, int main_top, int main_left, QWidget* parent)
    : QDialog(parent),
      ports_(ports),
      session_(session),
      form_(ListSourceOf(ports.files, session, reference, ports.clock.Now().date), kind, mode),
      layout_(LayoutOf(session.settings.list)) {
  opened_layout_ = layout_;
  const SortState sort = InitialSort(kind, session.settings.list);
  form_.SetSort(sort.column, sort.direction);
  BuildControls();
  if (kind == ListKind::Addon) {
    setGeometry(main_left + 8, main_top + 24, 300, 670);
  } else {
    setGeometry(layout_.left, layout_.top, layout_.width, layout_.height);
  }
  opened_layout_.top = geometry().top();
  opened_layout_.left = geometry().left();
  opened_layout_.height = geometry().height();
  opened_layout_.width = geometry().width();
  BuildColumns();
  if (form_.view() == kViewSearch) {
    ShowSearchPanel();
  } else {
    Guarded([this] { form_.Refresh(); });
  }
  Fill();
}

TDlgList::~TDlgList() = default;

void TDlgList::BuildControls() {
  setObjectName(QStringLiteral("TDlgList"));
  setWindowTitle(Q(form_.Caption()));
  MenuBar = new QMenuBar(this);
  QMenu* file = MenuBar->addMenu(QStringLiteral("ファイル(&F)"));
  MenExportCsv = file->addAction(QStringLiteral("CSV形式で保存(&C)..."));
  MenExportVcs = file->addAction(QStringLiteral("vCalendar形式で保存(&V)..."));
  MenExportIcs = file->addAction(QStringLiteral("iCalendar形式で保存(&I)..."));
  file->addSeparator();
  MenExit = file->addAction(QStringLiteral("終了(&X)"));
  MenExit->setShortcut(QKeySequence(Qt::Key_Escape));
  QMenu* edit = MenuBar->addMenu(QStringLiteral("編集(&E)"));
  MenAdd = edit->addAction(QStringLiteral("追加(&A)"));
  MenAdd->setShortcut(QKeySequence(QStringLiteral("Ctrl+N")));
  MenRep = edit->addAction(QStringLiteral("訂正(&R)"));
  MenRep->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
  MenDel = edit->addAction(QStringLiteral("削除(&D)"));
  MenDel->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
  MenCopy = edit->addAction(QStringLiteral("コピー(&C)"));
  MenCopy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
  MenExc = edit->addAction(QStringLiteral("一括訂正(&E)"));
  MenExc->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
  edit->addSeparator();
  MenSelectAll = edit->addAction(QStringLiteral("すべて選択(&L)"));
  MenSelectAll->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
  QMenu* view = MenuBar->addMenu(QStringLiteral("表示(&V)"));
  auto* views = new QActionGroup(this);
  for (int v = 0; v < 5; ++v) {
    MenView[v] = view->addAction(QString());
    MenView[v]->setCheckable(true);
    MenView[v]->setShortcut(QKeySequence(Qt::Key_F3 + v));
    views->addAction(MenView[v]);
    connect(MenView[v], &QAction::triggered, this, [this, v] { SetView(v + 1); });
  }
  const char* names[] = {"MenExportCsv", "MenExportVcs", "MenExportIcs", "MenExit", "MenAdd", "MenRep",
                         "MenDel",       "MenCopy",      "MenExc",       "MenSelectAll"};
  QAction* actions[] = {MenExportCsv, MenExportVcs, MenExportIcs, MenExit, MenAdd, MenRep, MenDel, MenCopy, MenExc, MenSelectAll};
  for (int i = 0; i < 10; ++i) actions[i]->setObjectName(QString::fromLatin1(names[i]));
  for (int v = 0; v < 5; ++v) MenView[v]->setObjectName(QStringLiteral("MenView%1").arg(v + 1));

  ToolBar = new QToolBar(this);
  ToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto tool = [this](QAction* a, const char* text, const char* name) {
    auto* b = new QAction(QString::fromUtf8(text), ToolBar);
    b->setObjectName(QString::fromLatin1(name));
    connect(b, &QAction::triggered, a, &QAction::trigger);
    const bool named_by_view = QString::fromUtf8(text).isEmpty();  // the view buttons take the view captions
    connect(a, &QAction::changed, b, [a, b, named_by_view] {
      if (named_by_view) b->setText(a->text());
      b->setEnabled(a->isEnabled());
      b->setVisible(a->isVisible());
      if (a->isCheckable()) {
        b->setCheckable(true);
        b->setChecked(a->isChecked());
      }
    });
    ToolBar->addAction(b);
  };
  tool(MenAdd, "追加", "TbtAdd");
  tool(MenRep, "訂正", "TbtRep");
  tool(MenDel, "削除", "TbtDel");
  tool(MenCopy, "コピー", "TbtCopy");
  tool(MenExc, "一括訂正", "TbtExc");
  ToolBar->addSeparator();
  const char* view_names[] = {"TbtView1", "TbtView2", "TbtView3", "TbtView4", "TbtFind"};
  for (int v = 0; v < 5; ++v) tool(MenView[v], v == 4 ? "検索" : "", view_names[v]);

  CmbFile = new QComboBox(this);
  CmbFile->setObjectName(QStringLiteral("CmbFile"));
  for (ListKind k : SelectableKinds()) CmbFile->addItem(Q(KindName(k)), static_cast<int>(k));
  CmbFile->setCurrentIndex(form_.kind() == ListKind::Addon ? -1 : static_cast<int>(form_.kind()) - 1);

  PnlFind = new QGroupBox(QStringLiteral("検索条件"), this);
  PnlFind->setObjectName(QStringLiteral("PnlFind"));
  ChkFromDate = new QCheckBox(QStringLiteral("開始日"), PnlFind);
  DtpFromDate = new QDateEdit(ToQDate(form_.source().reference), PnlFind);
  ChkToDate = new QCheckBox(QStringLiteral("終了日"), PnlFind);
  DtpToDate = new QDateEdit(ToQDate(form_.source().reference), PnlFind);
  for (QDateEdit* d : {DtpFromDate, DtpToDate}) {
    d->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    d->setCalendarPopup(true);
    d->setMinimumWidth(120);
  }
  BtnNowYear = new QPushButton(QStringLiteral("今年"), PnlFind);
  BtnBeforeYear = new QPushButton(QStringLiteral("昨年"), PnlFind);
  CmbPast = new QComboBox(PnlFind);
  CmbPast->addItem(QStringLiteral("指定なし"));
  for (int n = 1; n <= 10; ++n) CmbPast->addItem(QStringLiteral("%1年").arg(n, 2));
  EdtTitle = new QLineEdit(PnlFind);
  EdtTitle->setMaxLength(static_cast<int>(kSearchTextMax));
  ChkCapital = new QCheckBox(QStringLiteral("大文字と小文字を区別しない"), PnlFind);
  CmbBunrui = new QComboBox(PnlFind);
  CmbBunrui->setEditable(true);
  EdtDtl = new QLineEdit(PnlFind);
  EdtDtl->setMaxLength(static_cast<int>(kSearchTextMax));
  BtnOk = new QPushButton(QStringLiteral("検索"), PnlFind);
  BtnClear = new QPushButton(QStringLiteral("クリア"), PnlFind);
  const std::pair<QWidget*, const char*> named[] = {
      {ChkFromDate, "ChkFromDate"}, {DtpFromDate, "DtpFromDate"}, {ChkToDate, "ChkToDate"}, {DtpToDate, "DtpToDate"},
      {BtnNowYear, "BtnNowYear"},   {BtnBeforeYear, "BtnBeforeYear"}, {CmbPast, "CmbPast"}, {EdtTitle, "EdtTitle"},
      {ChkCapital, "ChkCapital"},   {CmbBunrui, "CmbBunrui"},     {EdtDtl, "EdtDtl"},       {BtnOk, "BtnOk"},
      {BtnClear, "BtnClear"}};
  for (const auto& [w, n] : named) w->setObjectName(QString::fromLatin1(n));

  auto* find = new QVBoxLayout(PnlFind);
  auto* kind_row = new QHBoxLayout;
  kind_row->addWidget(new QLabel(QStringLiteral("検索対象:"), PnlFind));
  kind_row->addWidget(CmbFile, 1);
  find->addLayout(kind_row);
  auto* span = new QGroupBox(QStringLiteral("期間"), PnlFind);
  span->setObjectName(QStringLiteral("GrpFindSpan"));
  auto* span_layout = new QGridLayout(span);
  span_layout->addWidget(ChkFromDate, 0, 0);
  span_layout->addWidget(DtpFromDate, 0, 1);
  span_layout->addWidget(ChkToDate, 1, 0);
  span_layout->addWidget(DtpToDate, 1, 1);
  auto* years = new QHBoxLayout;
  years->addWidget(BtnNowYear);
  years->addWidget(BtnBeforeYear);
  years->addWidget(new QLabel(QStringLiteral("過去"), span));
  years->addWidget(CmbPast);
  span_layout->addLayout(years, 2, 0, 1, 2);
  find->addWidget(span);
  find->addWidget(new QLabel(QStringLiteral("件名:"), PnlFind));
  find->addWidget(EdtTitle);
  find->addWidget(ChkCapital);
  find->addWidget(new QLabel(QStringLiteral("分類:"), PnlFind));
  find->addWidget(CmbBunrui);
  find->addWidget(new QLabel(QStringLiteral("メモ:"), PnlFind));
  find->addWidget(EdtDtl);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(BtnOk);
  buttons->addWidget(BtnClear);
  find->addLayout(buttons);
  find->addStretch();
  CmbPast->setMinimumWidth(90);
  PnlFind->setFixedWidth(280);

  LtvList = new QTreeWidget(this);
  LtvList->setObjectName(QStringLiteral("LtvList"));
  LtvList->setRootIsDecorated(false);
  LtvList->setUniformRowHeights(true);
  LtvList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  LtvList->setAllColumnsShowFocus(true);
  LtvList->header()->setSectionsClickable(true);
  LtvList->header()->setSortIndicatorShown(true);
  LtvList->header()->setStretchLastSection(false);

  SbrPanel1 = new QLabel(this);
  SbrPanel1->setObjectName(QStringLiteral("SbrPanel1"));
  SbrPanel1->setMinimumWidth(90);
  SbrPanel2 = new QLabel(this);
  SbrPanel2->setObjectName(QStringLiteral("SbrPanel2"));
  auto* status = new QStatusBar(this);
  status->setSizeGripEnabled(false);
  status->addWidget(SbrPanel1);
  status->addWidget(SbrPanel2, 1);

  auto* body = new QHBoxLayout;
  body->addWidget(PnlFind);
  body->addWidget(LtvList, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(MenuBar);
  layout->addWidget(ToolBar);
  layout->addLayout(body, 1);
  layout->addWidget(status);

  connect(MenAdd, &QAction::triggered, this, &TDlgList::MenAddClick);
  connect(MenRep, &QAction::triggered, this, &TDlgList::MenRepClick);
  connect(MenDel, &QAction::triggered, this, &TDlgList::MenDelClick);
  connect(MenCopy, &QAction::triggered, this, &TDlgList::MenCopyClick);
  connect(MenExc, &QAction::triggered, this, &TDlgList::MenExcClick);
  connect(MenSelectAll, &QAction::triggered, this, &TDlgList::MenSelectAllClick);
  connect(MenExit, &QAction::triggered, this, &QDialog::reject);
  connect(MenExportCsv, &QAction::triggered, this, [this] { ExportClick(ExportFormat::Csv); });
  connect(MenExportVcs, &QAction::triggered, this, [this] { ExportClick(ExportFormat::VCalendar); });
  connect(MenExportIcs, &QAction::triggered, this, [this] { ExportClick(ExportFormat::ICalendar); });
  connect(CmbFile, &QComboBox::activated, this, &TDlgList::CmbFileChange);
  connect(BtnOk, &QPushButton::clicked, this, &TDlgList::BtnOkClick);
  connect(BtnClear, &QPushButton::clicked, this, &TDlgList::BtnClearClick);
  connect(BtnNowYear, &QPushButton::clicked, this, [this] {
    auto [from, to] = YearSpan(store::YearOf(form_.source().today));
    ChkFromDate->setChecked(true);
    ChkToDate->setChecked(true);
    DtpFromDate->setDate(ToQDate(from));
    DtpToDate->setDate(ToQDate(to));
  });
  connect(BtnBeforeYear, &QPushButton::clicked, this, [this] {
    auto [from, to] = YearSpan(store::YearOf(form_.source().today) - 1);
    ChkFromDate->setChecked(true);
    ChkToDate->setChecked(true);
    DtpFromDate->setDate(ToQDate(from));
    DtpToDate->setDate(ToQDate(to));
  });
  connect(CmbPast, &QComboBox::activated, this, [this](int n) {
    if (n <= 0) return;
    ChkFromDate->setChecked(true);
    ChkToDate->setChecked(true);
    DtpFromDate->setDate(ToQDate(PastStart(FromQDate(DtpToDate->date()), n)));
  });
  connect(LtvList->header(), &QHeaderView::sectionClicked, this, &TDlgList::LtvListColumnClick);
  connect(LtvList, &QTreeWidget::itemDoubleClicked, this, [this] { MenRepClick(); });
  connect(LtvList, &QTreeWidget::itemSelectionChanged, this, &TDlgList::UpdateCommands);
  connect(LtvList, &QTreeWidget::itemActivated, this, [this] { MenRepClick(); });
  // An add-on's check box is its enabled flag: the state text follows at once, the file when the
  // page closes or an entry dialog opens.
  connect(LtvList, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
    if (form_.kind() != ListKind::Addon || column != 0) return;
    item->setText(1, item->checkState(0) == Qt::Checked ? QStringLiteral("有効") : QStringLiteral("無効"));
    addon_checked_ = true;
  });
}

void TDlgList::BuildColumns() {
  const ListKind kind = form_.kind();
  const auto& columns = Columns(kind);
  LtvList->clear();
  LtvList->setColumnCount(static_cast<int>(columns.size()));
  QStringList captions;
  for (const auto& c : columns) captions << Q(c.caption);
  LtvList->setHeaderLabels(captions);
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    int width = columns[static_cast<std::size_t>(c)].width;
    if (kind == ListKind::Schedule && c < static_cast<int>(layout_.widths.size())) width = layout_.widths[static_cast<std::size_t>(c)];
    LtvList->setColumnWidth(c, width);
    LtvList->setColumnHidden(c, c == 0 && kind != ListKind::Addon);
  }
  // The holiday list hides its date while searching: the search does not depend on the year.
  if (kind == ListKind::Holiday) LtvList->setColumnHidden(1, form_.view() == kViewSearch);
  const auto captions_of_views = ViewCaptions(kind);
  for (int v = 0; v < 4; ++v) {
    const QString caption = v < static_cast<int>(captions_of_views.size()) ? Q(captions_of_views[static_cast<std::size_t>(v)]) : QString();
    MenView[v]->setText(caption);
    MenView[v]->setVisible(!caption.isEmpty());
  }
  MenView[4]->setText(QStringLiteral("検索"));
  MenView[4]->setVisible(kind != ListKind::Addon);

  const SearchPanelFields panel = SearchPanelOf(kind);
  for (QWidget* w : {static_cast<QWidget*>(ChkFromDate), static_cast<QWidget*>(DtpFromDate), static_cast<QWidget*>(ChkToDate),
                     static_cast<QWidget*>(DtpToDate), static_cast<QWidget*>(BtnNowYear), static_cast<QWidget*>(BtnBeforeYear),
                     static_cast<QWidget*>(CmbPast)})
    w->setEnabled(panel.period);
  EdtTitle->setEnabled(panel.title);
  ChkCapital->setEnabled(panel.case_switch);
  CmbBunrui->setEnabled(panel.category);
  EdtDtl->setEnabled(panel.detail);
  CmbBunrui->clear();
  CmbBunrui->setEditable(!panel.category_fixed);
  if (panel.category_fixed) {
    for (const auto& item : panel.fixed_list) CmbBunrui->addItem(Q(item));
  } else if (panel.category) {
    try {
      const auto table = catalogues::LoadCategoryTable(ports_.files, session_.folders.category);
      for (std::size_t i = 0; i < table.size(); ++i) CmbBunrui->addItem(Q(table.Entry(i).name));
    } catch (const store::FileError& e) {
      ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    }
  }
  CmbBunrui->setCurrentIndex(-1);
  CmbBunrui->setEditText(QString());
}

void TDlgList::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
  }
}

void TDlgList::Fill() {
  const ListKind kind = form_.kind();
  const auto& columns = Columns(kind);
  LtvList->clear();
  QList<QTreeWidgetItem*> items;
  const auto& rows = form_.rows();
  for (std::size_t r = 0; r < rows.size(); ++r) {
    auto* item = new QTreeWidgetItem;
    for (std::size_t c = 0; c < rows[r].cells.size() && c < columns.size(); ++c) {
      item->setText(static_cast<int>(c), Q(rows[r].cells[c]));
      if (columns[c].align == ColumnAlign::Centre) item->setTextAlignment(static_cast<int>(c), Qt::AlignCenter);
      if (columns[c].align == ColumnAlign::Right) item->setTextAlignment(static_cast<int>(c), Qt::AlignRight | Qt::AlignVCenter);
    }
    if (kind == ListKind::Addon) item->setCheckState(0, rows[r].checked ? Qt::Checked : Qt::Unchecked);
    item->setData(0, kRowRole, static_cast<int>(r));
    items << item;
  }
  LtvList->addTopLevelItems(items);
  const SortState& sort = form_.sort();
  LtvList->header()->setSortIndicator(sort.column, sort.direction < 0 ? Qt::DescendingOrder : Qt::AscendingOrder);
  if (!items.isEmpty()) {
    if (form_.mode() == ListMode::Export) {
      LtvList->selectAll();
    } else if (form_.view() != kViewSearch) {
      LtvList->setCurrentItem(items.front());
    }
  }
  for (int v = 0; v < 5; ++v) MenView[v]->setChecked(form_.view() == v + 1);
  PnlFind->setVisible(form_.view() == kViewSearch);
  setWindowTitle(Q(form_.Caption()));
  SbrPanel2->setText(Q(form_.StatusText()));
  UpdateCommands();
}

void TDlgList::UpdateCommands() {
  const std::size_t selected = static_cast<std::size_t>(LtvList->selectedItems().size());
  const std::pair<QAction*, ListCommand> commands[] = {
      {MenAdd, ListCommand::Add},         {MenRep, ListCommand::Change},       {MenDel, ListCommand::Delete},
      {MenCopy, ListCommand::Copy},       {MenExc, ListCommand::BulkEdit},     {MenSelectAll, ListCommand::SelectAll},
      {MenExportCsv, ListCommand::ExportCsv}, {MenExportVcs, ListCommand::ExportVcs}, {MenExportIcs, ListCommand::ExportIcs}};
  for (const auto& [action, command] : commands) {
    action->setVisible(form_.CommandShown(command));
    action->setEnabled(form_.CommandEnabled(command, selected));
  }
  CmbFile->setVisible(form_.kind() != ListKind::Addon);
  SbrPanel1->setText(Q(ListForm::SelectionText(selected)));
}

std::vector<ListRow> TDlgList::SelectedRows() const {
  std::vector<std::pair<int, ListRow>> picked;
  for (QTreeWidgetItem* item : LtvList->selectedItems()) {
    const int r = item->data(0, kRowRole).toInt();
    if (r >= 0 && r < static_cast<int>(form_.rows().size()))
      picked.emplace_back(LtvList->indexOfTopLevelItem(item), form_.rows()[static_cast<std::size_t>(r)]);
  }
  std::sort(picked.begin(), picked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<ListRow> rows;
  for (auto& p : picked) rows.push_back(std::move(p.second));
  return rows;
}

void TDlgList::ShowSearchPanel() {
  PnlFind->setVisible(true);
  EdtTitle->setFocus();
}

void TDlgList::SetView(int view) {
  if (form_.kind() == ListKind::Holiday) LtvList->setColumnHidden(1, view == kViewSearch);
  Guarded([&] { form_.SetView(view); });
  Fill();
  if (view == kViewSearch) ShowSearchPanel();
}

void TDlgList::CmbFileChange() {
  if (CmbFile->currentIndex() < 0) return;
  if (form_.kind() == ListKind::Schedule) CaptureScheduleWidths();
  const auto kind = static_cast<ListKind>(CmbFile->currentData().toInt());
  if (kind == form_.kind()) return;
  const SortState sort = InitialSort(kind, ListSettingsOf(layout_));
  form_.SetSort(sort.column, sort.direction);
  Guarded([&] { form_.SetKind(kind); });
  BuildColumns();
  Fill();
}

SearchConditions TDlgList::Conditions() const {
  SearchConditions c;
  if (ChkFromDate->isEnabled() && ChkFromDate->isChecked()) c.from = FromQDate(DtpFromDate->date());
  if (ChkToDate->isEnabled() && ChkToDate->isChecked()) c.to = FromQDate(DtpToDate->date());
  if (EdtTitle->isEnabled()) c.title = EdtTitle->text().toStdString();
  c.ignore_case = ChkCapital->isEnabled() && ChkCapital->isChecked();
  if (CmbBunrui->isEnabled()) {
    if (SearchPanelOf(form_.kind()).category_fixed) c.category_index = CmbBunrui->currentIndex();
    else c.category = CmbBunrui->currentText().toStdString();
  }
  if (EdtDtl->isEnabled()) c.detail = EdtDtl->text().toStdString();
  return c;
}

void TDlgList::BtnOkClick() {
  std::optional<SearchFailure> failure;
  if (CmbFile->currentIndex() < 0) failure = CheckSearch(std::nullopt, Conditions());
  else Guarded([&] { failure = form_.Search(ports_.dialogs, Conditions()); });
  if (failure) {
    ports_.dialogs.Error(failure->message, kSearchErrorCaption);
    QWidget* focus = EdtTitle;
    if (failure->focus == SearchField::Kind) focus = CmbFile;
    if (failure->focus == SearchField::Category) focus = CmbBunrui;
    if (failure->focus == SearchField::FromDate) focus = DtpFromDate;
    focus->setFocus();
    return;
  }
  Fill();
}

void TDlgList::BtnClearClick() {
  ChkFromDate->setChecked(false);
  ChkToDate->setChecked(false);
  DtpFromDate->setDate(ToQDate(form_.source().reference));
  DtpToDate->setDate(ToQDate(form_.source().reference));
  CmbPast->setCurrentIndex(0);
  EdtTitle->clear();
  ChkCapital->setChecked(false);
  CmbBunrui->setCurrentIndex(-1);
  CmbBunrui->setEditText(QString());
  EdtDtl->clear();
  form_.ClearSearch();
  Fill();
}

void TDlgList::LtvListColumnClick(int column) {
  if (!form_.ColumnClick(column)) return;
  sort_clicked_ = true;
  if (form_.kind() == ListKind::Schedule) {
    layout_.column = form_.sort().column;
    layout_.order = form_.sort().direction;
  }
  Fill();
}

void TDlgList::MenSelectAllClick() {
  if (!MenSelectAll->isEnabled()) return;
  LtvList->selectAll();
  UpdateCommands();
}

void TDlgList::MenAddClick() {
  if (MenAdd->isEnabled()) OpenEntry(0);
}
void TDlgList::MenRepClick() {
  if (form_.mode() != ListMode::Export && MenRep->isEnabled()) OpenEntry(1);
}
void TDlgList::MenCopyClick() {
  if (MenCopy->isEnabled()) OpenEntry(3);
}

void TDlgList::MenDelClick() {
  if (!MenDel->isEnabled()) return;
  const auto rows = SelectedRows();
  Guarded([&] { form_.Delete(ports_.dialogs, rows); });
  Fill();
}

void TDlgList::OpenEntry(int mode) {
  if (form_.kind() == ListKind::Addon && addon_checked_) {
    // The check boxes are stored first; the current row is found again by its line as stored.
    std::string wanted;
    if (const QTreeWidgetItem* current = LtvList->currentItem())
      wanted = WithEnabled(form_.rows().at(static_cast<std::size_t>(current->data(0, kRowRole).toInt())).line,
                           current->checkState(0) == Qt::Checked);
    if (!AddonUpdate()) return;
    Fill();
    for (int i = 0; i < LtvList->topLevelItemCount(); ++i) {
      QTreeWidgetItem* item = LtvList->topLevelItem(i);
      if (form_.rows().at(static_cast<std::size_t>(item->data(0, kRowRole).toInt())).line == wanted)
        LtvList->setCurrentItem(item);
    }
  }
  std::optional<ListRow> row;
  if (mode != 0) {
    QTreeWidgetItem* current = LtvList->currentItem();
    if (current == nullptr || !current->isSelected()) {
      const auto selected = LtvList->selectedItems();
      if (selected.isEmpty()) return;
      current = selected.front();
    }
    row = form_.rows().at(static_cast<std::size_t>(current->data(0, kRowRole).toInt()));
  }
  bool stored = false;
  Guarded([&] {
    switch (form_.kind()) {
      case ListKind::Schedule: {
        schedule::OpenRequest request;
        request.mode = static_cast<schedule::EntryMode>(mode);
        request.date = form_.NewScheduleDate();
        if (row) {
          request.source = form_.ScheduleForEdit(ports_.dialogs, *row);
          if (!request.source) return;
          request.date = store::MakeDate(request.source->year, request.source->month, std::max(1, store::Day(row->line)));
        }
        schedule::TDlgSchInput dialog({ports_.dialogs, ports_.files, ports_.shell, ports_.clock}, session_, request, this);
        stored = dialog.exec() == QDialog::Accepted || dialog.NeedsReload();
        break;
      }
      case ListKind::Holiday: {
        app::HolidayDialogSetup setup;
        setup.path = store::HolidayFilePath(session_.folders.data);
        setup.date = form_.source().reference;
        if (row) {
          auto lines = form_.HolidayLinesForEdit(ports_.dialogs, *row);
          if (!lines) return;
          setup.lines = *lines;
          setup.mode = 1;
          setup.index = std::stoi(row->key());
        } else {
          setup.lines = store::LoadLines(ports_.files, setup.path);
        }
        app::TDlgHolidayInput dialog(ports_.dialogs, ports_.files, setup, this);
        if (!row && form_.view() >= 1 && form_.view() <= 3) dialog.CmbBunrui->setCurrentIndex(form_.view() - 1);
        stored = dialog.exec() == QDialog::Accepted;
        break;
      }
      case ListKind::Weather: {
        if (!row) return;
        auto lines = form_.DayLinesForEdit(ports_.dialogs, *row);
        if (!lines) return;
        const std::string& key = row->key();
        const int y = std::stoi(key.substr(0, 4)), m = std::stoi(key.substr(4, 2)), d = std::stoi(key.substr(6, 2));
        app::TDlgWeather dialog(ports_.dialogs, ports_.files, store::DayFilePath(session_.folders.data, y, m),
                                store::MakeDate(y, m, d), row->line, this);
        stored = dialog.exec() == QDialog::Accepted;
        break;
      }
      case ListKind::Todo: stored = OpenTodoEntry(mode, row ? &*row : nullptr); break;
      case ListKind::Memo: stored = OpenMemoEntry(row ? &*row : nullptr); break;
      case ListKind::Addon: {
        const auto addon_mode = mode == 0 ? reminders::AddonFormMode::Add
                                : mode == 1 ? reminders::AddonFormMode::Change : reminders::AddonFormMode::Copy;
        std::optional<std::string> old_line;
        if (row) old_line = row->line;
        reminders::TDlgAddonInput dialog(ports_.files, ports_.dialogs, session_.program_folder, addon_mode, old_line, this);
        stored = dialog.exec() == QDialog::Accepted;
        break;
      }
      default: return;
    }
  });
  if (stored) Guarded([this] { form_.EntryStored(); });
  Fill();
}

bool TDlgList::OpenTodoEntry(int mode, const ListRow* row) {
  const store::Date today = ports_.clock.Now().date;
  todo::TodoOpenRequest request;
  request.kind = mode == 0 ? todo::TodoEntryKind::New : mode == 1 ? todo::TodoEntryKind::Edit : todo::TodoEntryKind::Copy;
  request.date = today;
  const std::string& folder = session_.folders.todo;
  if (row != nullptr) {
    // The record must still be the line the list read.
    const std::vector<std::string> records = todo::LoadTodoRecords(ports_.files, folder);
    const auto index = static_cast<std::size_t>(std::stoul(row->key()));
    if (index >= records.size() || records[index] != row->line) {
      todo::ShowTodoStale(ports_.dialogs);
      form_.Refresh();
      return false;
    }
    request.source = todo::TodoRef{index, row->line};
  }
  const std::vector<std::string> memos = todo::LoadTodoMemos(ports_.files, folder);
  std::vector<std::string> source_memo;
  if (request.source) source_memo = todo::TodoMemoOf(memos, todo::TodoMemoNumber(request.source->line));
  static platform::PosixProcesses processes;
  todo::TDlgTodoInput dialog({ports_.dialogs, ports_.files, ports_.shell, processes, ports_.clock}, session_,
                             todo::OpenTodoForm(request, today, source_memo, memos.size()), this);
  const bool stored = dialog.exec() == QDialog::Accepted;
  if (!stored && dialog.NeedsReload()) form_.Refresh();
  return stored;
}

bool TDlgList::OpenMemoEntry(const ListRow* row) {
  // A row names its memo by its file name ("yyyymmdd" or "yyyymm"); a new memo is the reference day's.
  std::optional<store::MemoId> id = store::MemoId::OfDay(form_.source().reference);
  if (row != nullptr) id = store::ParseMemoFileName(row->key() + store::kMemoExtension);
  if (!id) return false;
  const std::string& folder = session_.folders.memo;
  mainwindow::MemoDialogForm memo(ports_.files);
  const auto failed = memo.OpenMemo(folder, *id);
  const auto& settings = session_.settings;
  const auto look = mainwindow::MemoLookOf(settings.font.memo, settings.color.mem, settings.memo.tab, 0);
  const bool stored = mainwindow::ShowDlgMemo(ports_.dialogs, memo, failed, look, this, pos() + QPoint(16, 24));
  // A memo emptied in the dialog leaves no file behind.
  if (stored) store::RemoveIfEmpty(ports_.files, memo.path());
  return stored;
}

void TDlgList::MenExcClick() {
  if (!MenExc->isEnabled()) return;
  // The targets in key order, so that the schedules of one month file follow one another.
  auto rows = SelectedRows();
  std::sort(rows.begin(), rows.end(), [](const ListRow& a, const ListRow& b) { return a.key() < b.key(); });
  std::vector<catalogues::BulkTarget> targets;
  for (const ListRow& r : rows) targets.push_back({r.key(), r.line});
  bool done = false;
  Guarded([&] {
    catalogues::TDlgExc dialog(ports_.dialogs, ports_.files, session_.folders, targets, this);
    done = dialog.exec() == QDialog::Accepted;
    if (done || dialog.NeedsReload()) form_.EntryStored();
  });
  Fill();
}

void TDlgList::ExportClick(ExportFormat format) {
  const QAction* item = format == ExportFormat::Csv ? MenExportCsv : format == ExportFormat::VCalendar ? MenExportVcs : MenExportIcs;
  if (!item->isEnabled()) return;
  const ListKind kind = form_.kind();
  const auto rows = SelectedRows();
  if (rows.empty()) return;
  // The chooser starts in the kind's own folder.
  const std::string& folder = kind == ListKind::Memo ? session_.folders.memo
                              : kind == ListKind::Todo ? session_.folders.todo : session_.folders.data;
  Guarded([&] {
    const ExportSources sources = ExportSourcesOf(ports_.files, session_, ports_.clock.Now());
    ExportToFile(ports_.dialogs, format, kind, rows, sources, folder);
  });
}

void TDlgList::CaptureScheduleWidths() {
  for (int c = 1; c < LtvList->columnCount() && c < static_cast<int>(layout_.widths.size()); ++c)
    layout_.widths[static_cast<std::size_t>(c)] = LtvList->columnWidth(c);
}

bool TDlgList::AddonUpdate() {
  if (form_.kind() != ListKind::Addon || !addon_checked_) return true;
  bool done = false;
  Guarded([&] {
    std::vector<std::string> lines = reminders::LoadAddonLines(ports_.files, session_.program_folder);
    for (int i = 0; i < LtvList->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = LtvList->topLevelItem(i);
      const ListRow& row = form_.rows().at(static_cast<std::size_t>(item->data(0, kRowRole).toInt()));
      const auto index = static_cast<std::size_t>(std::stoul(row.key()));
      if (index >= lines.size() || lines[index] != row.line) {
        ports_.dialogs.Error(reminders::kAddonStale, reminders::kAddonStaleCaption);
        form_.Refresh();
        return;
      }
      lines[index] = WithEnabled(lines[index], item->checkState(0) == Qt::Checked);
    }
    reminders::SaveAddonLines(ports_.files, session_.program_folder, lines);
    done = true;
    form_.EntryStored();
  });
  addon_checked_ = false;
  if (!done) Fill();
  return done;
}

void TDlgList::FormCloseQuery() {
  if (form_.kind() == ListKind::Addon) {
    AddonUpdate();
    return;
  }
  if (form_.kind() == ListKind::Schedule) CaptureScheduleWidths();
  layout_.top = geometry().top();
  layout_.left = geometry().left();
  layout_.height = geometry().height();
  layout_.width = geometry().width();
  const bool moved = layout_.top != opened_layout_.top || layout_.left != opened_layout_.left ||
                     layout_.height != opened_layout_.height || layout_.width != opened_layout_.width;
  if (!sort_clicked_ && !moved && layout_.widths == opened_layout_.widths) return;
  Guarded([this] {
    store::IniFile ini = store::IniFile::Load(ports_.files, session_.settings_file);
    WriteListLayout(ini, layout_);
    ini.Flush(ports_.files, session_.settings_file);
    saved_layout_ = ListSettingsOf(layout_);
  });
}

void TDlgList::done(int result) {
  FormCloseQuery();
  QDialog::done(result);
}

}  // namespace kal::listing
