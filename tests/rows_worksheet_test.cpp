// The worksheet's answers, line by line, as the window, the module and the
// command line receive them.

#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/rows/worksheet.h>

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace glyphbox::rows {
namespace {

constexpr std::int64_t kCross = -2440; // 12.19.13.4.0 8 Ahau 18 Zec, of the era before 0.0.0.0.0

ConversionSettings gmt() { return ConversionSettings{}; }

std::string piece(const AnsweredLine& a, std::size_t offset, std::size_t length) {
  return a.text.substr(offset, length);
}

TEST(Worksheet, TheTempleOfTheCrossAgreesInBothNotations) {
  const std::vector<AnsweredLine> answers =
      answerWorksheet("# Palenque, Temple of the Cross\n"
                      "12.19.13.4.0 8 Ahau 18 Zec 819+20 819 South\n"
                      "-20d 1 Ahau 18 Zotz 819+0 819 South  # its station\n",
                      gmt());
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_EQ(answers[0].kind, LineKind::Blank);
  EXPECT_EQ(answers[0].commentOffset, 0u);
  const AnsweredLine& opening = answers[1];
  EXPECT_EQ(opening.kind, LineKind::Anchor);
  EXPECT_EQ(opening.day, kCross);
  EXPECT_EQ(opening.jdn, kCross + 584283);
  EXPECT_NE(opening.note.find("era before 0.0.0.0.0, as -0.0.6.14.0"), std::string::npos);
  const AnsweredLine& station = answers[2];
  EXPECT_EQ(station.kind, LineKind::Distance);
  EXPECT_EQ(station.distance, -20);
  EXPECT_EQ(station.day, kCross - 20);
  for (const AnsweredLine* a : {&opening, &station}) {
    ASSERT_EQ(a->clues.size(), 4u);
    EXPECT_TRUE(a->agrees());
    EXPECT_TRUE(a->nearest.empty());
    for (const CheckedClue& c : a->clues) {
      EXPECT_EQ(c.computed, piece(*a, c.offset, c.length) == "18 Zec"
                                ? "18 Tzec" // the colonial spelling written
                                : piece(*a, c.offset, c.length));
    }
  }
}

TEST(Worksheet, AMisreadClueIsNamedWithTheArithmeticsValueAndTheNearestReadings) {
  const std::vector<AnsweredLine> answers =
      answerWorksheet("12.19.13.4.0 8 Ahau 13 Zec 819+20 819 South\n", gmt());
  ASSERT_EQ(answers.size(), 1u);
  const AnsweredLine& a = answers[0];
  EXPECT_EQ(a.kind, LineKind::Anchor);
  EXPECT_EQ(a.day, kCross); // three clues of four agree there
  EXPECT_FALSE(a.agrees());
  ASSERT_EQ(a.clues.size(), 4u);
  EXPECT_EQ(piece(a, a.clues[1].offset, a.clues[1].length), "13 Zec");
  EXPECT_EQ(a.clues[1].kind, ClueKind::Haab);
  EXPECT_FALSE(a.clues[1].agrees);
  EXPECT_EQ(a.clues[1].computed, "18 Tzec");
  // 8 Ahau 13 Zec, 20 days after a station of the South, comes back every
  // 1,195,740 days (the Calendar Round and four stations share 52 days).
  ASSERT_EQ(a.nearest.size(), 2u);
  EXPECT_EQ(a.nearest[1] - a.nearest[0], 1'195'740);
  EXPECT_EQ(maya::longCountText(a.nearest[0]), "-0.18.10.14.0");
  EXPECT_EQ(maya::longCountText(a.nearest[1]), "7.7.10.13.0");
}

TEST(Worksheet, DistancesCountFromTheDayOfTheDatedLineAbove) {
  // A random walk of distances in every notation, with blank and comment
  // lines between: each day is the one above plus the distance.
  std::mt19937_64 random(11);
  std::string text = "9.12.11.5.18 6 Etznab 11 Yax\n";
  std::vector<std::int64_t> expected = {1'386'478};
  std::int64_t d = expected.back();
  for (int i = 0; i < 400; ++i) {
    const std::int64_t step = static_cast<std::int64_t>(random() % 2'000'000) - 1'000'000;
    const std::string written =
        random() % 2 == 0 ? std::to_string(step) + "d" : maya::distanceText(step);
    text += (step >= 0 && written.front() != '+' ? "+" : "") + written +
            (i % 7 == 0 ? "   # a step\n\n" : "\n");
    d += step;
    expected.push_back(d);
  }
  std::vector<std::int64_t> days;
  for (const AnsweredLine& a : answerWorksheet(text, gmt())) {
    ASSERT_NE(a.kind, LineKind::Error) << a.text << ": " << a.problem;
    if (a.day) {
      days.push_back(*a.day);
    }
  }
  EXPECT_EQ(days, expected);
}

TEST(Worksheet, BadLinesAreRefusedNamingThePartAtFault) {
  struct Case {
    const char* line;
    const char* code;
    const char* part;    // the part of the line the problem points at
    const char* problem; // words of the problem
    bool reachesDay;
  };
  const Case cases[] = {
      {"+2.18.3", "bad_distance", "+2.18.3", "uinal 18 is out of range", false},
      {"-1.0.x", "bad_distance", "-1.0.x", "a distance", false},
      {"2.5.3 8 Ahau", "distance_without_sign", "2.5.3", "+2.5.3 or -2.5.3", false},
      {"9.12.11.5.18 4 Ahau 9 Cumku", "clues_never_agree", "4 Ahau 9 Cumku",
       "never fall on the same day", true},
      {"9.12.11.5.18 819+900", "clues_never_agree", "819+900", "not 900", true},
      {"9.12.11.5.18 G1 G1", "bad_clue", "G1", "two Lords of the Night", true},
      {"9.12.11.5.18 Zec Zec", "bad_clue", "Zec", "two Haab dates", true},
      {"9.12.11.5.18 hello  # x", "bad_clue", "hello", "'hello' is no clue", true},
      {"2000-02-30 CE 8 Ahau", "day_out_of_range", "2000-02-30 CE", "day out of range", false},
      {"9.12.11.18.0", "bad_long_count", "9.12.11.18.0", "uinal 18", false},
      {"819+20 819 South", "no_day_named", "819+20 819 South", "names no day", false},
      {"hello", "not_a_date", "hello", "not a date", false},
      {"JDN x", "not_a_jdn", "JDN x", "Julian Day Number", false},
  };
  for (const Case& c : cases) {
    const std::vector<AnsweredLine> answers = answerWorksheet(c.line, gmt());
    ASSERT_EQ(answers.size(), 1u) << c.line;
    const AnsweredLine& a = answers[0];
    EXPECT_EQ(a.kind, LineKind::Error) << c.line;
    EXPECT_EQ(a.code, c.code) << c.line;
    EXPECT_EQ(piece(a, a.problemOffset, a.problemLength), c.part) << c.line;
    EXPECT_NE(a.problem.find(c.problem), std::string::npos) << c.line << ": " << a.problem;
    EXPECT_EQ(a.problem.find('\n'), std::string::npos) << c.line;
    EXPECT_EQ(a.day.has_value(), c.reachesDay) << c.line;
  }
}

TEST(Worksheet, ADistanceNeedsADayAbove) {
  const auto answers = answerWorksheet("+2.5.3\n9.12.11.5.18\nhello\n-1d\n2000-01-01\n+1d", gmt());
  ASSERT_EQ(answers.size(), 6u);
  EXPECT_EQ(answers[0].code, "no_day_above");
  EXPECT_NE(answers[0].problem.find("no line above names a day"), std::string::npos);
  EXPECT_EQ(answers[1].kind, LineKind::Anchor);
  EXPECT_EQ(answers[3].code, "no_day_above"); // the line between names no day
  EXPECT_NE(answers[3].problem.find("line 3 reaches no day"), std::string::npos);
  EXPECT_EQ(answers[5].kind, LineKind::Distance);
  EXPECT_EQ(answers[5].jdn, 2451545 + 1);
}

TEST(Worksheet, LinesEndAsTheConvertersDo) {
  const auto answers = answerWorksheet("\xEF\xBB\xBF"
                                       "9.12.11.5.18\r\n+1d\r+1d\n\n+1d",
                                       gmt());
  ASSERT_EQ(answers.size(), 5u);
  EXPECT_EQ(answers[0].text, "9.12.11.5.18");
  EXPECT_EQ(answers[3].kind, LineKind::Blank);
  EXPECT_EQ(answers[4].day, 1'386'478 + 3);
  EXPECT_TRUE(answerWorksheet("", gmt()).empty());
  EXPECT_EQ(answerWorksheet("\n", gmt()).size(), 1u);
}

TEST(Worksheet, AnchorsInEveryInputFormUnderTheSettings) {
  ConversionSettings julian = gmt();
  julian.calendar = maya::Calendar::Julian;
  ConversionSettings lounsbury = gmt();
  lounsbury.reckoning = Reckoning::of(*maya::findCorrelation("lounsbury"));
  struct Case {
    const char* line;
    const ConversionSettings& settings;
    std::int64_t day;
  };
  const Case cases[] = {
      {"2012-12-21 4 Ahau 3 Kankin G9", gmt(), 1'872'000},
      {"2012-12-08 CE 4 Ahau", julian, 1'872'000},
      {"3114-08-11 BCE 4 Ahau 8 Cumku", gmt(), 0},
      {"JDN 2456283 G9", gmt(), 1'872'000},
      {"2012-12-21", lounsbury, 1'872'000 - 2},
      {"13.0.0.0.0 4 Ahau 3 Kankin", lounsbury, 1'872'000}, // a Long Count: the same day
  };
  for (const Case& c : cases) {
    const auto answers = answerWorksheet(c.line, c.settings);
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].kind, LineKind::Anchor) << c.line << ": " << answers[0].problem;
    EXPECT_EQ(answers[0].day, c.day) << c.line;
    EXPECT_TRUE(answers[0].agrees()) << c.line;
  }
  // The settings' Haab numbering reads the clues, its spelling writes them.
  ConversionSettings modern = gmt();
  modern.spelling = maya::Spelling::Modern;
  modern.haabDays = maya::HaabNumbering::Window1;
  // 0.0.0.0.17 is the seating of Pop, which the window's numbering writes 5 Uayeb.
  const auto answers = answerWorksheet("0.0.0.0.17 5 Uayeb\n0.0.0.0.17 20 Pop", modern);
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_TRUE(answers[0].agrees());
  ASSERT_EQ(answers[1].clues.size(), 1u);
  EXPECT_EQ(answers[1].clues[0].computed, "5 Wayeb");
  ConversionSettings window = gmt();
  window.reckoning = Reckoning::ofWindow();
  EXPECT_EQ(answerWorksheet("2000-01-01", window)[0].code, "window_reads_no_long_count");
}

