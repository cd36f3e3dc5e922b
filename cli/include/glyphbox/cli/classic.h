#pragma once

#include <glyphbox/cli/date_input.h>
#include <glyphbox/cli/output.h>

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

enum class ClassicFormat { Plain, Tsv };

// The window's own conversion, for batch work: the same day count, Long
// Count, Tzolkin and Haab as the window shows, written one line per date.
//
// This is the converter's hot path. It computes the window's day count in
// exact integer arithmetic (equal to the window's double arithmetic for every
// year the year field takes; see windowDayCount), formats from precomputed
// tables straight into the output buffer, and refuses dates without
// exceptions, with messages buffered in order.
class ClassicConverter {
public:
  ClassicConverter(Output& output, ClassicFormat format);

  // The header line of the TSV format (nothing for plain).
  void writeHeader();

  // Converts one date; a refused date gets a message on standard error.
  // Returns whether it was converted.
  bool convert(std::string_view text, Origin origin);

  // A line longer than any date: refused with its start shown.
  void refuseTooLong(std::string_view start, Origin origin);

  // Where inputs that are not dates (a Long Count, "JDN n", "today") go.
  using OtherForms = bool (*)(void* context, std::string_view text, Origin origin);
  void handOtherFormsTo(OtherForms handler, void* context) noexcept {
    otherForms_ = handler;
    otherContext_ = context;
  }

private:
  // Writes the message of a refused date (or hands another input form on);
  // a parse without error here means the Long Count overflowed.
  [[gnu::noinline]] bool refuse(const ParseResult& parsed, std::string_view text, Origin origin);

  Output& out_;
  ClassicFormat format_;
  const void* tables_; // the formatting tables, built before the first line
  OtherForms otherForms_ = nullptr;
  void* otherContext_ = nullptr;
};

// The window's day count of a date in exact integers: with y the shifted,
// March-based year and a the day of that year (1 to 366), the window's
// left-to-right double arithmetic y*365 + a + y/4 - y/100 + y/400 floored
// after adding 1721118.5 equals a + floor((146097*y + 200) / 400) + 1721118.
// Preconditions: year 0 to kMaxYear, month 1 to 12, day 1 to 31.
[[nodiscard]] constexpr std::int64_t windowDayCount(std::int64_t year, engine::Era era, int month,
                                                    int day) noexcept {
  constexpr std::int64_t kDayNumberOffset =
      1721118; // 1721118.5 less the half added before the floor
  constexpr std::int64_t kEpochDayNumber = 583919;
  constexpr std::int64_t kDaysIn400Years = 146097; // 400 x 365 + 100 - 4 + 1
  // Days from 1 March to the first of each month of the March-based year,
  // months 3 to 14: (153 x month - 457) \ 5.
  constexpr std::int16_t kMonthStart[15] = {0,   0,   0,   0,   31,  61,  92, 122,
                                            153, 184, 214, 245, 275, 306, 337};
  static_assert(kMonthStart[14] == (153 * 14 - 457) / 5 && kMonthStart[4] == (153 * 4 - 457) / 5);
  // Year Y CE counts as Y - 1 and Y BCE as -Y; January and February belong
  // to the March-based year before.
  std::int64_t y = era == engine::Era::CE ? year - 1 : -year;
  int workMonth = month;
  if (workMonth < 3) {
    y -= 1;
    workMonth += 12;
  }
  // Floored division by 400, for negative years too.
  const std::int64_t n = kDaysIn400Years * y + 200;
  const std::int64_t q = n / 400;
  const std::int64_t floored = (n % 400 != 0 && n < 0) ? q - 1 : q;
  return kMonthStart[workMonth] + day + floored + kDayNumberOffset - kEpochDayNumber;
}

// The count the window's Long Count is written from: dayCount folded once
// into a great cycle (counts before the epoch get whole cycles added); nothing
// when it reaches 144000 x 32768, where the 16-bit baktun place overflows.
[[nodiscard]] constexpr std::optional<std::int64_t>
windowFoldedCount(std::int64_t dayCount) noexcept {
  constexpr std::int64_t kGreatCycle = 1872000; // 13 baktuns
  constexpr std::int64_t kLongCountLimit = std::int64_t{144000} * 32768;
  std::int64_t count = dayCount;
  if (count > kGreatCycle) {
    count -= kGreatCycle;
  } else if (count < 0) {
    count %= kGreatCycle;
    count = count < 0 ? count + kGreatCycle : count;
  }
  if (count >= kLongCountLimit) {
    return std::nullopt;
  }
  return count;
}

// The message text of a refused date: "glyphbox-cli: line 3: "2000-13-01": month out of
// range; the month must be 1 to 12\n".
[[nodiscard]] std::string refusalMessage(Origin origin, std::string_view text,
                                         std::string_view reason);

// The input as it can be shown safely in a message: control characters, quotes,
// backslashes and bytes outside ASCII escaped (\xNN), long texts shortened.
[[nodiscard]] std::string printable(std::string_view text);

// Why parseDate refused a date, in words.
[[nodiscard]] std::string reasonFor(const ParseResult& parsed);

} // namespace glyphbox::cli
