// The command line as a user meets it: the consensus correlation by default,
// the inscriptions' notation of a Long Count with its Calendar Round, help
// that describes each command, and options refused where they do not apply.
#include <gtest/gtest.h>

#include "cli_process.h"

#include <string>
#include <vector>

namespace {

using glyphbox::testing_process::Outcome;
using glyphbox::testing_process::runCli;
using glyphbox::testing_process::runShell;

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CliDefaults, EveryCommandReadsUnderTheConsensusCorrelation) {
  EXPECT_EQ(runCli({"2012-12-21"}).out, "2012-12-21 CE  13.0.0.0.0  4 Ahau  3 Kankin  G9\n");
  EXPECT_EQ(runCli({"13.0.0.0.0"}).out, "2012-12-21 CE  13.0.0.0.0  4 Ahau  3 Kankin  G9\n");
  // A date converted and the same date plus nothing are one day.
  const std::string converted = runCli({"683-08-29"}).out;
  EXPECT_EQ(converted, "683-08-29 CE  9.12.11.5.18  6 Etznab  11 Yax  G1\n");
  EXPECT_EQ(runCli({"add", "683-08-29", "+0d"}).out, converted);
  EXPECT_EQ(runCli({"find", "--calendar", "julian", "--after", "683-08-26", "--count", "1",
                    "9.12.11.5.*", "7 *"})
                .out,
            "683-08-27 CE  9.12.11.5.19  7 Caunac  12 Yax  G2\n");
}

TEST(CliDefaults, TheEnvironmentSetsAnotherDefault) {
  const std::string cli = "'" GLYPHBOX_CLI_PATH "'";
  struct Case {
    std::string command;
    int status;
    std::string out;
    std::string err; // a part of standard error
  };
  const Case cases[] = {
      {"GLYPHBOX_CORRELATION=lounsbury " + cli + " 2012-12-23", 0,
       "2012-12-23 CE  13.0.0.0.0  4 Ahau  3 Kankin  G9\n", ""},
      {"GLYPHBOX_CORRELATION=glyphbox " + cli + " 2000-01-01", 0,
       "12.19.6.15.1  10 Imix  9 Kankin\n", ""},
      {"GLYPHBOX_CORRELATION=nope " + cli + " 2000-01-01", 2, "",
       "GLYPHBOX_CORRELATION: unknown correlation \"nope\""},
      // An option names the correlation for this run whatever the variable holds.
      {"GLYPHBOX_CORRELATION=nope " + cli + " --correlation gmt 2012-12-21", 0,
       "2012-12-21 CE  13.0.0.0.0  4 Ahau  3 Kankin  G9\n", ""},
      {"GLYPHBOX_CORRELATION=glyphbox " + cli + " find 8 Ahau", 2, "",
       "find reads Long Counts at face value, which the window's own arithmetic (glyphbox, "
       "from GLYPHBOX_CORRELATION) has no reading for"},
      {"GLYPHBOX_CORRELATION=glyphbox " + cli + " --calendar julian 2000-01-01", 2, "",
       "glyphbox (from GLYPHBOX_CORRELATION), reads Gregorian dates only"},
      // A comparison shows every correlation and reads no default.
      {"GLYPHBOX_CORRELATION=nope " + cli + " --compare --format tsv 2012-12-21 | wc -l", 0, "12\n",
       ""},
  };
  for (const Case& c : cases) {
    const Outcome o = runShell(c.command);
    EXPECT_EQ(o.status, c.status) << c.command << "\n" << o.err;
    EXPECT_EQ(o.out, c.out) << c.command;
    EXPECT_TRUE(c.err.empty() ? o.err.empty() : has(o.err, c.err)) << c.command << "\n" << o.err;
  }
}

