// The scholarly conversions of the real glyphbox-cli: correlations, the three
// Western calendars, Long Counts and JDNs as inputs, both spellings and both
// Haab numberings, and the four output formats.
#include <gtest/gtest.h>

#include "cli_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using glyphbox::testing_process::Outcome;
using glyphbox::testing_process::runCli;
using glyphbox::testing_process::runWindow;

std::vector<std::string> split(const std::string& s, char separator) {
  std::vector<std::string> parts;
  std::string part;
  for (const char c : s) {
    if (c == separator) {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  return parts;
}

// The lines of an output that ends every line with '\n'.
std::vector<std::string> lines(const std::string& out) {
  std::vector<std::string> all = split(out, '\n');
  if (!all.empty() && all.back().empty()) {
    all.pop_back();
  }
  return all;
}

// The data rows of a TSV output, each split into its fields (the header dropped).
std::vector<std::vector<std::string>> tsvRows(const std::string& out) {
  std::vector<std::vector<std::string>> rows;
  const std::vector<std::string> all = lines(out);
  for (std::size_t i = 1; i < all.size(); ++i) {
    rows.push_back(split(all[i], '\t'));
  }
  return rows;
}

enum Column { kDate, kDayCount, kLongCount, kTzolkin, kHaab, kLord, kJdn, kCorrelation, kCalendar };
constexpr std::size_t kColumns = 9;

// The day number of a Long Count written largest place first: kin 1,
// uinal 20, tun 360, and 20 times the place before from there up.
long long daysOf(const std::string& longCount) {
  const std::vector<std::string> places = split(longCount, '.');
  long long days = 0;
  for (std::size_t i = 0; i < places.size(); ++i) {
    const std::size_t fromKin = places.size() - 1 - i;
    const long long unit = fromKin == 0   ? 1
                           : fromKin == 1 ? 20
                                          : 360 * [&] {
                                              long long u = 1;
                                              for (std::size_t k = 2; k < fromKin; ++k) {
                                                u *= 20;
                                              }
                                              return u;
                                            }();
    days += std::stoll(places[i]) * unit;
  }
  return days;
}

// The published test vectors, with their dates in both calendars and the
// Calendar Round in each spelling and Haab numbering. The window's numbering
// shows a seating (day 0) as day 20 of the month before: 0 Uayeb is 20 Cumku.
struct Vector {
  std::string longCount;
  long long correlation;
  std::string correlationLabel;
  std::string gregorian;
  std::string julian;
  std::string lord;
  std::string tzolkinColonial, tzolkinModern;
  std::string haabSeating0Colonial, haabSeating0Modern;
  std::string haabWindow1Colonial, haabWindow1Modern;
};

const std::vector<Vector>& vectors() {
  static const std::vector<Vector> v = {
      {"0.0.0.0.0", 584283, "gmt 584283", "3114-08-11 BCE", "3114-09-06 BCE", "G9", "4 Ahau",
       "4 Ajaw", "8 Cumku", "8 Kumk'u", "8 Cumku", "8 Kumk'u"},
      {"9.8.9.13.0", 584283, "gmt 584283", "603-03-24 CE", "603-03-21 CE", "G8", "8 Ahau", "8 Ajaw",
       "13 Pop", "13 Pop", "13 Pop", "13 Pop"},
      {"13.0.0.0.0", 584283, "gmt 584283", "2012-12-21 CE", "2012-12-08 CE", "G9", "4 Ahau",
       "4 Ajaw", "3 Kankin", "3 K'ank'in", "3 Kankin", "3 K'ank'in"},
      {"12.19.11.6.13", 584283, "gmt 584283", "2004-06-19 CE", "2004-06-06 CE", "G7", "4 Ben",
       "4 Ben", "16 Zotz", "16 Sotz'", "16 Zotz", "16 Sotz'"},
      {"13.0.6.6.7", 584283, "gmt 584283", "2019-03-27 CE", "2019-03-14 CE", "G1", "3 Manik",
       "3 Manik'", "0 Uayeb", "0 Wayeb", "20 Cumku", "20 Kumk'u"},
      {"19.19.19.17.19", 584283, "gmt 584283", "4772-10-12 CE", "4772-09-08 CE", "G8", "9 Caunac",
       "9 Kawak", "12 Yaxkin", "12 Yaxk'in", "12 Yaxkin", "12 Yaxk'in"},
      {"9.17.19.13.16", 584286, "martin-skidmore 584286", "790-07-20 CE", "790-07-16 CE", "G6",
       "5 Cib", "5 Kib", "14 Chen", "14 Ch'en", "14 Chen", "14 Ch'en"},
  };
  return v;
}

// The ways of naming a vector's correlation on the command line.
std::vector<std::string> correlationArgs(const Vector& v) {
  if (v.correlation == 584283) {
    return {"gmt", "584283"};
  }
  return {"martin-skidmore", "584286"};
}

TEST(CliScholarly, LongCountsOfThePublishedVectorsGiveTheirDates) {
  struct Calendar {
    std::string name;
    bool julian; // which date of the vector it gives
  };
  const Calendar calendars[] = {
      {"gregorian", false},
      {"julian", true},
      {"historical", true}, // the historical calendar is Julian before October 1582
  };
  for (const Vector& v : vectors()) {
    for (const std::string& correlation : correlationArgs(v)) {
      for (const Calendar& cal : calendars) {
        const bool julian = cal.julian && (cal.name == "julian" || v.gregorian.ends_with("BCE") ||
                                           std::stoi(v.gregorian) < 1582);
        const std::string context = v.longCount + " " + correlation + " " + cal.name;
        const Outcome o =
            runCli({"--correlation", correlation, "--calendar", cal.name, "--tsv", v.longCount});
        ASSERT_EQ(o.status, 0) << context << o.err;
        EXPECT_EQ(o.err, "") << context;
        const auto rows = tsvRows(o.out);
        ASSERT_EQ(rows.size(), 1u) << context << o.out;
        const auto& r = rows[0];
        ASSERT_EQ(r.size(), kColumns) << context;
        EXPECT_EQ(r[kDate], julian ? v.julian : v.gregorian) << context;
        EXPECT_EQ(r[kDayCount], std::to_string(daysOf(v.longCount))) << context;
        EXPECT_EQ(r[kLongCount], v.longCount) << context;
        EXPECT_EQ(r[kTzolkin], v.tzolkinColonial) << context;
        EXPECT_EQ(r[kHaab], v.haabSeating0Colonial) << context;
        EXPECT_EQ(r[kLord], v.lord) << context;
        EXPECT_EQ(r[kJdn], std::to_string(daysOf(v.longCount) + v.correlation)) << context;
        EXPECT_EQ(r[kCorrelation], v.correlationLabel) << context;
        EXPECT_EQ(r[kCalendar], cal.name) << context;
      }
    }
  }
}

TEST(CliScholarly, DatesOfThePublishedVectorsGiveTheirMayaDates) {
  for (const Vector& v : vectors()) {
    for (const std::string& correlation : correlationArgs(v)) {
      for (const bool julian : {false, true}) {
        for (const bool modern : {false, true}) {
          for (const bool window1 : {false, true}) {
            const std::string date = julian ? v.julian : v.gregorian;
            std::vector<std::string> args = {"--correlation", correlation, "--format", "tsv"};
            if (julian) {
              args.insert(args.end(), {"--calendar", "julian"});
            }
            if (modern) {
              args.insert(args.end(), {"--spelling", "modern"});
            }
            if (window1) {
              args.insert(args.end(), {"--haab-days", "1-20"});
            }
            args.push_back(date);
            const std::string context = date + " " + correlation + (julian ? " julian" : "") +
                                        (modern ? " modern" : "") + (window1 ? " 1-20" : "");
            const Outcome o = runCli(args);
            ASSERT_EQ(o.status, 0) << context << o.err;
            const auto rows = tsvRows(o.out);
            ASSERT_EQ(rows.size(), 1u) << context << o.out;
            const auto& r = rows[0];
            ASSERT_EQ(r.size(), kColumns) << context;
            EXPECT_EQ(r[kDate], date) << context;
            EXPECT_EQ(r[kLongCount], v.longCount) << context;
            EXPECT_EQ(r[kTzolkin], modern ? v.tzolkinModern : v.tzolkinColonial) << context;
            const std::string haab = window1
                                         ? (modern ? v.haabWindow1Modern : v.haabWindow1Colonial)
                                         : (modern ? v.haabSeating0Modern : v.haabSeating0Colonial);
            EXPECT_EQ(r[kHaab], haab) << context;
            EXPECT_EQ(r[kLord], v.lord) << context;
            EXPECT_EQ(r[kCorrelation], v.correlationLabel) << context;
          }
        }
      }
    }
  }
}

TEST(CliScholarly, PlainLinesUnderACorrelation) {
  const Outcome o = runCli({"--correlation", "gmt", "2012-12-21", "9.8.9.13.0"});
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_EQ(o.out, "2012-12-21 CE  13.0.0.0.0  4 Ahau  3 Kankin  G9\n"
                   "603-03-24 CE  9.8.9.13.0  8 Ahau  13 Pop  G8\n");
}

TEST(CliScholarly, TsvHasAHeaderAndNineColumns) {
  const Outcome o =
      runCli({"--correlation", "gmt", "--format", "tsv"}, "2012-12-21\n13.0.6.6.7\nJDN 2451545\n");
  EXPECT_EQ(o.status, 0) << o.err;
  const auto all = lines(o.out);
  ASSERT_EQ(all.size(), 4u) << o.out;
  EXPECT_EQ(all[0], "date\tday_count\tlong_count\ttzolkin\thaab\tlord\tjdn\tcorrelation\tcalendar");
  for (const auto& row : tsvRows(o.out)) {
    EXPECT_EQ(row.size(), kColumns);
  }
  EXPECT_EQ(all[3], "2000-01-01 CE\t1867262\t12.19.6.15.2\t11 Ik\t10 Kankin\tG5\t2451545\t"
                    "gmt 584283\tgregorian");
}

// The window's own mode keeps its five columns whatever the names; CSV and
// JSON always carry all nine.
TEST(CliScholarly, TheWindowsOwnModeKeepsItsFiveColumns) {
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const Case cases[] = {
      {{"--tsv", "--spelling", "modern", "2000-01-01"},
       "date\tday_count\tlong_count\ttzolkin\thaab\n"
       "2000-01-01 CE\t1867261\t12.19.6.15.1\t10 Imix\t9 K'ank'in\n"},
      // Eleven days after 9 Kankin: the window's 20 Kankin is the seating 0 Muan.
      {{"2000-01-12"}, "12.19.6.15.12  8 Eb  20 Kankin\n"},
      {{"--tsv", "--haab-days", "0-19", "2000-01-12"},
       "date\tday_count\tlong_count\ttzolkin\thaab\n"
       "2000-01-12 CE\t1867272\t12.19.6.15.12\t8 Eb\t0 Muan\n"},
      {{"--haab-days", "0-19", "--spelling", "modern", "2000-01-12"},
       "12.19.6.15.12  8 Eb  0 Muwan\n"},
      {{"--format", "csv", "2000-01-01"},
       "date,day_count,long_count,tzolkin,haab,lord,jdn,correlation,calendar\r\n"
       "2000-01-01 CE,1867261,12.19.6.15.1,10 Imix,9 Kankin,G4,2451545,glyphbox,gregorian\r\n"},
  };
  for (const auto& c : cases) {
    const Outcome o = runWindow(c.args);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, c.out);
  }
}

// Lines from other systems read the same under a correlation: a byte-order
// mark, CR LF and lone CR, blanks around the input, blank lines skipped.
TEST(CliScholarly, ForeignLineEndsUnderACorrelation) {
  const Outcome o = runCli({"--correlation", "gmt"}, "\xEF\xBB\xBF"
                                                     "13.0.0.0.0\r2012-12-21\r\n\r\n"
                                                     "  JDN 2456283 \n\ttoday\r");
  EXPECT_EQ(o.status, 0) << o.err;
  const auto all = lines(o.out);
  ASSERT_EQ(all.size(), 4u) << o.out;
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(all[i], "2012-12-21 CE  13.0.0.0.0  4 Ahau  3 Kankin  G9");
  }
}

