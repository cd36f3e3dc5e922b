#pragma once

// How the writer writes a row: straight into the output buffer, each
// column's value between short pieces. The loops of the column lists nearly
// every run writes are written out when compiling, one for each such list
// (a shape), so that no column is chosen at run time; any other list is
// written column by column. The converter writes the dates of the common
// form through the same functions, one conversion for each shape.

#include <glyphbox/rows/writer.h>

#include "digits.h"
#include "put_text.h"

#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/long_count.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace glyphbox::rows::row_writing {

using digits::putInt;
using Layout = RowWriter::Layout;
using Shape = RowWriter::Shape;
using Span = RowWriter::Span;
using put_text::put;
using put_text::putPiece;

// d mod m in [0, m), for d of either sign: the place of day d in a cycle of
// m days. The usual day counts, positive and within 32 bits, take an
// unsigned remainder, which the compiler turns into a multiply and a shift.
[[gnu::always_inline]] inline std::size_t cyclePlace(std::int64_t d, std::int64_t m) noexcept {
  if (d >= 0 && d <= std::int64_t{UINT32_MAX}) {
    return static_cast<std::uint32_t>(d) % static_cast<std::uint32_t>(m);
  }
  const std::int64_t r = d % m;
  return static_cast<std::size_t>(r < 0 ? r + m : r);
}

// The Long Count as the window writes it: the baktun of a count below one
// baktun is 13, the number the current great cycle began with.
[[gnu::always_inline]] inline char* putWindowLongCount(char* at, std::int64_t folded) noexcept {
  return maya::writeLongCount(at, folded < maya::kBaktun ? folded + 13 * maya::kBaktun : folded);
}

// "-MM": a dash and two digits.
[[gnu::always_inline]] inline char* putDashAndTwoDigits(char* at, int v) noexcept {
  *at = '-';
  std::memcpy(at + 1, digits::kDigitPairs + v * 2, 2);
  return at + 3;
}

// The column lists nearly every run writes (the defaults of the formats),
// whose loops are written out; any other list is written column by column.
inline constexpr Column kWindowPlain[] = {Column::Date, Column::LongCount, Column::Tzolkin,
                                          Column::Haab};
inline constexpr Column kWindowTsv[] = {Column::Date, Column::DayCount, Column::LongCount,
                                        Column::Tzolkin, Column::Haab};
inline constexpr Column kPlain[] = {Column::Date, Column::LongCount, Column::Tzolkin, Column::Haab,
                                    Column::Lord};
inline constexpr Column kAll[] = {Column::Date,    Column::DayCount, Column::LongCount,
                                  Column::Tzolkin, Column::Haab,     Column::Lord,
                                  Column::Jdn};

[[gnu::always_inline]] inline char* putSpan(char* at, const char* arena, Span span) noexcept {
  const char* from = arena + span.offset;
  if (span.size <= 16) {
    std::memcpy(at, from, 16);
  } else if (span.size <= 32) {
    std::memcpy(at, from, 32);
  } else if (span.size <= 64) {
    std::memcpy(at, from, 64);
  } else if (span.size <= 128) {
    std::memcpy(at, from, 128);
  } else {
    std::memcpy(at, from, span.size);
  }
  return at + span.size;
}

// A text as a field of the format: JSON string contents (no quotes), a CSV
// field quoted when it holds a comma, a quote or a line break, anything else
// as it is.
std::string fieldText(OutputFormat format, std::string_view s);
// A JSON string, with its quotes, appended to out.
void appendJsonString(std::string& out, std::string_view s);
// The text with its first number in Mayan numerals: "13 Ahau" as
// "\U0001D2ED Ahau", "bearer 8 Ik" likewise.
std::string inNumerals(std::string_view text);

// The columns no format writes by default: the year bearer, the 819-day
// count, the dates in each calendar and the weekday.
char* putOtherValue(char* at, const Layout& l, Column column, const Row& row) noexcept;

[[gnu::always_inline]] inline char* putValue(char* at, const Layout& l, Column column,
                                             const Row& row) noexcept {
  const std::int64_t d = row.dayCount;
  switch (column) {
  case Column::Date: {
    const RowDate& date = row.date;
    if (!row.writtenDate.empty()) { // typed as it is written: copied
      at = put_text::putShort(at, row.writtenDate.data(), row.writtenDate.size());
    } else {
      at = putInt(at, date.year);
      at = putDashAndTwoDigits(at, date.month);
      at = putDashAndTwoDigits(at, date.day);
    }
    static constexpr char kEras[2][8] = {" CE", " BCE"};
    std::memcpy(at, kEras[date.bce ? 1 : 0], 8);
    return at + (date.bce ? 4 : 3);
  }
  case Column::DayCount:
    return putInt(at, d);
  case Column::LongCount:
    return row.window ? putWindowLongCount(at, row.longCount)
                      : maya::writeLongCount(at, row.longCount);
  case Column::Tzolkin:
    return putPiece(at, l.tzolkin[cyclePlace(d, maya::kTzolkinDays)]);
  case Column::Haab:
    return putPiece(at, l.haab[row.window ? 1 : 0][cyclePlace(d, maya::kHaabYear)]);
  case Column::Lord:
    at[0] = 'G';
    at[1] = l.lords[cyclePlace(d, maya::kLordsOfTheNight)];
    return at + 2;
  case Column::Jdn:
    if (row.hasJdn) {
      return putInt(at, row.jdn);
    }
    return l.json ? put(at, "null") : at;
  case Column::Correlation:
    for (std::size_t i = 0; i < l.labelCount; ++i) {
      const auto& [reckoning, span] = l.labels[i];
      if (reckoning.window == row.window &&
          (row.window || reckoning.correlation.jdn == row.correlation->jdn)) {
        return putSpan(at, l.arena, span);
      }
    }
    return at; // every row's reckoning has its label
  case Column::Calendar:
    return put(at, calendarName(row.calendar));
  default:
    return putOtherValue(at, l, column, row);
  }
}

