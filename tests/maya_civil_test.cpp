#include <glyphbox/maya/civil.h>

#include <gtest/gtest.h>

#include <ostream>

namespace glyphbox::maya {

void PrintTo(const CivilDate& d, std::ostream* os) {
  *os << d.year << '-' << d.month << '-' << d.day;
}

namespace {

constexpr Calendar kCalendars[] = {Calendar::Gregorian, Calendar::Julian, Calendar::Historical};

// The day after date, by the calendar's month lengths, written out here
// independently of the library: the walk below checks the library against it.
CivilDate nextDay(const CivilDate& date, Calendar calendar) {
  const bool historicalGregorian =
      calendar == Calendar::Historical &&
      (date.year > 1582 || (date.year == 1582 && (date.month > 10 || date.day > 4)));
  const bool gregorian = calendar == Calendar::Gregorian || historicalGregorian;
  if (calendar == Calendar::Historical && date == CivilDate{1582, 10, 4}) {
    return {1582, 10, 15};
  }
  const bool leap = gregorian
                        ? (date.year % 4 == 0 && (date.year % 100 != 0 || date.year % 400 == 0))
                        : date.year % 4 == 0;
  const int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (date.day < lengths[date.month - 1]) {
    return {date.year, date.month, date.day + 1};
  }
  if (date.month < 12) {
    return {date.year, date.month + 1, 1};
  }
  return {date.year + 1, 1, 1};
}

const char* nameOf(Calendar c) {
  switch (c) {
  case Calendar::Gregorian:
    return "Gregorian";
  case Calendar::Julian:
    return "Julian";
  case Calendar::Historical:
    return "historical";
  }
  return "?";
}

// Every day from JDN 0 to 5,000,000 (4713 BCE to 8977 CE): each JDN gives the
// day after the one before and converts back to itself.
TEST(CivilWalk, EveryJdnIsTheDayAfterTheOneBeforeAndRoundTrips) {
  constexpr std::int64_t kLastJdn = 5'000'000;
  for (const Calendar calendar : kCalendars) {
    const Result<CivilDate, CivilError> first = fromJdn(0, calendar);
    ASSERT_TRUE(first.ok());
    CivilDate expected = first.value;
    for (std::int64_t jdn = 0; jdn <= kLastJdn; ++jdn) {
      const Result<CivilDate, CivilError> date = fromJdn(jdn, calendar);
      const Result<std::int64_t, CivilError> back = toJdn(date.value, calendar);
      if (!date.ok() || date.value != expected || !back.ok() || back.value != jdn) {
        ADD_FAILURE() << nameOf(calendar) << " JDN " << jdn << " gives "
                      << testing::PrintToString(date.value) << ", expected "
                      << testing::PrintToString(expected) << ", back to " << back.value;
        break;
      }
      expected = nextDay(expected, calendar);
    }
  }
}

// The walk's anchors: the origin of the JDN and the facts of the reform.
TEST(CivilAnchors, KnownDaysHaveTheirJdn) {
  struct Case {
    CivilDate date;
    Calendar calendar;
    std::int64_t jdn;
  };
  const Case cases[] = {
      {{-4712, 1, 1}, Calendar::Julian, 0},     // 1 January 4713 BCE
      {{-4712, 1, 1}, Calendar::Historical, 0}, //
      {{2000, 1, 1}, Calendar::Gregorian, 2'451'545},
      {{2000, 1, 1}, Calendar::Historical, 2'451'545},
      {{1582, 10, 4}, Calendar::Julian, 2'299'160},
      {{1582, 10, 4}, Calendar::Historical, 2'299'160},
      {{1582, 10, 15}, Calendar::Gregorian, 2'299'161},
      {{1582, 10, 15}, Calendar::Historical, 2'299'161},
      {{1582, 10, 5}, Calendar::Julian, 2'299'161},     // the same day, Julian
      {{1582, 10, 14}, Calendar::Gregorian, 2'299'160}, // the same day, Gregorian
  };
  for (const Case& c : cases) {
    EXPECT_EQ(toJdn(c.date, c.calendar).value, c.jdn) << nameOf(c.calendar);
    EXPECT_EQ(fromJdn(c.jdn, c.calendar).value, c.date) << nameOf(c.calendar);
  }
}

TEST(CivilHistorical, RefusesTheTenDaysTheReformSkipped) {
  for (int day = 1; day <= 31; ++day) {
    const CivilError error = validate({1582, 10, day}, Calendar::Historical);
    if (day >= 5 && day <= 14) {
      EXPECT_EQ(error, CivilError::InReformGap) << day;
    } else {
      EXPECT_EQ(error, CivilError::Ok) << day;
    }
    // The proleptic calendars have every day of October 1582.
    EXPECT_EQ(validate({1582, 10, day}, Calendar::Julian), CivilError::Ok);
    EXPECT_EQ(validate({1582, 10, day}, Calendar::Gregorian), CivilError::Ok);
  }
}

TEST(CivilValidation, RefusesMonthsAndDaysOutsideTheCalendar) {
  struct Case {
    CivilDate date;
    Calendar calendar;
    CivilError error;
  };
  const Case cases[] = {
      {{2000, 0, 1}, Calendar::Gregorian, CivilError::MonthOutOfRange},
      {{2000, 13, 1}, Calendar::Julian, CivilError::MonthOutOfRange},
      {{2000, 257, 1}, Calendar::Gregorian, CivilError::MonthOutOfRange},
      {{2000, 1, 0}, Calendar::Gregorian, CivilError::DayOutOfRange},
      {{2000, 1, 32}, Calendar::Historical, CivilError::DayOutOfRange},
      {{2000, 4, 31}, Calendar::Gregorian, CivilError::DayOutOfRange},
      {{2001, 2, 29}, Calendar::Julian, CivilError::DayOutOfRange},
      {{2000, 2, 29}, Calendar::Gregorian, CivilError::Ok},
      {{2000, 2, 30}, Calendar::Julian, CivilError::DayOutOfRange},
      {{1900, 2, 29}, Calendar::Gregorian, CivilError::DayOutOfRange},
      {{1900, 2, 29}, Calendar::Julian, CivilError::Ok},
      {{1900, 2, 29}, Calendar::Historical, CivilError::DayOutOfRange},
      {{1500, 2, 29}, Calendar::Historical, CivilError::Ok}, // Julian before the reform
      {{-100, 2, 29}, Calendar::Gregorian, CivilError::DayOutOfRange},
      {{-400, 2, 29}, Calendar::Gregorian, CivilError::Ok},
      {{-1, 2, 29}, Calendar::Julian, CivilError::DayOutOfRange},
      {{-4, 2, 29}, Calendar::Julian, CivilError::Ok},
      {{kMaxYear, 12, 31}, Calendar::Gregorian, CivilError::Ok},
      {{kMaxYear + 1, 1, 1}, Calendar::Gregorian, CivilError::YearOutOfRange},
      {{kMinYear, 1, 1}, Calendar::Julian, CivilError::Ok},
      {{kMinYear - 1, 12, 31}, Calendar::Julian, CivilError::YearOutOfRange},
      {{INT64_MIN, 1, 1}, Calendar::Historical, CivilError::YearOutOfRange},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(validate(c.date, c.calendar), c.error)
        << testing::PrintToString(c.date) << ' ' << nameOf(c.calendar);
  }
}

TEST(CivilMonthLengths, FollowEachCalendarsLeapRule) {
  EXPECT_EQ(daysInMonth(1900, 2, Calendar::Gregorian), 28);
  EXPECT_EQ(daysInMonth(1900, 2, Calendar::Julian), 29);
  EXPECT_EQ(daysInMonth(1900, 2, Calendar::Historical), 28);
  EXPECT_EQ(daysInMonth(1500, 2, Calendar::Historical), 29);
  EXPECT_EQ(daysInMonth(1582, 10, Calendar::Historical), 31);
  EXPECT_EQ(daysInMonth(-999'999, 2, Calendar::Julian), 28);
  EXPECT_EQ(daysInMonth(-1'000'000, 2, Calendar::Gregorian), 29);
}

// Far from the years <chrono> and date/julian.h hold, the cycles must still
// fit: 146,097 days per 400 Gregorian years, 1,461 per 4 Julian years, and
// the Julian calendar ahead of the Gregorian by floor(y/100) - floor(y/400) - 2
// days from 1 March of year y (13 days in 2000, 10 in 1582).
TEST(CivilFarYears, CyclesAndTheCalendarsDifferenceHoldToTheEndsOfTheRange) {
  const std::int64_t years[] = {-999'999,       999'999,          -999'600,
                                999'600,        1'000'000,        kMinYear,
                                kMaxYear - 400, -123'456'789'012, 98'765'432'109};
  for (const std::int64_t y : years) {
    const std::int64_t g = toJdn({y, 1, 1}, Calendar::Gregorian).value;
    const Result<std::int64_t, CivilError> g400 = toJdn({y + 400, 1, 1}, Calendar::Gregorian);
    ASSERT_TRUE(g400.ok()) << y;
    EXPECT_EQ(g400.value - g, kGregorianCycleDays) << y;

    const std::int64_t j = toJdn({y, 1, 1}, Calendar::Julian).value;
    EXPECT_EQ(toJdn({y + 4, 1, 1}, Calendar::Julian).value - j, kJulianCycleDays) << y;

    const auto floorDiv = [](std::int64_t a, std::int64_t b) {
      return a / b - (a % b < 0 ? 1 : 0);
    };
    const std::int64_t lead = floorDiv(y, 100) - floorDiv(y, 400) - 2;
    EXPECT_EQ(toJdn({y, 3, 1}, Calendar::Julian).value -
                  toJdn({y, 3, 1}, Calendar::Gregorian).value,
              lead)
        << y;
  }
}

// Day by day across a few years around the far ends: round trips and successors.
TEST(CivilFarYears, DaysAroundTheFarYearsRoundTrip) {
  const std::int64_t starts[] = {-1'000'001, 999'997, kMinYear, kMaxYear - 2};
  for (const Calendar calendar : kCalendars) {
    for (const std::int64_t year : starts) {
      CivilDate date{year, 1, 1};
      std::int64_t jdn = toJdn(date, calendar).value;
      for (int i = 0; i < 3 * 366 && date.year <= kMaxYear; ++i, ++jdn) {
        ASSERT_EQ(toJdn(date, calendar).value, jdn) << testing::PrintToString(date);
        ASSERT_EQ(fromJdn(jdn, calendar).value, date) << jdn;
        date = nextDay(date, calendar);
      }
    }
  }
}

TEST(CivilRange, DayNumbersBeyondTheSupportedYearsAreRefused) {
  for (const Calendar calendar : kCalendars) {
    const std::int64_t first = toJdn({kMinYear, 1, 1}, calendar).value;
    const std::int64_t last = toJdn({kMaxYear, 12, 31}, calendar).value;
    EXPECT_EQ(fromJdn(first, calendar).value, (CivilDate{kMinYear, 1, 1}));
    EXPECT_EQ(fromJdn(last, calendar).value, (CivilDate{kMaxYear, 12, 31}));
    EXPECT_EQ(fromJdn(first - 1, calendar).error, CivilError::JdnOutOfRange);
    EXPECT_EQ(fromJdn(last + 1, calendar).error, CivilError::JdnOutOfRange);
    EXPECT_EQ(fromJdn(INT64_MIN, calendar).error, CivilError::JdnOutOfRange);
    EXPECT_EQ(fromJdn(INT64_MAX, calendar).error, CivilError::JdnOutOfRange);
  }
}

TEST(CivilEras, ConvertBetweenCeBceAndAstronomicalYears) {
  struct Case {
    std::int64_t year;
    Era era;
    std::int64_t astronomical;
  };
  const Case cases[] = {{1, Era::CE, 1},   {2012, Era::CE, 2012},   {1, Era::BCE, 0},
                        {2, Era::BCE, -1}, {3114, Era::BCE, -3113}, {4713, Era::BCE, -4712}};
  for (const Case& c : cases) {
    EXPECT_EQ(astronomicalYear(c.year, c.era).value, c.astronomical) << c.year;
    EXPECT_EQ(eraYearOf(c.astronomical), (EraYear{c.year, c.era})) << c.astronomical;
  }
  EXPECT_EQ(astronomicalYear(0, Era::CE).error, CivilError::NoEraYearZero);
  EXPECT_EQ(astronomicalYear(0, Era::BCE).error, CivilError::NoEraYearZero);
  EXPECT_EQ(astronomicalYear(-5, Era::BCE).error, CivilError::NoEraYearZero);
}

} // namespace
} // namespace glyphbox::maya
