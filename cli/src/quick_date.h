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

// Reads `s` in the form above, with at most kMaxYearDigits digits of year.
// Returns false, with `d` unspecified, for anything else.
template <int kMaxYearDigits> inline bool readQuickDate(std::string_view s, QuickDate& d) noexcept {
  static_assert(kMaxYearDigits <= 19, "the year is read into 64 bits");
  // The shortest date, "Y-M-D", has five bytes; the year leaves at least
  // "-M-D" after it, so its loop needs one bound only.
  if (s.size() < 5) {
    return false;
  }
  const char* p = s.data();
  const char* const e = p + s.size();
  const char* const yearStart = p;
  std::uint64_t year = 0; // unsigned: a long run of digits wraps harmlessly before it is refused
  for (const char* const last = e - 4; p < last; ++p) {
    const unsigned v = static_cast<unsigned>(*p - '0');
    if (v >= 10) {
      break;
    }
    year = year * 10 + v;
  }
  if (p == yearStart || p - yearStart > kMaxYearDigits || *p != '-') {
    return false;
  }
  // At least "M-D" follows the '-'.
  unsigned month = static_cast<unsigned>(p[1] - '0');
  const unsigned month2 = static_cast<unsigned>(p[2] - '0');
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
  unsigned day = static_cast<unsigned>(p[1] - '0');
  if (day >= 10) {
    return false;
  }
  p += 2;
  bool dayPadded = false;
  if (p < e) {
    if (const unsigned v = static_cast<unsigned>(*p - '0'); v < 10) {
      day = day * 10 + v;
      ++p;
      dayPadded = true;
    }
  }
  const auto dateLength = static_cast<std::uint8_t>(p - yearStart);
  bool bce = false;
  switch (e - p) {
  case 0:
    break;
  case 3:
    if (p[0] != ' ' || (p[1] | 0x20) != 'c' || (p[2] | 0x20) != 'e') {
      return false;
    }
    break;
  case 4:
    if (p[0] != ' ' || (p[1] | 0x20) != 'b' || (p[2] | 0x20) != 'c' || (p[3] | 0x20) != 'e') {
      return false;
    }
    bce = true;
    break;
  default:
    return false;
  }
  d.year = static_cast<std::int64_t>(year);
  d.month = static_cast<int>(month);
  d.day = static_cast<int>(day);
  d.bce = bce;
  d.leadingZero = *yearStart == '0';
  d.padded = monthPadded && dayPadded;
  d.dateLength = dateLength;
  return true;
}

} // namespace glyphbox::cli
