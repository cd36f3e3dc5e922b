#include <glyphbox/maya/names.h>

#include <algorithm>
#include <cstring>

namespace glyphbox::maya {
namespace {

constexpr bool fitsLength(const auto& table) {
  return std::all_of(table.begin(), table.end(),
                     [](std::string_view s) { return s.size() <= kMaxNameLength; });
}
static_assert(fitsLength(kColonialTzolkinNames) && fitsLength(kModernTzolkinNames) &&
              fitsLength(kColonialHaabMonthNames) && fitsLength(kModernHaabMonthNames));

// Longest text worth folding: a name plus a glottal-stop mark after every
// letter (3 bytes each in UTF-8).
constexpr std::size_t kMaxInputLength = kMaxNameLength * 4;

// A name folded for comparison: lower case, glottal-stop marks removed.
struct Folded {
  char text[kMaxInputLength]{};
  std::size_t size = 0;
  [[nodiscard]] constexpr std::string_view view() const noexcept { return {text, size}; }
};

// The glottal stop as readers type it: the apostrophe, U+2019 RIGHT SINGLE
// QUOTATION MARK (E2 80 99 in UTF-8) and U+02BC MODIFIER LETTER APOSTROPHE (CA BC).
constexpr std::string_view kRightQuote = "\xE2\x80\x99";
constexpr std::string_view kModifierApostrophe = "\xCA\xBC";

// The Spanish literature marks the stress with an acute accent (Cabán,
// Kankín). In UTF-8 the accented vowels are C3 followed by A1 á, A9 é, AD í,
// B3 ó or BA ú, their capitals by the same byte less 20 (81 Á ... 9A Ú).
// Whether the byte after C3 is one of these, in either case. Other letters
// are refused, in text and (by keysFolded below) in the keys alike.
constexpr bool isAcuteVowel(unsigned char second) {
  const auto lower = static_cast<unsigned char>(second | 0x20);
  return lower == 0xA1 || lower == 0xA9 || lower == 0xAD || lower == 0xB3 || lower == 0xBA;
}

// Folds text, or nothing when it holds anything but ASCII letters, vowels
// with an acute accent and marks (a name has no blanks or digits) or is too
// long to be a name. An accented vowel stays accented, in lower case: it
// matches only the keys that spell it so, as the literature prints them, and
// Áhau, which no one writes, stays refused.
constexpr std::optional<Folded> fold(std::string_view text) noexcept {
  if (text.size() > kMaxInputLength) {
    return std::nullopt;
  }
  Folded f;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::string_view rest = text.substr(i);
    if (rest[0] == '\'') {
      i += 1;
    } else if (rest.starts_with(kRightQuote)) {
      i += kRightQuote.size();
    } else if (rest.starts_with(kModifierApostrophe)) {
      i += kModifierApostrophe.size();
    } else if (rest[0] == '\xC3') {
      if (rest.size() < 2 || !isAcuteVowel(static_cast<unsigned char>(rest[1]))) {
        return std::nullopt;
      }
      f.text[f.size++] = rest[0];
      f.text[f.size++] = static_cast<char>(static_cast<unsigned char>(rest[1]) | 0x20);
      i += 2;
    } else {
      char c = rest[0];
      if (c >= 'A' && c <= 'Z') {
        c = static_cast<char>(c - 'A' + 'a');
      }
      if (c < 'a' || c > 'z') {
        return std::nullopt;
      }
      f.text[f.size++] = c;
      i += 1;
    }
  }
  return f;
}

// A folded spelling and the index it stands for.
struct Key {
  std::string_view folded;
  int index;
};

// Every accepted spelling, folded. Variants the apostrophe rule already
// covers (Etz'nab', B'en, Kab'an, Wo', and the ALMG orthography's Eb', Kib',
// K'ayab', Wayeb') need no key of their own. The first lines hold the
// spellings of the two tables; each later group names where its spellings
// are printed. The groups are laid out by hand.
// clang-format off
constexpr Key kTzolkinKeys[] = {
    {"ahau", 0},     {"ajaw", 0},     {"imix", 1},    {"ik", 2},      {"akbal", 3},  {"kan", 4},
    {"chicchan", 5}, {"chikchan", 5}, {"cimi", 6},    {"kimi", 6},    {"manik", 7},  {"lamat", 8},
    {"muluc", 9},    {"muluk", 9},    {"oc", 10},     {"ok", 10},     {"chuen", 11}, {"chuwen", 11},
    {"eb", 12},      {"ben", 13},     {"ix", 14},     {"men", 15},    {"cib", 16},   {"kib", 16},
    {"caban", 17},   {"kaban", 17},   {"etznab", 18}, {"caunac", 19}, {"kawak", 19},
    // Morley 1915 and Thompson 1950, and the English works after them: Cauac.
    {"cauac", 19},
    // Morley 1915, after Landa: Eznab.
    {"eznab", 18},
    // Schele and Freidel, A Forest of Kings (1990), and Schele's workshop notebooks: Ahaw.
    {"ahaw", 0},
    // Spanish-language literature: Ajau, Chicchán, Cimí, Chuén, Cabán.
    {"ajau", 0},     {"chicch\xC3\xA1n", 5}, {"cim\xC3\xAD", 6}, {"chu\xC3\xA9n", 11},
    {"cab\xC3\xA1n", 17},
};

// Kej, the month in the ALMG orthography, is also the K'iche' name of the day
// Manik'; only the Yucatec day names are read, so Kej is the month alone.
constexpr Key kHaabKeys[] = {
    {"pop", 1},    {"uo", 2},     {"wo", 2},      {"zip", 3},    {"sip", 3},    {"zotz", 4},
    {"sotz", 4},   {"tzec", 5},   {"sek", 5},     {"xul", 6},    {"yaxkin", 7}, {"mol", 8},
    {"chen", 9},   {"yax", 10},   {"zac", 11},    {"sak", 11},   {"ceh", 12},   {"keh", 12},
    {"mac", 13},   {"mak", 13},   {"kankin", 14}, {"muan", 15},  {"muwan", 15}, {"pax", 16},
    {"kayab", 17}, {"cumku", 18}, {"kumku", 18},  {"uayeb", 19}, {"wayeb", 19},
    // The early Mayanists after Landa (Goodman, Morley 1915): Zec, Cumhu.
    {"zec", 5},    {"cumhu", 18},
    // Epigraphic orthography of the 1990s, h for the final glottal (Schele's workshops): Woh.
    {"woh", 2},
    // Mesoweb and current epigraphy: Pohp, Muwaan, Paax, Wayhaab.
    {"pohp", 1},   {"muwaan", 15}, {"paax", 16},  {"wayhaab", 19},
    // ALMG 1990s orthography, j for h: Kej.
    {"kej", 12},
    // Spanish-language literature: Sac, Yaxkín, Kankín, Cumkú, Cumhú.
    {"sac", 11},   {"yaxk\xC3\xADn", 7}, {"kank\xC3\xADn", 14}, {"cumk\xC3\xBA", 18},
    {"cumh\xC3\xBA", 18},
};
// clang-format on

// Whether key is name folded as fold() does (the tables use only the ASCII
// apostrophe), so that the keys can be checked against the tables.
constexpr bool foldsTo(std::string_view name, std::string_view key) {
  std::size_t k = 0;
  for (const char c : name) {
    if (c == '\'') {
      continue;
    }
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    if (k == key.size() || key[k++] != lower) {
      return false;
    }
  }
  return k == key.size();
}

// Every key is its own folding: a key with a capital or a glottal-stop mark
// could never be matched.
constexpr bool keysFolded(const auto& keys) {
  return std::all_of(std::begin(keys), std::end(keys), [](const Key& k) {
    const std::optional<Folded> f = fold(k.folded);
    return f && f->view() == k.folded;
  });
}
static_assert(keysFolded(kTzolkinKeys) && keysFolded(kHaabKeys));

// No spelling is listed twice in a table, so none can stand for two names.
constexpr bool keysDistinct(const auto& keys) {
  for (auto a = std::begin(keys); a != std::end(keys); ++a) {
    for (auto b = a + 1; b != std::end(keys); ++b) {
      if (a->folded == b->folded) {
        return false;
      }
    }
  }
  return true;
}
static_assert(keysDistinct(kTzolkinKeys) && keysDistinct(kHaabKeys));

// No spelling is both a day and a month: a pattern word that reads as both is
// taken for the day, so such a month could never be named alone.
constexpr bool keysDisjoint(const auto& days, const auto& months) {
  return std::none_of(std::begin(days), std::end(days), [&](const Key& d) {
    return std::any_of(std::begin(months), std::end(months),
                       [&](const Key& m) { return d.folded == m.folded; });
  });
}
static_assert(keysDisjoint(kTzolkinKeys, kHaabKeys));

// Every name of table has a key with its index.
constexpr bool keysCover(const auto& table, const auto& keys, int firstIndex) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    const bool found = std::any_of(std::begin(keys), std::end(keys), [&](const Key& k) {
      return foldsTo(table[i], k.folded) && k.index == static_cast<int>(i) + firstIndex;
    });
    if (!found) {
      return false;
    }
  }
  return true;
}
static_assert(keysCover(kColonialTzolkinNames, kTzolkinKeys, 0) &&
              keysCover(kModernTzolkinNames, kTzolkinKeys, 0));
