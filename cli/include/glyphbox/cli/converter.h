#pragma once

#include <glyphbox/engine/maya_date.h>

#include <cstdio>
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

// A date as typed: YEAR-MONTH-DAY with an optional era word after blanks.
// yearText is the year's digits as given (leading zeros kept): it goes through
// exactly the conversions the window applies to its year field.
struct DateInput {
  std::string_view yearText;
  engine::Int16 month = 0;
  engine::Int16 day = 0;
  engine::Era era = engine::Era::CE;
  engine::Int16 daysInMonth = 0; // of month in that year
};

struct ParseResult {
  InputError error = InputError::None;
  DateInput date;
  std::string_view eraWord; // the era word as given, for messages
};

// Parses and validates one date; never throws, whatever the bytes.
[[nodiscard]] ParseResult parseDate(std::string_view text) noexcept;

enum class OutputFormat { Plain, Tsv };

// Converts dates and writes one result line per date (or a message on the
// error stream). Output is buffered; flush() or destruction writes it out.
class Converter {
public:
  Converter(OutputFormat format, std::FILE* out, std::FILE* err);
  ~Converter();
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts one date. Messages name where it came from: the line of standard
  // input, or "argument" when lineNumber is 0. Returns false (and reports) when
  // it was refused.
  bool convert(std::string_view text, long long lineNumber = 0);

  // Converts one date per line of `in` until its end. Blank lines are skipped.
  void convertStream(std::FILE* in);

  void writeHeader();
  void flush();
  [[nodiscard]] bool anyFailed() const noexcept { return failed_; }

private:
  void reportError(std::string_view text, long long lineNumber, std::string_view reason);
  void append(std::string_view s);
  void appendInt(long long v);

  OutputFormat format_;
  std::FILE* out_;
  std::FILE* err_;
  bool failed_ = false;
  static constexpr std::size_t kBufferSize = 1 << 16;
  char buffer_[kBufferSize];
  std::size_t used_ = 0;
};

// The whole command: options, dates from the arguments or from `in`.
// Returns the exit status: 0 all converted, 1 a date was refused, 2 bad usage.
int run(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err);

} // namespace glyphbox::cli
