// What the two timeline views show of their days: per day column the placed blocks with the
// text, colours, icon and font style each is drawn with, the day's back colour, and the header
// cell of the day's untimed entries; and the caption of the day's header cell. Built from the
// cell rule's input (the month model's days), so that the timeline shows the same entries as the
// other views.
#pragma once

#include <string>
#include <vector>

#include "mainwindow/CellContents.h"
#include "mainwindow/Timeline.h"

namespace kal::mainwindow {

// How one block is drawn.
struct BlockLook {
  DayEntry entry;
  std::string text;      // the schedule's cell text ("■" when it comes out empty)
  int text_colour = 0;   // the category's, else black
  int back_colour = 0;   // the category's, else white
  int style = 0;         // font style bits of the schedule (1 bold, 2 italic, 4 underline, 8 strike-out)
  IconRef icon;          // the alarm icon while an alarm is pending, else the category icon
};

struct TimelineColumn {
  Date date{};
  int kind = 8;
  int back_colour = 0;          // the day's back colour (day kind, day file, today)
  DayTimeline placed;
  std::vector<BlockLook> looks; // one per placed block
  CellContents header;          // the cell rule's contents with the untimed entries only
};

// The columns of a timeline view for its shown days.
std::vector<TimelineColumn> BuildTimelineColumns(const std::vector<CellDay>& days, const CellContext& context,
                                                 const TimelineSettings& settings);

// The caption of a day column's header: "m/d" for the first column and the 1st of a month, else
// the day "%2d"; then a blank and the weekday ("月" .. with DateJap, else "MON" ..).
std::string TimelineDayCaption(const Date& date, bool first_column, bool japanese);

}  // namespace kal::mainwindow
