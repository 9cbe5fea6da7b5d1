// The settings dialog's pages 起動, 表示, 全般, スケジュール表, バーチカル, メモ and ToDo.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "catalogues/TDlgSetup.h"
#include "catalogues/TDlgSetupParts.h"
#include "mainwindow/MemoDialogForm.h"
#include "mainwindow/TDlgMemo.h"
#include "mainwindow/TrayRules.h"
#include "platform/QtControls.h"
#include "store/TextFile.h"
#include "todo/TodoState.h"

namespace kal::catalogues {

using platform::Q;

namespace {

// The hot key of the tray as a key sequence ("Ctrl+Alt+S") and back; keys the value cannot hold
// (other than letters, digits and F1 to F12) give 0.
QKeySequence HotKeySequence(int value) {
  return value == 0 ? QKeySequence() : QKeySequence(Q(mainwindow::HotKeyText(value)));
}

int HotKeyOf(const QKeySequence& sequence) {
  if (sequence.isEmpty()) return 0;
  const QKeyCombination combination = sequence[0];
  mainwindow::HotKeyParts parts;
  parts.ctrl = combination.keyboardModifiers() & Qt::ControlModifier;
  parts.alt = combination.keyboardModifiers() & Qt::AltModifier;
  parts.shift = combination.keyboardModifiers() & Qt::ShiftModifier;
  const int key = combination.key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) parts.key = key;
  else if (key >= Qt::Key_F1 && key <= Qt::Key_F12) parts.key = 112 + (key - Qt::Key_F1);
  else return 0;
  return mainwindow::HotKeyValue(parts);
}

}  // namespace

QWidget* TDlgSetup::BuildStartup() {
  store::Settings& s = state_.settings;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->addWidget(Check(page, "ChkPasswd", "起動時にパスワード入力画面を表示する(&W)", s.view.passwd));
  v->addWidget(Radio(page, "RdoPos", "表示位置(&P)",
                     {"画面左上", "画面右上", "画面中央", "画面左下", "画面右下", "前回終了時の位置"}, s.window.pos_mode,
                     0, 3));
  v->addWidget(Check(page, "ChkPopSch", "起動時に今日のスケジュールのポップアップを表示する(&U)", s.view.pop_sch));
  v->addWidget(Radio(page, "RdoTopList", "起動時のサイドパネルのリスト(&L)",
                     {"分類リスト", "表示項目リスト", "データフォルダ切替"}, s.window.top_list, 0, 3));
  v->addWidget(Check(page, "ChkTaskTray", "起動時にタスクトレイに隠す（常駐させる）(&R)", s.tray.task_tray));
  v->addWidget(Check(page, "ChkTaskBar", "タスクバーからアイコン（タスクボタン）を隠す（再起動時に有効）(&B)",
                     s.window.task_bar));
  v->addStretch(1);
  return page;
}

QWidget* TDlgSetup::BuildDisplay() {
  store::Settings& s = state_.settings;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto* form = new QGridLayout;
  form->addWidget(Caption(page, "タイトルバーの表示(&N):"), 0, 0);
  form->addWidget(Edit(page, "EdtTitle", s.window.title), 0, 1, 1, 2);
  form->addWidget(Caption(page, "ステータスバーの日付(&D):"), 1, 0);
  QLabel* sample = SamplePanel(page, "PnlStatusBarSample");
  form->addWidget(Pattern(page, "CmbStatusBar", kDatePatterns, s.view.status_bar_form, sample), 1, 1);
  form->addWidget(sample, 1, 2);
  form->setColumnStretch(1, 1);
  v->addLayout(form);
  v->addWidget(Check(page, "ChkDragMsg", "ドラッグでスケジュールを移動する時に確認する(&G)", s.view.drag_msg));
  v->addWidget(Check(page, "ChkDelMsg", "スケジュールを削除する時に確認する(&X)", s.view.del_msg));
  v->addWidget(CheckInt(page, "ChkCatIcon", "分類リストに分類アイコンを表示する(&I)", s.view.cat_icon));
  v->addWidget(Check(page, "ChkStayOnTop", "常に手前に表示する(&O)", s.window.stay_on_top));
  v->addWidget(Check(page, "ChkCalLine", "ミニカレンダーのスケジュールのある日に下線を表示する(&L)", s.view.cal_line));
  auto* font_row = new QHBoxLayout;
  QCheckBox* system = Check(page, "ChkSystemFont", "システムのフォントを使用する(&Y)", s.window.system_font);
  QPushButton* choose = platform::NamedButton(page, "BtnSystemFont", "フォントを指定する(&T)");
  QLabel* shown = SamplePanel(page, "PnlSystemFont");
  Bind([shown, &s] { shown->setText(Q(FontText(s.window.sys_font))); }, [] {});
  connect(choose, &QPushButton::clicked, this, [this, shown, &s] { ChooseFont(s.window.sys_font, false, shown); });
  font_row->addWidget(system);
  font_row->addWidget(choose);
  font_row->addWidget(shown, 1);
  v->addLayout(font_row);
  auto* refresh_row = new QHBoxLayout;
  QCheckBox* scr_ud = Check(page, "ChkScrUd", "画面表示を自動更新する(&A)", s.view.scr_ud);
  QSpinBox* minutes = Spin(page, "SpnUdTime", 1, 99, s.view.ud_time);
  refresh_row->addWidget(scr_ud);
  refresh_row->addWidget(minutes);
  refresh_row->addWidget(Caption(page, "分ごと"));
  refresh_row->addStretch(1);
  v->addLayout(refresh_row);
  Enables(scr_ud, {minutes});
  v->addStretch(1);
  return page;
}