// RFC 4180: records end with CRLF, a field holding a comma, a quote or a line
// break is quoted and its quotes doubled. Returns the records, or nothing
// when the text breaks those rules.
std::optional<std::vector<std::vector<std::string>>> parseCsv(const std::string& text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '"') {
      ++i;
      while (true) {
        if (i >= text.size()) {
          return std::nullopt;
        }
        if (text[i] == '"') {
          if (i + 1 < text.size() && text[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += text[i++];
      }
    } else {
      while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
        if (text[i] == '"') {
          return std::nullopt; // a quote inside an unquoted field
        }
        field += text[i++];
      }
    }
    if (i < text.size() && text[i] == ',') {
      record.push_back(field);
      field.clear();
      ++i;
    } else if (i + 1 < text.size() && text[i] == '\r' && text[i + 1] == '\n') {
      record.push_back(field);
      field.clear();
      records.push_back(record);
      record.clear();
      i += 2;
    } else {
      return std::nullopt; // a bare LF or CR, or no line end at the end
    }
  }
  return records;
}

TEST(CliScholarly, CsvFollowsRfc4180) {
  const Outcome o = runCli({"--correlation", "gmt", "--format", "csv", "--spelling", "modern"},
                           "2012-12-21\n13.0.6.6.7\n9.17.19.13.16\n");
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(o.out.starts_with(
      "date,day_count,long_count,tzolkin,haab,lord,jdn,correlation,calendar\r\n"));
  const auto records = parseCsv(o.out);
  ASSERT_TRUE(records.has_value()) << o.out;
  ASSERT_EQ(records->size(), 4u);
  for (const auto& r : *records) {
    EXPECT_EQ(r.size(), kColumns);
  }
  const std::vector<std::string> expected = {"2019-03-27 CE", "1874287",    "13.0.6.6.7",
                                             "3 Manik'",      "0 Wayeb",    "G1",
                                             "2458570",       "gmt 584283", "gregorian"};
  EXPECT_EQ((*records)[2], expected);
  // Every row of a comparison too.
  const Outcome c = runCli({"--compare", "--format", "csv", "2012-12-21"});
  const auto compared = parseCsv(c.out);
  ASSERT_TRUE(compared.has_value()) << c.out;
  EXPECT_EQ(compared->size(), 12u); // the header, ten presets and glyphbox
}

