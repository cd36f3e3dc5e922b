// Reading dates and distance numbers from text, the user's text in messages,
// and the five-place Long Count writer against the writer of any places.

#include <glyphbox/maya/date_text.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/pattern_text.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace glyphbox::maya {
namespace {

TEST(DateText, ReadsTheFormAndLeavesTheFieldsToTheCalendar) {
  struct Case {
    const char* text;
    std::int64_t year;
    int month;
    int day;
    const char* eraWord;
    std::size_t written; // the leading bytes already in a row's form
  };
  const Case cases[] = {
      {"2000-01-01", 2000, 1, 1, "", 10},
      {" \t2000-01-01 bce\t ", 2000, 1, 1, "bce", 10},
      {"683-08-31", 683, 8, 31, "", 9},
      {"683-8-31", 683, 8, 31, "", 0},      // one digit of month: not written so
      {"0683-08-31", 683, 8, 31, "", 0},    // a leading zero: not written so
      {"2000-13-45", 2000, 13, 45, "", 10}, // which months and days exist is not asked here
      {"12345-06-07 CE", 12345, 6, 7, "CE", 11},
      {"2000-01-01  AD", 2000, 1, 1, "AD", 10}, // any word: the caller judges it
      {"0-0-0", 0, 0, 0, "", 0},
  };
  for (const Case& c : cases) {
    const auto t = readDateText(c.text);
    ASSERT_TRUE(t.has_value()) << c.text;
    EXPECT_EQ(t->year, c.year) << c.text;
    EXPECT_EQ(t->month, c.month) << c.text;
    EXPECT_EQ(t->day, c.day) << c.text;
    EXPECT_EQ(t->eraWord, c.eraWord) << c.text;
    EXPECT_EQ(t->written, c.written) << c.text;
  }
  for (const char* text :
       {"", "  ", "2000", "2000-01", "2000-01-", "-2000-01-01", "2000/01/01", "2000-01-01x",
        "2000-1-1-1", "2000-01-01\n", "x2000-01-01", "2000- 1-01"}) {
    EXPECT_FALSE(readDateText(text).has_value()) << text;
  }
}

TEST(DateText, LongRunsOfDigitsAreTooLargeNotWrapped) {
  const auto t = readDateText("99999999999999999999999999-999999999999-1");
  ASSERT_TRUE(t.has_value());
  EXPECT_GT(t->year, kDateTextYearLimit);
  EXPECT_GT(t->month, kDateTextFieldLimit);
  EXPECT_EQ(readDateText("000000000000000000002000-1-1")->year, 2000);
}

TEST(DateText, EraWordsInAnyCase) {
  for (const char* word : {"BCE", "bce", "Bce", "bCe"}) {
    EXPECT_TRUE(equalsIgnoringCase(word, "BCE")) << word;
  }
  for (const char* word : {"BC", "BCEE", "CE",
                           "B\xC3\x87"
                           "E",
                           ""}) {
    EXPECT_FALSE(equalsIgnoringCase(word, "BCE")) << word;
  }
}

// The five-place writer takes its own path for the days of twenty baktuns
// either side of 0.0.0.0.0; it must write what the writer of any number of
// places writes, at both ends of that path and far beyond it.
TEST(LongCountWrite, FivePlacesAgreeWithTheWriterOfAnyPlaces) {
  std::vector<std::int64_t> days = {0, 1, -1, INT64_MAX, -INT64_MAX, kMaxDayNumber, -kMaxDayNumber};
  for (const std::int64_t edge : {kBaktun, 10 * kBaktun, 13 * kBaktun, 20 * kBaktun}) {
    for (std::int64_t d = edge - 400; d <= edge + 400; ++d) {
      days.push_back(d);
      days.push_back(-d);
    }
  }
  char fast[kMaxLongCountText];
  char general[kMaxLongCountText];
  for (const std::int64_t d : days) {
    const std::string a(fast, writeLongCount(fast, d));
    const std::string b(general, writeLongCount(general, d, kDatePlaces));
    ASSERT_EQ(a, b) << d;
  }
}

TEST(Distance, ReadsPlacesOrDaysAndWritesThemBack) {
  struct Case {
    const char* text;
    std::int64_t days;
  };
  const Case cases[] = {{"+2.5.3", 823}, {"2.5.3", 823}, {"-1.0.0", -360}, {"823d", 823},
                        {"-823D", -823}, {"+0d", 0},     {"0.0", 0},       {" 1.0 ", 20}};
  for (const Case& c : cases) {
    const DistanceReading r = readDistance(c.text);
    ASSERT_TRUE(r.days.has_value()) << c.text << ": " << r.problem;
    EXPECT_EQ(*r.days, c.days) << c.text;
  }
  for (const char* text : {"", "d", "+-5d", "5.5d", "1.2.3.4.5.6.7.8.9.10", "1.18.0", "x"}) {
    const DistanceReading r = readDistance(text);
    EXPECT_FALSE(r.days.has_value()) << text;
    EXPECT_FALSE(r.problem.empty()) << text;
  }
  // Every distance of a few years either way reads back from its text.
  for (std::int64_t d = -3000; d <= 3000; ++d) {
    const DistanceReading r = readDistance(distanceText(d));
    ASSERT_EQ(r.days, d) << distanceText(d);
  }
  EXPECT_EQ(distanceText(823), "+2.5.3");
  EXPECT_EQ(distanceText(-360), "-1.0.0");
}

TEST(Shown, EscapesWhatATerminalWouldMisreadAndCutsLongTexts) {
  EXPECT_EQ(shown("2000-13-01"), "2000-13-01");
  EXPECT_EQ(shown(std::string("a\0b", 3)), "a\\x00b");
  EXPECT_EQ(shown("\"q\\\"\x7f\xff"), "\\x22q\\x5C\\x22\\x7F\\xFF");
  EXPECT_EQ(shown(std::string(61, 'x')), std::string(60, 'x') + "...");
  EXPECT_EQ(shown(std::string(60, 'x')), std::string(60, 'x'));
  EXPECT_LE(shown(std::string(200, '\x01')).size(), kMaxShownText);
}

} // namespace
} // namespace glyphbox::maya
