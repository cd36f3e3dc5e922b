#pragma once

// Reading the converter's inputs: dates as the window's fields take them,
// dates of a Western calendar, Long Counts, "JDN n" and "today". Every
// reader is total: whatever the bytes, it answers with a day or a refusal.

#include <glyphbox/engine/window_dates.h>
#include <glyphbox/maya/civil.h>
#include <glyphbox/maya/date_text.h>
#include <glyphbox/rows/rows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphbox::rows {

// Where an input came from: line 12 of standard input, or input 2 of the
// command line, which JSON names by its place among all the arguments.
struct Origin {
  enum class Kind { Line, Argument };
  Kind kind = Kind::Line;
  long long number = 0;   // the line, or the input counted as users count them, from 1
  long long argument = 0; // Argument: its place among all the arguments, for JSON
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

// The date of a date text as the window's fields take it: the fields in
// reading order, year, month, day and era, the first fault reported.
[[nodiscard, gnu::always_inline]] inline ParseResult
windowDateOf(const maya::DateText& t) noexcept {
  ParseResult r;
  r.eraWord = t.eraWord;
  r.date.yearText = t.yearText;
  r.date.year = t.year;
  r.date.month = t.month;
  r.date.day = t.day;
  if (t.year > kMaxYear) {
    r.error = InputError::YearOutOfRange;
  } else if (t.month < 1 || t.month > 12) {
    r.error = InputError::MonthOutOfRange;
  } else if (r.date.daysInMonth = engine::windowDaysInMonth(t.year, t.month);
             t.day < 1 || t.day > r.date.daysInMonth) {
    r.error = InputError::DayOutOfRange;
  } else if (maya::equalsIgnoringCase(t.eraWord, "BCE")) {
    r.date.era = engine::Era::BCE;
  } else if (!t.eraWord.empty() && !maya::equalsIgnoringCase(t.eraWord, "CE")) {
    r.error = InputError::UnknownEra;
  }
  return r;
}

// Parses and validates one date as the window's fields take it; never
// throws, whatever the bytes. Blanks (space, tab, CR) around the date are
// ignored. The form is checked first, then the fields as windowDateOf does.
[[nodiscard]] ParseResult parseDate(std::string_view text) noexcept;

// A date text in a Western calendar: its JDN, or why it has none. The
// fields are checked in reading order, year, month, era (so that the day is
// checked in the right year), then the day.
enum class CivilProblem {
  None,
  NoYearZero,
  YearOutOfRange,
  MonthOutOfRange,
  UnknownEra,
  DayOutOfRange, // `days`: how many that month has
  NoSuchDay,     // `error`: missing in the reform, or beyond the calendar's years
};
struct CivilReading {
  CivilProblem problem = CivilProblem::None;
  std::int64_t jdn = 0;
  int days = 0;
  maya::CivilError error = maya::CivilError::Ok;
};
[[nodiscard, gnu::always_inline]] inline CivilReading
civilDateOf(const maya::DateText& t, maya::Calendar calendar) noexcept {
  CivilReading r;
  const bool bce = maya::equalsIgnoringCase(t.eraWord, "BCE");
  if (t.year == 0) {
    r.problem = CivilProblem::NoYearZero;
  } else if (t.year > maya::kMaxYear) {
    r.problem = CivilProblem::YearOutOfRange;
  } else if (t.month < 1 || t.month > 12) {
    r.problem = CivilProblem::MonthOutOfRange;
  } else if (!bce && !t.eraWord.empty() && !maya::equalsIgnoringCase(t.eraWord, "CE")) {
    r.problem = CivilProblem::UnknownEra;
  } else if (const auto jdn = maya::toJdn({bce ? 1 - t.year : t.year, t.month, t.day}, calendar)) {
    r.jdn = jdn.value;
  } else if (jdn.error == maya::CivilError::DayOutOfRange) {
    r.problem = CivilProblem::DayOutOfRange;
    r.days = maya::daysInMonth(bce ? 1 - t.year : t.year, t.month, calendar);
  } else {
    r.problem = CivilProblem::NoSuchDay;
    r.error = jdn.error;
  }
  return r;
}

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
  bool eraBefore = false; // a Long Count with its Calendar Round, read in the era before 0.0.0.0.0
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

// The day number (days from 0.0.0.0.0) an input names under the settings'
// correlation, for the readers of Long Counts at face value (find, add,
// diff and draw, and the Python module); or the reason it names none.
// Preconditions: !settings.reckoning.window.
struct DayNumber {
  std::optional<std::int64_t> day;
  bool eraBefore = false; // a Long Count read in the era before 0.0.0.0.0; eraBeforeNote says so
  std::string problem;
};
[[nodiscard]] DayNumber readDayNumber(std::string_view text, const ConversionSettings& settings);

// The refusal of a correlation that is neither a preset nor a whole number
// in range: 'unknown correlation "x"; use gmt (584283), ..., or a whole
// number (the JDN of 0.0.0.0.0)', offering glyphbox first where the
// window's own arithmetic is one of the choices.
[[nodiscard]] std::string unknownCorrelationMessage(std::string_view text, bool offerWindow);

// How a Long Count written with its Calendar Round was read when the
// Calendar Round falls only 13 baktuns before its face value, on day d.
[[nodiscard]] std::string eraBeforeNote(std::int64_t d);

// Whether an input is a Long Count (with its Calendar Round or without),
// "JDN n" or "today" rather than a date.
[[nodiscard]] bool isOtherInputForm(std::string_view text) noexcept;

} // namespace glyphbox::rows