// The position of "\"key\":" in a JSON line, or npos.
std::size_t keyAt(const std::string& line, const std::string& key, std::size_t from = 0) {
  return line.find("\"" + key + "\":", from);
}

TEST(CliScholarly, JsonLinesHaveTheirKeysInOrderAndNumbersUnquoted) {
  struct Case {
    std::vector<std::string> args;
    std::string dayCount, jdn, correlation;
  };
  const Case cases[] = {
      {{"--correlation", "gmt", "13.0.0.0.0"},
       "1872000",
       "2456283",
       "{\"name\":\"gmt\",\"jdn\":584283}"},
      {{"--correlation", "martin-skidmore", "--calendar", "julian", "790-07-16"},
       "1425516",
       "2009802",
       "{\"name\":\"martin-skidmore\",\"jdn\":584286}"},
      {{"--correlation", "glyphbox", "2000-01-01"},
       "1867261",
       "2451545",
       "{\"name\":\"glyphbox\",\"jdn\":null}"},
  };
  const std::vector<std::string> keys = {"date", "day_count", "long_count",  "tzolkin", "haab",
                                         "lord", "jdn",       "correlation", "calendar"};
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--format", "json"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome o = runCli(args);
    ASSERT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.err, "");
    const auto all = lines(o.out);
    ASSERT_EQ(all.size(), 1u) << o.out;
    const std::string& line = all[0];
    EXPECT_TRUE(line.starts_with("{\"date\":\"")) << line;
    EXPECT_TRUE(line.ends_with("}")) << line;
    std::size_t at = 0;
    for (const std::string& key : keys) {
      const std::size_t found = keyAt(line, key, at);
      ASSERT_NE(found, std::string::npos) << key << " in " << line;
      at = found + key.size() + 3;
    }
    EXPECT_NE(line.find(",\"day_count\":" + c.dayCount + ",\"long_count\":\""), std::string::npos)
        << line;
    EXPECT_NE(
        line.find(",\"jdn\":" + c.jdn + ",\"correlation\":" + c.correlation + ",\"calendar\":\""),
        std::string::npos)
        << line;
  }
}

