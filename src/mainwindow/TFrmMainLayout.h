// The regions of the main window and their commands: toolbar, schedule list, navigation bar,
// main grid, side panel (side calendars and the list area), under panel (ToDo, notes, memo),
// the splitters, the eight view modes (GridCheck, GridModeClick) and the panel, week-end,
// width, wrap, line pitch and size-reset commands with the per-mode layout settings.
#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "mainwindow/CellContents.h"
#include "mainwindow/Navigation.h"
#include "mainwindow/ViewModes.h"
#include "store/Settings.h"

class QAction;
class QLabel;
class QListWidget;
class QMainWindow;
class QMenu;
class QSplitter;
class QScrollArea;
class QTimer;
class QVBoxLayout;
class QToolBar;
class QToolButton;
class QWidget;

namespace kal::platform {
class Clock;
class Dialogs;
class FileSystem;
}  // namespace kal::platform

class QAbstractItemDelegate;

namespace kal::catalogues {
class CategoryCellDelegate;
class CategoryIcons;
class CategoryTable;
}  // namespace kal::catalogues

namespace kal::todo {
class QtTodoPanel;
}

namespace kal::mainwindow {

class QtCalendarGrid;
class QtTimeline;
class QtGridKeys;
class QtSchList;
class NavigationBar;
class QtScheduleDrag;
struct DropSpot;

inline constexpr const char* kPanelRefusalText = "メモ欄とノートを同時に非表示することはできません。";
inline constexpr const char* kPanelRefusalCaption = "エラー";

// What the layout reads and writes of the window that holds it.
struct LayoutHost {
  QMainWindow* window = nullptr;
  QWidget* central = nullptr;                             // the area the regions go into
  std::function<QAction*(const QString&)> action;         // a menu item by component name
  std::function<QMenu*(const QString&)> menu;             // a menu by component name
  store::Settings* settings = nullptr;
  bool* layout_changed = nullptr;
  platform::Dialogs* dialogs = nullptr;
  platform::FileSystem* files = nullptr;
  const platform::Clock* clock = nullptr;
  std::string program_folder;
  std::string data_folder;
  std::string memo_folder;
  std::string category_folder;
  std::string table_folder;                              // Alarm.tbl for the schedule list
  std::function<void(const Date&)> on_selected;          // the selected date changed
  // The schedule list's edit of a row (`LtvSchListUpdate`): the day entry, or nothing for a new
  // schedule on the selected day.
  std::function<void(const std::optional<std::string>& entry)> on_edit_entry;
  std::function<void()> on_cell_double_click;            // a day cell was double-clicked
  std::function<void()> on_schedule_list;                // "スケジュール一覧(&E)" of the grid pop-up
  // A half hour of the timeline was double-clicked: a new schedule on the selected day from
  // `start` to `end` ("hh:mm").
  std::function<void(const std::string& start, const std::string& end)> on_new_at_time;
  // The notes and the memo box of the under panel, made by the window (placeholders when null),
  // and the memo box's day: called whenever the selected day is shown again.
  QWidget* note_panel = nullptr;
  QWidget* memo_panel = nullptr;
  std::function<void(const Date&)> on_memo_day;
  // The grid's pop-up menu before it shows (the memo commands connect their items there).
  std::function<void(QMenu*)> on_grid_popup;
  std::function<void()> on_memo_double_click;  // the memo corner of a day was double-clicked
  // The ToDo commands of the grid's and the schedule list's pop-up menus (PopSchToTodo,
  // PopTodoAdd, PopTodoRep, PopTodoToSch and the list's PopSchToTodoL, PopTodoRepL) and the
  // deletion of a ToDo entry ("PopDelete"), with the day entry they act on (nothing for
  // PopTodoAdd). The items stay disabled without it.
  std::function<void(const std::string& command, const std::optional<std::string>& entry)> on_todo_command;
  // Adds the items that follow the fixed items of the calendar's pop-up menu `PopGrd` (the
  // calendar add-ons) for the selected date.
  std::function<void(QMenu* menu, const Date& selected)> on_grid_menu;
  // The clipboard buffer (the window's TFrmMainClipboard.cpp); the cut, copy and paste commands
  // and the drag and drop stay off without it. `clip_take` fills the buffer from a day entry seen
  // on `date` (nothing: the day's memo) as a cut or a copy, false when nothing was taken (a drag
  // leaves the desktop's clipboard alone: `drag`);
  // `clip_paste` pastes it on a day and, on the timeline, a half hour; `clip_filled` says whether
  // it holds anything; `clip_drop_ok` sets a drop's move or copy and asks DragMsg's question
  // (false: the drop is cancelled); `clip_look` gives the drop preview's text and half hours.
  std::function<bool(const std::optional<std::string>& entry, const Date& date, bool cut, bool drag)> clip_take;
  std::function<void(const Date& date, std::optional<int> row)> clip_paste;
  std::function<bool()> clip_filled;
  std::function<bool(bool copy)> clip_drop_ok;
  std::function<std::pair<std::string, int>(const Date& date, std::optional<int> row)> clip_look;
};

// The days the grids draw. `reload` rebuilds them for the months of a view (the month model's
// SchUpdate); `day` gives one date's cell input.
struct DaySource {
  std::function<void(int mode, const Date& selected, int count)> reload;
  std::function<CellDay(const Date& date)> day;
  std::function<std::vector<std::string>(const DayEntry& entry, const Date& date)> memo_of;  // hint memo lines
  std::function<bool(int year, int month)> holds;  // whether the model holds a month
};

class MainLayout : public QObject {
  Q_OBJECT

