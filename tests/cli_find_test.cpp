// find, add and diff through the real program.

#include <gtest/gtest.h>

#include "cli_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using glyphbox::testing_process::linesOf;
using glyphbox::testing_process::Outcome;
using glyphbox::testing_process::runCli;

TEST(Find, AnchorSearches) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {{"find", "--correlation", "gmt", "9.*.*.*.* 8 Ahau 13 Pop"},
       {"447-04-30 CE  9.0.11.10.0  8 Ahau  13 Pop  G2",
        "499-04-17 CE  9.3.4.5.0  8 Ahau  13 Pop  G1",
        "551-04-05 CE  9.5.17.0.0  8 Ahau  13 Pop  G9",
        "603-03-24 CE  9.8.9.13.0  8 Ahau  13 Pop  G8",
        "655-03-11 CE  9.11.2.8.0  8 Ahau  13 Pop  G7",
        "707-02-27 CE  9.13.15.3.0  8 Ahau  13 Pop  G6",
        "759-02-14 CE  9.16.7.16.0  8 Ahau  13 Pop  G5",
        "811-02-01 CE  9.19.0.11.0  8 Ahau  13 Pop  G4"}},
      // The words of a pattern may come as separate arguments.
      {{"find", "--after", "0.0.0.0.0", "--count", "2", "4", "Ahau", "8", "Cumku"},
       {"3062-07-30 BCE  0.2.12.13.0  4 Ahau  8 Cumku  G8",
        "3010-07-17 BCE  0.5.5.8.0  4 Ahau  8 Cumku  G7"}},
      {{"find", "--before", "0.0.0.0.0", "4 Ahau 8 Cumku"},
       {"3166-08-24 BCE  -0.2.12.13.0  4 Ahau  8 Cumku  G1"}},
      {{"find", "--count-only", "9.*.0.0.0"}, {"20"}},
      {{"find", "--count-only", "*.*.*.*.* G9"}, {"320000"}},
      {{"find", "--count-only", "--from", "0.0.0.0.0", "--to", "19.19.19.17.19", "0 *", "Ik"},
       {"37487"}}, // a name alone stands for any number with it
      {{"find", "--count-only", "--haab-days", "1-20", "20 Cumku"}, {"7891"}},
      {{"find", "--count-only", "bearer 8 Ik"}, {"55480"}},
      {{"find", "--format", "tsv", "--after", "2012-12-20", "G9 4 Ahau"},
       {"date\tday_count\tlong_count\ttzolkin\thaab\tlord\tjdn\tcorrelation\tcalendar",
        "2012-12-21 CE\t1872000\t13.0.0.0.0\t4 Ahau\t3 Kankin\tG9\t2456283\tgmt "
        "584283\tgregorian"}},
      // The 819-day count: 8 Ahau 20 days after a station of the South comes
      // back every 16,380 days (the least common multiple of 4 x 819 and 260).
      {{"find", "--correlation", "gmt", "9.*.*.*.* 819+20 819 South 8 Ahau"},
       {"468-09-06 CE  9.1.13.4.0  8 Ahau  8 Mol  G8",
        "513-07-13 CE  9.3.18.13.0  8 Ahau  3 Xul  G8",
        "558-05-18 CE  9.6.4.4.0  8 Ahau  18 Zip  G8",
        "603-03-24 CE  9.8.9.13.0  8 Ahau  13 Pop  G8",
        "648-01-27 CE  9.10.15.4.0  8 Ahau  13 Kayab  G8",
        "692-12-01 CE  9.13.0.13.0  8 Ahau  8 Muan  G8",
        "737-10-07 CE  9.15.6.4.0  8 Ahau  3 Mac  G8",
        "782-08-12 CE  9.17.11.13.0  8 Ahau  18 Yax  G8",
        "827-06-17 CE  9.19.17.4.0  8 Ahau  13 Mol  G8"}},
      {{"find", "--before", "0.0.0.0.0", "819+20 819 South 8 Ahau 18 Tzec"},
       {"3121-12-05 BCE  -0.0.6.14.0  8 Ahau  18 Tzec  G8"}},
      {{"find", "--count-only", "9.*.*.*.* 819 South 8 Ahau"}, {"141"}},
      // The quarters in Yucatec and in any letter case.
      {{"find", "--count-only", "9.*.*.*.*", "819", "NOHOL", "8", "Ahau"}, {"141"}},
      {{"find", "--count-only", "819+0"}, {"3516"}}, // the stations 819 k - 3 for k = 1 .. 3516
      {{"find", "--count-only", "819+0 819 likin"}, {"879"}}, // k = 4, 8, ..., 3516
  };
  for (const auto& c : cases) {
    const Outcome o = runCli(c.args);
    EXPECT_EQ(o.status, 0) << c.args.back() << o.err;
    EXPECT_EQ(linesOf(o.out), c.lines) << c.args.back();
  }
}

