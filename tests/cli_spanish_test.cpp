// glyphbox-cli under a Spanish locale: its messages, help and usage errors in
// Spanish, and its standard output byte for byte the English run's, in every
// format and command, so that no script changes behaviour with the language.
#include <gtest/gtest.h>

#include "cli_process.h"

#include <string>
#include <vector>

namespace {

using glyphbox::testing_process::linesOf;
using glyphbox::testing_process::Outcome;
using glyphbox::testing_process::quoted;
using glyphbox::testing_process::runCliIn;

// The ways a user asks for Spanish: a locale the system has, a locale it
// lacks (the language is still Spanish), and GNU's LANGUAGE list alone.
const char* const kSpanish[] = {"LC_ALL=es_ES.UTF-8", "LC_ALL= LANG=es_MX.UTF-8",
                                "LC_ALL=C LANGUAGE=es"};

struct Case {
  std::vector<std::string> args;
  std::string input;
};

// Inputs converted, refused and noted in one run: a date, a month out of
// range, the creation date with its Calendar Round (a note), clues that
// disagree, a JDN out of range and a line too long.
const std::string kMixedLines = "2000-01-01\n2000-13-01\n13.0.0.0.0 4 Ahau 8 Cumku\n"
                                "9.12.11.5.18 7 Etznab 16 Yax G2\nJDN 99999999999999999\n" +
                                std::string(5000, '7') + "\n2012-12-21 BCE\nhello\n";
// A worksheet with clues that agree and disagree, a day of the era before
// 0.0.0.0.0 and refused lines.
const std::string kWorksheet = "9.12.11.5.18 6 Etznab 11 Yax G1   # Palenque\n"
                               "+2.5.3 10 Imix 5 Muan\n"
                               "13.0.0.0.0 4 Ahau 8 Cumku\n"
                               "+1.2 2 Ahau\n"
                               "5.5 8 Ahau\n"
                               "8 Ahau 13 Pop\n";
const std::vector<std::string> kMixedArgs = {"2000-01-01",
                                             "2001-02-29",
                                             "12.19.13.4.0 8 Ahau 18 Zec",
                                             "9.12.11.5.18 6 Etznab 16 Yax",
                                             "0.0.0.0.0.0.0.0.0.0",
                                             "1.2.3",
                                             "today"};

std::vector<Case> everyMode() {
  std::vector<Case> cases;
  for (const char* format : {"plain", "tsv", "csv", "json"}) {
    cases.push_back({{"--format", format}, kMixedLines});
    std::vector<std::string> args = {"--format", format};
    args.insert(args.end(), kMixedArgs.begin(), kMixedArgs.end());
    cases.push_back({args, ""});
    cases.push_back({{"--format", format, "--compare", "3114-08-11 BCE", "99999-01-01"}, ""});
    cases.push_back({{"--format", format, "--correlation", "glyphbox", "13.0.0.0.1", "2000-02-30",
                      "9.12.11.5.18 6 Etznab"},
                     ""});
    cases.push_back(
        {{"--format", format, "--fields", "819,bearer,weekday,julian", "--numerals", "maya",
          "--spelling", "modern", "--calendar", "historical", "1582-10-10", "1582-10-15"},
         ""});
    cases.push_back({{"find", "--format", format, "--limit", "2", "9.*.*.*.* 8 Ahau 13 Pop"}, ""});
    cases.push_back({{"find", "--format", format, "13.0.0.0.0 4 Ahau 8 Cumku"}, ""});
    cases.push_back({{"find", "--format", format, "--from", "2000-01-01", "--to", "2000-01-10",
                      "G9", "819 South"},
                     ""});
    cases.push_back({{"add", "--format", format, "9.12.11.5.18", "+2.5.3", "-823d", "1.2"}, ""});
    cases.push_back({{"diff", "--format", format, "9.12.11.5.18", "2012-12-21"}, ""});
    cases.push_back({{"diff", "--format", format, "9.12.11.5.18", "2012-13-21"}, ""});
  }
  for (const char* format : {"tsv", "csv", "json"}) {
    cases.push_back({{"inscription", "--format", format}, kWorksheet});
  }
  cases.push_back({{"find", "--count-only", "8 Ahau 13 Pop"}, ""});
  cases.push_back({{"find", "--format", "json", "--count-only", "8 Ahau 13 Pop"}, ""});
  cases.push_back({{"find", "4 Ahau 9 Cumku"}, ""});
  cases.push_back({{"find", "bearer 8 Ahau", "819+900"}, ""});
  cases.push_back({{"find", "--after", "2000-01-01", "--count", "3", "G1", "819+20", "8 *"}, ""});
  cases.push_back({{"draw", "9.12.11.5.18"}, ""});
  cases.push_back({{"draw", "13.0.0.0.0 4 Ahau 8 Cumku"}, ""});
  cases.push_back({{"draw", "2000-02-30"}, ""});
  cases.push_back({{"--fields", "date,nothing", "2000-01-01"}, ""});
  cases.push_back({{"--frobnicate"}, ""});
  cases.push_back({{"find", "--count", "0", "8 Ahau"}, ""});
  cases.push_back({{"help", "nothing"}, ""});
  return cases;
}

std::string shown(const Case& c) {
  std::string s;
  for (const std::string& a : c.args) {
    s += ' ';
    s += quoted(a);
  }
  return s;
}

TEST(CliInSpanish, WritesTheSameStandardOutputAndTranslatesEveryMessage) {
  for (const Case& c : everyMode()) {
    const Outcome english = runCliIn("", c.args, c.input);
    const std::vector<std::string> englishLines = linesOf(english.err);
    for (const char* spanish : kSpanish) {
      const Outcome o = runCliIn(spanish, c.args, c.input);
      SCOPED_TRACE(std::string(spanish) + shown(c));
      EXPECT_EQ(o.out, english.out);
      EXPECT_EQ(o.status, english.status);
      // One message for each English one, each in Spanish.
      const std::vector<std::string> lines = linesOf(o.err);
      ASSERT_EQ(lines.size(), englishLines.size()) << o.err;
      for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_NE(lines[i], englishLines[i]);
        EXPECT_TRUE(lines[i].starts_with("glyphbox-cli: ") || lines[i].starts_with("Pruebe "))
            << lines[i];
      }
    }
  }
}

