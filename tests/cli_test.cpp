#include <glyphbox/rows/inputs.h>
#include <glyphbox/version.h>

#include <gtest/gtest.h>

#include "cli_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

namespace glyphbox::rows {
namespace {

using glyphbox::testing_process::Outcome;
using glyphbox::testing_process::runCli;
using glyphbox::testing_process::runWindow;

TEST(CliProcess, ConvertsDatesGivenAsArguments) {
  struct Case {
    std::string date;
    std::string line;
  };
  const Case cases[] = {
      {"2000-01-01", "12.19.6.15.1  10 Imix  9 Kankin\n"},
      {"2000-1-1 CE", "12.19.6.15.1  10 Imix  9 Kankin\n"},
      {"0002000-01-01", "12.19.6.15.1  10 Imix  9 Kankin\n"},
      {"3114-08-13 BCE", "13.0.0.0.0  4 Ahau  8 Cumku\n"},
      {"3114-08-11 bce", "12.19.19.17.18  2 Etznab  6 Cumku\n"},
      {"2012-12-24", "13.0.0.0.1  5 Imix  4 Kankin\n"},
      {"10000-01-01", "20.5.3.6.1  5 Imix  19 Pop\n"},
      {"2000-02-29", "12.19.7.0.0  4 Ahau  8 Kayab\n"},
  };
  for (const auto& c : cases) {
    const Outcome o = runWindow({c.date});
    EXPECT_EQ(o.status, 0) << c.date << o.err;
    EXPECT_EQ(o.out, c.line) << c.date;
    EXPECT_EQ(o.err, "") << c.date;
  }
}

TEST(CliProcess, ReadsStandardInputWhenNoDateIsGiven) {
  const Outcome o = runWindow({}, "2000-01-01\n\n  2012-12-23 CE\r\n3114-08-13 BCE");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "12.19.6.15.1  10 Imix  9 Kankin\n"
                   "13.0.0.0.0  4 Ahau  3 Kankin\n"
                   "13.0.0.0.0  4 Ahau  8 Cumku\n");
}

TEST(CliProcess, TsvHasHeaderAndColumns) {
  const Outcome o = runWindow({"--tsv", "2000-1-1", "0012-12-31 BCE"});
  EXPECT_EQ(o.status, 0) << o.err;
  std::istringstream lines(o.out);
  std::string header, first, second;
  std::getline(lines, header);
  std::getline(lines, first);
  std::getline(lines, second);
  EXPECT_EQ(header, "date\tday_count\tlong_count\ttzolkin\thaab");
  EXPECT_EQ(first, "2000-01-01 CE\t1867261\t12.19.6.15.1\t10 Imix\t9 Kankin");
  EXPECT_EQ(second.substr(0, 15), "12-12-31 BCE\t11");
}

TEST(CliProcess, RefusesBadInputAndGoesOn) {
  struct Case {
    std::string input;
    std::string messagePart;
  };
  const Case cases[] = {
      {"hello", "not a date"},
      {"2000-01", "not a date"},
      {"-5-01-01", "not a date"},
      {"2000/01/01", "not a date"},
      {"2000-01-01x", "not a date"},
      {"2000-13-01", "month out of range"},
      {"2000-00-10", "month out of range"},
      {"2001-02-29", "February of that year has 28 days"},
      {"2000-04-31", "April of that year has 30 days"},
      {"2000-01-00", "day out of range"},
      {"2147483648-01-01", "year out of range"},
      {"99999999999999999999-01-01", "year out of range"},
      {"2000-01-01 AD", "unknown era"},
      {"99999999-01-01", "Overflow"},
      {std::string("2000-01-01\0zz", 13), "not a date"},
      {"\xff\xfe\x01", "\\xFF\\xFE\\x01"},
  };
  for (const auto& c : cases) {
    const Outcome o = runWindow({}, "2000-01-01\n" + c.input + "\n2012-12-24\n");
    EXPECT_EQ(o.status, 1) << c.input;
    EXPECT_EQ(o.out, "12.19.6.15.1  10 Imix  9 Kankin\n13.0.0.0.1  5 Imix  4 Kankin\n") << c.input;
    EXPECT_NE(o.err.find("line 2"), std::string::npos) << o.err;
    EXPECT_NE(o.err.find(c.messagePart), std::string::npos) << o.err;
  }
}

TEST(CliProcess, ArgumentErrorsNameTheArgument) {
  const Outcome o = runWindow({"2000-02-30", "2000-01-01"});
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "12.19.6.15.1  10 Imix  9 Kankin\n");
  EXPECT_NE(o.err.find("input 1: \"2000-02-30\""), std::string::npos) << o.err;
}

