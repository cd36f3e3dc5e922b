#pragma once

// The form nearly every input line has, read in one pass: the year's
// digits, '-', one or two digits of month, '-', one or two digits of day,
// then nothing, " CE" or " BCE" in any case, with no blanks around. Both
// converters read it first and leave everything else (blanks, long digit
// runs, every fault) to their general readers, which word the faults.

#include <cstdint>
#include <string_view>

namespace glyphbox::cli {

struct QuickDate {
  std::int64_t year = 0; // as typed, before the era
  int month = 0;         // 1 to 12
  int day = 0;           // 0 to 99: its month is for the caller to check
  bool bce = false;
  bool leadingZero = false; // the year's text starts with 0
  // The month and the day were typed with two digits each, so the text's
  // first `dateLength` bytes ("Y-MM-DD") are the date as it is written out.
  bool padded = false;
  std::uint8_t dateLength = 0;
};

// The era after a date's `p`: nothing, " CE" or " BCE" in any case. False
// for anything else.
[[gnu::always_inline]] inline bool readQuickEra(const char* p, const char* e, bool& bce) noexcept {
  bce = false;
  switch (e - p) {
  case 0:
    return true;
  case 3:
    return p[0] == ' ' && (p[1] | 0x20) == 'c' && (p[2] | 0x20) == 'e';
  case 4:
    bce = true;
    return p[0] == ' ' && (p[1] | 0x20) == 'b' && (p[2] | 0x20) == 'c' && (p[3] | 0x20) == 'e';
  default:
    return false;
  }
}

// The value 0 to 9 of a decimal digit, or 10 or more for any other byte.
[[gnu::always_inline]] inline unsigned digitValue(char c) noexcept {
  return static_cast<unsigned>(c - '0');
}

// Reads `s` in the form above, with at most kMaxQuickYearDigits digits of
// year. Returns false, with `d` unspecified, for anything else.
inline constexpr int kMaxQuickYearDigits = 12; // the scholarly calendars' largest years
[[gnu::always_inline]] inline bool readQuickDate(std::string_view s, QuickDate& d) noexcept {
  const char* p = s.data();
  const char* const e = p + s.size();
  // Nearly every date has four digits of year and two of month and day.
  if (s.size() >= 10 && p[4] == '-' && p[7] == '-') {
    const unsigned digits[8] = {digitValue(p[0]), digitValue(p[1]), digitValue(p[2]),
                                digitValue(p[3]), digitValue(p[5]), digitValue(p[6]),
                                digitValue(p[8]), digitValue(p[9])};
    bool allDigits = true;
    for (const unsigned v : digits) {
      allDigits = allDigits && v < 10;
    }
    const unsigned month = digits[4] * 10 + digits[5];
    if (allDigits && month - 1 < 12 && readQuickEra(p + 10, e, d.bce)) {
      d.year = digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3];
      d.month = static_cast<int>(month);
      d.day = static_cast<int>(digits[6] * 10 + digits[7]);
      d.leadingZero = p[0] == '0';
      d.padded = true;
      d.dateLength = 10;
      return true;
    }
  }
  // The shortest date, "Y-M-D", has five bytes; the year leaves at least
  // "-M-D" after it, so its loop needs one bound only.
  if (s.size() < 5) {
    return false;
  }
  const char* const yearStart = p;
  std::uint64_t year = 0; // unsigned: a long run of digits wraps harmlessly before it is refused
  for (const char* const last = e - 4; p < last; ++p) {
    const unsigned v = digitValue(*p);
    if (v >= 10) {
      break;
    }
    year = year * 10 + v;
  }
  if (p == yearStart || p - yearStart > kMaxQuickYearDigits || *p != '-') {
    return false;
  }
  // At least "M-D" follows the '-'.
  unsigned month = digitValue(p[1]);
  const unsigned month2 = digitValue(p[2]);
  if (month >= 10) {
    return false;
  }
  p += 2;
  const bool monthPadded = month2 < 10;
  if (monthPadded) {
    month = month * 10 + month2;
    ++p;
  }
  if (e - p < 2 || *p != '-' || month - 1 >= 12) {
    return false;
  }
  unsigned day = digitValue(p[1]);
  if (day >= 10) {
    return false;
  }
  p += 2;
  bool dayPadded = false;
  if (p < e) {
    if (const unsigned v = digitValue(*p); v < 10) {
      day = day * 10 + v;
      ++p;
      dayPadded = true;
    }
  }
  d.dateLength = static_cast<std::uint8_t>(p - yearStart);
  if (!readQuickEra(p, e, d.bce)) {
    return false;
  }
  d.year = static_cast<std::int64_t>(year);
  d.month = static_cast<int>(month);
  d.day = static_cast<int>(day);
  d.leadingZero = *yearStart == '0';
  d.padded = monthPadded && dayPadded;
  return true;
}

} // namespace glyphbox::cli
