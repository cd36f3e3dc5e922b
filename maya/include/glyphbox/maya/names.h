#pragma once

// Names of the Tzolkin days and Haab months, in two spellings, and their
// reading from text.
//
//   tzolkinName(index 0-19, Spelling)     -> std::string_view  ("Ahau" / "Ajaw")
//   haabMonthName(month 1-19, Spelling)   -> std::string_view  ("Cumku" / "Kumk'u")
//   parseTzolkinName(text)                -> std::optional<int> index 0-19
//   parseHaabMonth(text)                  -> std::optional<int> month 1-19
//   writeTzolkin(out, Tzolkin, Spelling)  -> char*  "4 Ahau"
//   writeHaab(out, Haab, Spelling)        -> char*  "8 Cumku"
//   writeCalendarRound(out, d, Spelling, HaabNumbering) -> char*  "4 Ahau 8 Cumku"
//   calendarRoundText(d, Spelling, HaabNumbering)       -> std::string
//
// Reading accepts both spellings and the other spellings in print (Morley,
// Thompson, Schele, Mesoweb and the ALMG orthography, the Spanish literature:
// Cauac, Eznab, Ahaw, Ajau, Cabán, Zec, Cumhu, Woh, Pohp, Muwaan, Paax, Kej,
// Sac, Kankín...), in any letter case, with the glottal stop written ', ’
// (U+2019), ʼ (U+02BC) or left out, and with the acute accents of the
// Spanish literature where it puts them. The spellings written are the two
// tables' alone.

#include <glyphbox/maya/calendar_round.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphbox::maya {

enum class Spelling {
  Colonial, // the 16th-century Yucatec spellings, as the window shows them
  Modern,   // the spellings of current epigraphy
};

// Tzolkin day names by index (0 = Ahau), colonial spelling.
inline constexpr std::array<std::string_view, kVeintena> kColonialTzolkinNames = {
    "Ahau", "Imix",  "Ik", "Akbal", "Kan", "Chicchan", "Cimi", "Manik", "Lamat",  "Muluc",
    "Oc",   "Chuen", "Eb", "Ben",   "Ix",  "Men",      "Cib",  "Caban", "Etznab", "Caunac"};

// The same, modern spelling.
inline constexpr std::array<std::string_view, kVeintena> kModernTzolkinNames = {
    "Ajaw", "Imix",   "Ik'", "Ak'bal", "K'an", "Chikchan", "Kimi", "Manik'", "Lamat",   "Muluk",
    "Ok",   "Chuwen", "Eb",  "Ben",    "Ix",   "Men",      "Kib",  "Kaban",  "Etz'nab", "Kawak"};

// Haab month names; element 0 is month 1 (Pop), element 18 month 19 (Uayeb).
inline constexpr std::array<std::string_view, kHaabMonths> kColonialHaabMonthNames = {
    "Pop", "Uo",  "Zip", "Zotz",   "Tzec", "Xul", "Yaxkin", "Mol",   "Chen", "Yax",
    "Zac", "Ceh", "Mac", "Kankin", "Muan", "Pax", "Kayab",  "Cumku", "Uayeb"};

// The same, modern spelling.
inline constexpr std::array<std::string_view, kHaabMonths> kModernHaabMonthNames = {
    "Pop",  "Wo",  "Sip", "Sotz'",    "Sek",   "Xul", "Yaxk'in", "Mol",    "Ch'en", "Yax",
    "Sak'", "Keh", "Mak", "K'ank'in", "Muwan", "Pax", "K'ayab",  "Kumk'u", "Wayeb"};

// Longest name in any table, in bytes.
inline constexpr std::size_t kMaxNameLength = 8;

// Preconditions: index in [0, 19].
[[nodiscard]] constexpr std::string_view tzolkinName(int index, Spelling spelling) noexcept {
  const auto i = static_cast<std::size_t>(index);
  return spelling == Spelling::Modern ? kModernTzolkinNames[i] : kColonialTzolkinNames[i];
}

// Preconditions: month in [1, 19].
[[nodiscard]] constexpr std::string_view haabMonthName(int month, Spelling spelling) noexcept {
  const auto i = static_cast<std::size_t>(month - 1);
  return spelling == Spelling::Modern ? kModernHaabMonthNames[i] : kColonialHaabMonthNames[i];
}

// The index (0 = Ahau) of a Tzolkin day name in any accepted spelling, or nothing.
[[nodiscard]] std::optional<int> parseTzolkinName(std::string_view text) noexcept;

// The month (1 = Pop, 19 = Uayeb) of a Haab month name in any accepted spelling, or nothing.
[[nodiscard]] std::optional<int> parseHaabMonth(std::string_view text) noexcept;

// Longest text of writeCalendarRound: "13 " + name + " 19 " + name.
inline constexpr int kMaxCalendarRoundText =
    3 + static_cast<int>(kMaxNameLength) + 4 + static_cast<int>(kMaxNameLength);

// Writes "4 Ahau" at out, returns the end (no NUL). Preconditions: tzolkin
// holds a number 1-13 and name 0-19; room for kMaxCalendarRoundText.
char* writeTzolkin(char* out, const Tzolkin& tzolkin, Spelling spelling) noexcept;

// Writes "8 Cumku" at out, returns the end (no NUL). Preconditions: haab as
// haabFromPosition gives it; room for kMaxCalendarRoundText.
char* writeHaab(char* out, const Haab& haab, Spelling spelling) noexcept;

// Writes the Calendar Round of d, "4 Ahau 8 Cumku", at out, returns the end.
char* writeCalendarRound(char* out, std::int64_t d, Spelling spelling,
                         HaabNumbering numbering) noexcept;

[[nodiscard]] std::string calendarRoundText(std::int64_t d, Spelling spelling,
                                            HaabNumbering numbering);

} // namespace glyphbox::maya