// A Long Count with what the monument records for the day: at face value
// where the clues agree, in the era before 0.0.0.0.0 where only there, and
// refused naming the clue that disagrees otherwise.
TEST(CliInscriptionDates, ReadAsTheMonumentMeansThem) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err; // a part of standard error, empty for none
  };
  const std::string creation = "3114-08-11 BCE  0.0.0.0.0  4 Ahau  8 Cumku  G9\n";
  const Case cases[] = {
      {{"13.0.0.0.0 4 Ahau 8 Cumku"}, 0, creation, "read as the creation date, 0.0.0.0.0"},
      {{"13.0.0.0.0", "4", "Ahau", "8", "Cumku"}, 0, creation, "input 1: "},
      {{"12.19.13.4.0 8 Ahau 18 Zec"},
       0,
       "3121-12-05 BCE  -0.0.6.14.0  8 Ahau  18 Tzec  G8\n",
       "read in the era before 0.0.0.0.0, as -0.0.6.14.0"},
      {{"13.0.0.0.0 4 Ahau 3 Kankin"}, 0, "2012-12-21 CE  13.0.0.0.0  4 Ahau  3 Kankin  G9\n", ""},
      {{"9.12.11.5.18", "6", "Etznab", "11", "Yax", "G1"},
       0,
       "683-08-29 CE  9.12.11.5.18  6 Etznab  11 Yax  G1\n",
       ""},
      {{"--haab-days", "1-20", "13.0.0.0.0 4 Ahau 8 Cumku"},
       0,
       "3114-08-11 BCE  0.0.0.0.0  4 Ahau  8 Cumku  G9\n",
       "creation date"},
      {{"13.0.0.0.0 5 Ahau 8 Cumku"},
       1,
       "",
       "'5 Ahau' disagrees with 13.0.0.0.0, which falls on 4 Ahau; '8 Cumku' disagrees with "
       "13.0.0.0.0, which falls on 3 Kankin, and 13 baktuns earlier on 8 Cumku"},
      {{"9.12.11.5.18 6 Etznab G2"}, 1, "", "'G2' disagrees with 9.12.11.5.18, which falls on G1"},
      {{"13.0.0.0.0 4 Ahau 9 Cumku"}, 1, "", "never fall on the same day"},
      {{"--correlation", "glyphbox", "13.0.0.0.0 4 Ahau 8 Cumku"},
       1,
       "",
       "the window's own arithmetic (--correlation glyphbox) reads no Calendar Round with a Long "
       "Count"},
  };
  for (const Case& c : cases) {
    const Outcome o = runCli(c.args);
    EXPECT_EQ(o.status, c.status) << c.args[0] << "\n" << o.err;
    EXPECT_EQ(o.out, c.out) << c.args[0];
    EXPECT_TRUE(c.err.empty() ? o.err.empty() : has(o.err, c.err)) << c.args[0] << "\n" << o.err;
  }
}

TEST(CliInscriptionDates, FindAddAndDiffReadThemAlike) {
  const Outcome found = runCli({"find", "13.0.0.0.0 4 Ahau 8 Cumku"});
  EXPECT_EQ(found.status, 0) << found.err;
  EXPECT_EQ(found.out, "3114-08-11 BCE  0.0.0.0.0  4 Ahau  8 Cumku  G9\n");
  EXPECT_TRUE(has(found.err, "pattern \"13.0.0.0.0 4 Ahau 8 Cumku\": read as the creation date"))
      << found.err;
  const Outcome cross = runCli({"find", "12.19.13.4.0", "8", "Ahau", "18", "Zec"});
  EXPECT_EQ(cross.out, "3121-12-05 BCE  -0.0.6.14.0  8 Ahau  18 Tzec  G8\n") << cross.err;

  const Outcome added = runCli({"add", "12.19.13.4.0", "8", "Ahau", "18", "Zec", "+20d"});
  EXPECT_EQ(added.status, 0) << added.err;
  EXPECT_EQ(added.out, "3121-12-25 BCE  -0.0.6.13.0  2 Ahau  18 Xul  G1\n");
  EXPECT_TRUE(has(added.err, "date \"12.19.13.4.0 8 Ahau 18 Zec\": read in the era before"))
      << added.err;
  EXPECT_EQ(runCli({"diff", "13.0.0.0.0 4 Ahau 8 Cumku", "13.0.0.0.0"}).out,
            "+13.0.0.0.0  1872000 days\n");
}

