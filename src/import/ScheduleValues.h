// The schedule conversion of one record of the eight schedule fields (start date, start time, end
// date, end time, title, place, categories, memo) into the fields of a schedule line: the same
// rules for the import dialog (ImportSchedule.cpp) and for the calendar sync, which takes a
// server's events as the calendar import takes them.
#pragma once

#include <array>
#include <string>
#include <variant>
#include <vector>

#include "import/CalendarImport.h"
#include "store/DateText.h"
#include "store/ScheduleFile.h"

namespace kal::import {

using ScheduleRecordValues = std::array<std::string, 8>;

struct ScheduleValues {
  store::Date date{};             // the first day
  store::ScheduleFields fields;   // day, times, title, place, category, span; the rest at defaults
  std::vector<std::string> memo;  // the memo's lines
};

// Why a record cannot become a schedule: the reason and the offending value.
struct ScheduleRefusal {
  std::string reason;
  std::string value;
};

inline constexpr const char* kBadStartDate = "開始日に誤りがあるため処理できません。";
inline constexpr const char* kBadStartTime = "開始時刻に誤りがあるため処理できません。";
inline constexpr const char* kBadEndTime = "終了時刻に誤りがあるため処理できません。";
inline constexpr const char* kEndBeforeStart = "終了日が開始日より前のため処理できません。";
inline constexpr const char* kSpanTooLong = "期間が62日を超えるため処理できません。";

std::variant<ScheduleValues, ScheduleRefusal> ScheduleOfValues(const ScheduleRecordValues& values);

// A calendar event as the schedule import takes it: a refused event keeps the reader's reason.
std::variant<ScheduleValues, ScheduleRefusal> ScheduleOfEvent(const CalendarEvent& event);

}  // namespace kal::import
