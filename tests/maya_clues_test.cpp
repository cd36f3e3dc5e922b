// Recorded clues: read with where they are written, checked against a day
// through the calendars, and the nearest days that have them all.

#include <glyphbox/maya/clues.h>
#include <glyphbox/maya/count819.h>
#include <glyphbox/maya/long_count.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace glyphbox::maya {
namespace {

// 12.19.13.4.0 8 Ahau 18 Zec of the era before 0.0.0.0.0: the Temple of
// the Cross, 20 days after a station of the South.
constexpr std::int64_t kCross = -2440;

TEST(RecordedClues, EachClueWithItsKindAndPlace) {
  const std::string text = " 8 Ahau  18\tZec G9 bearer 8 Ik 819+20 819 nohol";
  const RecordedClues r = readRecordedClues(text, HaabNumbering::Seating0);
  ASSERT_TRUE(r.ok()) << r.problem;
  struct Expected {
    ClueKind kind;
    const char* written;
  };
  const Expected expected[] = {
      {ClueKind::Tzolkin, "8 Ahau"},  {ClueKind::Haab, "18\tZec"},
      {ClueKind::Lord, "G9"},         {ClueKind::Bearer, "bearer 8 Ik"},
      {ClueKind::Since819, "819+20"}, {ClueKind::Quarter819, "819 nohol"},
  };
  ASSERT_EQ(r.clues.size(), std::size(expected));
  for (std::size_t i = 0; i < r.clues.size(); ++i) {
    EXPECT_EQ(r.clues[i].kind, expected[i].kind) << i;
    EXPECT_EQ(text.substr(r.clues[i].offset, r.clues[i].length), expected[i].written) << i;
  }
  // Each clue alone, and all of them at once.
  EXPECT_EQ(r.clues[0].pattern.tzolkinNumber, 8);
  EXPECT_FALSE(r.clues[0].pattern.haabDay.has_value());
  EXPECT_EQ(r.pattern.lord, 9);
  EXPECT_EQ(r.pattern.stationQuarter, Quarter::South);
  EXPECT_TRUE(readRecordedClues("  ", HaabNumbering::Seating0).clues.empty());
}

TEST(RecordedClues, RefusedWithTheWordAtFault) {
  struct Case {
    const char* text;
    const char* word; // the word the problem points at
    const char* problem;
  };
  const Case cases[] = {
      {"8 Ahau hello", "hello", "'hello' is no clue"},
      {"8 Ahau 9.12.11.5.18", "9.12.11.5.18", "is a second day"},
      {"G1 G2", "G2", "the line records two Lords of the Night"},
      {"8 Ahau 9 Imix", "Imix", "the line records two Tzolkin dates"},
      {"18 Zec 13 Pop", "Pop", "the line records two Haab dates"},
      {"bearer 8 Ik bearer 9 Manik", "bearer", "two year bearers"},
      {"819+1 819+2", "819+2", "two counts of days after a station"},
      {"819 South 819 East", "819", "two quarters"},
      {"bearer 8 Pop", "Pop", "'Pop' is not a Tzolkin day name"},
      {"8", "8", "needs a day name or a month after it"},
      {"819+x", "819+x", "the days after a station are a number"},
  };
  for (const Case& c : cases) {
    const std::string text = c.text;
    const RecordedClues r = readRecordedClues(text, HaabNumbering::Seating0);
    ASSERT_FALSE(r.ok()) << c.text;
    EXPECT_NE(r.problem.find(c.problem), std::string::npos) << c.text << ": " << r.problem;
    EXPECT_EQ(text.substr(r.problemOffset, r.problemLength), c.word) << c.text;
  }
}

TEST(RecordedClues, EveryDayAgreesWithItsOwnCluesWrittenOut) {
  // What the arithmetic gives, written in the clues' notation and read back,
  // agrees on that day and, clue by clue, as the search's matcher says.
  for (std::int64_t d = -20'000; d <= 20'000; d += 7) {
    std::string text;
    for (const ClueKind kind : {ClueKind::Tzolkin, ClueKind::Haab, ClueKind::Lord, ClueKind::Bearer,
                                ClueKind::Quarter819, ClueKind::Since819}) {
      text += clueValueText(kind, d, d % 2 == 0 ? Spelling::Colonial : Spelling::Modern,
                            HaabNumbering::Seating0) +
              " ";
    }
    const RecordedClues r = readRecordedClues(text, HaabNumbering::Seating0);
    ASSERT_TRUE(r.ok()) << text << ": " << r.problem;
    ASSERT_EQ(r.clues.size(), 6u) << text;
    EXPECT_TRUE(hasEveryClue(r.pattern, d)) << text;
    const CompileResult compiled = compile(r.pattern);
    ASSERT_TRUE(compiled.ok()) << text;
    for (const std::int64_t other : {d, d + 1, d - 260, d + 18'980, d + 16'380}) {
      EXPECT_EQ(hasEveryClue(r.pattern, other), compiled.matcher->matches(other)) << text << other;
    }
  }
}

TEST(RecordedClues, ValuesOfTheTempleOfTheCross) {
  struct Case {
    ClueKind kind;
    Spelling spelling;
    const char* value;
  };
  const Case cases[] = {
      {ClueKind::Tzolkin, Spelling::Colonial, "8 Ahau"},
      {ClueKind::Tzolkin, Spelling::Modern, "8 Ajaw"},
      {ClueKind::Haab, Spelling::Colonial, "18 Tzec"},
      {ClueKind::Haab, Spelling::Modern, "18 Sek"},
      {ClueKind::Lord, Spelling::Colonial, "G8"},
      {ClueKind::Quarter819, Spelling::Colonial, "819 South"},
      {ClueKind::Since819, Spelling::Colonial, "819+20"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(clueValueText(c.kind, kCross, c.spelling, HaabNumbering::Seating0), c.value);
  }
  // The station 20 days before: 1 Ahau 18 Zotz, itself in the South.
  EXPECT_EQ(
      clueValueText(ClueKind::Since819, kCross - 20, Spelling::Colonial, HaabNumbering::Seating0),
      "819+0");
  EXPECT_EQ(clueValueText(ClueKind::Haab, kCross - 20, Spelling::Colonial, HaabNumbering::Seating0),
            "18 Zotz");
  // 0.0.0.0.0 (8 Cumku) lies 348 days into a year whose 0 Pop is 7 Eb.
  EXPECT_EQ(clueValueText(ClueKind::Bearer, 0, Spelling::Colonial, HaabNumbering::Seating0),
            "bearer 7 Eb");
}

TEST(RecordedClues, ALongCountIsReadWhereMoreOfItsCluesAgree) {
  const auto read = [](const char* clues) {
    return readRecordedClues(clues, HaabNumbering::Seating0).clues;
  };
  const std::int64_t face = 12 * kBaktun + 19 * kKatun + 13 * kTun + 4 * kUinal; // 12.19.13.4.0
  struct Case {
    std::int64_t faceValue;
    const char* clues;
    std::int64_t day;
    bool eraBefore;
  };
  const Case cases[] = {
      {face, "8 Ahau 18 Zec 819+20 819 South", kCross, true},
      {face, "8 Ahau 13 Zec 819+20 819 South", kCross, true}, // three of four agree there
      {face, "8 Ahau", face, false},                          // the same at either: face value
      {face, "", face, false},
      {1'386'478, "6 Etznab 11 Yax", 1'386'478, false}, // 9.12.11.5.18
      {0, "4 Ahau 8 Cumku", 0, false},
      {kGreatCycle, "4 Ahau 8 Cumku", 0, true}, // the creation date, written 13.0.0.0.0
  };
  for (const Case& c : cases) {
    const LongCountReading r = readLongCountWithClues(c.faceValue, read(c.clues));
    EXPECT_EQ(r.day, c.day) << c.clues;
    EXPECT_EQ(r.eraBefore, c.eraBefore) << c.clues;
  }
}

TEST(RecordedClues, NearestDaysAgreeAndNothingCloserDoes) {
  const char* patterns[] = {"8 Ahau 13 Zec 819+20 819 South", "10 Imix 4 Muan", "G5 819 West",
                            "bearer 8 Ik 3 Kankin", "* Ahau 3 *"};
  for (const char* text : patterns) {
    const Pattern p = readRecordedClues(text, HaabNumbering::Seating0).pattern;
    for (const std::int64_t d : {kCross, std::int64_t{1'386'478}, std::int64_t{-5'000'000}}) {
      const NearestDays nearest = nearestAgreeing(p, d);
      ASSERT_TRUE(nearest.refusal.empty()) << text;
      ASSERT_EQ(nearest.days.size(), 2u) << text;
      EXPECT_LT(nearest.days[0], d);
      EXPECT_GT(nearest.days[1], d);
      for (const std::int64_t n : nearest.days) {
        EXPECT_TRUE(hasEveryClue(p, n)) << text << " " << n;
      }
      for (std::int64_t between = nearest.days[0] + 1; between < nearest.days[1]; ++between) {
        if (between != d && hasEveryClue(p, between)) {
          ADD_FAILURE() << text << ": " << between << " agrees, nearer to " << d;
          break;
        }
      }
    }
  }
}

TEST(RecordedClues, CluesThatNeverAgreeAreRefusedWithTheReason) {
  struct Case {
    const char* clues;
    const char* reason;
  };
  const Case cases[] = {
      {"4 Ahau 9 Cumku", "never fall on the same day"},
      {"819+900", "a day lies 0 to 818 days after its station, not 900"},
      {"G10", "the Lords of the Night run G1 to G9"},
      {"14 Ahau", "the Tzolkin numbers run 1 to 13"},
      {"bearer 8 Ahau", "Ahau never bears a year"},
      {"819+5 8 Ahau", "always numbered 6"},
  };
  for (const Case& c : cases) {
    const RecordedClues r = readRecordedClues(c.clues, HaabNumbering::Seating0);
    ASSERT_TRUE(r.ok()) << c.clues << ": values out of range are read, and never agree";
    EXPECT_FALSE(hasEveryClue(r.pattern, kCross)) << c.clues;
    const NearestDays nearest = nearestAgreeing(r.pattern, kCross);
    EXPECT_TRUE(nearest.days.empty()) << c.clues;
    EXPECT_NE(nearest.refusal.find(c.reason), std::string::npos) << nearest.refusal;
  }
}

} // namespace
} // namespace glyphbox::maya