TEST(CliScholarly, JsonRefusalIsAnErrorObjectOnStandardOutput) {
  struct Case {
    std::vector<std::string> args;
    std::string input, code;
  };
  const Case cases[] = {
      {{"--correlation", "gmt"}, "9.12.11.18.0", "bad_long_count"},
      {{"--correlation", "gmt"}, "2001-02-29", "day_out_of_range"},
      {{"--correlation", "glyphbox"}, "2000-13-01", "month_out_of_range"},
      {{"--correlation", "glyphbox"}, "0.0.0.0.1", "no_date"},
      {{"--correlation", "gmt"}, "JDN x", "not_a_jdn"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"--format", "json"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Outcome o = runCli(args, "2012-12-21\n" + c.input + "\n");
    EXPECT_EQ(o.status, 1) << c.input;
    EXPECT_EQ(o.err, "") << c.input;
    const auto all = lines(o.out);
    ASSERT_EQ(all.size(), 2u) << o.out;
    EXPECT_TRUE(all[0].starts_with("{\"date\":\"2012-12-21 CE\"")) << all[0];
    const std::string& line = all[1];
    EXPECT_TRUE(line.starts_with("{\"input\":\"" + c.input + "\",\"line\":2,")) << line;
    EXPECT_NE(line.find("\"error\":{\"code\":\"" + c.code + "\",\"message\":\""), std::string::npos)
        << line;
    EXPECT_TRUE(line.ends_with("\"}}")) << line;
    EXPECT_EQ(keyAt(line, "long_count"), std::string::npos) << line;
  }
}

TEST(CliScholarly, CompareNamesEveryCorrelationWithItsNumber) {
  const Outcome o = runCli({"--compare", "--tsv", "2012-12-21"});
  EXPECT_EQ(o.status, 0) << o.err;
  const auto rows = tsvRows(o.out);
  ASSERT_EQ(rows.size(), 11u) << o.out;
  std::set<std::string> labels;
  for (const auto& r : rows) {
    ASSERT_EQ(r.size(), kColumns);
    EXPECT_EQ(r[kDate], "2012-12-21 CE");
    labels.insert(r[kCorrelation]);
  }
  const std::set<std::string> expected = {
      "gmt 584283",     "gmt+1 584284",    "lounsbury 584285", "martin-skidmore 584286",
      "martinez-hernandez 584281",         "spinden 489384",   "bowditch 394483",
      "makemson 489138",                   "bohm 622261",      "fuls 660208",
      "glyphbox"};
  EXPECT_EQ(labels, expected);
  // The day count follows each correlation: JDN 2456283 less its number.
  for (const auto& r : rows) {
    if (r[kCorrelation] != "glyphbox") {
      const long long number = std::stoll(split(r[kCorrelation], ' ').back());
      EXPECT_EQ(std::stoll(r[kDayCount]), 2456283 - number) << r[kCorrelation];
      EXPECT_EQ(daysOf(r[kLongCount]), 2456283 - number) << r[kCorrelation];
    } else {
      EXPECT_EQ(r[kLongCount], "12.19.19.17.18"); // the window's own day count
    }
  }
  const Outcome plain = runCli({"--compare", "2012-12-21"});
  const auto plainLines = lines(plain.out);
  ASSERT_EQ(plainLines.size(), 11u);
  EXPECT_TRUE(plainLines[0].starts_with("gmt 584283 ")) << plainLines[0];
  EXPECT_NE(plainLines[0].find("13.0.0.0.0  4 Ahau  3 Kankin  G9"), std::string::npos);
}

TEST(CliScholarly, TheWindowsLongCountsAndJdns) {
  const Outcome several = runWindow({"13.0.0.0.1"});
  EXPECT_EQ(several.status, 0) << several.err;
  const auto found = lines(several.out);
  EXPECT_GE(found.size(), 2u) << several.out;
  bool has2012 = false;
  for (const auto& line : found) {
    EXPECT_NE(line.find("  13.0.0.0.1  5 Imix  "), std::string::npos) << line;
    has2012 |= line == "2012-12-24 CE  13.0.0.0.1  5 Imix  4 Kankin";
  }
  EXPECT_TRUE(has2012) << several.out;

  const Outcome none = runWindow({"0.0.0.0.1"});
  EXPECT_EQ(none.status, 1);
  EXPECT_EQ(none.out, "");
  EXPECT_NE(none.err.find("input 1: \"0.0.0.0.1\": the window shows this Long Count on no "
                          "date"),
            std::string::npos)
      << none.err;

  const std::string row2000 = "2000-01-01 CE  12.19.6.15.1  10 Imix  9 Kankin\n";
  EXPECT_EQ(runWindow({"2000-01-01"}).out, "12.19.6.15.1  10 Imix  9 Kankin\n");
  for (const auto& args :
       std::vector<std::vector<std::string>>{{"JDN 2451545"}, {"JDN", "2451545"}}) {
    const Outcome o = runWindow(args);
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_EQ(o.out, row2000) << args.size();
  }
}

TEST(CliScholarly, BadInputsAreRefusedWithAClearMessage) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string message; // a part of standard error
  };
  const Case cases[] = {
      {{"--correlation", "gmt", "9.12.11.18.0"},
       1,
       "input 1: \"9.12.11.18.0\": uinal 18 is out of range; the uinal runs 0 to 17"},
      {{"--correlation", "gmt", "9.20.0.0.0"},
       1,
       "input 1: \"9.20.0.0.0\": katun 20 is out of range; the katun runs 0 to 19"},
      {{"--correlation", "gmt", "12.0.0.0"},
       1,
       "\"12.0.0.0\": a Long Count of fewer than five "
       "places is a distance, not a date"},
      {{"--correlation", "glyphbox", "12.0.0.0"}, 1, "distance, not a date"},
      {{"--correlation", "gmt", "--calendar", "historical", "1582-10-10"},
       1,
       "\"1582-10-10\": 5 to 14 October 1582 do not exist in the historical calendar"},
      {{"--correlation", "gmt", "0-01-01"}, 1, "\"0-01-01\": there is no year 0"},
      {{"--correlation", "gmt", "0-06-15 BCE"}, 1, "there is no year 0"},
      {{"--correlation", "gmt", "JDN 24x"}, 1, "\"JDN 24x\": not a Julian Day Number"},
      {{"--correlation", "gmt", "JDN", "-"}, 1, "not a Julian Day Number"},
      {{"JDN 9999999999999999"}, 1, "not a Julian Day Number"},
      {{"--correlation", "gmt", "--calendar", "julian", "1900-02-30"},
       1,
       "February of that year has 29 days in the julian calendar"},
      {{"--correlation", "mayan", "2000-01-01"},
       2,
       "unknown correlation \"mayan\"; use glyphbox, gmt (584283), gmt+1 (584284), lounsbury "
       "(584285), martin-skidmore (584286), martinez-hernandez (584281), spinden (489384), "
       "bowditch (394483), makemson "
       "(489138), bohm (622261), fuls (660208)"},
      {{"--correlation", "glyphbox", "--calendar", "julian", "2000-01-01"},
       2,
       "--calendar julian needs a correlation"},
      {{"--correlation", "glyphbox", "--calendar", "historical"},
       2,
       "--calendar historical needs a correlation"},
  };
  for (const auto& c : cases) {
    const Outcome o = runCli(c.args);
    EXPECT_EQ(o.status, c.status) << c.message;
    EXPECT_EQ(o.out, "") << c.message;
    EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
  }
}

