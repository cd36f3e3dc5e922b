#include <glyphbox/maya/calendar_round.h>

#include <gtest/gtest.h>

#include <set>

namespace glyphbox::maya {
namespace {

// The Haab label after h: the next day of the month, or the first day of the
// next month once the month (20 days, Uayeb 5) is over.
Haab nextHaab(const Haab& h, HaabNumbering numbering) {
  const int first = numbering == HaabNumbering::Window1 ? 1 : 0;
  const int length = h.month == 19 ? 5 : 20;
  if (h.day + 1 < first + length) {
    return {h.month, h.day + 1};
  }
  return {h.month == 19 ? 1 : h.month + 1, first};
}

// The days of JDN 0 to 5,000,000 under the GMT correlation, one after the
// other: every cycle advances by exactly one place, in both Haab numberings,
// and the year bearer changes on 0 Pop and only then.
TEST(CalendarRoundWalk, EveryCycleStepsOnePlacePerDay) {
  constexpr std::int64_t kFirst = -584'283;
  constexpr std::int64_t kLast = 5'000'000 - 584'283;
  Tzolkin tz = tzolkinOf(kFirst);
  Haab seating = haabOf(kFirst, HaabNumbering::Seating0);
  Haab window = haabOf(kFirst, HaabNumbering::Window1);
  int lord = lordOfTheNight(kFirst);
  Tzolkin bearer = yearBearerOf(kFirst);
  for (std::int64_t d = kFirst + 1; d <= kLast; ++d) {
    const Tzolkin expectedTz{tz.number % 13 + 1, (tz.name + 1) % 20};
    const Haab expectedSeating = nextHaab(seating, HaabNumbering::Seating0);
    const Haab expectedWindow = nextHaab(window, HaabNumbering::Window1);
    const int expectedLord = lord % 9 + 1;
    tz = tzolkinOf(d);
    seating = haabOf(d, HaabNumbering::Seating0);
    window = haabOf(d, HaabNumbering::Window1);
    lord = lordOfTheNight(d);
    const bool newYear = seating == Haab{1, 0};
    const Tzolkin expectedBearer = newYear ? tz : bearer;
    bearer = yearBearerOf(d);
    if (tz != expectedTz || seating != expectedSeating || window != expectedWindow ||
        lord != expectedLord || bearer != expectedBearer) {
      ADD_FAILURE() << "d " << d << ": Tzolkin " << tz.number << '/' << tz.name << ", Haab "
                    << seating.day << '/' << seating.month << " and " << window.day << '/'
                    << window.month << ", G" << lord << ", bearer " << bearer.number << '/'
                    << bearer.name;
      break;
    }
  }
}

// The walk starts from the epoch's own values, and the cycles run on below it.
TEST(CalendarRound, TheEpochAndTheDaysAroundIt) {
  EXPECT_EQ(tzolkinOf(0), (Tzolkin{4, 0}));
  EXPECT_EQ(haabOf(0, HaabNumbering::Seating0), (Haab{18, 8}));
  EXPECT_EQ(haabOf(0, HaabNumbering::Window1), (Haab{18, 8}));
  EXPECT_EQ(lordOfTheNight(0), 9);
  EXPECT_EQ(lordOfTheNight(1'872'000), 9);
  EXPECT_EQ(tzolkinOf(-1), (Tzolkin{3, 19}));
  EXPECT_EQ(haabOf(-348, HaabNumbering::Seating0), (Haab{1, 0}));
  EXPECT_EQ(haabOf(-349, HaabNumbering::Seating0), (Haab{19, 4}));
  EXPECT_EQ(lordOfTheNight(-8), 1);
  // The far ends of 64 bits stay in their cycles.
  EXPECT_EQ(tzolkinOf(INT64_MIN).number, tzolkinOf(INT64_MIN + kTzolkinDays).number);
  EXPECT_EQ(yearBearerOf(INT64_MIN), yearBearerOf(INT64_MIN + kHaabYear * kTzolkinDays));
  EXPECT_EQ(haabPositionOf(INT64_MAX), haabPositionOf(INT64_MAX - kHaabYear));
}

TEST(HaabNumbering, TheWindowLabelsTheSeatingAsTheLastDayOfTheMonthBefore) {
  struct Case {
    int position;
    Haab seating;
    Haab window;
  };
  const Case cases[] = {
      {0, {1, 0}, {19, 5}},     // 0 Pop is 5 Uayeb
      {1, {1, 1}, {1, 1}},      //
      {19, {1, 19}, {1, 19}},   //
      {20, {2, 0}, {1, 20}},    // 0 Uo is 20 Pop
      {348, {18, 8}, {18, 8}},  // 8 Cumku in both
      {360, {19, 0}, {18, 20}}, // 0 Uayeb is 20 Cumku
      {364, {19, 4}, {19, 4}},  //
  };
  for (const Case& c : cases) {
    EXPECT_EQ(haabFromPosition(c.position, HaabNumbering::Seating0), c.seating) << c.position;
    EXPECT_EQ(haabFromPosition(c.position, HaabNumbering::Window1), c.window) << c.position;
    EXPECT_EQ(haabPosition(c.seating, HaabNumbering::Seating0), c.position);
    EXPECT_EQ(haabPosition(c.window, HaabNumbering::Window1), c.position);
  }
  for (const HaabNumbering numbering : {HaabNumbering::Seating0, HaabNumbering::Window1}) {
    std::set<int> seen;
    for (int p = 0; p < kHaabYear; ++p) {
      const Haab h = haabFromPosition(p, numbering);
      EXPECT_EQ(haabPosition(h, numbering), p);
      seen.insert(h.month * 100 + h.day);
    }
    EXPECT_EQ(seen.size(), 365U); // no two positions share a label
  }
}

TEST(HaabNumbering, LabelsOutsideTheNumberingAreNoHaabDate) {
  struct Case {
    Haab haab;
    HaabNumbering numbering;
  };
  const Case cases[] = {
      {{1, 20}, HaabNumbering::Seating0}, {{19, 5}, HaabNumbering::Seating0},
      {{1, -1}, HaabNumbering::Seating0}, {{0, 0}, HaabNumbering::Seating0},
      {{20, 0}, HaabNumbering::Seating0}, {{1, 0}, HaabNumbering::Window1},
      {{19, 0}, HaabNumbering::Window1},  {{1, 21}, HaabNumbering::Window1},
      {{19, 6}, HaabNumbering::Window1},  {{20, 1}, HaabNumbering::Window1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(haabPosition(c.haab, c.numbering), std::nullopt) << c.haab.day << ' ' << c.haab.month;
  }
}

TEST(CalendarRoundMeeting, OnlyNamesAndPositionsFiveApartByThreeMeet) {
  // 4 Ahau 9 Cumku never happens; 4 Ahau 8 Cumku (the epoch) does.
  EXPECT_FALSE(canMeet(0, *haabPosition({18, 9}, HaabNumbering::Seating0)));
  EXPECT_TRUE(canMeet(0, *haabPosition({18, 8}, HaabNumbering::Seating0)));
  EXPECT_EQ(calendarRoundIndex({4, 0}, 349), std::nullopt);

  // Every day of one Calendar Round is found again from its own Tzolkin and
  // Haab; all other combinations are refused.
  std::set<int> found;
  for (int number = 1; number <= 13; ++number) {
    for (int name = 0; name < 20; ++name) {
      for (int p = 0; p < kHaabYear; ++p) {
        const std::optional<int> index = calendarRoundIndex({number, name}, p);
        ASSERT_EQ(index.has_value(), canMeet(name, p));
        if (index) {
          ASSERT_EQ(tzolkinOf(*index), (Tzolkin{number, name}));
          ASSERT_EQ(haabPositionOf(*index), p);
          found.insert(*index);
        }
      }
    }
  }
  EXPECT_EQ(found.size(), static_cast<std::size_t>(kCalendarRound));
  EXPECT_EQ(calendarRoundIndex({0, 0}, 348), std::nullopt);
  EXPECT_EQ(calendarRoundIndex({4, 20}, 348), std::nullopt);
  EXPECT_EQ(calendarRoundIndex({4, 0}, 365), std::nullopt);
}

// In the Classic period (baktun 9) every year begins on Ik, Manik, Eb or Caban.
TEST(YearBearer, ClassicYearsBeginOnFourNames) {
  std::set<int> names;
  for (std::int64_t d = 9 * 144'000; d < 10 * 144'000; d += 73) {
    names.insert(yearBearerOf(d).name);
  }
  EXPECT_EQ(names, (std::set<int>{2, 7, 12, 17}));
}

// The years from the one holding 0.0.0.0.0 on, each seen from a day well
// inside it: kYearBearerCycle of them have as many different bearers, the
// next has the first one's again, and their names are the ones bearsYears
// accepts.
TEST(YearBearer, TheBearersComeRoundAfterFiftyTwoYears) {
  constexpr std::int64_t kFirstPop = -kEpochHaabPosition;
  std::set<std::pair<int, int>> bearers;
  std::set<int> names;
  for (std::int64_t y = 0; y < kYearBearerCycle; ++y) {
    const Tzolkin bearer = yearBearerOf(kFirstPop + y * kHaabYear + 200);
    bearers.insert({bearer.number, bearer.name});
    names.insert(bearer.name);
  }
  EXPECT_EQ(bearers.size(), static_cast<std::size_t>(kYearBearerCycle));
  EXPECT_EQ(yearBearerOf(kFirstPop + kYearBearerCycle * kHaabYear), yearBearerOf(kFirstPop));
  for (int name = 0; name < kVeintena; ++name) {
    EXPECT_EQ(bearsYears(name), names.count(name) == 1) << name;
  }
}

} // namespace
} // namespace glyphbox::maya
