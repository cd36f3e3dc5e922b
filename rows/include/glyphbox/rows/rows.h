#pragma once

// The row model of the converter: what a converted day is, as numbers, and
// the columns every output format writes it in.
//
//   ConversionSettings   the options of a run (reckoning, calendar, spelling, numbering, format)
//   Row                  one converted day: date fields, day count, JDN, reckoning, calendar
//   Column, kColumns     the columns, in one table: name (header, JSON key) and meaning
//   defaultColumns(...)  the columns a format writes under the settings

#include <glyphbox/engine/window_dates.h>
#include <glyphbox/maya/civil.h>
#include <glyphbox/maya/correlation.h>
#include <glyphbox/maya/names.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace glyphbox::rows {

enum class OutputFormat { Plain, Tsv, Csv, Json };

// Which arithmetic a row uses: a correlation, the JDN of 0.0.0.0.0 (gmt,
// the consensus, unless another is chosen), or the window's own (its day
// count, fold and quirks, Gregorian only).
struct Reckoning {
  bool window = false;
  maya::Correlation correlation = maya::kCorrelations[0]; // when !window
  [[nodiscard]] static Reckoning ofWindow() { return {true, {}}; }
  [[nodiscard]] static Reckoning of(maya::Correlation c) { return {false, c}; }
};

struct ConversionSettings {
  Reckoning reckoning;
  maya::Calendar calendar = maya::Calendar::Gregorian;
  maya::Spelling spelling = maya::Spelling::Colonial;
  std::optional<maya::HaabNumbering> haabDays; // unset: 1-20 for the window, 0-19 otherwise
  OutputFormat format = OutputFormat::Plain;
  bool compare = false; // one row per preset correlation and one for the window

  // The window's own lines and columns: its reckoning alone, in plain or TSV.
  [[nodiscard]] bool windowColumns() const noexcept {
    return reckoning.window && !compare &&
           (format == OutputFormat::Plain || format == OutputFormat::Tsv);
  }
  // The Haab numbering of a row of the window's reckoning or of a correlation.
  [[nodiscard]] maya::HaabNumbering numbering(bool window) const noexcept {
    return haabDays.value_or(window ? maya::HaabNumbering::Window1 : maya::HaabNumbering::Seating0);
  }
};

// A date as a row writes it: the year of its era (0 upward for the window's
// typed years, 1 upward otherwise), month, day, and whether it is BCE.
struct RowDate {
  std::int64_t year = 0;
  int month = 1;
  int day = 1;
  bool bce = false;
};

// One converted day. Its Calendar Round, Lord of the Night and every other
// cycle are those of dayCount; the writers look them up by its place in
// each cycle, from tables the maya library's functions fill.
struct Row {
  RowDate date;               // in the row's calendar
  std::int64_t dayCount = 0;  // days since 0.0.0.0.0 (the window's unfolded count under its own)
  std::int64_t longCount = 0; // the count the Long Count shows: the window's is folded
  std::int64_t jdn = 0;       // when hasJdn
  bool hasJdn = false;
  bool window = false;    // the window's own reckoning; otherwise that of `correlation`
  bool typedDate = false; // the input was a date as the window's fields take it
  maya::Calendar calendar = maya::Calendar::Gregorian;
  const maya::Correlation* correlation = nullptr; // a preset's, or the settings'
  std::string_view writtenDate; // the input's "Y-MM-DD", when it is already written so
};

// The columns a row can be written in; kColumns gives each its name.
enum class Column { Date, DayCount, LongCount, Tzolkin, Haab, Lord, Jdn, Correlation, Calendar };

struct ColumnInfo {
  Column column;
  std::string_view name; // the TSV and CSV header, the JSON key
  std::string_view help; // what it holds, for people
};

inline constexpr std::array<ColumnInfo, 9> kColumns = {{
    {Column::Date, "date", "the date in the row's calendar: 2012-12-21 CE"},
    {Column::DayCount, "day_count", "days since 0.0.0.0.0 (the window's own count under glyphbox)"},
    {Column::LongCount, "long_count", "the Long Count: 13.0.0.0.0"},
    {Column::Tzolkin, "tzolkin", "the Tzolkin date: 4 Ahau"},
    {Column::Haab, "haab", "the Haab date: 3 Kankin"},
    {Column::Lord, "lord", "the Lord of the Night, G1 to G9"},
    {Column::Jdn, "jdn", "the Julian Day Number"},
    {Column::Correlation, "correlation", "the correlation's name and number"},
    {Column::Calendar, "calendar", "the row's Western calendar"},
}};

[[nodiscard]] constexpr std::string_view columnName(Column c) noexcept {
  return kColumns[static_cast<std::size_t>(c)].name;
}

// The columns a format writes under the settings: plain people's lines
// (date, Long Count, Calendar Round, Lord; the window's own without the
// Lord), and every column in the other formats (the window's own TSV: date,
// day count, Long Count, Calendar Round).
[[nodiscard]] std::vector<Column> defaultColumns(const ConversionSettings& settings);

// The calendar's name as the options and the output write it.
[[nodiscard]] std::string_view calendarName(maya::Calendar calendar) noexcept;

} // namespace glyphbox::rows
