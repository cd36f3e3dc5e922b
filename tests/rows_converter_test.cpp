// The converter against the straightforward conversion of the window's
// engine, and its quick reader against the general readers.

#include <glyphbox/rows/converter.h>
#include <glyphbox/testing/reference.h>

#include "digits.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <unistd.h>

namespace glyphbox::rows {
namespace {

using testing::ReferenceFormat;
using testing::ReferenceResult;

// Everything written to a temporary file; the file is closed.
std::string readAndClose(std::FILE* f) {
  std::string text;
  std::rewind(f);
  char buf[1 << 16];
  std::size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    text.append(buf, n);
  }
  std::fclose(f);
  return text;
}

// Runs the fast path over `inputs` and returns what it wrote to standard
// output and standard error (two temporary files).
std::pair<std::string, std::string> fastPath(const std::vector<std::string>& inputs,
                                             ReferenceFormat format) {
  std::FILE* outFile = std::tmpfile();
  std::FILE* errFile = std::tmpfile();
  {
    Output out(fileno(outFile), fileno(errFile));
    ConversionSettings settings;
    settings.reckoning = Reckoning::ofWindow();
    settings.format = format == ReferenceFormat::Tsv ? OutputFormat::Tsv : OutputFormat::Plain;
    Converter converter(out, settings);
    long long number = 0;
    for (const auto& input : inputs) {
      converter.convert(input, Origin{Origin::Kind::Line, ++number});
    }
    EXPECT_TRUE(out.flush());
  }
  return {readAndClose(outFile), readAndClose(errFile)};
}

// Compares two long outputs line by line, so that a failure names the first
// differing line rather than printing (and diffing) megabytes.
void expectSameLines(const std::string& actual, const std::string& expected, const char* what) {
  std::size_t a = 0;
  std::size_t b = 0;
  while (a < actual.size() || b < expected.size()) {
    const std::size_t ea = actual.find('\n', a);
    const std::size_t eb = expected.find('\n', b);
    ASSERT_EQ(actual.substr(a, ea - a), expected.substr(b, eb - b)) << what;
    if (ea == std::string::npos || eb == std::string::npos) {
      ASSERT_EQ(ea, eb) << what; // one output ends before the other
      break;
    }
    a = ea + 1;
    b = eb + 1;
  }
}

void expectSameAsReference(const std::vector<std::string>& inputs, const char* what) {
  for (const ReferenceFormat format : {ReferenceFormat::Plain, ReferenceFormat::Tsv}) {
    std::string out;
    std::string err;
    long long number = 0;
    for (const auto& input : inputs) {
      const ReferenceResult r =
          testing::referenceConvert(input, Origin{Origin::Kind::Line, ++number}, format);
      out += r.out;
      err += r.err;
    }
    const auto [fastOut, fastErr] = fastPath(inputs, format);
    expectSameLines(fastOut, out, what);
    expectSameLines(fastErr, err, what);
  }
  std::printf("[ compared ] %s: %zu lines in each of two formats\n", what, inputs.size());
}

std::vector<std::string> everyDayOf(long long firstYear, long long lastYear) {
  static const int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  std::vector<std::string> lines;
  char text[48];
  for (const char* era : {"", " BCE"}) {
    for (long long y = firstYear; y <= lastYear; ++y) {
      for (int m = 1; m <= 12; ++m) {
        // Day 29 of February is offered whatever the year: a refused one is
        // compared too.
        for (int d = 1; d <= kDays[m - 1]; ++d) {
          std::snprintf(text, sizeof text, "%lld-%02d-%d%s", y, m, d, era);
          lines.emplace_back(text);
        }
      }
    }
  }
  return lines;
}

TEST(FastPath, EveryDayOfYearsZeroTo3200InBothEras) {
  expectSameAsReference(everyDayOf(0, 3200), "years 0 to 3200");
}

TEST(FastPath, YearsAroundTheLongCountLimitAndTheLargestYear) {
  // The baktun place overflows at 144000 x 32768 days, near year 12,918,000 CE.
  std::vector<std::string> lines = everyDayOf(12917990, 12918010);
  for (const std::string& s : everyDayOf(2147483640, 2147483647)) {
    lines.push_back(s);
  }
  expectSameAsReference(lines, "years at the limits");
}

TEST(FastPath, MalformedAndRefusedLines) {
  const std::vector<std::string> lines = {
      "",
      "   ",
      "hello",
      "2000",
      "2000-01",
      "2000-1-1-1",
      "-5-1-1",
      "-",
      "2000/01/01",
      "2000-01-01x",
      "2000-13-01",
      "2000-00-10",
      "2001-02-29",
      "1900-02-29",
      "2000-04-31",
      "2000-01-00",
      "2147483648-01-01",
      "99999999999999999999-01-01",
      "2000-01-01 AD",
      "2000-1-1 CE BCE",
      "99999999-01-01",
      "99999999999-1-1 AD",
      std::string("2000-01-01\0zz", 13),
      "\xff\xfe\x01",
      "\"quoted\\\"",
      std::string(200, 'x'),
      " \t2000-01-01 ce\t ",
      "0-2-29 bce",
      "0000000000000000002000-3-1",
      "2000-001-001",
      "2000-1-099",
  };
  expectSameAsReference(lines, "malformed lines");
}

} // namespace
} // namespace glyphbox::rows