TEST(CliHelp, EachCommandDescribesItself) {
  const Outcome add = runCli({"add", "--help"});
  EXPECT_EQ(add.status, 0);
  EXPECT_TRUE(has(add.out, "Usage: glyphbox-cli add")) << add.out;
  EXPECT_TRUE(has(add.out, "+823d")) << add.out;
  EXPECT_FALSE(has(add.out, "standard input")) << add.out;
  EXPECT_FALSE(has(add.out, "--compare")) << add.out;
  const Outcome diff = runCli({"diff", "--help"});
  EXPECT_FALSE(has(diff.out, "--spelling")) << diff.out;
  EXPECT_TRUE(has(diff.out, "Usage: glyphbox-cli diff")) << diff.out;
  const Outcome find = runCli({"find", "--help"});
  EXPECT_FALSE(has(find.out, "see 'glyphbox-cli find --help'")) << find.out;
  EXPECT_TRUE(has(find.out, "bearer 8 Ik")) << find.out;
  // The commands refuse the window's arithmetic, so their help does not offer it.
  for (const Outcome& o : {add, diff, find}) {
    EXPECT_FALSE(has(o.out, "glyphbox, the desktop")) << o.out;
    EXPECT_FALSE(has(o.out, "default with glyphbox")) << o.out;
  }
  for (const char* command : {"find", "add", "diff"}) {
    EXPECT_EQ(runCli({"help", command}).out, runCli({command, "--help"}).out) << command;
  }
  const Outcome all = runCli({"help"});
  EXPECT_EQ(all.out, runCli({"--help"}).out);
  EXPECT_TRUE(has(all.out, "glyphbox, the desktop window's own")) << all.out;
  EXPECT_TRUE(has(all.out, "GLYPHBOX_CORRELATION")) << all.out;
}

TEST(CliUsage, OptionsAreRefusedWhereTheyDoNotApply) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"add", "9.12.11.5.18", "+1d", "--compare"},
       "glyphbox-cli: --compare does not apply to add\nTry 'glyphbox-cli help add'.\n"},
      {{"--compare", "find", "8 Ahau"},
       "glyphbox-cli: --compare does not apply to find\nTry 'glyphbox-cli help find'.\n"},
      {{"diff", "--spelling", "modern", "9.12.11.5.18", "9.12.11.5.19"},
       "glyphbox-cli: --spelling does not apply to diff\nTry 'glyphbox-cli help diff'.\n"},
      {{"--limit", "3", "2000-01-01"},
       "glyphbox-cli: --limit does not apply to conversion; it is an option of find\nTry "
       "'glyphbox-cli --help'.\n"},
      {{"add", "--correlation", "glyphbox", "9.12.11.5.18", "+1d"},
       "glyphbox-cli: add reads Long Counts at face value, which the window's own arithmetic "
       "(glyphbox) has no reading for; use a correlation such as gmt\nTry 'glyphbox-cli help "
       "add'.\n"},
      {{"help", "bogus"},
       "glyphbox-cli: no command \"bogus\"; the commands are find, add, diff, draw, inscription "
       "and "
       "help\nTry "
       "'glyphbox-cli --help'.\n"},
      {{"add", "9.12.11.5.18"},
       "glyphbox-cli: add needs a date and at least one distance, such as add 9.12.11.5.18 "
       "+2.5.3\nTry 'glyphbox-cli help add'.\n"},
      {{"diff", "9.12.11.5.18"},
       "glyphbox-cli: diff needs two dates, such as diff 9.12.11.5.18 9.12.13.11.1\nTry "
       "'glyphbox-cli help diff'.\n"},
      {{"find", "--count-only"},
       "glyphbox-cli: find needs a pattern, such as find 9.*.*.*.* 8 Ahau\nTry 'glyphbox-cli "
       "help find'.\n"},
      {{"--fields", "date,bogus", "2000-01-01"},
       "glyphbox-cli: unknown field \"bogus\" in --fields; --fields help lists them\nTry "
       "'glyphbox-cli --help'.\n"},
      {{"--fields", "", "2000-01-01"},
       "glyphbox-cli: unknown field \"\" in --fields; --fields help lists them\nTry "
       "'glyphbox-cli --help'.\n"},
  };
  for (const Case& c : cases) {
    const Outcome o = runCli(c.args);
    EXPECT_EQ(o.status, 2) << c.message;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(o.err, c.message);
  }
}