 public:
  explicit MainLayout(LayoutHost host, QObject* parent = nullptr);
  ~MainLayout() override;

  void SetDaySource(DaySource source);
  void SetCategories(catalogues::CategoryTable* table, const catalogues::CategoryIcons* icons);

  int Mode() const { return mode_; }
  const Date& SelectedDate() const { return selected_; }
  void SetSelectedDate(const Date& date);
  // Modes shown since start-up (for the exit-time write).
  const std::array<bool, store::kViewModeCount>& ViewsShown() const { return views_shown_; }

  // `GridCheck`: applies the checked view mode.
  void GridCheck();
  // `GridModeClick`: the mode command of the menu items and toolbar buttons.
  void GridModeClick(int mode);
  // Rebuilds the model for the view and repaints the grids and the period caption.
  void SchUpdate();
  // Re-lays out columns, rows and the navigation bar (`SizeChange`).
  void SizeChange();

  // Panel commands.
  void UnderPanelClick();
  void SidePanelClick();
  void PanelModeClick();
  void SchListClick();
  void NotePanelClick();
  void MemoPanelClick();
  void MiniCalendarClick(int which);  // 0 previous, 1 current, 2 next month
  void ToolBarClick();
  void StatusBarClick();
  void SatSunClick();
  void SatSunNoClick();
  void AutoWidthClick();
  void CrClick();
  void LinePitchClick(int pitch);
  void CountClick(int count);
  void SizeResetCurrent();
  void SizeResetAll();
  // Period steps of the navigation bar (-1 before, +1 next; years with `years`) and 今月.
  void StepPeriod(int direction, bool years);
  void NowPeriod();
  // The displayed and selected dates, and the view's shape for the navigation moves.
  NavState Nav() const;
  NavContext NavShape() const;
  // Shows new dates: reload, redraw, the grid gets the focus.
  void ApplyNav(const NavState& state);
  // "指定した日付へ移動(&J)": the go-to-date dialog.
  void JumpClick();
  // "最新の情報に更新(&Z)": reloads and redraws keeping the selected day.
  void RefreshClick();
  // `DaySchEdit`: the schedule list and the status-bar date text of the selected day.
  void DaySchEdit();
  // Deletes the entry of the schedule list's selected row (after the confirmation of DelMsg);
  // the view reloads when the file changed or the line was found changed.
  void DeleteSelectedEntry();
  // The grid's pop-up menu `PopGrd` for the cell item at `point` (grid coordinates; the cell
  // under it is selected first).
  QMenu* BuildGridPopup(const QPoint& point);
  // The same menu for a cell item (nothing: none) on the selected day; `row` is the timeline's
  // half hour a paste goes to.
  QMenu* PopGrdMenu(const std::optional<std::string>& entry, std::optional<int> row = std::nullopt);
  // The clipboard commands "PopCut", "PopCopy" (of `entry`, nothing: the day's memo) and
  // "PopPaste" (on the selected day, at `row` of the timeline) (TFrmMainDragDrop.cpp).
  void ClipCommand(const std::string& command, const std::optional<std::string>& entry, std::optional<int> row);
  // The drag and drop of the grid and the timeline.
  QtScheduleDrag* Drag() const { return drag_; }
  QtSchList* SchList() const { return ltv_sch_list_; }
  QtGridKeys* GridKeys() const { return keys_; }
  // The list area: 0 categories, 1 display items, 2 folders.
  void ShowList(int which);

  QtCalendarGrid* Grid() const { return grid_; }
  // Mini mode (TFrmMainMini.cpp): the month drawn as the compact mini calendar under an 18-pixel
  // navigation bar; the mode, panel and size commands are ignored while it is on.
  void SetMini(bool on);
  bool Mini() const { return mini_; }
  // The mini calendar's tip of a day (`SmallTips`), with the day's memo lines.
  Hint MiniTip(const Date& date) const;
  // The times of a new schedule while the timeline of a vertical view has the focus: the
  // selected range of half hours, else the current half hour and DefTime hours; nothing when the
  // timeline is not focused.
  std::optional<std::pair<std::string, std::string>> TimelineTimes() const;
  // The ToDo panel PnlTodo of the under panel.
  todo::QtTodoPanel* TodoPanel() const { return todo_panel_; }
  QWidget* Region(const QString& name) const;
  QToolBar* ToolBar() const { return toolbar_; }

