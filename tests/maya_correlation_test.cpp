#include <glyphbox/maya/correlation.h>

#include <gtest/gtest.h>

namespace glyphbox::maya {
namespace {

TEST(Correlations, PresetsAreFoundByNameInAnyCase) {
  struct Case {
    const char* text;
    std::int64_t jdn;
  };
  const Case cases[] = {
      {"gmt", 584'283},
      {"GMT", 584'283},
      {"gmt+1", 584'284},
      {"Lounsbury", 584'285},
      {"Martin-Skidmore", 584'286},
      {"spinden", 489'384},
      {"BOWDITCH", 394'483},
      {"makemson", 489'138},
      {"bohm", 622'261},
      {"Bohm", 622'261},
      {"b\xC3\xB6hm", 622'261},
      {"B\xC3\x96HM", 622'261},
      {"fuls", 660'208},
  };
  for (const Case& c : cases) {
    const Result<Correlation, CorrelationError> r = parseCorrelation(c.text);
    EXPECT_TRUE(r.ok()) << c.text;
    EXPECT_EQ(r.value.jdn, c.jdn) << c.text;
    EXPECT_FALSE(r.value.note.empty()) << c.text;
    EXPECT_EQ(findCorrelation(c.text)->jdn, c.jdn) << c.text;
  }
}

TEST(Correlations, NumbersAreTakenAsTheyAreAndNamedWhenTheyArePresets) {
  EXPECT_EQ(parseCorrelation("584283").value.name, "gmt");
  EXPECT_EQ(parseCorrelation("622261").value.name, "bohm");
  const Correlation other = parseCorrelation("584287").value;
  EXPECT_EQ(other.jdn, 584'287);
  EXPECT_TRUE(other.name.empty());
  EXPECT_EQ(parseCorrelation("+584287").value.jdn, 584'287);
  EXPECT_EQ(parseCorrelation("-5").value.jdn, -5);
  EXPECT_EQ(parseCorrelation("1000000000000").value.jdn, kMaxCorrelation);
  EXPECT_EQ(parseCorrelation("-1000000000000").value.jdn, -kMaxCorrelation);
}

TEST(Correlations, RefusesUnknownNamesAndNumbersOutOfRange) {
  struct Case {
    const char* text;
    CorrelationError error;
  };
  const Case cases[] = {
      {"", CorrelationError::Empty},
      {"gmt2", CorrelationError::UnknownName},
      {"gm", CorrelationError::UnknownName},
      {"58428x", CorrelationError::UnknownName},
      {"+-5", CorrelationError::UnknownName},
      {"+", CorrelationError::UnknownName},
      {" 584283", CorrelationError::UnknownName},
      {"5.5", CorrelationError::UnknownName},
      {"1000000000001", CorrelationError::OutOfRange},
      {"-1000000000001", CorrelationError::OutOfRange},
      {"99999999999999999999", CorrelationError::OutOfRange},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parseCorrelation(c.text).error, c.error) << c.text;
  }
  EXPECT_EQ(findCorrelation("584283"), std::nullopt);
}

} // namespace
} // namespace glyphbox::maya