std::string systemDate() {
  FILE* pipe = ::popen("date +%F", "r");
  if (pipe == nullptr) {
    return {};
  }
  char text[64] = {};
  const bool read = std::fgets(text, sizeof text, pipe) != nullptr;
  ::pclose(pipe);
  std::string date = read ? text : "";
  while (!date.empty() && date.back() == '\n') {
    date.pop_back();
  }
  return date;
}

// The system's date without its leading zeros, as the program writes it.
std::string programDate(const std::string& isoDate) {
  const auto parts = split(isoDate, '-');
  return std::to_string(std::stoll(parts[0])) + "-" + parts[1] + "-" + parts[2] + " CE";
}

TEST(CliScholarly, TodayIsTheSystemsDate) {
  for (const std::vector<std::string>& options :
       {std::vector<std::string>{"--correlation", "gmt", "--tsv"},
        std::vector<std::string>{"--correlation", "gmt", "--calendar", "historical", "--tsv"},
        std::vector<std::string>{"--tsv"}}) {
    // Around midnight the date may change between the runs: try again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
      const std::string before = systemDate();
      std::vector<std::string> args = options;
      args.push_back("today");
      const Outcome today = runCli(args);
      args.back() = before;
      const Outcome dated = runCli(args);
      if (systemDate() != before) {
        continue;
      }
      ASSERT_FALSE(before.empty());
      EXPECT_EQ(today.status, 0) << today.err;
      EXPECT_EQ(dated.status, 0) << dated.err;
      const auto rows = tsvRows(today.out);
      ASSERT_EQ(rows.size(), 1u) << today.out;
      EXPECT_EQ(rows[0][kDate], programDate(before));
      EXPECT_EQ(today.out, dated.out);
      break;
    }
  }
}