 private:
  void BuildRegions();
  void BuildToolBar();
  void BuildSidePanel(QWidget* parent);
  void BuildUnderPanel(QWidget* parent);
  void ConnectMenu();
  void ApplyPanels();
  void ApplySizes();
  void SyncMenu();
  void RebuildCountMenu();
  void RefreshList();
  void RefreshMemo();
  void PaintMainGrid();
  // The cell rule's context of the current view, and a date's day from the model.
  CellContext ViewContext() const;
  CellDay DayAt(const Date& date) const;
  // The vertical views (TFrmMainTimeline.cpp): the timeline under the main grid, its header row
  // and the current-time line.
  void BuildTimeline(QWidget* calendar, QVBoxLayout* layout);
  void PaintTimeline();
  void ShowTimeline(bool shown);
  void TimelineSelect(int column);
  void PaintSideCalendars();
  void PaintMiniGrid();
  void ShowMiniTip(int row, int column);
  void SetChanged();
  void ApplyBarFont();
  std::optional<std::string> EntryAt(int row, int column, int line) const;
  // Drag and drop, the clipboard keys and the timeline's pop-up menu (TFrmMainDragDrop.cpp).
  void BuildDragDrop();
  void DropAt(const DropSpot& spot, bool copy);
  void ClipKey(const std::string& command);
  std::optional<std::string> SelectedCellItem() const;
  void DeleteEntry(const std::string& entry);
  void SplitterMoved(QSplitter* splitter);
  store::ViewModeSettings& Current();
  std::string PeriodCaption() const;

  LayoutHost host_;
  DaySource days_;
  catalogues::CategoryTable* categories_ = nullptr;
  const catalogues::CategoryIcons* icons_ = nullptr;
  int mode_ = kModeMonthly;
  Date selected_{};
  int displayed_year_ = 2000;
  int displayed_month_ = 1;
  int anchor_day_ = 1;  // the displayed day: the first day shown of the timelines and the multi-week view
  int list_shown_ = 0;
  bool applying_ = false;
  std::array<bool, store::kViewModeCount> views_shown_{};
  std::vector<std::vector<Date>> shown_dates_;  // [row][day column] of the main grid
  bool mini_ = false;
  bool mini_connected_ = false;

  QToolBar* toolbar_ = nullptr;
  std::vector<std::pair<QAction*, QAction*>> tool_links_;  // toolbar action, menu action
  QSplitter* spl_x_ = nullptr;   // top area | under panel
  QSplitter* spl_h_ = nullptr;   // calendar side | side panel
  QSplitter* spl_t_ = nullptr;   // schedule list | calendar
  QSplitter* spl_c_ = nullptr;   // side calendars | list area
  QSplitter* spl_b_ = nullptr;   // ToDo | notes and memo
  QSplitter* spl_m_ = nullptr;   // notes | memo
  QWidget* pnl_top_ = nullptr;
  QWidget* pnl_bottom_ = nullptr;
  QWidget* pnl_right_ = nullptr;
  QWidget* sch_list_ = nullptr;
  QWidget* pnl_note_ = nullptr;
  QWidget* pnl_memo_ = nullptr;
  QWidget* pnl_todo_ = nullptr;
  todo::QtTodoPanel* todo_panel_ = nullptr;
  std::array<QWidget*, 3> side_panels_{};
  std::array<QLabel*, 3> side_bars_{};
  std::array<QtCalendarGrid*, 3> side_grids_{};
  QWidget* pnl_list_ = nullptr;
  std::array<QToolButton*, 3> list_buttons_{};
  QListWidget* lst_cat_ = nullptr;
  QAbstractItemDelegate* plain_delegate_ = nullptr;
  catalogues::CategoryCellDelegate* category_delegate_ = nullptr;
  NavigationBar* nav_ = nullptr;
  QtCalendarGrid* grid_ = nullptr;
  QScrollArea* scr_ver_ = nullptr;  // ScrVer with the timeline GrdVer
  QtTimeline* grd_ver_ = nullptr;
  QTimer* now_timer_ = nullptr;     // moves the current-time line once a minute
  std::pair<int, Date> scrolled_{};  // the mode and first day the timeline was last scrolled for
  QtSchList* ltv_sch_list_ = nullptr;
  QtGridKeys* keys_ = nullptr;
  QtScheduleDrag* drag_ = nullptr;
};

}  // namespace kal::mainwindow
