// Calendar dates as the drawing header stores them: YYMMDD for a drawing never given its
// information, YYYYMMDD once the drawing-information dialog has stored them.
#pragma once

#include <cstdint>

namespace plenwick {

struct CalendarDate {
  int year = 0;   // four digits
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  bool operator==(const CalendarDate&) const = default;
};

// Today in local time.
CalendarDate Today();

// The two-digit-year form: (year mod 100) * 10000 + month * 100 + day.
int32_t ToYYMMDD(const CalendarDate& date);
// The four-digit-year form: year * 10000 + month * 100 + day.
int32_t ToYYYYMMDD(const CalendarDate& date);

// Splits YYMMDD: a two-digit year above 49 means 19xx, otherwise 20xx.
CalendarDate SplitYYMMDD(int32_t stored);
// Splits YYYYMMDD as it is (no range checks).
CalendarDate SplitYYYYMMDD(int32_t stored);

}  // namespace plenwick
