// Columns chosen with --fields, Mayan numerals with --numerals, and the
// picture written by draw, run through the real glyphbox-cli.
#include <gtest/gtest.h>

#include "cli_process.h"

#include <glyphbox/testing/numerals.h>

#include <sys/stat.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

using glyphbox::testing_process::Outcome;
using glyphbox::testing_process::runCli;
using glyphbox::testing_process::runShell;
using glyphbox::testing_process::scratchFile;
using glyphbox::testing_process::slurp;

std::vector<std::string> split(const std::string& text, char at) {
  std::vector<std::string> parts;
  std::size_t from = 0;
  for (std::size_t end; (end = text.find(at, from)) != std::string::npos; from = end + 1)
    parts.push_back(text.substr(from, end - from));
  parts.push_back(text.substr(from));
  return parts;
}

// The names --fields help lists, first word of each line.
std::vector<std::string> fieldNames() {
  const Outcome o = runCli({"--fields", "help"});
  EXPECT_EQ(o.status, 0) << o.err;
  std::vector<std::string> names;
  for (const std::string& line : split(o.out, '\n'))
    if (!line.empty())
      names.push_back(line.substr(0, line.find(' ')));
  return names;
}

// Each mode's default columns, named with --fields, write the same bytes.
TEST(CliFields, NamingTheDefaultColumnsChangesNothing) {
  const std::string classic =
      "date,day_count,long_count,tzolkin,haab,lord,jdn,correlation,calendar";
  struct Mode {
    std::vector<std::string> args;
    std::string fields;
  };
  const Mode modes[] = {
      {{"--format", "plain"}, "date,long_count,tzolkin,haab,lord"},
      {{"--format", "plain", "--compare"}, "correlation,date,long_count,tzolkin,haab,lord"},
      {{"--format", "tsv"}, classic},
      {{"--format", "csv"}, classic},
      {{"--format", "json"}, classic},
      {{"--format", "tsv", "--compare"}, classic},
      {{"--format", "json", "--correlation", "glyphbox"}, classic},
  };
  for (const Mode& m : modes) {
    std::vector<std::string> args = m.args;
    args.insert(args.end(), {"2012-12-21", "9.12.11.5.18", "JDN 0", "2000-13-01"});
    const Outcome plain = runCli(args);
    // After the inputs, so that JSON names the inputs by the same places.
    args.insert(args.end(), {"--fields", m.fields});
    const Outcome chosen = runCli(args);
    EXPECT_EQ(chosen.out, plain.out) << m.fields;
    EXPECT_EQ(chosen.status, plain.status) << m.fields;
  }
}

// 9.12.11.5.18 under gmt, column by column, as the facts sheet and the
// calendars give it; each column alone in plain, TSV, CSV and JSON.
TEST(CliFields, EveryColumnInEveryFormat) {
  struct Column {
    std::string name, text;
    bool number; // JSON writes it unquoted
  };
  const std::vector<Column> columns = {
      {"date", "683-08-29 CE", false},
      {"day_count", "1386478", true},
      {"long_count", "9.12.11.5.18", false},
      {"tzolkin", "6 Etznab", false},
      {"haab", "11 Yax", false},
      {"lord", "G1", false},
      {"jdn", "1970761", true},
      {"calendar", "gregorian", false},
      {"bearer", "10 Manik", false},
      {"819_since", "733", true},
      {"819_station", "1 Chicchan 8 Yax", false},
      {"819_quarter", "East (likin)", false},
      {"819_colour", "red (chak)", false},
      {"819_number", "13", true},
      {"gregorian", "683-08-29 CE", false},
      {"julian", "683-08-26 CE", false},
      {"historical", "683-08-26 CE", false},
      {"weekday", "Wednesday", false},
  };
  std::vector<std::string> listed = fieldNames();
  for (const Column& c : columns) {
    SCOPED_TRACE(c.name);
    EXPECT_NE(std::find(listed.begin(), listed.end(), c.name), listed.end());
    const auto run = [&](const char* format) {
      const Outcome o =
          runCli({"--format", format, "--correlation", "gmt", "--fields", c.name, "9.12.11.5.18"});
      EXPECT_EQ(o.status, 0) << o.err;
      return o.out;
    };
    EXPECT_EQ(run("plain"), c.text + "\n");
    EXPECT_EQ(run("tsv"), c.name + "\n" + c.text + "\n");
    EXPECT_EQ(run("csv"), c.name + "\r\n" + c.text + "\r\n");
    const std::string value = c.number ? c.text : "\"" + c.text + "\"";
    EXPECT_EQ(run("json"), "{\"" + c.name + "\":" + value + "}\n");
  }
  // The correlation, and 819 standing for its five columns, in the order given.
  const Outcome o =
      runCli({"--format", "json", "--fields", "correlation,819,tzolkin", "9.12.11.5.18"});
  EXPECT_EQ(o.out, "{\"correlation\":{\"name\":\"gmt\",\"jdn\":584283},\"819_since\":733,"
                   "\"819_station\":\"1 Chicchan 8 Yax\",\"819_quarter\":\"East (likin)\","
                   "\"819_colour\":\"red (chak)\",\"819_number\":13,\"tzolkin\":\"6 Etznab\"}\n");
}