TEST(CliInSpanish, WordsTheMessagesOfTheField) {
  struct Expected {
    std::vector<std::string> args;
    std::string err;
  };
  const Expected cases[] = {
      {{"2000-13-01"},
       "glyphbox-cli: entrada 1: \"2000-13-01\": mes fuera de rango; el mes debe ir de 1 a 12\n"},
      {{"2001-02-29"},
       "glyphbox-cli: entrada 1: \"2001-02-29\": día fuera de rango; febrero de "
       "ese año tiene 28 días en el calendario gregoriano\n"},
      {{"9.12.11.5.18 7 Etznab 16 Yax"},
       "glyphbox-cli: entrada 1: \"9.12.11.5.18 7 Etznab 16 Yax\": '7 Etznab' no concuerda con "
       "9.12.11.5.18, que cae en 6 Etznab; '16 Yax' no concuerda con 9.12.11.5.18, que cae en "
       "11 Yax, y 13 baktunes antes en 16 Kankin\n"},
      {{"13.0.0.0.0 4 Ahau 8 Cumku"},
       "glyphbox-cli: entrada 1: \"13.0.0.0.0 4 Ahau 8 Cumku\": leída como la fecha de la "
       "creación, 0.0.0.0.0, que los monumentos escriben 13.0.0.0.0: su Rueda Calendárica cae "
       "allí y no 13 baktunes después\n"},
      {{"find", "G2", "819+20"},
       "glyphbox-cli: patrón \"G2 819+20\": '819+20' y 'G2' nunca caen en el mismo día: un día "
       "20 días después de una estación está siempre bajo G8, porque toda estación cae bajo G6 "
       "(9 divide a 819)\n"},
      {{"find", "9.12.11.5.18 G2 8 Ahau"},
       "glyphbox-cli: patrón \"9.12.11.5.18 G2 8 Ahau\": '9.12.11.5.18' y '8 Ahau' nunca caen en "
       "el mismo día: un kin de 18 cae siempre en Etznab\n"},
      {{"find", "9.*.*.*.* 8 Ahau 13 Pop G1 819 East"},
       "glyphbox-cli: patrón \"9.*.*.*.* 8 Ahau 13 Pop G1 819 East\": '9.*.*.*.*', '13 Pop', "
       "'G1' y '819 East' nunca caen en el mismo día: ninguno de los días que nombra "
       "'9.*.*.*.*' las tiene todas\n"},
      {{"add", "9.12.11.5.18", "5"},
       "glyphbox-cli: número de distancia \"5\": un número solo no es una distancia; una "
       "distancia se escribe con la posición mayor primero, como +2.5.3, o en días, como -823d\n"},
      {{"find", "--correlation", "glyphbox", "4 Ahau"},
       "glyphbox-cli: find lee las Cuentas Largas en su valor literal, y la aritmética propia de "
       "la ventana (glyphbox) no tiene lectura para ellas; use una correlación como gmt\n"
       "Pruebe 'glyphbox-cli help find'.\n"},
  };
  for (const Expected& c : cases) {
    const Outcome o = runCliIn(kSpanish[0], c.args);
    EXPECT_EQ(o.err, c.err) << shown({c.args, ""});
  }
}

