#include <glyphbox/engine/tzolkin_haab.h>
#include <glyphbox/maya/names.h>

#include <gtest/gtest.h>

#include <string>

namespace glyphbox::maya {
namespace {

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return out;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return out;
}

// The name with every apostrophe written as another glottal-stop mark.
std::string withMark(std::string_view s, std::string_view mark) {
  std::string out;
  for (const char c : s) {
    if (c == '\'') {
      out += mark;
    } else {
      out += c;
    }
  }
  return out;
}

// Every table name is read back to its own index, in any case and with any
// of the glottal-stop marks or none.
TEST(NameReading, EveryTableNameReadsBackInEveryForm) {
  const std::string_view marks[] = {"'", "\xE2\x80\x99", "\xCA\xBC", ""};
  for (const Spelling spelling : {Spelling::Colonial, Spelling::Modern}) {
    for (int i = 0; i < kVeintena; ++i) {
      const std::string_view name = tzolkinName(i, spelling);
      for (const std::string_view mark : marks) {
        const std::string form = withMark(name, mark);
        EXPECT_EQ(parseTzolkinName(form), i) << form;
        EXPECT_EQ(parseTzolkinName(upper(form)), i) << form;
        EXPECT_EQ(parseTzolkinName(lower(form)), i) << form;
      }
    }
    for (int month = 1; month <= kHaabMonths; ++month) {
      const std::string_view name = haabMonthName(month, spelling);
      for (const std::string_view mark : marks) {
        const std::string form = withMark(name, mark);
        EXPECT_EQ(parseHaabMonth(form), month) << form;
        EXPECT_EQ(parseHaabMonth(upper(form)), month) << form;
        EXPECT_EQ(parseHaabMonth(lower(form)), month) << form;
      }
    }
  }
}

TEST(NameReading, AcceptsTheOtherSpellingsInPrint) {
  struct Case {
    const char* text;
    int index;
  };
  const Case tzolkin[] = {
      {"ajaw", 0},
      {"AHAU", 0},
      {"Ik'", 2},
      {"ik", 2},
      {"Chuwen", 11},
      {"Chuen", 11},
      {"Etz'nab'", 18},
      {"Etznab", 18},
      {"B'en", 13},
      {"Kab'an", 17},
      {"K\xE2\x80\x99"
       "an",
       4},
      {"ak\xCA\xBC"
       "bal",
       3},
      {"CHIKCHAN", 5},
  };
  for (const Case& c : tzolkin) {
    EXPECT_EQ(parseTzolkinName(c.text), c.index) << c.text;
  }
  const Case haab[] = {
      {"Wo'", 2},
      {"Sotz'", 4},
      {"kumk'u", 18},
      {"K\xE2\x80\x99"
       "ank\xE2\x80\x99"
       "in",
       14},
      {"Yaxk'in", 7},
      {"UAYEB", 19},
      {"wayeb", 19},
      {"Sak'", 11},
      {"ch'en", 9},
  };
  for (const Case& c : haab) {
    EXPECT_EQ(parseHaabMonth(c.text), c.index) << c.text;
  }
}

TEST(NameReading, RefusesWhatIsNoName) {
  const char* tzolkin[] = {"",      "Aha",  "Ahaux",       "Ahau ",
                           " Ahau", "Pop",  "K`an",        "Ah-au",
                           "4",     "Kan2", "\xC3\x81hau", "ahauahauahauahauahauahauahauahauahau"};
  for (const char* text : tzolkin) {
    EXPECT_EQ(parseTzolkinName(text), std::nullopt) << text;
  }
  // U+2018, the left quotation mark, is no glottal stop.
  const char* haab[] = {"", "Imix", "Cumk", "Uayeb5", "\xE2\x80\x98Pop"};
  for (const char* text : haab) {
    EXPECT_EQ(parseHaabMonth(text), std::nullopt) << text;
  }
}

TEST(NameWriting, WritesTheCalendarRoundInEitherSpellingAndNumbering) {
  EXPECT_EQ(calendarRoundText(0, Spelling::Colonial, HaabNumbering::Seating0), "4 Ahau 8 Cumku");
  EXPECT_EQ(calendarRoundText(0, Spelling::Modern, HaabNumbering::Window1), "4 Ajaw 8 Kumk'u");
  // The longest names and numbers fit the buffer size the header promises.
  std::size_t longest = 0;
  for (std::int64_t d = 0; d < kCalendarRound; ++d) {
    for (const Spelling s : {Spelling::Colonial, Spelling::Modern}) {
      for (const HaabNumbering n : {HaabNumbering::Seating0, HaabNumbering::Window1}) {
        longest = std::max(longest, calendarRoundText(d, s, n).size());
      }
    }
  }
  EXPECT_LE(longest, static_cast<std::size_t>(kMaxCalendarRoundText));
}

// The window's engine shows the colonial names from these tables, not from a copy.
TEST(NameTables, TheWindowsEngineSharesThem) {
  EXPECT_EQ(&engine::kTzolkinNames, &kColonialTzolkinNames);
  EXPECT_EQ(&engine::kHaabMonthNames, &kColonialHaabMonthNames);
}

} // namespace
} // namespace glyphbox::maya