QWidget* TDlgSetup::BuildGeneral() {
  store::Settings& s = state_.settings;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto* tray = new QGroupBox(QString::fromUtf8("タスクトレイ"), page);
  auto* t = new QVBoxLayout(tray);
  t->addWidget(Check(tray, "ChkPasswd2", "タスクトレイから戻す時にパスワードを入力する(&W)", s.tray.passwd2));
  t->addWidget(Check(tray, "ChkCloseTray", "閉じるボタンでタスクトレイに格納する(&C)", s.tray.close_tray));
  auto* key_row = new QHBoxLayout;
  QCheckBox* act = CheckInt(tray, "ChkTrayActKey", "ホットキーで表示する(&K)", s.tray.tray_act_key);
  auto* hot = new QKeySequenceEdit(tray);
  hot->setObjectName(QStringLiteral("HotTrayAct"));
  Bind([hot, &s] { hot->setKeySequence(HotKeySequence(s.tray.hot_tray_act)); },
       [hot, &s] {
         const int value = HotKeyOf(hot->keySequence());
         if (value != 0) s.tray.hot_tray_act = value;
       });
  key_row->addWidget(act);
  key_row->addWidget(hot, 1);
  t->addLayout(key_row);
  Enables(act, {hot});
  t->addWidget(Check(tray, "ChkTrayIcon", "タスクトレイのアイコンに今日の日付を表示する(&D)", s.tray.tray_icon));
  v->addWidget(tray);
  v->addWidget(Check(page, "ChkAutoIme", "入力欄で日本語入力を自動的に切り替える(&I)", s.view.auto_ime));
  v->addWidget(Check(page, "ChkAutoSchHeight", "スケジュールリストの高さを自動調整する(&H)", s.view.auto_sch_height));
  v->addWidget(Check(page, "ChkSchColor", "スケジュールリストに分類の色を表示する(&O)", s.view.sch_color));
  v->addWidget(Check(page, "ChkNoHistory", "スケジュール登録画面で入力履歴を使わない(&N)", s.view.no_history));
  auto* tables = new QGroupBox(QString::fromUtf8("登録リストの編集"), page);
  auto* row = new QHBoxLayout(tables);
  const std::pair<const char*, const char*> buttons[] = {{"BtnSchFrom", "開始時刻(&S)"},
                                                         {"BtnSchTo", "終了時刻(&E)"},
                                                         {"BtnSchTitle", "スケジュール件名(&T)"},
                                                         {"BtnSchPlace", "場所(&P)"}};
  for (int type = 1; type <= 4; ++type) {
    const auto& [name, caption] = buttons[type - 1];
    QPushButton* button = platform::NamedButton(tables, name, caption);
    connect(button, &QPushButton::clicked, this, [this, type] { OpenTable(type); });
    row->addWidget(button);
  }
  v->addWidget(tables);
  v->addStretch(1);
  return page;
}