// Dates across the Long Counts' range, written as the program writes them,
// with days every calendar has and the leap days and edges of each.
std::vector<std::string> roundTripDates(const std::string& calendar) {
  std::vector<std::string> dates;
  for (int i = 0; i < 300; ++i) {
    const int astronomical = -3100 + i * 27; // 3101 BCE to about 4973 CE
    const int month = i % 12 + 1;
    const int day = (i * 7) % 28 + 1;
    if (astronomical == 1582) {
      continue;
    }
    char text[48];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %s",
                  astronomical > 0 ? astronomical : 1 - astronomical, month, day,
                  astronomical > 0 ? "CE" : "BCE");
    dates.emplace_back(text);
  }
  dates.insert(dates.end(), {"2000-02-29 CE", "1-02-29 BCE", "1-01-01 CE", "1-12-31 BCE"});
  if (calendar == "julian") {
    dates.insert(dates.end(), {"1900-02-29 CE", "1582-10-10 CE", "100-02-29 CE"});
  } else if (calendar == "historical") {
    dates.insert(dates.end(), {"1582-10-04 CE", "1582-10-15 CE", "1500-02-29 CE", "1600-02-29 CE",
                               "1582-02-28 CE"});
  } else {
    dates.insert(dates.end(), {"1582-10-10 CE", "1600-02-29 CE", "401-02-29 BCE"});
  }
  return dates;
}

