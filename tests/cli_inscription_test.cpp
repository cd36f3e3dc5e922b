// glyphbox-cli inscription through the real program: the worksheet's plain
// answers, its rows, its messages and its exit statuses.

#include <gtest/gtest.h>

#include "cli_process.h"

#include <fstream>
#include <string>
#include <vector>

namespace {

using glyphbox::testing_process::Outcome;
using glyphbox::testing_process::runCli;
using glyphbox::testing_process::scratchFile;

constexpr const char* kCross = "# Palenque, Temple of the Cross\n"
                               "12.19.13.4.0 8 Ahau 18 Zec 819+20 819 South\n"
                               "-20d 1 Ahau 18 Zotz 819+0 819 South   # its station\n";

constexpr const char* kCrossMisread = "12.19.13.4.0 8 Ahau 13 Zec 819+20 819 South\n";

std::string worksheetFile(const std::string& text) {
  const std::string path = scratchFile("worksheet");
  std::ofstream(path, std::ios::binary) << text;
  return path;
}

TEST(Inscription, TheTempleOfTheCrossReadsAsAgreeing) {
  const Outcome o = runCli({"inscription", worksheetFile(kCross)});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.out, "# Palenque, Temple of the Cross\n"
                   "12.19.13.4.0 8 Ahau 18 Zec 819+20 819 South\n"
                   "  3121-12-05 BCE  -0.0.6.14.0  8 Ahau  18 Tzec  G8\n"
                   "  read in the era before 0.0.0.0.0, as -0.0.6.14.0: its Calendar Round falls "
                   "there and not 13 baktuns later, at face value\n"
                   "  8 Ahau: agrees\n"
                   "  18 Zec: agrees\n"
                   "  819+20: agrees\n"
                   "  819 South: agrees\n"
                   "-20d 1 Ahau 18 Zotz 819+0 819 South   # its station\n"
                   "  3121-11-15 BCE  -0.0.6.15.0  1 Ahau  18 Zotz  G6\n"
                   "  1 Ahau: agrees\n"
                   "  18 Zotz: agrees\n"
                   "  819+0: agrees\n"
                   "  819 South: agrees\n");
  // The same from standard input, without a file or with "-".
  EXPECT_EQ(runCli({"inscription"}, kCross).out, o.out);
  EXPECT_EQ(runCli({"inscription", "-"}, kCross).out, o.out);
}

TEST(Inscription, AMisreadClueDisagreesWithTheArithmeticAndTheNearestReadings) {
  const Outcome o = runCli({"inscription"}, kCrossMisread);
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.err, "");
  EXPECT_EQ(o.out, "12.19.13.4.0 8 Ahau 13 Zec 819+20 819 South\n"
                   "  3121-12-05 BCE  -0.0.6.14.0  8 Ahau  18 Tzec  G8\n"
                   "  read in the era before 0.0.0.0.0, as -0.0.6.14.0: more of its recorded "
                   "clues agree there than 13 baktuns later, at face value\n"
                   "  8 Ahau: agrees\n"
                   "  13 Zec: disagrees: the arithmetic gives 18 Tzec\n"
                   "  819+20: agrees\n"
                   "  819 South: agrees\n"
                   "  every clue agrees 18.4.0.0 earlier:  3479-02-26 BCE  -0.18.10.14.0  "
                   "8 Ahau  13 Tzec  G8\n"
                   "  every clue agrees 7.7.17.9.0 later:  206-12-24 BCE  7.7.10.13.0  8 Ahau  "
                   "13 Tzec  G8\n");
}

TEST(Inscription, RowsForScriptsInEveryFormat) {
  const std::string file = worksheetFile(std::string(kCrossMisread) + "-20d\n");
  const Outcome tsv = runCli({"inscription", "--tsv", file});
  EXPECT_EQ(tsv.status, 1);
  EXPECT_EQ(tsv.out,
            "line\tdate\tday_count\tlong_count\ttzolkin\thaab\tlord\tjdn\tcorrelation\tcalendar\t"
            "distance\tclues\tagrees\tnearest\n"
            "1\t3121-12-05 BCE\t-2440\t-0.0.6.14.0\t8 Ahau\t18 Tzec\tG8\t581843\tgmt 584283\t"
            "gregorian\t\t8 Ahau agrees; 13 Zec disagrees: 18 Tzec; 819+20 agrees; 819 South "
            "agrees\tno\t-0.18.10.14.0 7.7.10.13.0\n"
            "2\t3121-11-15 BCE\t-2460\t-0.0.6.15.0\t1 Ahau\t18 Zotz\tG6\t581823\tgmt 584283\t"
            "gregorian\t-1.0\t\t\t\n");
  // The note goes to standard error, as in conversion.
  EXPECT_NE(tsv.err.find("glyphbox-cli: line 1: \"12.19.13.4.0 8 Ahau 13 Zec"), std::string::npos);
  const Outcome json = runCli({"inscription", "--format", "json", file});
  EXPECT_NE(json.out.find("\"line\":1,\"date\":\"3121-12-05 BCE\""), std::string::npos);
  EXPECT_NE(json.out.find("{\"clue\":\"13 Zec\",\"kind\":\"haab\",\"offset\":20,\"length\":6,"
                          "\"agrees\":false,\"computed\":\"18 Tzec\"}"),
            std::string::npos);
  EXPECT_NE(json.out.find("\"agrees\":false,\"nearest\":[\"-0.18.10.14.0\",\"7.7.10.13.0\"]}"),
            std::string::npos);
  EXPECT_NE(json.out.find("\"distance\":\"-1.0\",\"clues\":[],\"agrees\":null,\"nearest\":[]}"),
            std::string::npos);
  const Outcome csv = runCli({"inscription", "--format", "csv", "--fields",
                              "line,long_count,agrees,nearest", "--spelling", "modern", file});
  EXPECT_EQ(csv.out, "line,long_count,agrees,nearest\r\n"
                     "1,-0.0.6.14.0,no,-0.18.10.14.0 7.7.10.13.0\r\n"
                     "2,-0.0.6.15.0,,\r\n");
  // Conversion has no worksheet line to write.
  const Outcome conversion = runCli({"--fields", "date,line", "2000-01-01"});
  EXPECT_EQ(conversion.status, 2);
  EXPECT_NE(conversion.err.find("\"line\" in --fields belongs to the inscription worksheet"),
            std::string::npos);
}