TEST(Find, ImpossibleAndMalformedPatternsAreRefusedWithTheReason) {
  struct Case {
    std::string pattern;
    std::string reason;
  };
  const Case cases[] = {
      {"4 Ahau 9 Cumku", "never fall on the same day"},
      {"*.*.*.18.*", "the uinal runs 0 to 17"},
      {"*.*.20.*.*", "runs 0 to 19"},
      {"G10", "the Lords of the Night run G1 to G9"},
      {"14 Ahau", "13"},
      {"20 Pop", "19"},
      {"5 Uayeb", "Uayeb"},
      {"8 Foo", "neither a Tzolkin day name nor a Haab month"},
      {"8", "needs a day name or a month after it"},
      {"9.*.*", "five to nine places"},
      {"8 Ahau 9 Imix", "two Tzolkin dates"},
      {"*.*.*.*.5 Ahau", "never"},
      {"bearer 8 Ahau", "bear"},
      {"hello", "is not part of a pattern"},
      {"819+900", "819+900: a day lies 0 to 818 days after its station, not 900"},
      {"819+99999999999999999999", "a day lies 0 to 818 days after its station"},
      {"819+", "the days after a station are a number, such as 819+20"},
      {"819+x", "the days after a station are a number"},
      {"819+1 819+2", "two counts of days after a station"},
      {"819 South 819 xaman", "two quarters of the 819-day count"},
      {"819 Pop", "the Haab days run 0 to 19 counted from the seating, not 819"},
      {"819 Sur", "'Sur' is neither a Tzolkin day name nor a Haab month"},
      {"819+5 8 Ahau", "a day 5 days after a station is always numbered 6 in the Tzolkin"},
  };
  for (const auto& c : cases) {
    const Outcome o = runCli({"find", c.pattern});
    EXPECT_EQ(o.status, 1) << c.pattern;
    EXPECT_EQ(o.out, "") << c.pattern;
    EXPECT_NE(o.err.find("pattern \"" + c.pattern + "\""), std::string::npos) << o.err;
    EXPECT_NE(o.err.find(c.reason), std::string::npos) << c.pattern << ": " << o.err;
  }
}

// A Long Count with 819-day clues is an inscription's date: each clue that
// disagrees is named with what the day has instead.
TEST(Find, InscriptionDatesCheckTheir819DayClues) {
  const Outcome agrees = runCli({"add", "9.8.9.13.0 8 Ahau 13 Pop 819 South 819+20", "+1d"});
  EXPECT_EQ(agrees.status, 0) << agrees.err;
  EXPECT_EQ(agrees.out, "603-03-25 CE  9.8.9.13.1  9 Imix  14 Pop  G9\n");
  const Outcome disagrees = runCli({"add", "9.8.9.13.0 819 West 819+21", "+1d"});
  EXPECT_EQ(disagrees.status, 1);
  EXPECT_NE(disagrees.err.find("'819+21' disagrees with 9.8.9.13.0, which falls on a day 20 days "
                               "after a station in the South; '819 West' disagrees with "
                               "9.8.9.13.0, which falls on a day 20 days after a station in the "
                               "South"),
            std::string::npos)
      << disagrees.err;
}