QWidget* TDlgSetup::BuildCalendar() {
  store::Settings& s = state_.settings;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto* form = new QGridLayout;
  form->addWidget(Caption(page, "月の見出し(&M):"), 0, 0);
  QLabel* sample = SamplePanel(page, "PnlMonthlyBarSample");
  form->addWidget(Pattern(page, "CmbMonthlyBarForm", {"yyyy年 m月", "yyyy年 m月 (ggge年)", "ggge年 m月", "yyyy/mm"},
                          s.view.monthly_bar_form, sample),
                  0, 1);
  form->addWidget(sample, 0, 2);
  auto* heading = new QHBoxLayout;
  QPushButton* font = platform::NamedButton(page, "BtnDateBarFormFont", "フォント(&F)");
  QPushButton* colour = platform::NamedButton(page, "BtnDateBarFormColor", "文字色(&C)");
  connect(font, &QPushButton::clicked, this, [this, &s] { ChooseFont(s.view.monthly_bar_font, true, nullptr); });
  connect(colour, &QPushButton::clicked, this, [this, &s] {
    auto& f = s.view.monthly_bar_font;
    if (f.size() != 4) f = {context_.defaults.main_font_name, "12", "1", "0"};
    int value = std::atoi(f[3].c_str());
    ChooseColour(value, [&f, &value] { f[3] = std::to_string(value); });
  });
  heading->addWidget(font);
  heading->addWidget(colour);
  heading->addStretch(1);
  form->addLayout(heading, 1, 1, 1, 2);
  form->addWidget(Caption(page, "期間の見出し(&Y):"), 2, 0);
  form->addWidget(Index(page, "CmbWeeklyBarForm",
                        {"西暦年(元号年)月日(曜日)", "西暦年月日(曜日)", "元号年月日(曜日)", "yyyy/mm/dd"},
                        s.view.weekly_bar_form),
                  2, 1, 1, 2);
  form->addWidget(Caption(page, "複数日スケジュールのバー(&R):"), 3, 0);
  form->addWidget(Index(page, "CmbRen", {"枠あり", "枠なし", "影付き", "矢印太線", "矢印細線", "矢印下線"},
                        s.view.extend_bar),
                  3, 1, 1, 2);
  form->addWidget(Caption(page, "メモありの印(&K):"), 4, 0);
  form->addWidget(Edit(page, "EdtMemoMark", s.view.memo_mark), 4, 1, 1, 2);
  form->addWidget(Caption(page, "週の始まり(&W):"), 5, 0);
  form->addWidget(Index(page, "CmbStrWeek", {"日曜日", "月曜日"}, s.view.str_week), 5, 1, 1, 2);
  form->setColumnStretch(1, 1);
  v->addLayout(form);
  store::ViewModeSettings& monthly = s.view_mode(4);
  auto* grid = new QGridLayout;
  grid->addWidget(Check(page, "ChkWeekOfYear", "週数を表示する(&N)", monthly.week_of_year), 0, 0);
  grid->addWidget(Check(page, "ChkWeekof", "1月1日を含む週を第1週とする(&1)", monthly.week_of), 0, 1);
  grid->addWidget(Check(page, "ChkPastDay", "過ぎた日を暗く表示する(&P)", monthly.past_day), 1, 0);
  grid->addWidget(Check(page, "ChkPastWet", "過ぎた日の天気を表示する(&E)", monthly.past_wet), 1, 1);
  grid->addWidget(Check(page, "ChkDateJap", "曜日を日本語で表示する(&J)", s.view.date_jap), 2, 0);
  grid->addWidget(Check(page, "ChkMouseTip", "マウスを合わせた時に内容を表示する(&H)", s.view.mouse_tip), 2, 1);
  grid->addWidget(Check(page, "ChkEllipsis", "入りきらない件名の末尾を…で表示する(&L)", s.view.ellipsis), 3, 0, 1, 2);
  grid->addWidget(Check(page, "ChkSchOrder", "日にち枠内で、スケジュールよりToDoを上に表示する(&T)", s.window.sch_order),
                  4, 0, 1, 2);
  v->addLayout(grid);
  v->addStretch(1);
  return page;
}