TEST(Inscription, EachBadLineIsOneMessageNamingTheLine) {
  std::string clues = "9.12.11.5.18";
  for (int i = 0; i < 100'000; ++i) {
    clues += " G1";
  }
  const Outcome o = runCli({"inscription"}, "+2.5.3\n"
                                            "9.12.11.5.18 6 Etznab 11 Yax\n"
                                            "+2.18.3\n"
                                            "9.12.11.5.18 4 Ahau 9 Cumku\n"
                                            "9.12.11.5.18 819+900\n" +
                                                clues + "\n");
  EXPECT_EQ(o.status, 1);
  const std::vector<std::string> starts = {
      "glyphbox-cli: line 1: \"+2.5.3\": a distance counts from the day of a line above it",
      "glyphbox-cli: line 3: \"+2.18.3\": uinal 18 is out of range",
      "glyphbox-cli: line 4: \"4 Ahau 9 Cumku\": '4 Ahau' and '9 Cumku' never fall on the same "
      "day",
      "glyphbox-cli: line 5: \"819+900\": 819+900: a day lies 0 to 818 days after its station, "
      "not 900",
      "glyphbox-cli: line 6: \"9.12.11.5.18 G1 G1",
  };
  std::size_t at = 0;
  for (const std::string& start : starts) {
    const std::size_t found = o.err.find(start, at);
    ASSERT_NE(found, std::string::npos) << start << "\nin\n" << o.err;
    at = o.err.find('\n', found) + 1;
  }
  EXPECT_EQ(at, o.err.size()) << "one line per fault:\n" << o.err;
  EXPECT_NE(o.err.find("line too long"), std::string::npos);
}

TEST(Inscription, ExitStatusesOfTheWholeWorksheet) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    int status;
    const char* err; // the start of standard error
  };
  const Case cases[] = {
      {{"inscription"}, "9.12.11.5.18 6 Etznab 11 Yax G1\n+2.5.3 10 Imix 4 Muan G5\n", 0, ""},
      {{"inscription"}, "", 1, "glyphbox-cli: the worksheet is empty;"},
      {{"inscription"}, "# nothing yet\n\n", 1, "glyphbox-cli: line 2: the worksheet ends "},
      {{"inscription", "/nonexistent/cross.txt"},
       "",
       3,
       "glyphbox-cli: cannot read \"/nonexistent/cross.txt\": No such file or directory"},
      {{"inscription", "/"}, "", 3, "glyphbox-cli: cannot read \"/\": Is a directory"},
      {{"inscription", "a", "b"}, "", 2, "glyphbox-cli: inscription reads one worksheet"},
      {{"inscription", "--compare"},
       "",
       2,
       "glyphbox-cli: --compare does not apply to inscription"},
      {{"inscription", "--correlation", "glyphbox"},
       "",
       2,
       "glyphbox-cli: inscription reads Long Counts at face value"},
  };
  for (const Case& c : cases) {
    const Outcome o = runCli(c.args, c.input);
    EXPECT_EQ(o.status, c.status) << c.args.back() << ": " << o.err;
    EXPECT_EQ(o.err.substr(0, std::string(c.err).size()), c.err) << c.args.back();
  }
}

TEST(Inscription, HelpAndFieldsHelpShowTheWorksheet) {
  const Outcome help = runCli({"help", "inscription"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("12.19.13.4.0 8 Ahau 18 Zec 819+20 819 South"), std::string::npos);
  const Outcome fields = runCli({"inscription", "--fields", "help"});
  const Outcome conversionFields = runCli({"--fields", "help"});
  EXPECT_EQ(fields.out.substr(0, conversionFields.out.size()), conversionFields.out);
  EXPECT_NE(fields.out.find("\nnearest "), std::string::npos);
  EXPECT_EQ(conversionFields.out.find("\nline "), std::string::npos);
}

} // namespace
