#pragma once

#include <glyphbox/engine/day_count.h>

#include <cstdint>
#include <string_view>

namespace glyphbox::cli {

// Why a date given to the converter was refused.
enum class InputError {
  None,
  NotADate,        // not YEAR-MONTH-DAY [ERA]
  YearOutOfRange,  // more than 2147483647, the most the year field takes
  MonthOutOfRange, // not 1 to 12
  DayOutOfRange,   // not a day of that month under the leap-year rule of the year field
  UnknownEra,      // an era word other than CE or BCE
};

// The largest year the window's year field accepts.
inline constexpr std::int64_t kMaxYear = 2147483647;

// A date as typed: YEAR-MONTH-DAY with an optional era word after blanks.
struct DateInput {
  std::string_view yearText; // the year's digits as given, leading zeros kept
  std::int64_t year = 0;     // their value, 0 to kMaxYear
  int month = 0;
  int day = 0;
  engine::Era era = engine::Era::CE;
  int daysInMonth = 0; // of month in that year, under the year field's leap-year rule
};

struct ParseResult {
  InputError error = InputError::None;
  DateInput date;
  std::string_view eraWord; // the era word as given, for messages
};

// Parses and validates one date; never throws, whatever the bytes. Blanks
// (space, tab, CR) around the date are ignored. The form is checked first;
// then the fields are checked in reading order, year, month, day and era, and
// the first fault is the one reported.
[[nodiscard]] ParseResult parseDate(std::string_view text) noexcept;

// The same date text, trimmed of the blanks parseDate ignores.
[[nodiscard]] std::string_view trimBlanks(std::string_view text) noexcept;

} // namespace glyphbox::cli
