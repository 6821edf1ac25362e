#pragma once
// The clock labels' texts: a moment's time and date as the locale writes
// them, in forms that fit narrower boxes.

#include <string>
#include <vector>

#include "runtime/base/values.h"

namespace rt {

std::string TimeText(DateTime when);  // the locale's hours, minutes and seconds
std::string DateText(DateTime when);  // the locale's short date
// Where a box is narrow: the time in one of its forms, longest first, each
// without the time zone (0 is TimeText's): the locale's long form, its short
// one (no seconds), a 24-hour clock with and without seconds, which no AM/PM
// word widens, and those in Latin digits, which every font draws.
inline constexpr int kTimeForms = 6;
std::string TimeText(DateTime when, int form);
// The date in the locale's short form (DateText's), then in Latin digits.
inline constexpr int kDateForms = 2;
std::string DateText(DateTime when, int form);
// The moments of `when`'s day whose time texts are the widest (two-digit
// hours, either side of noon), and `when` itself.
std::vector<DateTime> WidestMoments(DateTime when);

}  // namespace rt
