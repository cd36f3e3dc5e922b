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
#include <glyphbox/runtime/messages.h>

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

// The columns a row can be written in; kColumns gives each its name.
enum class Column {
  Date,
  DayCount,
  LongCount,
  Tzolkin,
  Haab,
  Lord,
  Jdn,
  Correlation,
  Calendar,
  Bearer,
  Since819,
  Station819,
  Quarter819,
  Colour819,
  Number819,
  Gregorian,
  Julian,
  Historical,
  Weekday,
  // The inscription worksheet's own columns, from here on: what a line of
  // the worksheet says beside the day it reaches.
  Line,
  Distance,
  Clues,
  Agrees,
  Nearest,
};

struct ConversionSettings {
  Reckoning reckoning;
  maya::Calendar calendar = maya::Calendar::Gregorian;
  maya::Spelling spelling = maya::Spelling::Colonial;
  std::optional<maya::HaabNumbering> haabDays; // unset: 1-20 for the window, 0-19 otherwise
  OutputFormat format = OutputFormat::Plain;
  bool compare = false; // one row per preset correlation and one for the window
  std::optional<std::vector<Column>> columns; // unset: the format's default columns
  bool mayaNumerals = false; // Long Counts and Calendar Round numbers in Mayan numerals

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
  // A worksheet line's own columns, Column::Line on, as the format writes
  // them (escaped, with JSON's own quotes), and their total size; none for
  // a conversion.
  const std::string_view* cells = nullptr;
  std::size_t cellsSize = 0;
};

// How JSON writes a column's value.
enum class JsonKind { String, Number, NullableNumber, NullableString, Object, Array, Boolean };

struct ColumnInfo {
  Column column;
  std::string_view name; // the TSV and CSV header, the JSON key, the name --fields takes
  JsonKind json;
  std::string_view help; // what it holds, for people, in English (i18n::tr translates it)
};

// Every column, in the order of the formats' full rows; --fields help lists
// them, the manual and the completion take them from here.
inline constexpr std::array<ColumnInfo, 24> kColumns = {{
    {Column::Date, "date", JsonKind::String,
     i18n::N_("the date in the row's calendar: 2012-12-21 CE")},
    {Column::DayCount, "day_count", JsonKind::Number,
     i18n::N_("days since 0.0.0.0.0 (the window's own count under glyphbox)")},
    {Column::LongCount, "long_count", JsonKind::String, i18n::N_("the Long Count: 13.0.0.0.0")},
    {Column::Tzolkin, "tzolkin", JsonKind::String, i18n::N_("the Tzolkin date: 4 Ahau")},
    {Column::Haab, "haab", JsonKind::String, i18n::N_("the Haab date: 3 Kankin")},
    {Column::Lord, "lord", JsonKind::String, i18n::N_("the Lord of the Night, G1 to G9")},
    {Column::Jdn, "jdn", JsonKind::NullableNumber, i18n::N_("the Julian Day Number")},
    {Column::Correlation, "correlation", JsonKind::Object,
     i18n::N_("the correlation's name and number")},
    {Column::Calendar, "calendar", JsonKind::String, i18n::N_("the row's Western calendar")},
    {Column::Bearer, "bearer", JsonKind::String,
     i18n::N_("the year bearer: the Tzolkin date of the year's 0 Pop")},
    {Column::Since819, "819_since", JsonKind::Number,
     i18n::N_("days since the last station of the 819-day count, 0 to 818")},
    {Column::Station819, "819_station", JsonKind::String,
     i18n::N_("that station's Calendar Round")},
    {Column::Quarter819, "819_quarter", JsonKind::String,
     i18n::N_("its quarter, with the Yucatec name: South (nohol)")},
    {Column::Colour819, "819_colour", JsonKind::String,
     i18n::N_("its colour, with the Yucatec name: yellow (kan)")},
    {Column::Number819, "819_number", JsonKind::Number,
     i18n::N_("its place among the 20 stations of 16,380 days, 1 to 20")},
    {Column::Gregorian, "gregorian", JsonKind::NullableString,
     i18n::N_("the date in the proleptic Gregorian calendar")},
    {Column::Julian, "julian", JsonKind::NullableString,
     i18n::N_("the date in the proleptic Julian calendar")},
    {Column::Historical, "historical", JsonKind::NullableString,
     i18n::N_("the date in the historical calendar (Gregorian from 15 October 1582)")},
    {Column::Weekday, "weekday", JsonKind::NullableString, i18n::N_("the day of the week: Friday")},
    {Column::Line, "line", JsonKind::Number, i18n::N_("the worksheet's line that reaches the day")},
    {Column::Distance, "distance", JsonKind::NullableString,
     i18n::N_("the line's distance from the day above it: +2.5.3 (none for a date)")},
    {Column::Clues, "clues", JsonKind::Array,
     i18n::N_("each clue the line records, whether it agrees, and what the day has: 13 Zec "
              "disagrees: 18 Tzec")},
    {Column::Agrees, "agrees", JsonKind::Boolean,
     i18n::N_("whether every recorded clue agrees: yes or no (true or false in JSON)")},
    {Column::Nearest, "nearest", JsonKind::Array,
     i18n::N_("when a clue disagrees, the nearest Long Counts before and after with every clue")},
}};

