// Calendar dates of the drawing header.
#include "model/drawing_dates.h"

#include <ctime>

#include "model/number_convert.h"

namespace plenwick {

CalendarDate Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!::localtime_r(&now, &local)) return {1970, 1, 1};
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

namespace {
int32_t Compose(int64_t year, int64_t month, int64_t day) { return SaturateToInt32(year * 10000 + month * 100 + day); }
}  // namespace

int32_t ToYYMMDD(const CalendarDate& date) { return Compose(date.year % 100, date.month, date.day); }

int32_t ToYYYYMMDD(const CalendarDate& date) { return Compose(date.year, date.month, date.day); }

CalendarDate SplitYYMMDD(int32_t stored) {
  const int yy = stored / 10000;
  return {yy > 49 ? 1900 + yy : 2000 + yy, (stored / 100) % 100, stored % 100};
}

CalendarDate SplitYYYYMMDD(int32_t stored) { return {stored / 10000, (stored / 100) % 100, stored % 100}; }

}  // namespace plenwick
