// The window's exact integer arithmetic against its double-precision
// definition, and the window's dates of a day.

#include <glyphbox/engine/window_dates.h>
#include <glyphbox/maya/civil.h>
#include <glyphbox/maya/long_count.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <tuple>

namespace glyphbox::engine {
namespace {

// The window adds y*365, the day of the year a and y/4 - y/100 + y/400 in
// doubles, left to right, and floors after adding 1721118.5; the exact value
// is a + 1721118.5 + 146097*y/400, whose fraction is a multiple of 1/400.
//
// Why the two floors agree for every year the year field takes (|y| < 2^31,
// so every intermediate is below 2^40 in size and a rounding costs at most
// 2^-13): when 146097*y + 200 is a multiple of 400 (y = 200 mod 400), y/4,
// y/100 and y/400 are exact in binary and so is every sum, hence no
// rounding at all; otherwise the exact value lies at least 1/400 above a
// whole number and at least 1/400 below the next, and the five roundings
// together (under 6.2e-4) cannot carry it across. The test checks every year
// where a converted date can have a Long Count, and every year of the form
// y = 200 mod 400 and a stride over the rest of the range.
long long doubleDayCount(long long year, Era era, int month, int day) {
  return static_cast<long long>(computeDayCounts(static_cast<double>(year), era,
                                                 Int16(static_cast<std::int16_t>(month)),
                                                 Int16(static_cast<std::int16_t>(day)))
                                    .dayCount);
}

TEST(WindowDayCount, EqualsTheWindowsDoubleArithmetic) {
#ifdef GLYPHBOX_SANITIZED
  constexpr long long kNearStep = 7; // the same walk, thinned, under the sanitizers
#else
  constexpr long long kNearStep = 1;
#endif
  struct Day {
    int month;
    int day;
  };
  // The first and last day of the March-based year, and one between.
  const Day days[] = {{3, 1}, {2, 29}, {8, 15}};
  long long checked = 0;
  auto check = [&](long long year) {
    for (const Era era : {Era::CE, Era::BCE}) {
      for (const Day& d : days) {
        ASSERT_EQ(windowDayCount(year, era, d.month, d.day),
                  doubleDayCount(year, era, d.month, d.day))
            << year << (era == Era::CE ? " CE " : " BCE ") << d.month << "-" << d.day;
        ++checked;
      }
    }
  };
  // Every year with a Long Count below the 16-bit baktun limit (about
  // 12.9 million CE), and as many years BCE.
  for (long long year = 0; year <= 13'000'000; year += kNearStep) {
    check(year);
  }
  // Every year whose shifted value is 200 mod 400, over the whole field: the
  // only ones whose exact day number is whole.
  // Year Y CE shifts to Y - 1 (Y - 2 in January and February) and Y BCE to
  // -Y (-Y - 1): years 199 to 202 mod 400 hold them all.
  for (long long year = 201; year + 1 <= kMaxYear; year += 400 * kNearStep) {
    for (long long near = year - 2; near <= year + 1; ++near) {
      check(near);
    }
  }
  // A stride over the rest, and the last years of the field.
  for (long long year = 13'000'000; year <= kMaxYear; year += 9973) {
    check(year);
  }
  for (long long year = kMaxYear - 100000; year <= kMaxYear; ++year) {
    check(year);
  }
  std::printf("[ compared ] %lld day counts\n", checked);
}

// Every day of the year in its month, against the double arithmetic: the
// integer form must not depend on the month in any other way.
TEST(WindowDayCount, EveryMonthAndDay) {
  for (const long long year : {0LL, 1LL, 4LL, 100LL, 1999LL, 2000LL, 3114LL, 4713LL, 12918000LL,
                               static_cast<long long>(kMaxYear)}) {
    for (const Era era : {Era::CE, Era::BCE}) {
      for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= 31; ++d) {
          ASSERT_EQ(windowDayCount(year, era, m, d), doubleDayCount(year, era, m, d))
              << year << " " << m << "-" << d;
        }
      }
    }
  }
}