// A row's columns from the first-th, each followed by its piece: the loop
// written out for a column list known when compiling, so that no column is
// chosen at run time.
// The pieces between a row's columns: a separator known when compiling
// ("  ", a tab, a comma) written as it is, or for JSON, where each holds a
// key, the writer's short pieces.
struct Separator {
  char c = 0;
  int n = 0; // 0: the pieces
};
inline constexpr Separator kTwoBlanks{' ', 2};
inline constexpr Separator kTab{'\t', 1};
inline constexpr Separator kComma{',', 1};
inline constexpr Separator kPieces{};

template <Separator S>
[[gnu::always_inline]] inline char* putBetween(char* at, const Layout& l, std::size_t i) noexcept {
  if constexpr (S.n == 0) {
    return putPiece(at, l.gaps[i]);
  } else {
    at[0] = S.c;
    at[S.n - 1] = S.c;
    return at + S.n;
  }
}

// A row's columns from the first-th, each followed by the piece after it:
// the loop written out for a column list known when compiling, so that no
// column is chosen at run time. Only the row's end may be a long piece.
template <Separator S, std::size_t First, Column... Columns>
[[gnu::always_inline]] inline char* putColumns(char* at, const Layout& l, const Row& row) noexcept {
  constexpr std::size_t kLast = First + sizeof...(Columns) - 1;
  if constexpr (S.n == 0) {
    at = putPiece(at, l.gaps[0]);
  }
  std::size_t i = First;
  ((at = putValue(at, l, Columns, row),
    at = i == kLast ? putSpan(at, l.arena, l.between[i + 1]) : putBetween<S>(at, l, i + 1), ++i),
   ...);
  return at;
}

// A value with its numbers in Mayan numerals: the Long Count and the
// Calendar Round's; any other as putValue writes it.
char* putValueInNumerals(char* at, const Layout& l, Column column, const Row& row) noexcept;

// Any other list, column by column; the window's plain line leaves out a
// date it was given, and the separator after it with it.
inline char* writeAnyColumns(char* at, const Layout& l, const Row& row) noexcept {
  at = putSpan(at, l.arena, l.between[0]);
  for (std::size_t i = l.omitTypedDate && row.typedDate ? 1 : 0; i < l.count; ++i) {
    at = l.numerals ? putValueInNumerals(at, l, l.columns[i], row)
                    : putValue(at, l, l.columns[i], row);
    at = putSpan(at, l.arena, l.between[i + 1]);
  }
  return at;
}

// A row in the layout's shape. Preconditions: shape is the layout's, as
// shapeOf gives it.
template <Shape S>
[[gnu::always_inline]] inline char* putRow(char* at, const Layout& l, const Row& row) noexcept {
  using enum Column;
  if constexpr (S == Shape::WindowPlain) {
    // The window's own line names the date only when the input did not.
    return l.omitTypedDate && row.typedDate
               ? putColumns<kTwoBlanks, 1, LongCount, Tzolkin, Haab>(at, l, row)
               : putColumns<kTwoBlanks, 0, Date, LongCount, Tzolkin, Haab>(at, l, row);
  } else if constexpr (S == Shape::WindowTsv) {
    return putColumns<kTab, 0, Date, DayCount, LongCount, Tzolkin, Haab>(at, l, row);
  } else if constexpr (S == Shape::Plain) {
    return putColumns<kTwoBlanks, 0, Date, LongCount, Tzolkin, Haab, Lord>(at, l, row);
  } else if constexpr (S == Shape::AllTsv) {
    return putColumns<kTab, 0, Date, DayCount, LongCount, Tzolkin, Haab, Lord, Jdn>(at, l, row);
  } else if constexpr (S == Shape::AllCsv) {
    return putColumns<kComma, 0, Date, DayCount, LongCount, Tzolkin, Haab, Lord, Jdn>(at, l, row);
  } else if constexpr (S == Shape::AllJson) {
    return putColumns<kPieces, 0, Date, DayCount, LongCount, Tzolkin, Haab, Lord, Jdn>(at, l, row);
  } else {
    return writeAnyColumns(at, l, row);
  }
}

inline Shape shapeOf(OutputFormat format, const std::vector<Column>& columns, bool separatorsOnly,
                     bool shortPieces) {
  using enum Column;
  const auto is = [&](const auto& list) { return std::ranges::equal(columns, list); };
  Shape shape = Shape::Any;

  if (separatorsOnly && format == OutputFormat::Plain) {
    shape = is(kWindowPlain) ? Shape::WindowPlain : is(kPlain) ? Shape::Plain : shape;
  } else if (separatorsOnly && format == OutputFormat::Tsv) {
    shape = is(kWindowTsv) ? Shape::WindowTsv : is(kAll) ? Shape::AllTsv : shape;
  } else if (separatorsOnly && format == OutputFormat::Csv) {
    shape = is(kAll) ? Shape::AllCsv : shape;
  } else if (shortPieces && format == OutputFormat::Json) {
    shape = is(kAll) ? Shape::AllJson : shape;
  }
  return shape;
}

} // namespace glyphbox::rows::row_writing

namespace glyphbox::rows {

template <RowWriter::Shape S> [[gnu::always_inline]] inline void RowWriter::rowIn(const Row& row) {
  char* at = out_.reserve(maxRow_ + row.cellsSize);
  out_.commit(row_writing::putRow<S>(at, layout_, row));
}

} // namespace glyphbox::rows
