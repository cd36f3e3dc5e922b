#pragma once

#include <glyphbox/engine/tzolkin_haab.h>

namespace glyphbox::testing::stepping {

using engine::HaabDate;
using engine::Int16;
using engine::kEpochTzolkinNumber;
using engine::kHaabMonthDays;
using engine::kTrecena;
using engine::TzolkinDate;

// The day-by-day definition of the Tzolkin and Haab counts: start at the
// epoch (4 Ahau, 8 Cumku) and advance one day at a time. It is what the direct
// computation must agree with for every count from 0 up; kept for tests and
// benchmarks, never used to compute a shown date.

struct TzolkinStepper {
  Int16 number = kEpochTzolkinNumber;
  void step() {
    number += Int16(1);
    if (number == Int16(kTrecena + 1)) {
      number = 1;
    }
  }
};

struct HaabStepper {
  Int16 day = 8;
  Int16 month = 18;
  void step() {
    day += Int16(1);
    if (day == Int16(kHaabMonthDays + 1)) {
      day = 1;
      month += Int16(1);
    }
    // Uayeb has five days; the sixth is 1 Pop of the next year.
    if (month == Int16(19) && day == Int16(6)) {
      month = 1;
      day = 1;
    }
  }
};

// Steps dayCount days from the epoch; a count of 0 or less takes no step.
// Raises the floating-point error for a count that is not a number and the
// invalid-argument error from 2^53 up, where a step no longer counts down.
[[nodiscard]] TzolkinDate steppedTzolkin(double dayCount, double kin);
[[nodiscard]] HaabDate steppedHaab(double dayCount);

} // namespace glyphbox::testing::stepping