QWidget* TDlgSetup::BuildVertical() {
  store::Settings& s = state_.settings;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto range_group = [&](const char* caption, store::ViewModeSettings& mode, const char* start, const char* end,
                         const char* just, const char* cell) {
    auto* group = new QGroupBox(QString::fromUtf8(caption), page);
    auto* g = new QGridLayout(group);
    g->addWidget(Caption(group, "表示時刻:"), 0, 0);
    g->addWidget(HourCombo(group, start, mode.str_time), 0, 1);
    g->addWidget(Caption(group, "～"), 0, 2);
    g->addWidget(HourCombo(group, end, mode.end_time), 0, 3);
    g->addWidget(Check(group, just, "高さを画面に合わせる", mode.just_height), 1, 0, 1, 2);
    g->addWidget(Caption(group, "1行の高さ:"), 1, 2);
    g->addWidget(Spin(group, cell, 8, 99, mode.cell_height), 1, 3);
    g->setColumnStretch(4, 1);
    v->addWidget(group);
  };
  range_group("複数日バーチカル(&D)", s.view_mode(1), "CmbStrTime3", "CmbEndTime3", "ChkDayJust", "SpnDayCell");
  store::ViewModeSettings& vertical = s.view_mode(2);
  range_group("週間バーチカル(&V)", vertical, "CmbStrTime", "CmbEndTime", "ChkVerJust", "SpnVerCell");
  auto* work = new QGridLayout;
  work->addWidget(Caption(page, "勤務時間(&W):"), 0, 0);
  work->addWidget(HourCombo(page, "CmbStrTime2", vertical.str_time2), 0, 1);
  work->addWidget(Caption(page, "～"), 0, 2);
  work->addWidget(HourCombo(page, "CmbEndTime2", vertical.end_time2), 0, 3);
  work->addWidget(Caption(page, "終了時刻のないスケジュールの長さ(&L):"), 1, 0);
  work->addWidget(Index(page, "CmbDefTime", {"1時間", "2時間", "3時間"}, vertical.def_time, 1), 1, 1, 1, 3);
  work->setColumnStretch(4, 1);
  v->addLayout(work);
  v->addWidget(Check(page, "ChkRound", "スケジュールの枠の角を丸くする(&R)", vertical.round));
  v->addWidget(Check(page, "ChkTrans", "重なったスケジュールを半透明で表示する(&T)", vertical.trans));
  v->addWidget(Check(page, "ChkNowLine", "現在時刻の線を表示する(&N)", vertical.now_line));
  v->addStretch(1);
  return page;
}

QWidget* TDlgSetup::BuildMemo() {
  store::Settings& s = state_.settings;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  v->addLayout(EditorRow(page, "ChkMemoExe", "EdtMemoExe", "BtnMemoExe", s.memo.exe, s.memo.exe_name));
  v->addWidget(Check(page, "ChkMemoChr8", "メモ欄でタブ文字を入力できるようにする(&T)", s.memo.tab));
  v->addWidget(Check(page, "ChkMemoTab", "メモのタブを下に表示する(&B)", s.memo.list_tab));
  auto* titles = new QGridLayout;
  QLabel* daily_sample = SamplePanel(page, "PnlDailyTitleSample");
  QLabel* monthly_sample = SamplePanel(page, "PnlMonthlyTitleSample");
  titles->addWidget(Caption(page, "デイリーメモのタイトル(&D):"), 0, 0);
  titles->addWidget(Pattern(page, "CmbDailyTitle", {"未設定", "m月d日(aaa)", "yyyy年m月d日(aaa)", "mm/dd(aaa)"},
                            s.memo.daily_title, daily_sample),
                    0, 1);
  titles->addWidget(daily_sample, 0, 2);
  titles->addWidget(Caption(page, "マンスリーメモのタイトル(&M):"), 1, 0);
  titles->addWidget(Pattern(page, "CmbMonthlyTitle", {"未設定", "m月", "yyyy年m月", "ggge年m月"}, s.memo.monthly_title,
                            monthly_sample),
                    1, 1);
  titles->addWidget(monthly_sample, 1, 2);
  titles->setColumnStretch(1, 1);
  v->addLayout(titles);
  v->addWidget(Radio(page, "RdoMemoIcon", "メモアイコンの色(&I)", {"赤", "緑", "黄", "青", "紫"}, s.memo.icon_color, 1, 5));
  QPushButton* edit = platform::NamedButton(page, "BtnTemplate", "テンプレートの編集(&M)");
  connect(edit, &QPushButton::clicked, this, &TDlgSetup::TemplateEdit);
  auto* row = new QHBoxLayout;
  row->addWidget(edit);
  row->addStretch(1);
  v->addLayout(row);
  v->addStretch(1);
  return page;
}