namespace glyphbox::rows {
namespace {

// Under a correlation, a date read by the quick reader is written exactly as
// the general readers have it, in every format, calendar, spelling and numbering.
std::string convertAll(const std::vector<std::string>& inputs, const ConversionSettings& settings,
                       bool fast) {
  std::FILE* file = std::tmpfile();
  {
    Output out(fileno(file), fileno(file));
    Converter converter(out, settings);
    converter.useQuickReader(fast);
    converter.writeHeader();
    long long number = 0;
    for (const auto& input : inputs) {
      converter.convert(input, Origin{Origin::Kind::Line, ++number});
    }
    EXPECT_TRUE(out.flush());
  }
  return readAndClose(file);
}

TEST(ScholarlyFastPath, WritesWhatTheGeneralPathWrites) {
  std::vector<std::string> inputs = everyDayOf(1, 12);
  for (const std::string& s : everyDayOf(1581, 1583)) {
    inputs.push_back(s);
  }
  for (const std::string& s : everyDayOf(3112, 3115)) {
    inputs.push_back(s);
  }
  // Century years, where the Gregorian and Julian leap rules part (101 BCE
  // is the astronomical year -100), and the edge of the years the fast path
  // converts without shifting by whole cycles.
  for (const long long year : {100, 101, 400, 401, 1700, 1900, 29999, 30000, 30001}) {
    for (const std::string& s : everyDayOf(year, year)) {
      inputs.push_back(s);
    }
  }
  for (const char* odd : {"0-1-1", "0001-01-01", "999999999999-12-31", "1000000000000-1-1",
                          "1582-10-10", "2000-02-30", "2012-12-21 bce", "2012-12-21 Ce", "x"}) {
    inputs.emplace_back(odd);
  }
  long long compared = 0;
  for (const auto& correlation : {"gmt", "martin-skidmore", "600000"}) {
    for (const auto calendar :
         {maya::Calendar::Gregorian, maya::Calendar::Julian, maya::Calendar::Historical}) {
      for (const auto format :
           {OutputFormat::Plain, OutputFormat::Tsv, OutputFormat::Csv, OutputFormat::Json}) {
        for (const auto spelling : {maya::Spelling::Colonial, maya::Spelling::Modern}) {
          for (const auto haab : {maya::HaabNumbering::Seating0, maya::HaabNumbering::Window1}) {
            ConversionSettings s;
            s.reckoning = Reckoning::of(maya::parseCorrelation(correlation).value);
            s.calendar = calendar;
            s.format = format;
            s.spelling = spelling;
            s.haabDays = haab;
            const std::string what = std::string(correlation) + " " +
                                     std::string(calendarName(calendar)) + " format " +
                                     std::to_string(static_cast<int>(format));
            expectSameLines(convertAll(inputs, s, true), convertAll(inputs, s, false),
                            what.c_str());
            if (::testing::Test::HasFatalFailure()) {
              return;
            }
            compared += static_cast<long long>(inputs.size());
          }
        }
      }
    }
  }
  std::printf("[ compared ] %lld conversions under correlations\n", compared);
}

TEST(ScholarlyFastPath, EveryYearItConvertsDirectlyAgreesWithTheCalendarLibraries) {
  // The days where the year's arithmetic shows: the first, both ends of
  // February and the last, of every year from 30001 BCE to 30001 CE.
  std::vector<std::string> inputs;
  char text[48];
  for (const char* era : {"", " BCE"}) {
    for (int y = 1; y <= 30001; ++y) {
      for (const char* day : {"01-01", "02-28", "02-29", "03-01", "12-31"}) {
        std::snprintf(text, sizeof text, "%d-%s%s", y, day, era);
        inputs.emplace_back(text);
      }
    }
  }
  for (const auto calendar :
       {maya::Calendar::Gregorian, maya::Calendar::Julian, maya::Calendar::Historical}) {
    ConversionSettings s;
    s.reckoning = Reckoning::of(maya::parseCorrelation("gmt").value);
    s.calendar = calendar;
    s.format = OutputFormat::Tsv;
    expectSameLines(convertAll(inputs, s, true), convertAll(inputs, s, false),
                    std::string(calendarName(calendar)).c_str());
  }
}

TEST(DigitWriter, WritesWhatToCharsWritesAtEveryLength) {
  // Each length has its own way through the writer (four, eight or more
  // digits at once, the leading zeros cut by shifting): both ends of every
  // length, both signs, and the 64-bit extremes.
  std::vector<std::int64_t> values = {0, INT64_MAX, INT64_MIN, INT64_MIN + 1};
  for (std::int64_t p = 1; p <= INT64_MAX / 10; p *= 10) {
    for (const std::int64_t v : {p - 1, p, p + 1, 2 * p - 1, 5 * p + 3, 10 * p - 1}) {
      values.push_back(v);
      values.push_back(-v);
    }
  }
  for (const std::int64_t v : values) {
    char expected[24];
    const auto end = std::to_chars(expected, expected + sizeof expected, v).ptr;
    char written[40]; // the writer may store up to eight bytes past its digits
    const char* const stop = digits::putInt(written, v);
    const char* const start = written;
    EXPECT_EQ(std::string(start, stop), std::string(expected, end)) << v;
  }
}

} // namespace
} // namespace glyphbox::rows
