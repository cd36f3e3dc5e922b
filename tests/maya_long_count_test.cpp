#include <glyphbox/maya/long_count.h>

#include <gtest/gtest.h>

#include <string>

namespace glyphbox::maya {
namespace {

// Every day of JDN 0 to 5,000,000 under the GMT correlation, written and read
// back: the writer and the reader agree and the count has no gaps.
TEST(LongCountWalk, EveryDayWritesAndReadsBack) {
  constexpr std::int64_t kCorrelation = 584'283;
  char buffer[kMaxLongCountText];
  for (std::int64_t jdn = 0; jdn <= 5'000'000; ++jdn) {
    const std::int64_t d = jdn - kCorrelation;
    const std::string_view text(buffer,
                                static_cast<std::size_t>(writeLongCount(buffer, d) - buffer));
    const ParsedLongCount parsed = parseLongCount(text);
    if (!parsed.ok() || parsed.days + kCorrelation != jdn || parsed.places != kDatePlaces) {
      ADD_FAILURE() << "JDN " << jdn << " wrote " << text << ", read " << parsed.days << ": "
                    << longCountErrorMessage(parsed);
      break;
    }
  }
}

TEST(LongCountRead, ReadsEveryNumberOfPlacesAtFaceValue) {
  struct Case {
    const char* text;
    std::int64_t days;
  };
  const Case cases[] = {
      {"0.0.0.0.0", 0},
      {"13.0.0.0.0", 1'872'000},
      {"9.12.11.5.18", 9 * kBaktun + 12 * kKatun + 11 * kTun + 5 * kUinal + 18},
      {"-0.0.0.1.5", -25},
      {"-0.0", 0},
      {"5.3", 103},
      {"17.19", 359}, // two places: the leading uinal is not limited to 17
      {"1.0.0.0.0.0", kPiktun},
      {"20.0.0.0.0", kPiktun},
      {"1.0.0.0.0.0.0.0.0", kAlautun},
      {"1.19.19.19.19.17.19", kKalabtun * 2 - 1},
      {"007.07.07", 7 * kTun + 7 * kUinal + 7},
      {"43402.0.0.0.0.0.0.0.0", 43'402 * kAlautun},
  };
  for (const Case& c : cases) {
    const ParsedLongCount p = parseLongCount(c.text);
    EXPECT_TRUE(p.ok()) << c.text << ": " << longCountErrorMessage(p);
    EXPECT_EQ(p.days, c.days) << c.text;
  }
}

TEST(LongCountRead, RefusesBadTextWithTheReason) {
  struct Case {
    const char* text;
    LongCountError error;
    const char* message;
  };
  const Case cases[] = {
      {"9.12.11.18.0", LongCountError::PlaceOutOfRange,
       "uinal 18 is out of range; the uinal runs 0 to 17"},
      {"9.20.0.0.0", LongCountError::PlaceOutOfRange,
       "katun 20 is out of range; the katun runs 0 to 19"},
      {"1.0.0.0.0.20", LongCountError::PlaceOutOfRange,
       "kin 20 is out of range; the kin runs 0 to 19"},
      {"1.20.0.0.0.0", LongCountError::PlaceOutOfRange,
       "baktun 20 is out of range; the baktun runs 0 to 19"},
      {"1.99999999999999999999.0", LongCountError::PlaceOutOfRange,
       "uinal of more than 16 digits is out of range; the uinal runs 0 to 17"},
      {"5", LongCountError::TooFewPlaces, "too few places: a Long Count has 2 to 9"},
      {"1.1.1.1.1.1.1.1.1.1", LongCountError::TooManyPlaces,
       "too many places: a Long Count has 2 to 9"},
      {"", LongCountError::Empty, "no Long Count given"},
      {"-", LongCountError::Empty, "no Long Count given"},
      {"9..1", LongCountError::EmptyPlace, "not a Long Count: a place is missing at character 3"},
      {"9.1.", LongCountError::EmptyPlace, "not a Long Count: a place is missing at character 5"},
      {".9.1", LongCountError::EmptyPlace, "not a Long Count: a place is missing at character 1"},
      {"9.x.1", LongCountError::NotANumber,
       "not a Long Count: character 3 is not a digit or a point between places"},
      {"9.1 ", LongCountError::NotANumber,
       "not a Long Count: character 4 is not a digit or a point between places"},
      {"+9.1", LongCountError::NotANumber,
       "not a Long Count: character 1 is not a digit or a point between places"},
      {"--9.1", LongCountError::NotANumber,
       "not a Long Count: character 2 is not a digit or a point between places"},
      {"9,12,11,5,18", LongCountError::NotANumber,
       "not a Long Count: character 2 is not a digit or a point between places"},
      {"43403.0.0.0.0.0.0.0.0", LongCountError::TooLarge,
       "the Long Count is too large; at most 1000000000000000 days either way"},
      {"999999999999999999999999.0.0.0.0", LongCountError::TooLarge,
       "the Long Count is too large; at most 1000000000000000 days either way"},
  };
  for (const Case& c : cases) {
    const ParsedLongCount p = parseLongCount(c.text);
    EXPECT_EQ(p.error, c.error) << c.text;
    EXPECT_EQ(longCountErrorMessage(p), c.message) << c.text;
  }
}

TEST(LongCountRead, TheLimitIsExactInBothDirections) {
  for (const std::int64_t d : {kMaxDayNumber, -kMaxDayNumber}) {
    EXPECT_EQ(parseLongCount(longCountText(d)).days, d);
    EXPECT_EQ(parseLongCount(longCountText(d, 9)).days, d);
  }
  for (const std::int64_t d : {kMaxDayNumber + 1, -kMaxDayNumber - 1}) {
    EXPECT_EQ(parseLongCount(longCountText(d)).error, LongCountError::TooLarge);
    EXPECT_EQ(parseLongCount(longCountText(d, 2)).error, LongCountError::TooLarge);
  }
}

TEST(LongCountRead, DistancesMayCarryAPlusSign) {
  EXPECT_EQ(parseLongCountDistance("+2.5.3").days, 823);
  EXPECT_EQ(parseLongCountDistance("-2.5.3").days, -823);
  EXPECT_EQ(parseLongCountDistance("2.5.3").days, 823);
  EXPECT_EQ(parseLongCountDistance("+").error, LongCountError::Empty);
  EXPECT_EQ(parseLongCountDistance("+-2.5").error, LongCountError::NotANumber);
}

TEST(LongCountWrite, WritesFivePlacesWithAnUnboundedBaktun) {
  struct Case {
    std::int64_t days;
    const char* text;
  };
  const Case cases[] = {
      {0, "0.0.0.0.0"},
      {1'872'000, "13.0.0.0.0"},
      {-25, "-0.0.0.1.5"},
      {-1, "-0.0.0.0.1"},
      {kPiktun, "20.0.0.0.0"},
      {kPiktun - 1, "19.19.19.17.19"},
      {kAlautun, "160000.0.0.0.0"},
      {INT64_MAX, "64051194700380.7.15.0.7"},
      {-INT64_MAX, "-64051194700380.7.15.0.7"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(longCountText(c.days), c.text);
  }
}

TEST(LongCountWrite, WritesAChosenNumberOfPlaces) {
  EXPECT_EQ(longCountText(kPiktun, 6), "1.0.0.0.0.0");
  EXPECT_EQ(longCountText(kPiktun, 5), "20.0.0.0.0");
  EXPECT_EQ(longCountText(-25, 9), "-0.0.0.0.0.0.0.1.5");
  EXPECT_EQ(longCountText(1'872'000, 3), "5200.0.0");
  EXPECT_EQ(longCountText(823, 1), "823");
  EXPECT_EQ(longCountText(INT64_MAX, 9), "400319966.17.10.19.0.7.15.0.7");
}

TEST(LongCountWrite, WritesADistanceFromItsLargestPlace) {
  struct Case {
    std::int64_t days;
    const char* text;
  };
  const Case cases[] = {
      {823, "2.5.3"},
      {0, "0.0"},
      {5, "0.5"},
      {-20, "-1.0"},
      {19, "0.19"},
      {359, "17.19"},
      {360, "1.0.0"},
      {7'199, "19.17.19"},
      {7'200, "1.0.0.0"},
      {kAlautun * 5, "5.0.0.0.0.0.0.0.0"},
      {kAlautun * 20, "20.0.0.0.0.0.0.0.0"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(longCountDistanceText(c.days), c.text);
    EXPECT_EQ(parseLongCountDistance(longCountDistanceText(c.days)).days, c.days);
  }
}

} // namespace
} // namespace glyphbox::maya
