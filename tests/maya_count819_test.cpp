// The 819-day count: the worked examples of the literature, and a walk day
// by day across 0.0.0.0.0 and several 16,380-day cycles in which every
// station must follow the one before it as the count's rules say.

#include <glyphbox/maya/count819.h>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using namespace glyphbox::maya;

struct Example {
  const char* what;
  std::int64_t d;
  int since;
  Tzolkin stationTzolkin;
  Haab stationHaab; // Seating0 numbering, as the inscriptions write it
  Quarter quarter;
};

// Tzolkin names index Ahau = 0; Haab months Pop = 1.
constexpr Example kExamples[] = {
    {"0.0.0.0.0 4 Ahau 8 Cumku", 0, 3, {1, 17}, {18, 5}, Quarter::East},
    {"Temple of the Cross, 12.19.13.4.0 8 Ahau 18 Zec", -2440, 20, {1, 0}, {4, 18}, Quarter::South},
    {"9.8.9.13.0 8 Ahau 13 Pop", 1'357'100, 20, {1, 0}, {18, 18}, Quarter::South},
    {"9.12.11.5.18 6 Etznab 11 Yax", 1'386'478, 733, {1, 5}, {10, 8}, Quarter::East},
    {"13.0.0.0.0 4 Ahau 3 Kankin", 1'872'000, 588, {1, 12}, {3, 0}, Quarter::South},
};

TEST(Count819, TheWorkedExamplesOfTheLiterature) {
  for (const Example& e : kExamples) {
    SCOPED_TRACE(e.what);
    const Station819 s = station819Of(e.d);
    EXPECT_EQ(s.since, e.since);
    EXPECT_EQ(s.day, e.d - e.since);
    EXPECT_EQ(tzolkinOf(s.day), e.stationTzolkin);
    EXPECT_EQ(haabOf(s.day, HaabNumbering::Seating0), e.stationHaab);
    EXPECT_EQ(s.quarter, e.quarter);
  }
}

// The quarters and colours pair as the sources give them.
TEST(Count819, QuartersNameTheirColours) {
  struct Row {
    Quarter q;
    const char *name, *yucatec, *colour, *colourYucatec;
  };
  constexpr Row kRows[] = {{Quarter::East, "East", "likin", "red", "chak"},
                           {Quarter::South, "South", "nohol", "yellow", "kan"},
                           {Quarter::West, "West", "chikin", "black", "ek"},
                           {Quarter::North, "North", "xaman", "white", "sak"}};
  for (const Row& r : kRows) {
    EXPECT_EQ(quarterName(r.q), r.name);
    EXPECT_EQ(quarterYucatec(r.q), r.yucatec);
    EXPECT_EQ(colourName(r.q), r.colour);
    EXPECT_EQ(colourYucatec(r.q), r.colourYucatec);
  }
}

// From three long cycles before 0.0.0.0.0 to three after: each day is one
// more since its station, or a new station. A new station falls on a day
// numbered 1 whose name is the one before the previous station's (819 is
// 820 - 1), turns the quarter East, South, West, North, and steps the
// station number 1 to 20; after 20 stations the count comes round.
TEST(Count819, EveryDayStepsTheCountByOne) {
  constexpr std::int64_t kFirst = -3 * kLongStationCycle - 5;
  constexpr std::int64_t kLast = 3 * kLongStationCycle + 5;
  Station819 previous = station819Of(kFirst);
  int stations = 0;
  for (std::int64_t d = kFirst + 1; d <= kLast; ++d) {
    const Station819 s = station819Of(d);
    bool ok;
    if (previous.since + 1 < kStationDays) {
      ok = s.since == previous.since + 1 && s.day == previous.day && s.index == previous.index &&
           s.quarter == previous.quarter && s.number == previous.number;
    } else {
      ++stations;
      const Tzolkin here = tzolkinOf(d);
      const Tzolkin before = tzolkinOf(previous.day);
      ok = s.since == 0 && s.day == d && s.index == previous.index + 1 && here.number == 1 &&
           here.name == (before.name + 19) % 20 &&
           static_cast<int>(s.quarter) == (static_cast<int>(previous.quarter) + 1) % kQuarters &&
           s.number == previous.number % kStationsInLongCycle + 1 &&
           station819Of(d + kLongStationCycle).number == s.number;
    }
    if (!ok) {
      ADD_FAILURE() << "d " << d << ": since " << s.since << ", station " << s.day << ", quarter "
                    << static_cast<int>(s.quarter) << ", number " << s.number;
      break;
    }
    previous = s;
  }
  // Stations at -3 minus every whole long cycle from three before to three after.
  EXPECT_EQ(stations, 6 * kStationsInLongCycle + 1);
  // The base station is number 1, in the East; the one before it number 20, in the North.
  EXPECT_EQ(station819Of(-3).number, 1);
  EXPECT_EQ(station819Of(-4).number, 20);
  EXPECT_EQ(station819Of(-4).quarter, Quarter::North);
}

// The far ends of 64 bits keep the count's period.
TEST(Count819, HoldsAtTheEndsOfTheDayNumbers) {
  for (const std::int64_t d : {INT64_MAX, INT64_MAX - 1000, INT64_MIN + 2 * kLongStationCycle}) {
    const Station819 s = station819Of(d);
    const Station819 earlier = station819Of(d - kLongStationCycle);
    EXPECT_EQ(s.since, earlier.since) << d;
    EXPECT_EQ(s.quarter, earlier.quarter) << d;
    EXPECT_EQ(s.number, earlier.number) << d;
    EXPECT_EQ(s.index - earlier.index, kStationsInLongCycle) << d;
  }
}

} // namespace
