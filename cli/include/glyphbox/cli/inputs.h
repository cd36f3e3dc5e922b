#pragma once

// Reading the converter's inputs: dates as the window's fields take them,
// dates of a Western calendar, Long Counts, "JDN n" and "today". Every
// reader is total: whatever the bytes, it answers with a day or a refusal.

#include <glyphbox/cli/rows.h>
#include <glyphbox/engine/window_dates.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphbox::cli {

// Where an input came from, for messages: "line 12" or "argument 2".
struct Origin {
  enum class Kind { Line, Argument };
  Kind kind = Kind::Line;
  long long number = 0;
};

// Why a date given in the window's form was refused.
enum class InputError {
  None,
  NotADate,        // not YEAR-MONTH-DAY [ERA]
  YearOutOfRange,  // more than 2147483647, the most the year field takes
  MonthOutOfRange, // not 1 to 12
  DayOutOfRange,   // not a day of that month under the leap-year rule of the year field
  UnknownEra,      // an era word other than CE or BCE
};

// The largest year the window's year field accepts.
inline constexpr std::int64_t kMaxYear = engine::kMaxYear;

// A date as typed: YEAR-MONTH-DAY with an optional era word after blanks.
struct DateInput : engine::WindowDate {
  std::string_view yearText; // the year's digits as given, leading zeros kept
  int daysInMonth = 0;       // of month in that year, under the year field's leap-year rule
};

struct ParseResult {
  InputError error = InputError::None;
  DateInput date;
  std::string_view eraWord; // the era word as given, for messages
};

// Parses and validates one date as the window's fields take it; never
// throws, whatever the bytes. Blanks (space, tab, CR) around the date are
// ignored. The form is checked first; then the fields in reading order,
// year, month, day and era, and the first fault is the one reported.
[[nodiscard]] ParseResult parseDate(std::string_view text) noexcept;

// The text without the blanks parseDate ignores around it.
[[nodiscard]] std::string_view trimBlanks(std::string_view text) noexcept;

// Why parseDate refused a date, in words; a reason that names a number is
// written into `room`.
[[nodiscard]] std::string_view reasonFor(const ParseResult& parsed, std::string& room);
[[nodiscard]] std::string reasonFor(const ParseResult& parsed);

// A day as the inputs name it, before any correlation: a date of a Western
// calendar (as its JDN), a Long Count, or a date typed as the window takes it.
struct Day {
  enum class Kind { Jdn, LongCount, WindowDate };
  Kind kind = Kind::Jdn;
  std::int64_t value = 0; // the JDN, or the Long Count's day number
  DateInput window;       // WindowDate: the date as the window's year field takes it
};

// What an input names: a day, or the refusal's code (for JSON) and reason.
// A reason that names what it found is written into `room`, which keeps its
// size from one input to the next.
struct Reading {
  std::optional<Day> day;
  std::string_view code;
  std::string_view reason;
  std::string room;

  Reading() = default;
  Reading(const Reading&) = delete; // the reason may point into the room
  Reading& operator=(const Reading&) = delete;
};

// Reads one input of any form under the settings: a date is the window's
// (under its own reckoning alone) or one of the settings' calendar.
[[gnu::hot]] void readInput(std::string_view text, const ConversionSettings& settings,
                            Reading& reading);

// Whether an input is a Long Count, "JDN n" or "today" rather than a date.
[[nodiscard]] bool isOtherInputForm(std::string_view text) noexcept;

// The input as it can be shown safely in a message: control characters,
// quotes, backslashes and bytes outside ASCII escaped (\xNN), long texts shortened.
[[nodiscard]] std::string printable(std::string_view text);

} // namespace glyphbox::cli