// Every date of a span of years, both eras, where the fold and the
// February-March repeats and skips happen, is among the dates listed for
// its own Long Count, and every listed date shows that Long Count.
TEST(WindowDatesOf, ListsEveryDateShowingTheLongCountAndNoOther) {
  const auto shown = [](const WindowDate& w) {
    const std::int64_t folded = *windowFoldedCount(windowDayCount(w.year, w.era, w.month, w.day));
    return folded < maya::kBaktun ? folded + 13 * maya::kBaktun : folded; // 13 for baktun 0
  };
  std::set<std::int64_t> asked;
  for (const Era era : {Era::CE, Era::BCE}) {
    for (const std::int64_t year :
         {0, 1, 2, 3, 4, 1999, 2000, 2012, 3113, 3114, 3115, 8239, 9999}) {
      if (era == Era::BCE && year == 0) {
        continue;
      }
      for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= windowDaysInMonth(year, month); ++day) {
          const WindowDate date{year, month, day, era};
          const std::int64_t longCount = shown(date);
          const auto dates = windowDatesOf(longCount);
          ASSERT_NE(std::find(dates.begin(), dates.end(), date), dates.end())
              << year << (era == Era::CE ? " CE " : " BCE ") << month << "-" << day;
          if (asked.insert(longCount).second) {
            for (const WindowDate& listed : dates) {
              ASSERT_EQ(shown(listed), longCount) << listed.year << "-" << listed.month;
            }
            ASSERT_TRUE(
                std::is_sorted(dates.begin(), dates.end(), [](const auto& a, const auto& b) {
                  return windowDayCount(a.year, a.era, a.month, a.day) <
                         windowDayCount(b.year, b.era, b.month, b.day);
                }));
          }
        }
      }
    }
  }
}

TEST(WindowDatesOf, AnchorsAndCountsTheWindowNeverShows) {
  // 13.0.0.0.1: the count 1 and 13 baktuns plus 1, in three eras of the window's years.
  const auto dates = windowDatesOf(13 * maya::kBaktun + 1);
  std::vector<std::tuple<std::int64_t, int, int, Era>> got;
  for (const WindowDate& d : dates) {
    got.emplace_back(d.year, d.month, d.day, d.era);
  }
  const std::vector<std::tuple<std::int64_t, int, int, Era>> expected = {{8239, 4, 4, Era::BCE},
                                                                         {3114, 8, 14, Era::BCE},
                                                                         {2012, 12, 24, Era::CE},
                                                                         {7138, 5, 5, Era::CE}};
  EXPECT_EQ(got, expected);
  EXPECT_TRUE(windowDatesOf(5).empty()) << "a baktun of 0 is shown as 13";
  EXPECT_TRUE(windowDatesOf(-1).empty());
}

TEST(WindowDateOfJdn, IsTheGregorianDateAsTheYearFieldTakesIt) {
  // A walk over the turn of the eras and a few leap days the year field
  // and the astronomical year disagree on.
  for (std::int64_t jdn = 1'721'000; jdn <= 1'722'500; ++jdn) {
    const auto w = windowDateOfJdn(jdn);
    const auto civil = maya::fromJdn(jdn, maya::Calendar::Gregorian).value;
    const bool missing =
        civil.month == 2 && civil.day == 29 &&
        !isGregorianLeapYear(static_cast<std::int32_t>(maya::eraYearOf(civil.year).year));
    ASSERT_EQ(w.has_value(), !missing) << jdn;
    if (w) {
      const std::int64_t astronomical = w->era == Era::CE ? w->year : 1 - w->year;
      EXPECT_EQ(maya::toJdn({astronomical, w->month, w->day}, maya::Calendar::Gregorian).value,
                jdn);
    }
  }
  EXPECT_EQ(windowDateOfJdn(2'451'545), (WindowDate{2000, 1, 1, Era::CE}));
  EXPECT_FALSE(windowDateOfJdn(maya::toJdn({kMaxYear + 1, 1, 1}, maya::Calendar::Gregorian).value));
}

} // namespace
} // namespace glyphbox::engine