// Which input, counted as users count them (options do not count), and its
// text; dates that start with a minus are refused dates, not unknown options;
// the first fault reading left to right is the one reported; a refusal names
// every input form.
TEST(CliProcess, ArgumentMessagesNameInputTextAndFirstFault) {
  const std::string forms = "not a date; expected YEAR-MONTH-DAY (optionally CE or BCE), a Long "
                            "Count such as 9.12.11.5.18, JDN followed by a number, or today\n";
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--tsv", "2000-01-01", "2000-13-01"},
       "glyphbox-cli: input 2: \"2000-13-01\": month out of range; the month must be 1 to 12\n"},
      {{"-"}, "glyphbox-cli: input 1: \"-\": " + forms},
      {{"-5-1-1"}, "glyphbox-cli: input 1: \"-5-1-1\": " + forms},
      {{"--", "--tsv"}, "glyphbox-cli: input 1: \"--tsv\": " + forms},
      {{"99999999999-1-1 AD"},
       "glyphbox-cli: input 1: \"99999999999-1-1 AD\": year out of range; the year must be 0 "
       "to 2147483647\n"},
      {{"2000-13-1 AD"},
       "glyphbox-cli: input 1: \"2000-13-1 AD\": month out of range; the month must be 1 to "
       "12\n"},
      {{"2001-2-29 AD"},
       "glyphbox-cli: input 1: \"2001-2-29 AD\": day out of range; February "
       "of that year has 28 days\n"},
      {{"JDN", "2451545", "x"}, "glyphbox-cli: input 2: \"x\": " + forms},
  };
  for (const auto& c : cases) {
    const Outcome o = runWindow(c.args);
    EXPECT_EQ(o.status, 1) << c.message;
    EXPECT_EQ(o.err, c.message);
  }
  // JSON names a refused argument by its place among all the arguments.
  const Outcome json = runCli({"--format", "json", "--correlation", "gmt", "2000-13-01"});
  EXPECT_NE(json.out.find("\"argument\":5,"), std::string::npos) << json.out;
}

TEST(CliProcess, ForeignLineEndingsAndByteOrderMark) {
  const Outcome o = runWindow({}, "\xEF\xBB\xBF"
                                  "2000-01-01\r2012-12-24\r\n3114-08-13 BCE\r");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "12.19.6.15.1  10 Imix  9 Kankin\n"
                   "13.0.0.0.1  5 Imix  4 Kankin\n"
                   "13.0.0.0.0  4 Ahau  8 Cumku\n");
}

TEST(CliProcess, OptionsHelpVersionAndUsageErrors) {
  const Outcome version = runCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "Glyphbox 6.06.0006\n");
  const Outcome help = runCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: glyphbox-cli"), std::string::npos);
  const Outcome bad = runCli({"--frobnicate"});
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.err.find("unknown option"), std::string::npos);
}

TEST(CliProcess, VeryLongLinesAreRefusedWithoutHarm) {
  const std::string huge(3 << 20, '7');
  const Outcome o = runWindow({}, huge + "\n2000-01-01\n");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "12.19.6.15.1  10 Imix  9 Kankin\n");
  EXPECT_NE(o.err.find("line 1"), std::string::npos) << o.err.substr(0, 200);
  EXPECT_LT(o.err.size(), 300u);
}

TEST(ParseDate, ValidatesDaysUnderTheYearFieldsLeapRule) {
  struct Case {
    const char* text;
    InputError error;
  };
  const Case cases[] = {
      {"2000-02-29", InputError::None},     {"1900-02-29", InputError::DayOutOfRange},
      {"4-02-29 BCE", InputError::None},    {"0-02-29", InputError::None},
      {"2000-12-31", InputError::None},     {"2000-12-32", InputError::DayOutOfRange},
      {"2147483647-1-1", InputError::None}, {"2000-1-1 CE BCE", InputError::UnknownEra},
      {"", InputError::NotADate},           {"2000-1-1-", InputError::NotADate}};
  for (const auto& c : cases) {
    EXPECT_EQ(parseDate(c.text).error, c.error) << c.text;
  }
}

} // namespace
} // namespace glyphbox::rows
