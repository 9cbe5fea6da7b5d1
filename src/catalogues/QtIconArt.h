// The program's own 16x16 pictures, drawn at run time: the five built-in category icons and the
// small image list of the grids, panels and tray.
#pragma once

#include <QPixmap>
#include <QVector>

namespace kal::catalogues {

inline constexpr int kIconSize = 16;

// Built-in icon 1 "祝日", 2 "休日", 3 "記念日1", 4 "記念日2", 5 "記念日3"; a null pixmap otherwise.
QPixmap BuiltInIconPixmap(int number);

// Positions in the small image list.
enum SmallImage : int {
  kImageCalendarPage = 0,  // the tray picture, with today's day number drawn on it
  kImageTodoExpired = 1,   // ToDo states 1..7: "期限切れ"
  kImageTodoDue = 2,       // "期限"
  kImageTodoWarning = 3,   // "警告"
  kImageTodoInProgress = 4,  // "進行中"
  kImageTodoNoLimit = 5,   // "期限なし"
  kImageTodoDone = 6,      // "処理済"
  kImageTodoWaiting = 7,   // "待機"
  kImageTodoCheckHeader = 8,  // header of the ToDo check column
  kImageEmpty = 9,         // transparent
  kImageMemo = 10,         // a schedule or ToDo item with a memo
  kImageWeatherFine = 11,  // "晴れ"
  kImageWeatherCloudy = 12,  // "曇り"
  kImageWeatherRain = 13,  // "雨"
  kImageWeatherSnow = 14,  // "雪"
  kImageOverflow = 15,     // more lines than the cell shows
  kImageAlarm = 16,        // a pending alarm
  kImageAlarmHeader = 17,  // header of the alarm columns
  kImageFile = 18,         // a linked file
  kSmallImageCount = 19,
};

// One picture of the small image list (a transparent pixmap for an index out of range).
QPixmap SmallImagePixmap(int index);
// The whole list in index order.
QVector<QPixmap> SmallImageList();
// The picture of a ToDo state 1..7.
QPixmap TodoStatePixmap(int state);
// The picture of a weather code 1 "晴れ" .. 4 "雪".
QPixmap WeatherPixmap(int code);

}  // namespace kal::catalogues