TEST(Worksheet, OverlongLinesAreRefusedWithoutBeingRead) {
  std::string clues = "9.12.11.5.18";
  while (clues.size() < 300'000) {
    clues += " G1";
  }
  const auto answers = answerWorksheet(clues + "\n+1d\n", gmt());
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_EQ(answers[0].code, "line_too_long");
  EXPECT_EQ(answers[1].code, "no_day_above");
  // Within the limit, a second clue of a kind stops the reading.
  const std::string line = clues.substr(0, kMaxWorksheetLine);
  EXPECT_EQ(answerWorksheet(line.substr(0, line.rfind(' ')), gmt())[0].code, "bad_clue");
}

TEST(Worksheet, DayCellsAreThePlainLinesColumns) {
  ConversionSettings s = gmt();
  s.spelling = maya::Spelling::Modern;
  const std::vector<Column> columns = {Column::Date,       Column::LongCount, Column::Tzolkin,
                                       Column::Haab,       Column::Lord,      Column::Correlation,
                                       Column::Quarter819, Column::Calendar};
  EXPECT_EQ(dayCells(kCross, s, columns),
            (std::vector<std::string>{"3121-12-05 BCE", "-0.0.6.14.0", "8 Ajaw", "18 Sek", "G8",
                                      "gmt 584283", "South (nohol)", "gregorian"}));
  DayCells cells(s, {Column::LongCount, Column::Line});
  EXPECT_EQ(cells.of(1'872'000), (std::vector<std::string>{"13.0.0.0.0", ""}));
  EXPECT_EQ(cells.of(maya::kMaxDayNumber), (std::vector<std::string>{"", ""})); // no date
}

} // namespace
} // namespace glyphbox::rows
