#include <glyphbox/maya/cycles.h>

#include <gtest/gtest.h>

#include <random>

namespace glyphbox::maya {
namespace {

// dayCyclesOf(d) gives what the one-cycle functions give for d.
void expectSameAsEachCycle(std::int64_t d) {
  const DayCycles c = dayCyclesOf(d);
  const LongCountPlaces places = splitLongCount(d, kDatePlaces);
  EXPECT_EQ(c.negative, places.negative) << d;
  EXPECT_EQ(c.baktun, places.value[0]) << d;
  EXPECT_EQ(c.lower.katun, places.value[1]) << d;
  EXPECT_EQ(c.lower.tun, places.value[2]) << d;
  EXPECT_EQ(c.lower.uinal, places.value[3]) << d;
  EXPECT_EQ(c.lower.kin, places.value[4]) << d;
  EXPECT_EQ(c.tzolkin, tzolkinOf(d)) << d;
  EXPECT_EQ(c.haabPosition, haabPositionOf(d)) << d;
  EXPECT_EQ(c.lord, lordOfTheNight(d)) << d;
  EXPECT_EQ(c.bearer, yearBearerOf(d)) << d;
  const Station819 station = station819Of(d);
  EXPECT_EQ(c.station.since, station.since) << d;
  EXPECT_EQ(c.station.quarter, station.quarter) << d;
  EXPECT_EQ(c.station.number, station.number) << d;
}

// Two whole common periods either side of 0.0.0.0.0, day by day: every
// place in the period, on both sides of the floored remainder's turn.
TEST(DayCycles, EveryDayOfTwoPeriodsAroundTheEpoch) {
  for (std::int64_t d = -kCommonPeriod - 3; d <= kCommonPeriod + 3; ++d) {
    expectSameAsEachCycle(d);
    if (::testing::Test::HasFailure()) {
      return;
    }
  }
}

TEST(DayCycles, RandomDaysOfEverySize) {
  std::mt19937_64 random(20261209);
  for (int i = 0; i < 200'000; ++i) {
    // Magnitudes from a few days to the whole range of 64 bits.
    const int bits = static_cast<int>(random() % 63);
    const auto magnitude = static_cast<std::int64_t>(random() >> (63 - bits) >> 1);
    expectSameAsEachCycle(random() % 2 == 0 ? magnitude : -magnitude);
  }
  for (const std::int64_t d : {INT64_MAX, INT64_MIN + 1, kMaxDayNumber, -kMaxDayNumber}) {
    expectSameAsEachCycle(d);
  }
}

// The 32-bit place of the days within kSmallDay is the 64-bit one.
TEST(DayCycles, SmallDaysHaveTheirPlaceIn32Bits) {
  for (const std::int32_t d : {0, 1, -1, kSmallDay - 1, -kSmallDay + 1, 584'283, -1'195'740,
                               1'195'739, 123'456'789, -987'654'321}) {
    EXPECT_EQ(commonPlaceOfSmall(d), commonPlace(d)) << d;
  }
  std::mt19937 random(819);
  for (int i = 0; i < 100'000; ++i) {
    const auto d = static_cast<std::int32_t>(random() % (2U * kSmallDay - 1)) - (kSmallDay - 1);
    ASSERT_EQ(commonPlaceOfSmall(d), commonPlace(d)) << d;
  }
}

} // namespace
} // namespace glyphbox::maya
