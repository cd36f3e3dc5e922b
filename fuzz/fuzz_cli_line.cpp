// Fuzzes the command-line converter's line handling: parsing, validation and
// conversion of one date, checked against an independent reading of the line
// and, for dates near the epoch, against day-by-day stepping.

#include <glyphbox/engine/maya_date.h>
#include <glyphbox/rows/converter.h>
#include <glyphbox/rows/output.h>
#include <glyphbox/runtime/conversions.h>
#include <glyphbox/testing/reference.h>
#include <glyphbox/testing/stepping.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "memory_files.h"

namespace {

// The window's own arithmetic, which the straightforward conversion checks.
glyphbox::rows::ConversionSettings windowSettings() {
  glyphbox::rows::ConversionSettings s;
  s.reckoning = glyphbox::rows::Reckoning::ofWindow();
  return s;
}

using glyphbox::rows::InputError;

bool digit(char c) { return c >= '0' && c <= '9'; }
bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

struct Expected {
  Expected() = default;
  explicit Expected(InputError e) : error(e) {}
  InputError error = InputError::None;
  std::string year;
  long long month = 0;
  long long day = 0;
  bool bce = false;
};

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

long long small(const std::string& digits) { // saturates at 1000
  long long v = 0;
  for (char c : digits)
    v = std::min(1000LL, v * 10 + (c - '0'));
  return v;
}

// YEAR-MONTH-DAY [blanks ERA], blanks around the whole line allowed.
Expected reference(std::string_view line) {
  while (!line.empty() && blank(line.front()))
    line.remove_prefix(1);
  while (!line.empty() && blank(line.back()))
    line.remove_suffix(1);
  Expected e;
  std::string fields[3];
  std::size_t i = 0;
  for (int f = 0; f < 3; ++f) {
    while (i < line.size() && digit(line[i]))
      fields[f] += line[i++];
    if (fields[f].empty())
      return Expected{InputError::NotADate};
    if (f < 2) {
      if (i >= line.size() || line[i] != '-')
        return Expected{InputError::NotADate};
      ++i;
    }
  }
  std::string word;
  if (i < line.size()) {
    if (!blank(line[i]))
      return Expected{InputError::NotADate};
    std::string_view era = line.substr(i);
    while (!era.empty() && blank(era.front()))
      era.remove_prefix(1);
    word = lower(era);
  }
  std::string year = fields[0];
  while (year.size() > 1 && year.front() == '0')
    year.erase(0, 1);
  if (year.size() > 10 || (year.size() == 10 && year > "2147483647")) {
    return Expected{InputError::YearOutOfRange};
  }
  e.year = fields[0];
  e.month = small(fields[1]);
  e.day = small(fields[2]);
  if (e.month < 1 || e.month > 12)
    return Expected{InputError::MonthOutOfRange};
  const long long y = std::stoll(year);
  const bool leap = y % 4 == 0 && (y % 100 != 0 || y % 400 == 0);
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const int days = e.month == 2 && leap ? 29 : kDays[e.month - 1];
  if (e.day < 1 || e.day > days)
    return Expected{InputError::DayOutOfRange};
  // The era is the last field read, so its fault is reported last.
  if (word == "bce")
    e.bce = true;
  else if (!word.empty() && word != "ce")
    return Expected{InputError::UnknownEra};
  return e;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  if (line.find('\n') != std::string_view::npos) {
    return 0; // one line at a time; the stream splits lines before this point
  }
  const auto parsed = glyphbox::rows::parseDate(line);
  const Expected expected = reference(line);
  if (parsed.error != expected.error)
    std::abort();
  if (parsed.error == InputError::None) {
    if (parsed.date.yearText != expected.year || parsed.date.month != expected.month ||
        parsed.date.day != expected.day ||
        (parsed.date.era == glyphbox::engine::Era::BCE) != expected.bce) {
      std::abort();
    }
  }

  // The whole conversion through the fast path: it must never crash, must
  // write exactly what the straightforward conversion writes, and a date near
  // the epoch must agree with day-by-day stepping.
  static const glyphbox::fuzzing::MemoryFiles files;
  files.clear();
  const glyphbox::rows::Origin origin{glyphbox::rows::Origin::Kind::Line, 7};
  bool converted = false;
  {
    glyphbox::rows::Output out(files.out, files.err);
    glyphbox::rows::Converter converter(out, windowSettings());
    converted = converter.convert(line, origin);
    out.flush();
  }
  // Long Counts, JDNs and "today" are other inputs than dates: the
  // straightforward conversion knows dates only, so it has nothing to say.
  if (glyphbox::rows::isOtherInputForm(line)) {
    return 0;
  }
  const auto reference =
      glyphbox::testing::referenceConvert(line, origin, glyphbox::testing::ReferenceFormat::Plain);
  if (glyphbox::fuzzing::contents(files.out) != reference.out ||
      glyphbox::fuzzing::contents(files.err) != reference.err)
    std::abort();
  if (converted != reference.err.empty())
    std::abort();
  if (converted) {
    const auto date = glyphbox::engine::calculateMayaDate(
        glyphbox::runtime::valueOfText(parsed.date.yearText), parsed.date.era,
        glyphbox::engine::Int16(static_cast<std::int16_t>(parsed.date.month)),
        glyphbox::engine::Int16(static_cast<std::int16_t>(parsed.date.day)));
    const double n = date.counts.dayCount;
    if (n >= 0 && n <= 200000) {
      if (glyphbox::testing::stepping::steppedTzolkin(n, date.longCount.kin) != date.tzolkin ||
          glyphbox::testing::stepping::steppedHaab(n) != date.haab) {
        std::abort();
      }
    }
  } else if (!reference.out.empty()) {
    std::abort(); // a refused date writes nothing to standard output
  }
  return 0;
}
