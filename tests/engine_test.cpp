#include <glyphbox/engine/maya_date.h>
#include <glyphbox/engine/window_dates.h>
#include <glyphbox/runtime/error.h>
#include <glyphbox/testing/stepping.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include <limits>
#include <optional>
#include <string>

namespace glyphbox::engine {
namespace {

using runtime::ErrorKind;
using runtime::RuntimeError;
namespace stepping = testing::stepping;

std::optional<ErrorKind> errorOf(auto&& call) {
  try {
    call();
  } catch (const RuntimeError& e) {
    return e.kind();
  }
  return std::nullopt;
}

struct Date {
  double year;
  Era era;
  int month;
  int day;
};

DayCounts countsOf(Date d) {
  return computeDayCounts(d.year, d.era, Int16(static_cast<std::int16_t>(d.month)),
                          Int16(static_cast<std::int16_t>(d.day)));
}

// --- Month table and leap-year rule -----------------------------------------

TEST(LeapYearRule, FollowsTheGregorianRuleForTheYearAsTyped) {
  struct Case {
    const char* text;
    bool leap;
  };
  const Case cases[] = {{"2000", true}, {"2004", true}, {"1900", false}, {"2001", false},
                        {"0", true},    {"4", true},    {"2", false},    {"20", true},
                        {"200", false}, {"0400", true}, {"2100", false}, {"2147483647", false}};
  for (const auto& c : cases) {
    CalendarState state;
    state.applyYearText(c.text);
    EXPECT_EQ(state.leapYear, c.leap ? kTrue : kFalse) << c.text;
  }
}

TEST(LeapYearRule, TextThatIsNotAWholeNumberRaises) {
  CalendarState state;
  EXPECT_EQ(errorOf([&] { state.applyYearText("20a0"); }), ErrorKind::TypeMismatch);
  EXPECT_EQ(errorOf([&] { state.applyYearText("2147483648"); }), ErrorKind::Overflow);
  EXPECT_EQ(state.leapYear, kFalse);
}

TEST(MonthLookup, GivesNumberAndLengthOfEveryMonth) {
  const int common[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (const char* year : {"1997", "1996"}) {
    CalendarState state;
    state.applyYearText(year);
    for (int m = 1; m <= 12; ++m) {
      ASSERT_TRUE(state.applyMonthText(kMonthNames[static_cast<std::size_t>(m - 1)]));
      EXPECT_EQ(state.monthNum, Int16(static_cast<std::int16_t>(m)));
      const int expected = (m == 2 && std::string(year) == "1996") ? 29 : common[m - 1];
      EXPECT_EQ(state.daysInMonth.value(), expected) << year << ' ' << m;
    }
  }
}

TEST(MonthLookup, FebruaryFollowsTheLeapStateAtTheTimeOfTheLookup) {
  CalendarState state;
  state.applyMonthText("February");
  EXPECT_EQ(state.daysInMonth.value(), 28); // no year seen yet: not a leap year
  state.applyYearText("1996");
  EXPECT_EQ(state.daysInMonth.value(), 28); // the year alone does not change it
  state.applyMonthText("February");
  EXPECT_EQ(state.daysInMonth.value(), 29);
  state.applyYearText("1997");
  state.applyMonthText("February");
  EXPECT_EQ(state.daysInMonth.value(), 28);
}

TEST(MonthLookup, UnknownTextChangesNothing) {
  CalendarState state;
  state.applyMonthText("April");
  for (const char* text : {"", "april", "APRIL", "Sept", "January ", "Mai"}) {
    EXPECT_FALSE(state.applyMonthText(text)) << '"' << text << '"';
    EXPECT_EQ(state.monthNum.value(), 4);
    EXPECT_EQ(state.daysInMonth.value(), 30);
  }
}

// --- Day count ----------------------------------------------------------------

TEST(DayCount, AnchorDates) {
  struct Case {
    Date date;
    double dayCount;
    double cycleDayCount;
  };
  const Case cases[] = {
      {{2000, Era::CE, 1, 1}, 1867261, 1867261},   {{3114, Era::BCE, 8, 13}, 0, 0},
      {{3114, Era::BCE, 8, 11}, -2, 1871998},      {{3114, Era::BCE, 8, 12}, -1, 1871999},
      {{2012, Era::CE, 12, 21}, 1871998, 1871998}, {{2012, Era::CE, 12, 23}, 1872000, 1872000},
      {{2012, Era::CE, 12, 24}, 1872001, 1},       {{5000, Era::CE, 1, 1}, 2962988, 1090988},
      {{10000, Era::CE, 1, 1}, 4789201, 2917201},  {{2000, Era::CE, 2, 29}, 1867320, 1867320},
      {{2000, Era::CE, 3, 1}, 1867320, 1867320},   {{1999, Era::CE, 2, 28}, 1866953, 1866953},
      {{1999, Era::CE, 3, 1}, 1866955, 1866955},
  };
  for (const auto& c : cases) {
    const DayCounts counts = countsOf(c.date);
    EXPECT_EQ(counts.dayCount, c.dayCount)
        << c.date.year << '-' << c.date.month << '-' << c.date.day;
    EXPECT_EQ(counts.cycleDayCount, c.cycleDayCount) << c.date.year << '-' << c.date.month;
  }
}

// Within one March-based year (1 March to the end of February) every next day
// counts one more; only the step from February to March may repeat or skip.
TEST(DayCount, ConsecutiveDatesDifferByOneExceptIntoMarch) {
  for (const Era era : {Era::BCE, Era::CE}) {
    for (int year = 1; year <= 4000; ++year) {
      CalendarState state;
      state.applyYearText(std::to_string(year));
      double previous = countsOf({double(year), era, 1, 1}).dayCount - 1;
      for (int m = 1; m <= 12; ++m) {
        state.applyMonthText(kMonthNames[static_cast<std::size_t>(m - 1)]);
        for (int d = 1; d <= state.daysInMonth.value(); ++d) {
          const double count = countsOf({double(year), era, m, d}).dayCount;
          if (m == 3 && d == 1) {
            ASSERT_GE(count - previous, 0) << year << ' ' << int(era);
            ASSERT_LE(count - previous, 2) << year << ' ' << int(era);
          } else {
            ASSERT_EQ(count - previous, 1) << year << '-' << m << '-' << d << ' ' << int(era);
          }
          previous = count;
        }
      }
    }
  }
}

TEST(DayCount, YearsMeetAcrossTheEras) {
  // 31 December 1 BCE is followed by 1 January 1 CE; 1 BCE counts as year -1.
  EXPECT_EQ(countsOf({1, Era::CE, 1, 1}).dayCount - countsOf({1, Era::BCE, 12, 31}).dayCount, 1);
  // The year 0 CE (an emptied year field) is the year before 1 CE.
  EXPECT_EQ(countsOf({1, Era::CE, 1, 1}).dayCount - countsOf({0, Era::CE, 12, 31}).dayCount, 1);
}

TEST(DayCount, FoldBringsEveryCountIntoOneCycleExceptFarFutureCounts) {
  struct Case {
    double in;
    double out;
  };
  const Case cases[] = {{0, 0},
                        {1872000, 1872000},
                        {1872001, 1},
                        {-1, 1871999},
                        {-1872000, 0},
                        {-1872001, 1871999},
                        {-5000 - 1872000.0 * 3, 1867000},
                        {3744001, 1872001},
                        {4789201, 2917201}};
  for (const auto& c : cases) {
    EXPECT_EQ(foldIntoCycle(c.in), c.out) << c.in;
  }
}

TEST(DayCount, SixteenBitStepsOverflow) {
  // The day of the shifted year is 16-bit arithmetic: 153 x month overflows
  // for a month far outside 1..12, and a day near the 16-bit limit overflows the sum.
  EXPECT_EQ(errorOf([] { (void)computeDayCounts(2000, Era::CE, Int16(300), Int16(1)); }),
            ErrorKind::Overflow);
  EXPECT_EQ(errorOf([] { (void)computeDayCounts(2000, Era::CE, Int16(12), Int16(32767)); }),
            ErrorKind::Overflow);
  EXPECT_EQ(errorOf([] { (void)computeDayCounts(1e308, Era::CE, Int16(12), Int16(1)); }),
            ErrorKind::FloatingPoint);
}

// --- Long Count ---------------------------------------------------------------

TEST(LongCount, AnchorCounts) {
  struct Case {
    double count;
    const char* text;
  };
  const Case cases[] = {{1867261, "12.19.6.15.1"},
                        {1871999, "12.19.19.17.19"},
                        {1872000, "13.0.0.0.0"},
                        {1, "13.0.0.0.1"},
                        {0, "13.0.0.0.0"},
                        {143999, "13.19.19.17.19"},
                        {144000, "1.0.0.0.0"},
                        {20, "13.0.0.1.0"},
                        {2016000, "14.0.0.0.0"},
                        {2917201, "20.5.3.6.1"},
                        {144000.0 * 32768 - 1, "32767.19.19.17.19"}};
  for (const auto& c : cases) {
    EXPECT_EQ(computeLongCount(c.count).text(), c.text) << c.count;
  }
}

TEST(LongCount, PlacesRebuildTheCountOverTwoGreatCycles) {
  for (double count = 0; count <= 2 * kGreatCycle; count += 1) {
    const LongCount lc = computeLongCount(count);
    const double baktun = lc.baktun == kZeroBaktunShownAs && count < kBaktunDays ? 0 : lc.baktun;
    ASSERT_LT(lc.katun, 20);
    ASSERT_LT(lc.tun, 20);
    ASSERT_LT(lc.uinal, 18);
    ASSERT_LT(lc.kin, 20);
    ASSERT_EQ(baktun * kBaktunDays + lc.katun * kKatunDays + lc.tun * kTunDays +
                  lc.uinal * kUinalDays + lc.kin,
              count);
  }
}

TEST(LongCount, BaktunPlaceOverflowsAtThirtyTwoThousandSevenHundredSixtyEight) {
  EXPECT_EQ(errorOf([] { (void)computeLongCount(kLongCountLimit - 1); }), std::nullopt);
  EXPECT_EQ(errorOf([] { (void)computeLongCount(kLongCountLimit); }), ErrorKind::Overflow);
  EXPECT_EQ(errorOf([] { (void)calculateMayaDate(99999999, Era::CE, Int16(1), Int16(1)); }),
            ErrorKind::Overflow);
}

// --- Tzolkin and Haab -----------------------------------------------------------

TEST(TzolkinHaab, AnchorCounts) {
  struct Case {
    double dayCount;
    int tzNumber;
    const char* tzName;
    int haabDay;
    const char* haabName;
  };
  const Case cases[] = {
      {0, 4, "Ahau", 8, "Cumku"},
      {1867261, 10, "Imix", 9, "Kankin"},
      {1872000, 4, "Ahau", 3, "Kankin"},
      {1872001, 5, "Imix", 4, "Kankin"},
      {12, 3, "Eb", 20, "Cumku"},
      {13, 4, "Ben", 1, "Uayeb"},
      {17, 8, "Caban", 5, "Uayeb"},
      {18, 9, "Etznab", 1, "Pop"},
      {10, 1, "Oc", 18, "Cumku"},
      // Before the epoch the cycles run backwards.
      {-1, 3, "Caunac", 7, "Cumku"},
      {-2, 2, "Etznab", 6, "Cumku"},
      {-365, 3, "Men", 8, "Cumku"},
      {-1872000 * 2.0 - 5, 12, "Men", 8, "Mol"},
  };
  for (const auto& c : cases) {
    const double kin = computeLongCount(foldIntoCycle(c.dayCount)).kin;
    const TzolkinDate tz = computeTzolkin(c.dayCount, kin);
    const HaabDate haab = computeHaab(c.dayCount);
    EXPECT_EQ(tz.number.value(), c.tzNumber) << c.dayCount;
    EXPECT_EQ(tz.name, c.tzName) << c.dayCount;
    EXPECT_EQ(haab.day.value(), c.haabDay) << c.dayCount;
    EXPECT_EQ(haab.name, c.haabName) << c.dayCount;
  }
}

// The direct computation must give exactly what stepping one day at a time
// from the epoch gives. One incremental walk covers every count up to past two
// great cycles.
TEST(TzolkinHaab, DirectComputationEqualsDayByDayStepping) {
  constexpr double kLast = 4'000'000;
  stepping::TzolkinStepper tz;
  stepping::HaabStepper haab;
  for (double n = 0; n <= kLast; n += 1) {
    const double kin = computeLongCount(foldIntoCycle(n)).kin;
    const TzolkinDate direct = computeTzolkin(n, kin);
    const HaabDate directHaab = computeHaab(n);
    ASSERT_EQ(direct.number, tz.number) << n;
    ASSERT_EQ(direct.name, kTzolkinNames[static_cast<std::size_t>(kin)]) << n;
    ASSERT_EQ(directHaab.day, haab.day) << n;
    ASSERT_EQ(directHaab.month, haab.month) << n;
    ASSERT_EQ(directHaab.name, kHaabMonthNames[static_cast<std::size_t>(haab.month.value() - 1)])
        << n;
    tz.step();
    haab.step();
  }
}

TEST(TzolkinHaab, SteppingFunctionsAgreeWithDirectComputationAtSamples) {
  for (const double n : {0.0, 1.0, 364.0, 365.0, 1867261.0, 1872001.0}) {
    const double kin = computeLongCount(foldIntoCycle(n)).kin;
    EXPECT_EQ(stepping::steppedTzolkin(n, kin), computeTzolkin(n, kin)) << n;
    EXPECT_EQ(stepping::steppedHaab(n), computeHaab(n)) << n;
  }
}

// Before the epoch each day is still the day after the one before it.
TEST(TzolkinHaab, DaysBeforeTheEpochStepIntoTheEpoch) {
  for (double n = -20000; n < 0; n += 1) {
    stepping::TzolkinStepper tz{computeTzolkin(n, 0).number};
    const HaabDate before = computeHaab(n);
    stepping::HaabStepper haab{before.day, before.month};
    tz.step();
    haab.step();
    ASSERT_EQ(tz.number, computeTzolkin(n + 1, 0).number) << n;
    ASSERT_EQ(haab.day, computeHaab(n + 1).day) << n;
    ASSERT_EQ(haab.month, computeHaab(n + 1).month) << n;
  }
}

// --- The whole calculation ------------------------------------------------------

TEST(MayaDate, FarPastDatesAreWellFormed) {
  struct Case {
    Date date;
    const char* longCount;
  };
  const Case cases[] = {
      {{8200, Era::BCE, 1, 1}, nullptr},
      {{100000, Era::BCE, 6, 15}, nullptr},
      {{2147483647, Era::BCE, 12, 31}, nullptr},
      {{3114, Era::BCE, 8, 11}, "12.19.19.17.18"},
  };
  for (const auto& c : cases) {
    const MayaDate m =
        calculateMayaDate(c.date.year, c.date.era, Int16(static_cast<std::int16_t>(c.date.month)),
                          Int16(static_cast<std::int16_t>(c.date.day)));
    EXPECT_GE(m.counts.cycleDayCount, 0) << c.date.year;
    EXPECT_LE(m.counts.cycleDayCount, kGreatCycle) << c.date.year;
    EXPECT_GE(m.longCount.kin, 0);
    EXPECT_LT(m.longCount.kin, 20);
    EXPECT_FALSE(m.tzolkin.name.empty());
    EXPECT_EQ(m.longCount.text().find('-'), std::string::npos) << m.longCount.text();
    if (c.longCount != nullptr) {
      EXPECT_EQ(m.longCount.text(), c.longCount);
    }
  }
}

TEST(MayaDate, FirstOfJanuary2000) {
  const MayaDate m = calculateMayaDate(2000, Era::CE, Int16(1), Int16(1));
  EXPECT_EQ(m.longCount.text(), "12.19.6.15.1");
  EXPECT_EQ(m.tzolkin.number.value(), 10);
  EXPECT_EQ(m.tzolkin.name, "Imix");
  EXPECT_EQ(m.haab.day.value(), 9);
  EXPECT_EQ(m.haab.name, "Kankin");
}

// --- Every input of every public function ---------------------------------------

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Inputs outside what the window and the converter reach: each function
// either gives its stated result or raises the one error type, never
// undefined behaviour (the sanitizer build runs these too) and never a
// result that lost its precision silently.
TEST(TotalFunctions, EdgeInputsRaiseOrMeetTheContract) {
  struct Case {
    const char* what;
    std::function<void()> call;
    std::optional<ErrorKind> error;
  };
  const Case cases[] = {
      {"Long Count of -16384", [] { (void)computeLongCount(-16384); }, ErrorKind::InvalidArgument},
      {"Long Count of -1e30", [] { (void)computeLongCount(-1e30); }, ErrorKind::InvalidArgument},
      {"Long Count of -0.5", [] { (void)computeLongCount(-0.5); }, ErrorKind::InvalidArgument},
      {"Long Count of NaN", [] { (void)computeLongCount(kNaN); }, ErrorKind::FloatingPoint},
      {"Long Count of -inf", [] { (void)computeLongCount(-kInf); }, ErrorKind::FloatingPoint},
      {"Long Count of 1e30", [] { (void)computeLongCount(1e30); }, ErrorKind::Overflow},
      {"Long Count of 0", [] { (void)computeLongCount(0); }, std::nullopt},
      {"Tzolkin of NaN", [] { (void)computeTzolkin(kNaN, 0); }, ErrorKind::FloatingPoint},
      {"Tzolkin of inf", [] { (void)computeTzolkin(kInf, 0); }, ErrorKind::FloatingPoint},
      {"Tzolkin of 0.5", [] { (void)computeTzolkin(0.5, 0); }, ErrorKind::InvalidArgument},
      {"Tzolkin, NaN kin", [] { (void)computeTzolkin(1, kNaN); }, std::nullopt},
      {"Tzolkin of -1e300", [] { (void)computeTzolkin(-1e300, 0); }, std::nullopt},
      {"Haab of NaN", [] { (void)computeHaab(kNaN); }, ErrorKind::FloatingPoint},
      {"Haab of -inf", [] { (void)computeHaab(-kInf); }, ErrorKind::FloatingPoint},
      {"Haab of 1e300", [] { (void)computeHaab(1e300); }, std::nullopt},
      {"fold of NaN", [] { (void)foldIntoCycle(kNaN); }, ErrorKind::FloatingPoint},
      {"fold of -1e30", [] { (void)foldIntoCycle(-1e30); }, ErrorKind::Overflow},
      {"fold of 2^53", [] { (void)foldIntoCycle(kExactDayLimit); }, ErrorKind::Overflow},
      {"year 1e22 BCE", [] { (void)calculateMayaDate(1e22, Era::BCE, Int16(1), Int16(1)); },
       ErrorKind::Overflow},
      {"year 1e22 CE", [] { (void)calculateMayaDate(1e22, Era::CE, Int16(1), Int16(1)); },
       ErrorKind::Overflow},
      {"year NaN", [] { (void)calculateMayaDate(kNaN, Era::CE, Int16(1), Int16(1)); },
       ErrorKind::FloatingPoint},
      {"stepping NaN", [] { (void)stepping::steppedHaab(kNaN); }, ErrorKind::FloatingPoint},
      {"stepping 1e300", [] { (void)stepping::steppedTzolkin(1e300, 0); },
       ErrorKind::InvalidArgument},
      {"stepping -1e300", [] { (void)stepping::steppedHaab(-1e300); }, std::nullopt},
      {"days of month 0", [] { (void)daysInMonth(0, kFalse); }, ErrorKind::InvalidArgument},
      {"days of month 13", [] { (void)daysInMonth(13, kTrue); }, ErrorKind::InvalidArgument},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(errorOf(c.call), c.error) << c.what;
  }
}

TEST(TotalFunctions, ErrorsSayWhatWentWrong) {
  try {
    (void)computeLongCount(-16384);
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(), "Invalid argument: the Long Count needs a day count of 0 or more");
  }
  try {
    (void)calculateMayaDate(1e22, Era::BCE, Int16(1), Int16(1));
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_STREQ(e.what(),
                 "Overflow: the date lies too far from the epoch to count its days exactly");
  }
}

// The fold stays exact out to the edge of exact doubles, where a quotient
// of doubles would round to the wrong whole number of cycles.
TEST(TotalFunctions, FoldIsExactForTheLargestCounts) {
  for (const double count : {-9007199254740991.0, -9007199254740000.0, -4503599627370497.0,
                             -1872000.0 * 4811538000.0 - 1.0}) {
    const double folded = foldIntoCycle(count);
    EXPECT_GE(folded, 0) << count;
    EXPECT_LT(folded, kGreatCycle) << count;
    const auto expected = static_cast<long long>(count) % 1872000;
    EXPECT_EQ(folded, static_cast<double>(expected < 0 ? expected + 1872000 : expected)) << count;
  }
}

// Just inside the exact range the results are whole and well formed.
TEST(TotalFunctions, LargestCountableYearsGiveWellFormedDates) {
  for (const Era era : {Era::CE, Era::BCE}) {
    const MayaDate m = calculateMayaDate(era == Era::BCE ? 2e13 : 1e7, era, Int16(6), Int16(1));
    EXPECT_GE(m.longCount.kin, 0);
    EXPECT_LT(m.longCount.kin, 20);
    EXPECT_EQ(m.counts.dayCount, std::floor(m.counts.dayCount));
    EXPECT_FALSE(m.tzolkin.name.empty());
  }
}

} // namespace
} // namespace glyphbox::engine