// After "--" every word is an input, also within a command: so negative
// Long Counts and distances, and words that look like options, are read
// as the command's own.
TEST(CliUsage, DoubleDashEndsTheOptionsOfACommandToo) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
  };
  const Case cases[] = {
      {{"find", "--count-only", "4", "Ahau", "--", "8", "Cumku"}, 0, "152\n"},
      {{"find", "--count-only", "--", "4", "Ahau", "8", "Cumku"}, 0, "152\n"},
      {{"add", "9.12.11.5.18", "--", "-1d"},
       0,
       "683-08-28 CE  9.12.11.5.17  5 Caban  10 Yax  G9\n"},
      {{"add", "9.12.11.5.18", "+1d", "--", "-1d"},
       0,
       "683-08-30 CE  9.12.11.5.19  7 Caunac  12 Yax  G2\n"
       "683-08-29 CE  9.12.11.5.18  6 Etznab  11 Yax  G1\n"},
      {{"diff", "9.12.11.5.18", "--", "-0.0.0.0.1"}, 0, "-9.12.11.5.19  -1386479 days\n"},
      {{"--", "-0.0.0.1.5"}, 0, "3114-07-17 BCE  -0.0.0.1.5  5 Men  3 Kayab  G2\n"},
      // An option after "--" is a word of the pattern, and no clue.
      {{"find", "4", "Ahau", "--", "--count-only"}, 1, ""},
  };
  for (const Case& c : cases) {
    const Outcome o = runCli(c.args);
    EXPECT_EQ(o.status, c.status) << c.args[0] << " " << c.args[1] << o.err;
    EXPECT_EQ(o.out, c.out) << c.args[0] << " " << c.args[1];
  }
  const Outcome help = runCli({"help", "--help"});
  EXPECT_EQ(help.status, 0) << help.err;
  EXPECT_EQ(help.out, runCli({"help", "help"}).out);
  EXPECT_TRUE(has(help.out, "Usage: glyphbox-cli help [OPTIONS] [COMMAND]")) << help.out;
  EXPECT_FALSE(has(help.out, "standard input")) << help.out; // not the program's footer
}

TEST(CliDistances, AreWordedAsUsersCountThem) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string out;
    std::string err;
  };
  const Case cases[] = {
      {{"diff", "9.12.11.5.18", "9.12.11.5.19"}, 0, "+0.1  1 day\n", ""},
      {{"diff", "9.12.11.5.19", "9.12.11.5.18"}, 0, "-0.1  -1 day\n", ""},
      {{"diff", "9.12.11.5.18", "9.12.11.6.0"}, 0, "+0.2  2 days\n", ""},
      {{"diff", "9.12.11.5.18", "9.12.11.5.18"}, 0, "0.0  0 days\n", ""},
      {{"add", "9.12.11.5.18", "+823"},
       1,
       "",
       "glyphbox-cli: distance \"+823\": a number alone is no distance; a distance is written "
       "largest place first, such as +2.5.3, or in days, such as -823d\n"},
  };
  for (const Case& c : cases) {
    const Outcome o = runCli(c.args);
    EXPECT_EQ(o.status, c.status) << c.args[1];
    EXPECT_EQ(o.out, c.out) << c.args[1];
    EXPECT_EQ(o.err, c.err) << c.args[1];
  }
}

} // namespace
