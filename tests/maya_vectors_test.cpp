// The published anchor dates, through every part of the library at once:
// Long Count, Calendar Round in both spellings and numberings, Lord of the
// Night, and the Gregorian and Julian dates of the correlation.
#include <glyphbox/maya/calendar_round.h>
#include <glyphbox/maya/civil.h>
#include <glyphbox/maya/correlation.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/names.h>

#include <gtest/gtest.h>

#include <string>

namespace glyphbox::maya {
namespace {

struct Vector {
  const char* longCount;
  std::int64_t correlation;
  const char* colonial;     // Calendar Round, scholarly numbering
  const char* modern;       // the same in modern spelling
  const char* window;       // colonial names, the window's Haab numbering
  const char* modernWindow; // modern names, the window's Haab numbering
  int lord;
  CivilDate gregorian;
  CivilDate julian;
};

// clang-format off
const Vector kVectors[] = {
    {"0.0.0.0.0",      584'283, "4 Ahau 8 Cumku",     "4 Ajaw 8 Kumk'u",     "4 Ahau 8 Cumku",     "4 Ajaw 8 Kumk'u",     9, {-3113, 8, 11},  {-3113, 9, 6}},
    {"9.8.9.13.0",     584'283, "8 Ahau 13 Pop",      "8 Ajaw 13 Pop",       "8 Ahau 13 Pop",      "8 Ajaw 13 Pop",       8, {603, 3, 24},    {603, 3, 21}},
    {"13.0.0.0.0",     584'283, "4 Ahau 3 Kankin",    "4 Ajaw 3 K'ank'in",   "4 Ahau 3 Kankin",    "4 Ajaw 3 K'ank'in",   9, {2012, 12, 21},  {2012, 12, 8}},
    {"12.19.11.6.13",  584'283, "4 Ben 16 Zotz",      "4 Ben 16 Sotz'",      "4 Ben 16 Zotz",      "4 Ben 16 Sotz'",      7, {2004, 6, 19},   {2004, 6, 6}},
    {"13.0.6.6.7",     584'283, "3 Manik 0 Uayeb",    "3 Manik' 0 Wayeb",    "3 Manik 20 Cumku",   "3 Manik' 20 Kumk'u",  1, {2019, 3, 27},   {2019, 3, 14}},
    {"19.19.19.17.19", 584'283, "9 Caunac 12 Yaxkin", "9 Kawak 12 Yaxk'in",  "9 Caunac 12 Yaxkin", "9 Kawak 12 Yaxk'in",  8, {4772, 10, 12},  {4772, 9, 8}},
    {"9.17.19.13.16",  584'286, "5 Cib 14 Chen",      "5 Kib 14 Ch'en",      "5 Cib 14 Chen",      "5 Kib 14 Ch'en",      6, {790, 7, 20},    {790, 7, 16}},
};
// clang-format on

TEST(PublishedDates, EveryPartOfTheLibraryAgreesWithThem) {
  for (const Vector& v : kVectors) {
    SCOPED_TRACE(v.longCount);
    const ParsedLongCount lc = parseLongCount(v.longCount);
    ASSERT_TRUE(lc.ok());
    const std::int64_t d = lc.days;
    EXPECT_EQ(longCountText(d), v.longCount);

    EXPECT_EQ(calendarRoundText(d, Spelling::Colonial, HaabNumbering::Seating0), v.colonial);
    EXPECT_EQ(calendarRoundText(d, Spelling::Modern, HaabNumbering::Seating0), v.modern);
    EXPECT_EQ(calendarRoundText(d, Spelling::Colonial, HaabNumbering::Window1), v.window);
    EXPECT_EQ(calendarRoundText(d, Spelling::Modern, HaabNumbering::Window1), v.modernWindow);
    EXPECT_EQ(lordOfTheNight(d), v.lord);

    const std::int64_t jdn = d + v.correlation;
    EXPECT_EQ(fromJdn(jdn, Calendar::Gregorian).value, v.gregorian);
    EXPECT_EQ(fromJdn(jdn, Calendar::Julian).value, v.julian);
    EXPECT_EQ(toJdn(v.gregorian, Calendar::Gregorian).value, jdn);
    EXPECT_EQ(toJdn(v.julian, Calendar::Julian).value, jdn);
    // The historical calendar is the Julian one before the reform, the Gregorian after.
    const CivilDate historical = jdn < kFirstGregorianJdn ? v.julian : v.gregorian;
    EXPECT_EQ(fromJdn(jdn, Calendar::Historical).value, historical);
  }
}

// The same dates read from their written form: names in either spelling find
// the day again within its Calendar Round.
TEST(PublishedDates, TheirCalendarRoundsReadBack) {
  for (const Vector& v : kVectors) {
    SCOPED_TRACE(v.longCount);
    const std::int64_t d = parseLongCount(v.longCount).days;
    for (const char* text : {v.colonial, v.modern}) {
      const std::string_view s(text);
      const std::size_t a = s.find(' ');
      const std::size_t b = s.find(' ', a + 1);
      const std::size_t c = s.find(' ', b + 1);
      const std::optional<int> name = parseTzolkinName(s.substr(a + 1, b - a - 1));
      const std::optional<int> month = parseHaabMonth(s.substr(c + 1));
      ASSERT_TRUE(name && month) << text;
      const Tzolkin tz{std::stoi(std::string(s.substr(0, a))), *name};
      const Haab haab{*month, std::stoi(std::string(s.substr(b + 1, c - b - 1)))};
      const std::optional<int> position = haabPosition(haab, HaabNumbering::Seating0);
      ASSERT_TRUE(position) << text;
      EXPECT_EQ(calendarRoundIndex(tz, *position), static_cast<int>(d % kCalendarRound));
    }
  }
}

TEST(PublishedDates, TheGreatCycleEndsOnTheDatesOfEachCorrelation) {
  const std::int64_t d = parseLongCount("13.0.0.0.0").days;
  EXPECT_EQ(fromJdn(d + findCorrelation("lounsbury")->jdn, Calendar::Gregorian).value,
            (CivilDate{2012, 12, 23}));
  EXPECT_EQ(fromJdn(d + findCorrelation("martin-skidmore")->jdn, Calendar::Gregorian).value,
            (CivilDate{2012, 12, 24}));
}

} // namespace
} // namespace glyphbox::maya