TEST(Find, EmptyRangesAndCutListsAreSaidSo) {
  const Outcome empty = runCli({"find", "--from", "2000-01-01", "--to", "1999-01-01", "4 Ahau"});
  EXPECT_EQ(empty.status, 1);
  EXPECT_NE(empty.err.find("the range is empty"), std::string::npos) << empty.err;

  const Outcome none = runCli({"find", "--from", "9.0.0.0.0", "--to", "9.0.0.0.5", "4 Ahau"});
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("no day in the range matches"), std::string::npos) << none.err;

  const Outcome cut = runCli({"find", "--limit", "5", "*.*.*.*.* G9"});
  EXPECT_EQ(cut.status, 0);
  EXPECT_EQ(linesOf(cut.out).size(), 5u);
  EXPECT_NE(cut.err.find("stops at 5 of 320000"), std::string::npos) << cut.err;
}

TEST(Distances, AddWalksAChainAndDiffGivesBothForms) {
  const Outcome chain = runCli({"add", "9.12.11.5.18", "+2.5.3", "-1.0.0"});
  EXPECT_EQ(chain.status, 0) << chain.err;
  EXPECT_EQ(linesOf(chain.out),
            (std::vector<std::string>{"685-11-29 CE  9.12.13.11.1  10 Imix  4 Muan  G5",
                                      "684-12-04 CE  9.12.12.11.1  1 Imix  9 Muan  G5"}));
  EXPECT_EQ(runCli({"diff", "9.12.11.5.18", "9.12.13.11.1"}).out, "+2.5.3  823 days\n");
  EXPECT_EQ(runCli({"diff", "9.12.13.11.1", "9.12.11.5.18"}).out, "-2.5.3  -823 days\n");
  EXPECT_EQ(runCli({"add", "--format", "json", "2012-12-21", "-823d"}).out.substr(0, 26),
            "{\"date\":\"2010-09-20 CE\",\"d");
  const Outcome bad = runCli({"add", "2012-12-21", "+2.18.3"});
  EXPECT_EQ(bad.status, 1);
  EXPECT_NE(bad.err.find("uinal 18"), std::string::npos) << bad.err;
  EXPECT_EQ(runCli({"add", "2012-12-21"}).status, 2);
  EXPECT_EQ(runCli({"diff", "2012-12-21"}).status, 2);
}

// add then diff returns the distance; adding a distance and its negation
// returns the start, for dates and distances of every size and sign.
TEST(Distances, AddAndDiffAreInverse) {
  std::mt19937 random(20261209);
  for (int i = 0; i < 25; ++i) {
    const long long start = static_cast<long long>(random() % 4000000) - 1000000;
    const long long days = static_cast<long long>(random() % 2000000) - 1000000;
    std::string from = "JDN ";
    from += std::to_string(start + 584283);
    std::string distance = std::to_string(days);
    distance += 'd';
    const Outcome added = runCli({"add", "--format", "tsv", from, distance});
    ASSERT_EQ(added.status, 0) << from << " " << distance << added.err;
    const std::vector<std::string> lines = linesOf(added.out);
    ASSERT_EQ(lines.size(), 2u);
    const std::string longCount =
        lines[1].substr(lines[1].find('\t', lines[1].find('\t') + 1) + 1, std::string::npos);
    const std::string landed = longCount.substr(0, longCount.find('\t'));
    const Outcome diff = runCli({"diff", "--", from, landed});
    ASSERT_EQ(diff.status, 0) << diff.err;
    const std::string both = diff.out;
    std::string expectedDays = std::to_string(days);
    expectedDays.append(" days\n");
    EXPECT_EQ(both.substr(both.find("  ") + 2), expectedDays) << both;
    const std::string back = both.substr(0, both.find("  "));
    std::string negated = back;
    negated[0] = back[0] == '+' ? '-' : '+';
    const Outcome returned = runCli({"add", "--format", "tsv", "--", landed, negated});
    ASSERT_EQ(returned.status, 0) << returned.err;
    std::string startColumn(1, '\t');
    startColumn.append(std::to_string(start + 584283)).append(1, '\t');
    EXPECT_NE(returned.out.find(startColumn), std::string::npos) << returned.out;
  }
}

} // namespace
