// The rows of a list view as the export command hands them to the writers: the row keys in file
// order and, for holidays, the cells the iCalendar export reads (件名 and 分類, and the 日付 of
// the holidays the list computes itself).
//
// Views as the list dialog numbers them: schedules and memos 1 the reference day, 2 its month,
// 3 its year, 4 everything; holidays 1 祝日 (with the computed holidays of the reference year when
// AutoHoliday is on), 2 休日, 3 記念日, 4 all (computed holidays included as in view 1).
#pragma once

#include <string>
#include <vector>

#include "calendar/PublicHoliday.h"
#include "listing/ExportRows.h"
#include "platform/FileSystem.h"

namespace kal::listing {

std::vector<ListRow> ScheduleViewRows(platform::FileSystem& fs, const std::string& data_folder, int view,
                                      const Date& reference);
std::vector<ListRow> HolidayViewRows(const calendar::HolidayList& holidays, int view, const Date& reference);
std::vector<ListRow> MemoViewRows(platform::FileSystem& fs, const std::string& memo_folder, int view,
                                  const Date& reference);

}  // namespace kal::listing
