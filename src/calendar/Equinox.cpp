#include "calendar/Equinox.h"

namespace kal::calendar {

int EquinoxDay(int year, int month) {
  double base = 0, coefficient = 0;
  if (month == 3) {
    base = 21.4471;  // 春分
    coefficient = 0.242377;
  } else if (month == 9) {
    base = 23.8896;  // 秋分
    coefficient = 0.242032;
  } else {
    return 0;
  }
  const int d = year - 1900;
  // Both truncations go toward zero, as the formula is written.
  return static_cast<int>(d * coefficient + base - static_cast<double>(d / 4));
}

}  // namespace kal::calendar
