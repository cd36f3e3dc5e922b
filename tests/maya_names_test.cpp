#include <glyphbox/engine/tzolkin_haab.h>
#include <glyphbox/maya/names.h>

#include <gtest/gtest.h>

#include <string>

namespace glyphbox::maya {
namespace {

// Upper case, the accented vowels of the Spanish literature too (á is C3 A1
// in UTF-8, Á C3 81).
std::string upper(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); ++i) {
    char& c = out[i];
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    } else if (c == '\xC3' && i + 1 < out.size()) {
      const auto second = static_cast<unsigned char>(out[++i]);
      if (second >= 0xA0 && second <= 0xBE) {
        out[i] = static_cast<char>(second - 0x20);
      }
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

// The spellings of the literature beyond the two tables, each read to its
// name in any case and with any glottal-stop mark or none, and never as a name
// of the other kind.
TEST(NameReading, ReadsTheSpellingsOfTheLiterature) {
  struct Case {
    const char* text;
    bool day; // a Tzolkin day, else a Haab month
    int index;
  };
  const Case cases[] = {
      {"Cauac", true, 19},          {"Eznab", true, 18},         {"Zec", false, 5},
      {"Cumhu", false, 18},         {"Ahaw", true, 0},           {"Woh", false, 2},
      {"Pohp", false, 1},           {"Muwaan", false, 15},       {"Paax", false, 16},
      {"Wayhaab", false, 19},       {"Kej", false, 12},          {"Eb'", true, 12},
      {"Kib'", true, 16},           {"Ak'b'al", true, 3},        {"K'ayab'", false, 17},
      {"Wayeb'", false, 19},        {"Ajau", true, 0},           {"Sac", false, 11},
      {"Chicch\xC3\xA1n", true, 5}, {"Cim\xC3\xAD", true, 6},    {"Chu\xC3\xA9n", true, 11},
      {"Cab\xC3\xA1n", true, 17},   {"Yaxk\xC3\xADn", false, 7}, {"Kank\xC3\xADn", false, 14},
      {"Cumk\xC3\xBA", false, 18},  {"Cumh\xC3\xBA", false, 18}};
  const std::string_view marks[] = {"'", "\xE2\x80\x99", "\xCA\xBC", ""};
  for (const Case& c : cases) {
    for (const std::string_view mark : marks) {
      const std::string base = withMark(c.text, mark);
      for (const std::string& form : {base, upper(base), lower(base)}) {
        const auto day = parseTzolkinName(form);
        const auto month = parseHaabMonth(form);
        EXPECT_EQ(c.day ? day : month, c.index) << form;
        EXPECT_EQ(c.day ? month : day, std::nullopt) << form;
      }
    }
  }
}

// Near misses of those spellings: a letter too many or too few, an accent on
// another vowel or of another kind, a cut UTF-8 sequence.
TEST(NameReading, RefusesNearMissesOfTheLiterature) {
  // Cabàn has the grave accent, Cabãn the tilde; no one writes Kán.
  const char* tzolkin[] = {"Cauacc",          "Eznb",         "Ahawu",      "Ajaua",
                           "Cab\xC3\xA0n",    "Cab\xC3\xA3n", "K\xC3\xA1n", "Cab\xC3",
                           "Cim\xC3\xAD\xC3", "Kej"};
  for (const char* text : tzolkin) {
    EXPECT_EQ(parseTzolkinName(text), std::nullopt) << text;
  }
  const char* haab[] = {"Zecc",     "Cumh",          "Pohpp",        "Muwaaan", "Paaax",
                        "Wayhaaab", "Kejj",          "Sacc",         "Wohh",    "Cauac",
                        "Ahaw",     "K\xC3\xA1nkin", "Cumk\xC3\xBB", "\xC3\xBA"};
  for (const char* text : haab) {
    EXPECT_EQ(parseHaabMonth(text), std::nullopt) << text;
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