static_assert(keysCover(kColonialHaabMonthNames, kHaabKeys, 1) &&
              keysCover(kModernHaabMonthNames, kHaabKeys, 1));

std::optional<int> lookUp(std::string_view text, const auto& keys) noexcept {
  const std::optional<Folded> f = fold(text);
  if (!f) {
    return std::nullopt;
  }
  for (const Key& k : keys) {
    if (k.folded == f->view()) {
      return k.index;
    }
  }
  return std::nullopt;
}

char* writeText(char* out, std::string_view s) noexcept {
  std::memcpy(out, s.data(), s.size());
  return out + s.size();
}

// Writes 0 to 99.
char* writeSmallNumber(char* out, int v) noexcept {
  if (v >= 10) {
    *out++ = static_cast<char>('0' + v / 10);
  }
  *out++ = static_cast<char>('0' + v % 10);
  return out;
}

} // namespace

std::optional<int> parseTzolkinName(std::string_view text) noexcept {
  return lookUp(text, kTzolkinKeys);
}

std::optional<int> parseHaabMonth(std::string_view text) noexcept {
  return lookUp(text, kHaabKeys);
}

char* writeTzolkin(char* out, const Tzolkin& tzolkin, Spelling spelling) noexcept {
  out = writeSmallNumber(out, tzolkin.number);
  *out++ = ' ';
  return writeText(out, tzolkinName(tzolkin.name, spelling));
}

char* writeHaab(char* out, const Haab& haab, Spelling spelling) noexcept {
  out = writeSmallNumber(out, haab.day);
  *out++ = ' ';
  return writeText(out, haabMonthName(haab.month, spelling));
}

char* writeCalendarRound(char* out, std::int64_t d, Spelling spelling,
                         HaabNumbering numbering) noexcept {
  out = writeTzolkin(out, tzolkinOf(d), spelling);
  *out++ = ' ';
  return writeHaab(out, haabOf(d, numbering), spelling);
}

std::string calendarRoundText(std::int64_t d, Spelling spelling, HaabNumbering numbering) {
  char buffer[kMaxCalendarRoundText];
  return std::string(buffer, writeCalendarRound(buffer, d, spelling, numbering));
}

} // namespace glyphbox::maya