// Every column follows the options that shape it, and the commands that
// write rows take --fields as conversion does.
TEST(CliFields, ColumnsFollowTheOptionsAndTheCommands) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const Case cases[] = {
      {{"--spelling", "modern", "--fields", "tzolkin,bearer,819_station", "9.12.11.5.18"},
       "6 Etz'nab  10 Manik'  1 Chikchan 8 Yax\n"},
      // Day 0 of a month is day 20 of the one before in the window's numbering.
      {{"--haab-days", "1-20", "--fields", "haab,819_station", "13.0.0.0.0", "9.12.11.6.7"},
       "3 Kankin  1 Eb 20 Uo\n20 Yax  1 Chicchan 8 Yax\n"},
      {{"--calendar", "julian", "--fields", "date,gregorian,julian,historical", "2012-12-08"},
       "2012-12-08 CE  2012-12-21 CE  2012-12-08 CE  2012-12-21 CE\n"},
      {{"--correlation", "glyphbox", "--fields", "long_count,819_since", "2000-01-01"},
       "12.19.6.15.1  763\n"},
      {{"--fields", "long_count,819_since,819_quarter", "--", "-0.0.6.14.0"},
       "-0.0.6.14.0  20  South (nohol)\n"},
      {{"add", "--fields", "long_count,819_since", "9.12.11.5.18", "+1d"}, "9.12.11.5.19  734\n"},
      {{"find", "--fields", "long_count,819", "819+20 8 Ahau 13 Pop", "--from", "9.8.0.0.0"},
       "9.8.9.13.0  20  1 Ahau 18 Cumku  South (nohol)  yellow (kan)  18\n"
       "17.14.11.4.0  20  1 Ahau 18 Cumku  South (nohol)  yellow (kan)  18\n"},
  };
  for (const Case& c : cases) {
    const Outcome o = runCli(c.args);
    EXPECT_EQ(o.status, 0) << c.args.back() << ": " << o.err;
    EXPECT_EQ(o.out, c.out) << c.args.back();
  }
}

TEST(CliFields, BadListsAreUsageErrors) {
  for (const std::string list : {"bogus", "", "date,,lord", "date,", "DATE", "819x"}) {
    const Outcome o = runCli({"--fields", list, "2000-01-01"});
    EXPECT_EQ(o.status, 2) << list;
    EXPECT_EQ(o.out, "") << list;
    EXPECT_TRUE(o.err.starts_with("glyphbox-cli: unknown field \"")) << list << ": " << o.err;
  }
}