TEST(CliInSpanish, HelpHasNoEnglishHeadingLeft) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--help"},
                                             {"help", "find"},
                                             {"add", "--help"},
                                             {"help", "diff"},
                                             {"help", "draw"},
                                             {"help", "help"},
                                             {"--fields", "help"}}) {
    const Outcome english = runCliIn("", args);
    const Outcome o = runCliIn(kSpanish[2], args);
    SCOPED_TRACE(shown({args, ""}));
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.err, "");
    EXPECT_NE(o.out, english.out);
    for (const char* word :
         {"Usage", "Options", "Positionals", "Subcommands", " TEXT ", " TEXT:", " INT:", "POSITIVE",
          "Print this", "Exit status", " the ", " is ", " of "}) {
      EXPECT_EQ(o.out.find(word), std::string::npos) << word;
    }
  }
  const Outcome help = runCliIn(kSpanish[0], {"help", "find"});
  EXPECT_NE(help.out.find("Uso: glyphbox-cli find [OPCIONES] PISTAS..."), std::string::npos);
  EXPECT_NE(help.out.find("Señor de la Noche"), std::string::npos);
}

// The system's own words for a failed write come in the language too.
TEST(CliInSpanish, WordsTheFailuresOfTheStreams) {
  const std::string cli = std::string("LC_ALL=es_ES.UTF-8 ") + GLYPHBOX_CLI_PATH;
  const Outcome full = glyphbox::testing_process::runShell(cli + " 2000-01-01 >/dev/full");
  EXPECT_EQ(full.status, 3);
  EXPECT_EQ(full.err,
            "glyphbox-cli: no se puede escribir la salida: No queda espacio en el dispositivo\n");
  const Outcome picture =
      glyphbox::testing_process::runShell(cli + " draw 2000-01-01 -o /nonexistent/day.svg");
  EXPECT_EQ(picture.status, 3);
  EXPECT_EQ(picture.err, "glyphbox-cli: no se puede escribir \"/nonexistent/day.svg\": No existe "
                         "el fichero o el directorio\n");
}

// The plain worksheet's answers are words for people: they follow the
// language, the rows and the refusals' places staying where they were.
TEST(CliInSpanish, WordsThePlainWorksheetsAnswers) {
  const Outcome english = runCliIn("", {"inscription"}, kWorksheet);
  const Outcome o = runCliIn(kSpanish[0], {"inscription"}, kWorksheet);
  EXPECT_EQ(o.status, english.status);
  const std::vector<std::string> lines = linesOf(o.out);
  const std::vector<std::string> englishLines = linesOf(english.out);
  ASSERT_EQ(lines.size(), englishLines.size()) << o.out;
  int worded = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool verdict = englishLines[i].find("agrees") != std::string::npos ||
                         englishLines[i].starts_with("  read ");
    if (verdict) {
      ++worded;
      EXPECT_NE(lines[i], englishLines[i]);
    } else {
      EXPECT_EQ(lines[i], englishLines[i]);
    }
  }
  EXPECT_GE(worded, 4);
  EXPECT_NE(o.out.find("  6 Etznab: concuerda\n"), std::string::npos) << o.out;
  EXPECT_NE(o.out.find(": no concuerda: la aritmética da "), std::string::npos) << o.out;
  EXPECT_NE(o.out.find("  todas las pistas concuerdan "), std::string::npos) << o.out;
}

} // namespace