// The template in the memo dialog, with the memo font, colours and Tab option chosen so far.
void TDlgSetup::TemplateEdit() {
  Store();
  const store::Settings& s = state_.settings;
  mainwindow::MemoDialogForm form(ports_.files);
  const std::string folder = app::ResolveFolder(edt_dir_[1]->text().toStdString(), context_.program_folder);
  if (auto error = form.OpenTemplate(folder)) {
    ports_.dialogs.Error(*error, store::kFileErrorCaption);
    return;
  }
  mainwindow::TDlgMemo dialog(ports_.dialogs, form, mainwindow::MemoLookOf(s.font.memo, s.color.mem, s.memo.tab, 0),
                              this);
  dialog.exec();
}

QWidget* TDlgSetup::BuildTodo() {
  store::Settings& s = state_.settings;
  store::TodoSettings& t = s.todo;
  auto* page = new QWidget;
  auto* v = new QVBoxLayout(page);
  auto* top = new QHBoxLayout;
  lst_todo_ = new QListWidget(page);
  lst_todo_->setObjectName(QStringLiteral("LstTodo"));
  lst_todo_->setIconSize(QSize(16, 16));
  lst_todo_->setMaximumHeight(150);
  top->addWidget(lst_todo_, 1);
  auto* side = new QVBoxLayout;
  QPushButton* change = platform::NamedButton(page, "BtnIconChange", "アイコンの変更(&R)");
  QPushButton* origin = platform::NamedButton(page, "BtnIconOrigin", "既定のアイコン(&N)");
  QPushButton* text = platform::NamedButton(page, "BtnTFontCol", "文字色(&F)");
  QPushButton* back = platform::NamedButton(page, "BtnTBackCol", "背景色(&B)");
  for (QPushButton* b : {change, origin, text, back}) side->addWidget(b);
  side->addStretch(1);
  top->addLayout(side);
  v->addLayout(top);
  connect(change, &QPushButton::clicked, this, &TDlgSetup::TodoIconChange);
  connect(origin, &QPushButton::clicked, this, [this, &t] {
    t.set_icon = std::string(7, '0');
    state_.todo_icons = {};
    TodoListRefresh();
  });
  auto colour_of = [this, &t](bool text_colour) {
    const int row = lst_todo_->currentRow();
    if (row < 0) {
      ports_.dialogs.Error(kNoIconChosenMessage, "エラー");
      return;
    }
    store::ColourPair& pair = t.state_colours[static_cast<std::size_t>(row)];
    ChooseColour(text_colour ? pair.text : pair.back, [this] { TodoListRefresh(); });
  };
  connect(text, &QPushButton::clicked, this, [colour_of] { colour_of(true); });
  connect(back, &QPushButton::clicked, this, [colour_of] { colour_of(false); });
  chk_todo_color_ = Check(page, "ChkTodoColor", "フォントに状況色を反映する(&L)", t.t_no_color);
  v->addWidget(chk_todo_color_);
  Enables(chk_todo_color_, {text, back});
  connect(chk_todo_color_, &QCheckBox::toggled, this, [this] { TodoListRefresh(); });

  auto* grid = new QGridLayout;
  grid->addWidget(Spin(page, "SpnWarnTerm", 1, 99, t.warn_term), 0, 0);
  grid->addWidget(Caption(page, "日前から警告アイコンを表示"), 0, 1);
  grid->addWidget(Caption(page, "日付の表示形式(&D):"), 1, 0);
  QLabel* sample = SamplePanel(page, "PnlDateStyleSample");
  grid->addWidget(Pattern(page, "CmbDateStyle", {"yyyy/mm/dd", "yyyy/mm/dd(aaa)", "mm/dd(aaa)", "m月d日(aaa)"},
                          t.date_style, sample),
                  1, 1);
  grid->addWidget(sample, 1, 2);
  QCheckBox* graph = Check(page, "ChkTodoGraph", "進捗をグラフで表示する(&G)", t.graph);
  QPushButton* bar = platform::NamedButton(page, "BtnGraphColor", "グラフの色(&C)");
  QPushButton* bar_back = platform::NamedButton(page, "BtnBackColor", "グラフの背景色(&K)");
  connect(bar, &QPushButton::clicked, this, [this, &t] { ChooseColour(t.graph_color, nullptr); });
  connect(bar_back, &QPushButton::clicked, this, [this, &t] { ChooseColour(t.back_color, nullptr); });
  grid->addWidget(graph, 2, 0);
  grid->addWidget(bar, 2, 1);
  grid->addWidget(bar_back, 2, 2);
  Enables(graph, {bar, bar_back});
  grid->setColumnStretch(1, 1);
  v->addLayout(grid);

  auto* wait = new QGroupBox(QString::fromUtf8("待機"), page);
  auto* w = new QGridLayout(wait);
  QCheckBox* by_day = Check(wait, "ChkWaitTask", "期限日の", t.wait_task);
  QSpinBox* days = Spin(wait, "SpnWaitDay", 0, 999, t.wait_day);
  QCheckBox* by_count = Check(wait, "ChkWaitCount", "日付のある未処理の", t.wait_count);
  QSpinBox* count = Spin(wait, "SpnWaitCnt", 0, 999, t.wait_cnt);
  w->addWidget(by_day, 0, 0);
  w->addWidget(days, 0, 1);
  w->addWidget(Caption(wait, "日前まで待機にする"), 0, 2);
  w->addWidget(by_count, 1, 0);
  w->addWidget(count, 1, 1);
  w->addWidget(Caption(wait, "件目以降を待機にする"), 1, 2);
  w->addWidget(Check(wait, "ChkWaitDate", "開始日まで待機にする(&S)", t.wait_date), 2, 0, 1, 3);
  w->setColumnStretch(2, 1);
  Enables(by_day, {days});
  Enables(by_count, {count});
  v->addWidget(wait);

  auto* pop = new QGroupBox(QString::fromUtf8("起動時のポップアップ表示"), page);
  auto* p = new QHBoxLayout(pop);
  const char* names[3] = {"ChkPop1", "ChkPop2", "ChkPop3"};
  const char* captions[3] = {"警告", "期限", "期限切れ"};
  for (int i = 0; i < 3; ++i) {
    chk_pop_[i] = new QCheckBox(QString::fromUtf8(captions[i]), pop);
    chk_pop_[i]->setObjectName(QString::fromLatin1(names[i]));
    p->addWidget(chk_pop_[i]);
    connect(chk_pop_[i], &QCheckBox::toggled, this, &TDlgSetup::TodoPopChanged);
  }
  p->addStretch(1);
  Bind(
      [this, &t] {
        chk_pop_[0]->setChecked(t.pop >= 3);
        chk_pop_[1]->setChecked(t.pop >= 2);
        chk_pop_[2]->setChecked(t.pop >= 1);
      },
      [this, &t] {
        t.pop = TodoPopLevel(chk_pop_[0]->isChecked(), chk_pop_[1]->isChecked(), chk_pop_[2]->isChecked());
      });
  v->addWidget(pop);
  v->addStretch(1);
  return page;
}