static_assert(
    [] {
      for (std::size_t i = 0; i < kColumns.size(); ++i) {
        if (static_cast<std::size_t>(kColumns[i].column) != i) {
          return false;
        }
      }
      return true;
    }(),
    "kColumns lists the columns in the order of their enumerators");

// The worksheet's own columns (Column::Line on) are written by the
// inscription worksheet alone; conversion, find and add have no line.
inline constexpr Column kFirstWorksheetColumn = Column::Line;
[[nodiscard]] constexpr bool isWorksheetColumn(Column c) noexcept {
  return static_cast<int>(c) >= static_cast<int>(kFirstWorksheetColumn);
}
inline constexpr std::size_t kWorksheetColumns =
    kColumns.size() - static_cast<std::size_t>(kFirstWorksheetColumn);
// The place of a worksheet column among them: Row::cells[worksheetPlace(c)].
[[nodiscard]] constexpr std::size_t worksheetPlace(Column c) noexcept {
  return static_cast<std::size_t>(c) - static_cast<std::size_t>(kFirstWorksheetColumn);
}

// A name --fields takes for several columns at once.
struct ColumnGroup {
  std::string_view name;
  std::array<Column, 5> columns;
  std::string_view help;
};
inline constexpr ColumnGroup k819Group = {
    "819",
    {Column::Since819, Column::Station819, Column::Quarter819, Column::Colour819,
     Column::Number819},
    i18n::N_("the 819-day count: 819_since, 819_station, 819_quarter, 819_colour, 819_number")};

[[nodiscard]] constexpr std::string_view columnName(Column c) noexcept {
  return kColumns[static_cast<std::size_t>(c)].name;
}

// The columns a format writes under the settings: plain people's lines
// (date, Long Count, Calendar Round, Lord; the window's own without the
// Lord), and every column in the other formats (the window's own TSV: date,
// day count, Long Count, Calendar Round).
[[nodiscard]] std::vector<Column> defaultColumns(const ConversionSettings& settings);

// The columns a --fields list names, in its order ("date,long_count,819"),
// or the first name that is none.
struct ColumnReading {
  std::vector<Column> columns;
  std::string unknown;
};
[[nodiscard]] ColumnReading readColumns(std::string_view list);

// Every name --fields takes, with what it holds, one a line: the worksheet's
// own columns too when `worksheet`.
[[nodiscard]] std::string columnsHelp(bool worksheet = false);

// The calendar's name as the options and the output write it.
[[nodiscard]] std::string_view calendarName(maya::Calendar calendar) noexcept;

} // namespace glyphbox::rows
