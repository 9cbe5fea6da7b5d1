// The main window's clipboard buffer: the cut, copy and paste commands and the drag and drop of
// the calendar fill and paste it through the core (mainwindow/Clipboard.h); what is taken is also
// put on the desktop's clipboard as plain text.
#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>

#include "app/TFrmMain.h"
#include "mainwindow/QtTimeline.h"
#include "mainwindow/TFrmMainLayout.h"
#include "mainwindow/GridCommands.h"
#include "mainwindow/Timeline.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "store/MemoFile.h"
#include "store/ScheduleFile.h"
#include "store/TextFile.h"
#include "todo/QtTodoPanel.h"
#include "todo/TodoFile.h"

namespace kal::app {

void TFrmMain::ClipboardAttach(mainwindow::LayoutHost& host) {
  host.clip_take = [this](const std::optional<std::string>& entry, const store::Date& date, bool cut, bool drag) {
    return ClipTake(entry, date, cut, !drag);
  };
  host.clip_paste = [this](const store::Date& date, std::optional<int> row) { ClipPaste(date, row); };
  host.clip_filled = [this] { return !clip_.empty(); };
  host.clip_drop_ok = [this](bool copy) {
    clip_.cut = !copy;
    return !session_.settings.view.drag_msg ||
           ports_.dialogs.Confirm(mainwindow::DropQuestion(clip_.kind, copy), mainwindow::kDropCaption);
  };
  host.clip_look = [this](const store::Date& date, std::optional<int> row) { return ClipLook(date, row); };
}

mainwindow::ClipPorts TFrmMain::ClipboardPorts() {
  return mainwindow::ClipPorts{ports_.files, ports_.dialogs, session_.folders.data, session_.folders.memo,
                               session_.folders.todo};
}

bool TFrmMain::ClipTake(const std::optional<std::string>& entry, const store::Date& date, bool cut, bool to_desktop) {
  mainwindow::ClipPorts ports = ClipboardPorts();
  const mainwindow::ItemKind kind =
      entry && entry->size() > 2 ? mainwindow::ItemKindOf((*entry)[2]) : mainwindow::ItemKind::None;
  std::optional<mainwindow::ClipBuffer> taken;
  std::vector<std::string> memo_lines;
  try {
    if (kind == mainwindow::ItemKind::Schedule) {
      taken = mainwindow::TakeSchedule(ports, *entry, date, cut);
      if (!taken) layout_->RefreshClick();  // the entry's line changed: show the files as they are
    } else if (kind == mainwindow::ItemKind::Todo) {
      // The ToDo panel's pending ticks are saved first, so that the record is taken as stored.
      if (todo::QtTodoPanel* panel = layout_->TodoPanel()) panel->ApplyPending();
      taken = mainwindow::TakeTodo(ports, *entry, cut);
      if (!taken) layout_->RefreshClick();
    } else {
      if (!MemDailyUpdate()) return false;
      taken = mainwindow::TakeMemo(ports, date, cut);
      if (taken) memo_lines = store::LoadMemo(ports_.files, session_.folders.memo, taken->memo);
    }
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    return false;
  }
  if (!taken) return false;
  clip_ = std::move(*taken);
  if (QClipboard* clipboard = to_desktop ? QGuiApplication::clipboard() : nullptr)
    clipboard->setText(QString::fromStdString(mainwindow::ClipText(clip_, memo_lines)));
  return true;
}

void TFrmMain::ClipPaste(const store::Date& date, std::optional<int> row) {
  if (clip_.empty()) return;
  if (clip_.kind == mainwindow::ClipKind::Memo && !MemDailyUpdate()) return;
  if (clip_.kind == mainwindow::ClipKind::Todo) {
    // Pending ticks are saved first: the paste rewrites the list.
    if (todo::QtTodoPanel* panel = layout_->TodoPanel()) panel->ApplyPending();
  }
  const mainwindow::TimelineSettings timeline = mainwindow::TimelineSettingsOf(session_.settings, layout_->Mode());
  mainwindow::PasteTarget target;
  target.date = date;
  target.row = row;
  target.range = timeline.range;
  target.def_time = timeline.def_time;
  mainwindow::ClipPorts ports = ClipboardPorts();
  mainwindow::PasteStatus status = mainwindow::PasteStatus::Refused;
  try {
    status = mainwindow::Paste(ports, clip_, target);
  } catch (const store::FileError& e) {
    ports_.dialogs.Error(e.what(), store::kFileErrorCaption);
    status = mainwindow::PasteStatus::Stale;  // part may have been written: show the files as they are
  }
  if (status != mainwindow::PasteStatus::Pasted && status != mainwindow::PasteStatus::Stale) return;
  if (clip_.kind == mainwindow::ClipKind::Todo) {
    if (todo::QtTodoPanel* panel = layout_->TodoPanel()) panel->Reload();
  }
  layout_->SchUpdate();
  if (clip_.kind == mainwindow::ClipKind::Schedule && on_schedules_changed) on_schedules_changed();
}

std::pair<std::string, int> TFrmMain::ClipLook(const store::Date& date, std::optional<int> row) const {
  (void)date;
  std::string text;
  int rows = 1;
  switch (clip_.kind) {
    case mainwindow::ClipKind::Schedule: {
      text = store::ReadScheduleLine(clip_.record).title;
      if (row) {
        const mainwindow::TimelineSettings timeline =
            mainwindow::TimelineSettingsOf(session_.settings, layout_->Mode());
        mainwindow::PasteTarget target;
        target.row = row;
        target.range = timeline.range;
        target.def_time = timeline.def_time;
        const auto times = mainwindow::PasteTimes(clip_.record, target);
        const auto from = mainwindow::TimelineMinutes(times.first);
        const auto to = mainwindow::TimelineMinutes(times.second);
        if (from && to && !store::IsMultiDay(clip_.record)) rows = std::max(1, (*to - *from + 29) / 30);
        text = times.first + "-" + (store::IsMultiDay(clip_.record) ? std::string() : times.second) + " " + text;
      }
      break;
    }
    case mainwindow::ClipKind::Todo: text = "ToDo " + todo::TodoSubject(clip_.record); break;
    case mainwindow::ClipKind::Memo: text = "メモ"; break;
    case mainwindow::ClipKind::None: break;
  }
  return {text, rows};
}

}  // namespace kal::app