// Ticking "警告" ticks and locks "期限"; ticking "期限" ticks and locks "期限切れ".
void TDlgSetup::TodoPopChanged() {
  for (int i = 0; i < 2; ++i) {
    if (chk_pop_[i]->isChecked()) chk_pop_[i + 1]->setChecked(true);
    chk_pop_[i + 1]->setEnabled(!chk_pop_[i]->isChecked());
  }
}

void TDlgSetup::TodoListRefresh() {
  if (lst_todo_ == nullptr) return;
  const store::TodoSettings& t = state_.settings.todo;
  const int row = lst_todo_->currentRow();
  lst_todo_->clear();
  for (std::size_t i = 0; i < 7; ++i) {
    auto* item = new QListWidgetItem(QString::fromUtf8(todo::kTodoStateNames[i]), lst_todo_);
    std::string icon = state_.todo_icons[i];
    if (icon.empty() && i < t.set_icon.size() && t.set_icon[i] == '1') icon = context_.program_folder + TodoIconFile(i);
    item->setIcon(icon.empty() ? TodoStateIcon(i) : QIcon(Q(icon)));
    if (chk_todo_color_ != nullptr && chk_todo_color_->isChecked()) {
      item->setForeground(Bgr(t.state_colours[i].text));
      item->setBackground(Bgr(t.state_colours[i].back));
    }
  }
  lst_todo_->setCurrentRow(row);
}

void TDlgSetup::TodoIconChange() {
  const int row = lst_todo_->currentRow();
  if (row < 0) {
    ports_.dialogs.Error(kNoIconChosenMessage, "エラー");
    return;
  }
  if (auto file = ports_.dialogs.OpenFileName("", platform::FileFilter{kBitmapFilter}, "")) {
    state_.todo_icons[static_cast<std::size_t>(row)] = *file;
    TodoListRefresh();
  }
}

}  // namespace kal::catalogues
