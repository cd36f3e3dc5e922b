#pragma once

// The scalar side of the Python module, without Python: how a day is held,
// the settings it is shown under, and its values and texts, all from the
// maya and rows libraries. The bindings (module.cpp) turn these into
// Python's objects and turn a Refusal into ValueError.
//
//   Settings                 correlation, calendar, spelling, Haab numbering
//   Day {count, settings}    a day number under its settings
//   dayOfText(text, s, what) -> Day   any input form glyphbox-cli reads
//   checkedDay(count, s)     -> Day   refused outside the calendars' years
//   fieldsOf(day)            -> the texts of every column of a day, as glyphbox-cli writes them
//   plainLineOf(day)         -> glyphbox-cli's plain line
//   svgOf(day)               -> the bar-and-dot picture

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/civil.h>
#include <glyphbox/maya/correlation.h>
#include <glyphbox/maya/names.h>
#include <glyphbox/rows/rows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>

namespace glyphbox::python {

// A refused input or setting, in the command line's words; ValueError in Python.
class Refusal : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// "what "text": reason", as glyphbox-cli words the refusal of an input.
[[nodiscard]] Refusal refusal(std::string_view what, std::string_view text,
                              std::string_view reason);

// The option values as the command line spells them.
[[nodiscard]] maya::Calendar calendarOf(std::string_view name);
[[nodiscard]] maya::Spelling spellingOf(std::string_view name);
[[nodiscard]] maya::HaabNumbering numberingOf(std::string_view name);
[[nodiscard]] std::string_view spellingName(maya::Spelling spelling) noexcept;
[[nodiscard]] std::string_view numberingName(maya::HaabNumbering numbering) noexcept;

// A correlation by name or number, as --correlation reads it; the window's
// own arithmetic (glyphbox) reads no Long Count at face value and is refused.
[[nodiscard]] maya::Correlation correlationOf(std::string_view text);
[[nodiscard]] maya::Correlation correlationOf(std::int64_t jdn);
// "gmt 584283", or the bare number of a correlation that is no preset.
[[nodiscard]] std::string correlationLabel(const maya::Correlation& c);

struct Settings {
  maya::Correlation correlation = maya::kCorrelations[0];
  maya::Calendar calendar = maya::Calendar::Gregorian;
  maya::Spelling spelling = maya::Spelling::Colonial;
  maya::HaabNumbering numbering = maya::HaabNumbering::Seating0;

  // The settings as a tuple that orders and hashes them: the correlation's
  // number says which it is.
  [[nodiscard]] std::tuple<std::int64_t, int, int, int> key() const noexcept {
    return {correlation.jdn, static_cast<int>(calendar), static_cast<int>(spelling),
            static_cast<int>(numbering)};
  }
  [[nodiscard]] rows::ConversionSettings conversion() const;
};

// A day: its number from 0.0.0.0.0 under its settings' correlation, whose
// date exists in its settings' calendar.
struct Day {
  std::int64_t count = 0;
  Settings settings;

  [[nodiscard]] std::int64_t jdn() const noexcept { return count + settings.correlation.jdn; }
  // Days compare in time (by JDN), then by what they are shown under.
  [[nodiscard]] auto key() const noexcept { return std::tuple(jdn(), settings.key()); }
};

// The day that input names under the settings, or the refusal worded as
// glyphbox-cli words it, naming the input as `what` ("input", "date",
// "start"). When a Long Count was read in the era before 0.0.0.0.0, `note`
// says so, as glyphbox-cli's note on standard error does.
struct DayOfText {
  Day day;
  std::string note;
};
[[nodiscard]] DayOfText dayOfText(std::string_view text, const Settings& settings,
                                  std::string_view what);

// The day count under the settings, refused (naming the input as
// what "shown") when its date lies outside the calendar's years, or its JDN
// outside 64 bits.
[[nodiscard]] Day checkedDay(std::int64_t count, const Settings& settings, std::string_view what,
                             std::string_view shown);

// The day `count` days after 0.0.0.0.0, refused as a Long Count of as many
// days is beyond maya::kMaxDayNumber.
[[nodiscard]] Day dayOfCount(std::int64_t count, const Settings& settings);

// The day of a JDN, refused as glyphbox-cli refuses "JDN n" beyond 15 digits.
[[nodiscard]] Day dayOfJdn(std::int64_t jdn, const Settings& settings);

// The columns of a day, the first of rows::kColumns; the worksheet's own
// columns follow them.
inline constexpr std::size_t kDayColumns = static_cast<std::size_t>(rows::kFirstWorksheetColumn);
static_assert(rows::kColumns[kDayColumns - 1].column == rows::Column::Weekday);

// The texts of the day's columns, in the order of rows::kColumns, as
// glyphbox-cli writes them (empty where it writes nothing); one of them.
[[nodiscard]] std::array<std::string, kDayColumns> fieldsOf(const Day& day);
[[nodiscard]] std::string fieldOf(const Day& day, rows::Column column);
// The line glyphbox-cli writes for the day by default (without the newline).
[[nodiscard]] std::string plainLineOf(const Day& day);
// The picture glyphbox-cli draw writes.
[[nodiscard]] std::string svgOf(const Day& day);

// Texts of the day's values, as the library writes them.
[[nodiscard]] std::string tzolkinText(const maya::Tzolkin& tzolkin, maya::Spelling spelling);
[[nodiscard]] std::string haabText(const maya::Haab& haab, maya::Spelling spelling);

} // namespace glyphbox::python
