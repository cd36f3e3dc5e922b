#include <glyphbox/cli/date_input.h>

#include <glyphbox/engine/month_table.h>

#include "text.h"

namespace glyphbox::cli {
namespace {

using text::equalsIgnoringCase;
using text::isBlank;
using text::isDigit;

// Reads a run of digits at pos; the value saturates just above `limit`, so
// arbitrarily long runs cannot wrap. Returns false when there is no digit.
bool readNumber(std::string_view s, std::size_t& pos, std::int64_t limit,
                std::int64_t& value) noexcept {
  const std::size_t start = pos;
  value = 0;
  while (pos < s.size() && isDigit(s[pos])) {
    if (value <= limit) {
      value = value * 10 + (s[pos] - '0');
    }
    ++pos;
  }
  return pos > start;
}

} // namespace

std::string_view trimBlanks(std::string_view s) noexcept {
  while (!s.empty() && isBlank(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && isBlank(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

ParseResult parseDate(std::string_view text) noexcept {
  ParseResult result;
  const std::string_view s = trimBlanks(text);
  std::size_t pos = 0;
  std::int64_t year = 0;
  std::int64_t month = 0;
  std::int64_t day = 0;

  // The form: YEAR-MONTH-DAY, then nothing or blanks and an era word.
  const bool hasYear = readNumber(s, pos, kMaxYear, year);
  const std::size_t yearEnd = pos;
  if (!hasYear || pos >= s.size() || s[pos] != '-') {
    result.error = InputError::NotADate;
    return result;
  }
  ++pos;
  if (!readNumber(s, pos, 99, month) || pos >= s.size() || s[pos] != '-') {
    result.error = InputError::NotADate;
    return result;
  }
  ++pos;
  if (!readNumber(s, pos, 99, day)) {
    result.error = InputError::NotADate;
    return result;
  }
  if (pos < s.size()) {
    if (!isBlank(s[pos])) {
      result.error = InputError::NotADate;
      return result;
    }
    result.eraWord = trimBlanks(s.substr(pos));
  }

  // The fields, left to right.
  if (year > kMaxYear) {
    result.error = InputError::YearOutOfRange;
    return result;
  }
  result.date.yearText = s.substr(0, yearEnd);
  result.date.year = year;
  if (month < 1 || month > 12) {
    result.error = InputError::MonthOutOfRange;
    return result;
  }
  result.date.month = static_cast<int>(month);
  // The leap-year rule of the year field looks at the year as typed, whatever the era.
  const bool leap = engine::isGregorianLeapYear(static_cast<std::int32_t>(year));
  result.date.daysInMonth =
      engine::daysInMonth(static_cast<int>(month), leap ? engine::kTrue : engine::kFalse).value();
  if (day < 1 || day > result.date.daysInMonth) {
    result.error = InputError::DayOutOfRange;
    return result;
  }
  result.date.day = static_cast<int>(day);
  if (!result.eraWord.empty()) {
    if (equalsIgnoringCase(result.eraWord, "BCE")) {
      result.date.era = engine::Era::BCE;
    } else if (!equalsIgnoringCase(result.eraWord, "CE")) {
      result.error = InputError::UnknownEra;
      return result;
    }
  }
  return result;
}

} // namespace glyphbox::cli
