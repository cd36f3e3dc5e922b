#pragma once

#include <glyphbox/cli/classic.h>
#include <glyphbox/cli/output.h>
#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/civil.h>
#include <glyphbox/maya/correlation.h>
#include <glyphbox/maya/names.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphbox::cli {

enum class OutputFormat { Plain, Tsv, Csv, Json };

// Which arithmetic a row uses: the window's own (its day count, fold and
// quirks, Gregorian only), or a correlation, the JDN of 0.0.0.0.0.
struct Reckoning {
  bool window = true;
  maya::Correlation correlation; // when !window
  [[nodiscard]] static Reckoning ofWindow() { return {}; }
  [[nodiscard]] static Reckoning of(maya::Correlation c) { return {false, c}; }
};

struct ConversionSettings {
  Reckoning reckoning;
  maya::Calendar calendar = maya::Calendar::Gregorian;
  maya::Spelling spelling = maya::Spelling::Colonial;
  std::optional<maya::HaabNumbering> haabDays; // unset: 1-20 for the window, 0-19 otherwise
  OutputFormat format = OutputFormat::Plain;
  bool compare = false; // one row per preset correlation and one for the window
};

// One converted day, as every format writes it.
struct Row {
  std::string date;      // "2012-12-21 CE", in the row's calendar
  std::int64_t dayCount; // days since 0.0.0.0.0 (the window's unfolded count under its arithmetic)
  std::string longCount;
  std::string tzolkin;
  std::string haab;
  int lord; // 1 to 9
  std::optional<std::int64_t> jdn;
  Reckoning reckoning;
  maya::Calendar calendar;
  bool typedDate = false; // the input was a date as the window's fields take it
};

// A day as the inputs name it, before any correlation: a date of a Western
// calendar, a Long Count, or a Julian Day Number.
struct Day {
  enum class Kind { Jdn, LongCount, WindowDate };
  Kind kind = Kind::Jdn;
  std::int64_t value = 0; // the JDN, or the Long Count's day number
  DateInput window;       // WindowDate: the date as the window's year field takes it
};

// Writes rows and refusals in one of the four formats. TSV and CSV begin with
// a header; CSV follows RFC 4180 (CRLF line ends, quoted fields where
// needed); JSON is one object per line, with an "error" object in place of a
// result for a refused input.
class RowWriter {
public:
  // classicColumns: the window's own lines and TSV columns (date, day_count,
  // long_count, tzolkin, haab), as the converter has always written them.
  RowWriter(Output& out, OutputFormat format, bool compare, bool classicColumns);
  void header();
  void row(const Row& row);
  // A refused input: a message on standard error, or an error object in JSON.
  void refuse(Origin origin, std::string_view text, std::string_view code, std::string_view reason);

private:
  Output& out_;
  OutputFormat format_;
  bool compare_;
  bool classic_;
};

// Converts inputs of every form under any correlation and calendar: dates
// (YEAR-MONTH-DAY [CE|BCE]), Long Counts (9.12.11.5.18), "JDN 2451545" and
// "today".
class ScholarlyConverter {
public:
  ScholarlyConverter(Output& out, const ConversionSettings& settings);
  void writeHeader() { writer_.header(); }
  bool convert(std::string_view text, Origin origin);
  void refuseTooLong(std::string_view start, Origin origin);

  // The day an input names, or the refusal's code and reason.
  struct Reading {
    std::optional<Day> day;
    std::string code;
    std::string reason;
  };
  [[nodiscard]] Reading read(std::string_view text) const;

  // Every row for a day under the settings (several under --compare, or
  // for a Long Count the window shows on more than one date; none when the
  // window never shows it). Returns a refusal reason when there is none.
  [[nodiscard]] std::string rowsFor(const Day& day, std::vector<Row>& rows) const;

  [[nodiscard]] RowWriter& writer() { return writer_; }

  // Dates of the common form under a correlation are converted straight into
  // the output buffer from precomputed name tables; everything else, and
  // every refusal, takes the general path. Tests switch the fast path off to
  // compare the two.
  void useFastPath(bool on) noexcept { fast_ = on && fastEligible_; }

private:
  bool convertQuickly(std::string_view text);
  // Every input form and every refusal, out of line so that the common
  // form's conversion keeps a small frame.
  [[gnu::noinline]] bool convertGenerally(std::string_view text, Origin origin);

  // A text of the fast path's rows, held at a fixed size so that it is
  // copied in one fixed-size move: up to N - 1 bytes and their count.
  template <std::size_t N> struct FixedText {
    char text[N - 1] = {};
    std::uint8_t size = 0;
  };
  using Piece = FixedText<16>; // "13 Chicchan", "10 K'ank'in"
  Output& out_;
  ConversionSettings settings_;
  RowWriter writer_;
  bool fastEligible_ = false;
  bool fast_ = false;
  std::vector<Piece> tzolkin_;  // by the day count mod 260
  std::vector<Piece> haab_;     // by the day count mod 365
  std::array<char, 9> lords_{}; // the digit of G1 to G9, by the day count mod 9
  std::string label_;           // the correlation column
  FixedText<64> tsvTail_;       // "\tgmt 584283\tgregorian\n": what follows the JDN in a row
  FixedText<64> csvTail_;
  FixedText<128> jsonTail_; // what follows the JDN in a JSON row
};

// Whether an input is a Long Count, "JDN n" or "today" rather than a date.
[[nodiscard]] bool isOtherInputForm(std::string_view text) noexcept;

// The calendar's name as the options and the output write it.
[[nodiscard]] std::string_view calendarName(maya::Calendar calendar) noexcept;

// The years the window's Long Count is searched over when it is asked for a date.
inline constexpr std::int64_t kWindowSearchYears = 9999;

// Every date of the years 9999 BCE to 9999 CE that the window shows with the
// Long Count whose face value is `longCountDays`, in order.
[[nodiscard]] std::vector<DateInput> windowDatesOf(std::int64_t longCountDays);

} // namespace glyphbox::cli