// Written in Mayan numerals, every row reads back as its decimal twin, in
// every format, down to the places above 19 written in base 20.
TEST(CliNumerals, ReadBackAsTheDecimalRows) {
  const std::vector<std::string> inputs = {"9.12.11.5.18",  "2012-12-21",     "JDN 0",
                                           "JDN 100000000", "3114-08-11 BCE", "today"};
  for (const char* format : {"plain", "tsv", "csv", "json"}) {
    for (const char* fields : {"long_count,tzolkin,haab,819_station",
                               "date,day_count,long_count,tzolkin,haab,lord,jdn"}) {
      std::vector<std::string> args = {"--format", format, "--fields", fields};
      args.insert(args.end(), inputs.begin(), inputs.end());
      const Outcome decimal = runCli(args);
      args.insert(args.begin(), {"--numerals", "maya"});
      const Outcome maya = runCli(args);
      ASSERT_EQ(maya.status, 0) << maya.err;
      EXPECT_NE(maya.out, decimal.out);
      EXPECT_EQ(glyphbox::testing::decimalOfMayanNumerals(maya.out), decimal.out)
          << format << " " << fields;
    }
  }
  // The anchors, as the reader sees them.
  EXPECT_EQ(runCli({"--numerals", "maya", "9.12.11.5.18"}).out,
            "683-08-29 CE  \U0001D2E9.\U0001D2EC.\U0001D2EB.\U0001D2E5.\U0001D2F2  "
            "\U0001D2E6 Etznab  \U0001D2EB Yax  G1\n");
  EXPECT_EQ(runCli({"--numerals", "maya", "--fields", "long_count", "JDN 100000000"}).out,
            "\U0001D2E1\U0001D2EE\U0001D2EA.\U0001D2E7.\U0001D2EE.\U0001D2ED.\U0001D2F1\n");
  const Outcome bad = runCli({"--numerals", "roman", "2000-01-01"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
}

bool isSvg(const std::string& s) {
  return s.find("<svg") != std::string::npos && s.ends_with("</svg>\n");
}

// draw writes the same picture to standard output and to a file, replaces
// a file whole, and leaves it as it was when the day cannot be drawn or the
// file cannot be written.
TEST(CliDraw, WritesThePictureWholeOrNotAtAll) {
  const Outcome shown = runCli({"draw", "9.12.11.5.18"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_TRUE(isSvg(shown.out));
  EXPECT_EQ(runCli({"draw", "-o", "-", "683-08-29"}).out, shown.out);
  EXPECT_NE(runCli({"draw", "9.12.11.5.19"}).out, shown.out);

  const std::string file = scratchFile("picture.svg");
  std::ofstream(file) << "an older picture, longer than nothing at all";
  const Outcome written =
      runShell("umask 027; " + std::string(GLYPHBOX_CLI_PATH) + " draw 9.12.11.5.18 -o " + file);
  EXPECT_EQ(written.status, 0) << written.err;
  EXPECT_EQ(written.out, "");
  EXPECT_EQ(slurp(file), shown.out);
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u); // as any new file under the user's umask

  struct Case {
    std::vector<std::string> args;
    int status;
    std::string errStart;
  };
  const Case refusals[] = {
      {{"draw", "2000-13-01", "-o", file}, 1, "glyphbox-cli: "},
      {{"draw", "-o", file}, 2, "glyphbox-cli: "},
      {{"draw", "9.12.11.5.18", "9.12.11.5.19", "-o", file}, 2, "glyphbox-cli: "},
      {{"draw", "9.12.11.5.18", "-o", file + ".missing/a.svg"}, 3, "glyphbox-cli: cannot write \""},
      {{"draw", "9.12.11.5.18", "-o", ::testing::TempDir()}, 3, "glyphbox-cli: cannot write \""},
  };
  for (const Case& c : refusals) {
    const Outcome o = runCli(c.args);
    EXPECT_EQ(o.status, c.status) << c.args[1] << ": " << o.err;
    EXPECT_TRUE(o.err.starts_with(c.errStart)) << o.err;
    EXPECT_EQ(o.out, "");
    EXPECT_EQ(slurp(file), shown.out) << "the earlier picture stays whole";
  }
}

} // namespace