TEST(CliScholarly, DatesRoundTripThroughTheirLongCounts) {
  for (const std::string calendar : {"gregorian", "julian", "historical"}) {
    const std::vector<std::string> dates = roundTripDates(calendar);
    std::string input;
    for (const auto& d : dates) {
      input += d + "\n";
    }
    const std::vector<std::string> options = {"--correlation", "gmt", "--calendar", calendar,
                                              "--tsv"};
    const Outcome there = runCli(options, input);
    ASSERT_EQ(there.status, 0) << calendar << there.err;
    const auto rows = tsvRows(there.out);
    ASSERT_EQ(rows.size(), dates.size()) << calendar;
    std::string longCounts;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      ASSERT_EQ(rows[i].size(), kColumns);
      EXPECT_EQ(rows[i][kDate], dates[i]) << calendar;
      longCounts += rows[i][kLongCount] + "\n";
    }
    const Outcome back = runCli(options, longCounts);
    ASSERT_EQ(back.status, 0) << calendar << back.err;
    const auto backRows = tsvRows(back.out);
    ASSERT_EQ(backRows.size(), dates.size()) << calendar;
    for (std::size_t i = 0; i < backRows.size(); ++i) {
      EXPECT_EQ(backRows[i][kDate], dates[i]) << calendar << " " << rows[i][kLongCount];
      EXPECT_EQ(backRows[i][kJdn], rows[i][kJdn]) << calendar << " " << dates[i];
    }
  }
}

// Consecutive days have consecutive Long Counts, whatever the calendar: the
// historical calendar's 4 October 1582 is followed by 15 October.
TEST(CliScholarly, TheReformGapIsOneDay) {
  const Outcome o = runCli(
      {"--correlation", "gmt", "--calendar", "historical", "--tsv", "1582-10-04", "1582-10-15"});
  ASSERT_EQ(o.status, 0) << o.err;
  const auto rows = tsvRows(o.out);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][kJdn], "2299160");
  EXPECT_EQ(rows[1][kJdn], "2299161");
  EXPECT_EQ(daysOf(rows[1][kLongCount]) - daysOf(rows[0][kLongCount]), 1);
}

} // namespace
