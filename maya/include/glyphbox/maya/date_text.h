#pragma once

// Dates as people type them: YEAR-MONTH-DAY, then nothing, or blanks and an
// era word, with blanks (space, tab, CR) around the whole. Only the form is
// read here; which years, months and days exist is for the calendar (or the
// window's year field) to say.
//
//   readDateText(text) -> std::optional<DateText>   nothing when the text is not of the form
//   equalsIgnoringCase(word, "BCE")                  ASCII letters in any case

#include <cstdint>
#include <optional>
#include <string_view>

namespace glyphbox::maya {

// The most a number of the form is read up to: one past it, a number is
// only ever too large, so its digits are read no further.
inline constexpr std::int64_t kDateTextYearLimit = 999'999'999'999;
inline constexpr std::int64_t kDateTextFieldLimit = 99;

struct DateText {
  std::int64_t year = 0;     // the year's value, up to a little past kDateTextYearLimit
  int month = 0;             // up to a little past kDateTextFieldLimit
  int day = 0;               // likewise
  std::string_view yearText; // the year's digits as typed, leading zeros kept
  std::string_view eraWord;  // the word after the date, empty when there is none
  // The date as a row writes it ("2000-01-01": the year without leading
  // zeros, month and day of two digits) is the text's first `written`
  // bytes after the blanks, or 0 when the text is not written so.
  std::size_t written = 0;
};

[[nodiscard]] constexpr bool isDateBlank(char c) noexcept {
  return c == ' ' || c == '\t' || c == '\r';
}

// Whether `word` is `upper` (upper-case ASCII) in any letter case: era
// words and the other words of the inputs.
[[nodiscard]] constexpr bool equalsIgnoringCase(std::string_view word,
                                                std::string_view upper) noexcept {
  if (word.size() != upper.size()) {
    return false;
  }
  for (std::size_t i = 0; i < word.size(); ++i) {
    const char c = word[i];
    if ((c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c) != upper[i]) {
      return false;
    }
  }
  return true;
}

namespace detail {

// Reads a run of digits at `p`; the value stops growing past `limit`, so an
// arbitrarily long run cannot wrap. Returns the end of the run.
[[gnu::always_inline]] constexpr const char*
readDigits(const char* p, const char* e, std::int64_t limit, std::int64_t& value) noexcept {
  value = 0;
  for (; p < e && static_cast<unsigned>(*p - '0') < 10; ++p) {
    if (value <= limit) {
      value = value * 10 + (*p - '0');
    }
  }
  return p;
}

} // namespace detail

[[nodiscard, gnu::always_inline]] constexpr std::optional<DateText>
readDateText(std::string_view text) noexcept {
  const char* p = text.data();
  const char* e = p + text.size();
  while (p < e && isDateBlank(*p)) {
    ++p;
  }
  while (e > p && isDateBlank(e[-1])) {
    --e;
  }
  DateText t;
  const char* const start = p;
  // Nearly every date has four digits of year and two of month and day.
  const auto digit = [&](int i) { return static_cast<unsigned>(start[i] - '0'); };
  if (e - p >= 10 && p[4] == '-' && p[7] == '-' && digit(0) < 10 && digit(1) < 10 &&
      digit(2) < 10 && digit(3) < 10 && digit(5) < 10 && digit(6) < 10 && digit(8) < 10 &&
      digit(9) < 10 && (e - p == 10 || isDateBlank(p[10]))) {
    t.year = digit(0) * 1000 + digit(1) * 100 + digit(2) * 10 + digit(3);
    t.month = static_cast<int>(digit(5) * 10 + digit(6));
    t.day = static_cast<int>(digit(8) * 10 + digit(9));
    t.yearText = {p, 4};
    t.written = digit(0) == 0 ? 0 : 10;
    p += 10;
  } else {
    std::int64_t year = 0;
    std::int64_t month = 0;
    std::int64_t day = 0;
    const char* q = detail::readDigits(p, e, kDateTextYearLimit, year);
    if (q == p || q == e || *q != '-') {
      return std::nullopt;
    }
    t.yearText = {p, static_cast<std::size_t>(q - p)};
    const char* const monthStart = q + 1;
    q = detail::readDigits(monthStart, e, kDateTextFieldLimit, month);
    if (q == monthStart || q == e || *q != '-') {
      return std::nullopt;
    }
    const char* const dayStart = q + 1;
    q = detail::readDigits(dayStart, e, kDateTextFieldLimit, day);
    if (q == dayStart || (q < e && !isDateBlank(*q))) {
      return std::nullopt;
    }
    t.year = year;
    t.month = static_cast<int>(month);
    t.day = static_cast<int>(day);
    const bool twoDigits = dayStart - monthStart == 3 && q - dayStart == 2;
    t.written = twoDigits && *p != '0' ? static_cast<std::size_t>(q - p) : 0;
    p = q;
  }
  while (p < e && isDateBlank(*p)) {
    ++p;
  }
  t.eraWord = {p, static_cast<std::size_t>(e - p)};
  return t;
}

static_assert(readDateText(" 2000-01-01 bce")->eraWord == "bce");
static_assert(readDateText("12-3-4")->written == 0 && readDateText("12-03-04")->written == 8);
static_assert(!readDateText("2000-01") && !readDateText("-5-1-1") && !readDateText("2000-1-1x"));

} // namespace glyphbox::maya
