#include <glyphbox/cli/command.h>
#include <glyphbox/cli/inscriptions.h>
#include <glyphbox/maya/names.h>
#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/runtime/messages.h>

#include <glyphbox/version.h>

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace glyphbox::cli {
namespace {

using i18n::format;
using i18n::N_;
using i18n::tr;
using rows::ConversionSettings;
using rows::Origin;
using rows::OutputFormat;
using rows::Reckoning;

constexpr const char* kProgram = "glyphbox-cli";
constexpr const char* kCorrelationVariable = "GLYPHBOX_CORRELATION";

constexpr const char* kDescription =
    N_("Converts dates between Western calendars and the Maya Long Count, Tzolkin,\n"
       "Haab and Lord of the Night, and finds, adds and measures the dates of\n"
       "inscriptions.");

constexpr const char* kInputForms =
    N_("INPUT is a date YEAR-MONTH-DAY, optionally followed by a blank and CE or\n"
       "BCE (default CE), for example 2000-01-01 or '3114-08-13 BCE'; a Long Count\n"
       "of five or more places, for example 9.12.11.5.18 (-0.0.0.1.5 before\n"
       "0.0.0.0.0, after --), optionally followed by what the monument records\n"
       "for the day, for example '12.19.13.4.0 8 Ahau 18 Zec'; JDN followed by a\n"
       "Julian Day Number; or today.\n");

constexpr const char* kCorrelations =
    N_("Correlations (the JDN of 0.0.0.0.0; a Long Count is read at face value,\n"
       "JDN = day count + correlation): gmt 584283, the consensus and the default;\n"
       "gmt+1 584284, lounsbury 584285, martin-skidmore 584286,\n"
       "martinez-hernandez 584281, spinden 489384, bowditch 394483, makemson\n"
       "489138, bohm 622261, fuls 660208; or any whole number.\n"
       "GLYPHBOX_CORRELATION sets another default.\n");

constexpr const char* kFooter =
    N_("With no INPUT, one input per line is read from standard input and each\n"
       "line is answered as soon as it arrives. A Long Count written with its\n"
       "Calendar Round names the day of the era before 0.0.0.0.0 when its\n"
       "Calendar Round falls only there (13.0.0.0.0 4 Ahau 8 Cumku is the creation\n"
       "date itself); a note on standard error says so.\n"
       "\n"
       "--correlation glyphbox is the desktop window's own arithmetic: Gregorian\n"
       "dates of years 0 to 2147483647, the window's names and its Haab days 1 to\n"
       "20; a Long Count lists every date of years 9999 BCE to 9999 CE that the\n"
       "window shows with it.\n"
       "\n"
       "Examples:\n"
       "  glyphbox-cli 2012-12-21 9.12.11.5.18 'JDN 2451545' today\n"
       "  glyphbox-cli --fields date,long_count,lord,bearer,819 9.12.11.5.18\n"
       "  glyphbox-cli --numerals maya --format csv 13.0.0.0.0\n"
       "\n"
       "Exit status: 0 when every input was converted, 1 when an input was refused,\n"
       "2 for a usage error, 3 when the input could not be read or the output\n"
       "could not be written. See 'glyphbox-cli help COMMAND' for find, add,\n"
       "diff, draw and inscription.\n");

constexpr const char* kFindFooter =
    N_("The clues are a Long Count with '*' places (9.*.*.*.0), a Tzolkin date\n"
       "(8 Ahau, * Ahau, 8 *), a Haab date (13 Pop, * Pop, 0 *), a Lord of the\n"
       "Night (G1 to G9), a year bearer (bearer 8 Ik), the quarter of the day's\n"
       "819-day station (819 South, or East, West, North, likin, nohol, chikin,\n"
       "xaman) and the days after the station (819+20), in any order. A number\n"
       "and '*' is the Tzolkin's (8 *) when it can be one, the Haab's (0 *)\n"
       "otherwise; in '8 * 13 *' the first pair is the Tzolkin's. A whole Long\n"
       "Count with clues that agree only 13 baktuns earlier names the day of the\n"
       "era before 0.0.0.0.0, as in conversion.\n"
       "\n"
       "Without a range, a pattern whose Long Count fixes its leading place is\n"
       "searched within it (9.*.*.*.* within baktun 9); otherwise the range is\n"
       "0.0.0.0.0 to 19.19.19.17.19 (-19.19.19.17.19 to -0.0.0.0.1 for a pattern\n"
       "before 0.0.0.0.0). Long Counts are read at face value, under gmt unless\n"
       "--correlation or GLYPHBOX_CORRELATION names another correlation, with Haab\n"
       "days 0-19 unless --haab-days 1-20.\n"
       "\n"
       "Exit status: 0 when a day matches, 1 when none does or an input is\n"
       "refused, 2 for a usage error, 3 when the output could not be written.\n");

constexpr const char* kAddFooter =
    N_("DATE is any input form of the converter: a date, a Long Count (with its\n"
       "Calendar Round, if you like), JDN n or today. A distance is written largest\n"
       "place first (+2.5.3, -1.0.0) or in days (+823d, -823d); each is added to\n"
       "the day before it, and each day reached is written as a row. Long Counts\n"
       "are read at face value, under gmt unless --correlation or\n"
       "GLYPHBOX_CORRELATION names another correlation.\n"
       "\n"
       "Exit status: 0 when every day was written, 1 when an input was refused,\n"
       "2 for a usage error, 3 when the output could not be written.\n");

constexpr const char* kDiffFooter =
    N_("Each DATE is any input form of the converter: a date, a Long Count (with\n"
       "its Calendar Round, if you like), JDN n or today. The distance from the\n"
       "first to the second is written largest place first (+2.5.3) and in days.\n"
       "Long Counts are read at face value, under gmt unless --correlation or\n"
       "GLYPHBOX_CORRELATION names another correlation.\n"
       "\n"
       "Exit status: 0 when the distance was written, 1 when a date was refused,\n"
       "2 for a usage error, 3 when the output could not be written.\n");

constexpr const char* kDrawFooter =
    N_("DATE is any input form of the converter: a date, a Long Count (with its\n"
       "Calendar Round, if you like), JDN n or today. The picture is a column as\n"
       "on a stela: the Initial Series, each period's coefficient in bars and dots\n"
       "beside its name, then the Tzolkin and Haab of the Calendar Round, the Lord\n"
       "of the Night and the 819-day station. An existing FILE is replaced whole,\n"
       "or left as it was when it cannot be written.\n"
       "\n"
       "Example: glyphbox-cli draw 9.12.11.5.18 -o stela.svg\n"
       "\n"
       "Exit status: 0 when the picture was written, 1 when the date was refused,\n"
       "2 for a usage error, 3 when the picture could not be written.\n");

constexpr const char* kInscriptionFooter =
    N_("Each line of FILE (standard input without it, or with -) names a day or\n"
       "steps to one, optionally followed by what the monument records for that\n"
       "day; '#' starts a comment:\n"
       "  12.19.13.4.0 8 Ahau 18 Zec 819+20 819 South   # Temple of the Cross\n"
       "  -20d 1 Ahau 18 Zotz 819+0 819 South           # back to its station\n"
       "A day is any input form of the converter: a date, a Long Count, JDN n or\n"
       "today. A step is a signed distance, largest place first (+2.5.3, -1.0.0)\n"
       "or in days (-823d), from the day of the line above. The clues are a\n"
       "Tzolkin date (8 Ahau), a Haab date (18 Zec), a Lord (G9), a year bearer\n"
       "(bearer 8 Ik), the quarter of the day's 819-day station (819 South) and\n"
       "the days since that station (819+20), in any order and spelling. Each is\n"
       "marked as agreeing or not; one that disagrees is named with what the\n"
       "arithmetic gives, and the nearest days that agree with every clue of the\n"
       "line follow. A Long Count whose clues agree better 13 baktuns earlier\n"
       "names the day of the era before 0.0.0.0.0. Long Counts are read at face\n"
       "value, under gmt unless --correlation or GLYPHBOX_CORRELATION names\n"
       "another correlation.\n"
       "\n"
       "Exit status: 0 when every recorded clue agrees, 1 when one disagrees or a\n"
       "line is refused, 2 for a usage error, 3 when FILE cannot be read or the\n"
       "output cannot be written.\n");

// Usage lines name the program, for the subcommands too. The parser's own
// headings and value types are in the user's language, like the rest.
class Formatter : public CLI::Formatter {
public:
  Formatter() {
    label("Usage", tr("Usage"));
    label("Positionals", tr("Positionals"));
    label("OPTIONS", tr("OPTIONS"));
    label("SUBCOMMAND", tr("SUBCOMMAND"));
  }

  std::string make_usage(const CLI::App* app, std::string name) const override {
    if (app->get_parent() == nullptr) {
      return CLI::Formatter::make_usage(app, name);
    }
    std::string usage = CLI::Formatter::make_usage(app, std::string(kProgram) + " " + name);
    // The commands' operands are required, but checked after the parser (so
    // that they may follow --): the usage line says so rather than the
    // parser's brackets for an optional positional.
    const std::string date = tr("DATE");
    const std::pair<std::string_view, std::string> kOperands[] = {
        {"find", std::string(tr("PATTERN")) + "..."},
        {"add", std::string(tr("DATE DISTANCE")) + "..."},
        {"diff", date + " " + date},
        {"draw", date}};
    for (const auto& [command, operands] : kOperands) {
      const std::size_t open = usage.rfind(" [");
      if (app->get_name() == command && open != std::string::npos) {
        const std::size_t close = usage.find(']', open);
        usage.replace(open + 1, close - open, operands);
      }
    }
    return usage;
  }

  // " TEXT:{plain,tsv}=plain": the parser names the type of a value itself.
  std::string make_option_opts(const CLI::Option* option) const override {
    std::string opts = CLI::Formatter::make_option_opts(option);
    for (const char* type : {N_("TEXT"), N_("INT")}) {
      const std::string word = std::string(" ") + type;
      if (opts.starts_with(word) &&
          (opts.size() == word.size() ||
           std::string_view(":= ").find(opts[word.size()]) != std::string_view::npos)) {
        opts.replace(1, word.size() - 1, tr(type));
      }
    }
    const std::string positive = ":POSITIVE"; // the check of a number above 0
    if (const std::size_t at = opts.find(positive); at != std::string::npos) {
      opts.replace(at + 1, positive.size() - 1, tr("POSITIVE"));
    }
    return opts;
  }
};

// The values of the options that take one of a few words; the option
// parser checks them and the completion offers them.
const std::vector<std::string> kCalendarNames = {"gregorian", "julian", "historical"};
const std::vector<std::string> kSpellingNames = {"colonial", "modern"};
const std::vector<std::string> kHaabNumberings = {"0-19", "1-20"};
const std::vector<std::string> kFormatNames = {"plain", "tsv", "csv", "json"};
const std::vector<std::string> kNumeralNames = {"decimal", "maya"};

struct Options {
  std::string correlation = "gmt";
  std::string calendar = "gregorian";
  std::string spelling = "colonial";
  std::string haabDays;
  std::string format = "plain";
  bool tsv = false;
  bool compare = false;
  std::optional<std::string> fields;
  std::string numerals = "decimal";
  std::vector<std::string> inputs;
  bool correlationFromVariable = false; // the default came from GLYPHBOX_CORRELATION
};

// The options several commands share, each defined once; a command takes
// the ones that apply to it.
enum class Shared { Correlation, Calendar, Spelling, HaabDays, Format, Fields, Numerals, Compare };

void addShared(CLI::App& app, Shared which, Options& o) {
  switch (which) {
  case Shared::Correlation:
    // The commands read Long Counts at face value, which the window's
    // arithmetic cannot; only conversion offers it.
    app.add_option("--correlation", o.correlation,
                   app.get_parent() == nullptr
                       ? tr("gmt (584283, the consensus), another preset, a whole number\n"
                            "(the JDN of 0.0.0.0.0), or glyphbox, the desktop window's own\n"
                            "arithmetic")
                       : tr("gmt (584283, the consensus), another preset, or a whole\n"
                            "number (the JDN of 0.0.0.0.0)"))
        ->type_name(tr("NAME|JDN"))
        ->capture_default_str();
    break;
  case Shared::Calendar:
    app.add_option("--calendar", o.calendar, tr("Calendar of the dates read and written"))
        ->check(CLI::IsMember(kCalendarNames))
        ->capture_default_str();
    break;
  case Shared::Spelling:
    app.add_option("--spelling", o.spelling, tr("Spelling of the day and month names written"))
        ->check(CLI::IsMember(kSpellingNames))
        ->capture_default_str();
    break;
  case Shared::HaabDays:
    app.add_option("--haab-days", o.haabDays,
                   app.get_parent() == nullptr
                       ? tr("Haab day numbers: 0-19 (scholarly, the default) or 1-20 (the\n"
                            "window's, the default with glyphbox)")
                       : tr("Haab day numbers: 0-19 (scholarly, the default) or 1-20 (the\n"
                            "window's)"))
        ->check(CLI::IsMember(kHaabNumberings));
    break;
  case Shared::Format:
    app.add_option("--format", o.format,
                   tr("Output: plain, tsv or csv (with a header), or json (JSON Lines)"))
        ->check(CLI::IsMember(kFormatNames))
        ->capture_default_str();
    app.add_flag("--tsv", o.tsv, tr("Same as --format tsv"));
    break;
  case Shared::Fields:
    app.add_option("--fields", o.fields,
                   tr("The columns, in order: date,long_count,tzolkin,haab,lord,bearer,\n"
                      "819,jdn,...; --fields help lists them all"))
        ->type_name(tr("LIST"));
    break;
  case Shared::Numerals:
    app.add_option("--numerals", o.numerals,
                   tr("decimal, or maya: the Long Count and the Calendar Round's\n"
                      "numbers in Mayan numerals (U+1D2E0 to U+1D2F3)"))
        ->check(CLI::IsMember(kNumeralNames))
        ->capture_default_str();
    break;
  case Shared::Compare:
    app.add_flag("--compare", o.compare,
                 tr("One row per preset correlation and one for glyphbox for each input"));
    break;
  }
}

void addShared(CLI::App& app, std::initializer_list<Shared> which, Options& o) {
  for (const Shared s : which) {
    addShared(app, s, o);
  }
}

// Whether the word after an option is its value rather than an input: so
// for every option the parser knows that is not a flag.
bool takesValue(const CLI::App& app, std::string_view arg) {
  const CLI::Option* option = app.get_option_no_throw(std::string(arg));
  return option != nullptr && option->get_items_expected_min() > 0;
}

// The position in argv of every input, in order, the way the option parser
// tells inputs from options: after "--" everything is an input; "-" and
// words starting with '-' and a digit are inputs (refused dates, not options).
std::vector<int> inputPositions(const CLI::App& app, int argc, const char* const* argv) {
  std::vector<int> positions;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded) {
      positions.push_back(i);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg.size() >= 2 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9')) {
      if (takesValue(app, arg)) {
        ++i;
      }
    } else {
      positions.push_back(i);
    }
  }
  return positions;
}

// How many words at `at` make one clue of an inscription's date: a Lord
// (G9), a Tzolkin or Haab date (8 Ahau, 18 Zec), a year bearer (bearer 8 Ik).
std::size_t clueWords(const std::vector<std::string>& words, std::size_t at) {
  const auto isNumber = [](const std::string& w) {
    return !w.empty() && w.size() <= 2 && w.find_first_not_of("0123456789") == std::string::npos;
  };
  const auto isName = [](const std::string& w) {
    return maya::parseTzolkinName(w) || maya::parseHaabMonth(w);
  };
  const std::string& w = words[at];
  const std::size_t left = words.size() - at;
  if (w.size() >= 2 && (w[0] == 'G' || w[0] == 'g') && isNumber(w.substr(1))) {
    return 1;
  }
  if (left >= 2 && isNumber(w) && isName(words[at + 1])) {
    return 2;
  }
  if (left >= 3 && maya::equalsIgnoringCase(w, "BEARER") && isNumber(words[at + 1]) &&
      isName(words[at + 2])) {
    return 3;
  }
  return 0;
}

// The inputs as users count them: "JDN" and its number, and a Long Count
// and the clues after it, may come as several arguments. Each has its
// position in argv, for JSON.
std::vector<std::pair<std::string, int>> joinedInputs(const std::vector<std::string>& words,
                                                      const std::vector<int>& positions) {
  std::vector<std::pair<std::string, int>> joined;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const int position = i < positions.size() ? positions[i] : static_cast<int>(i + 1);
    std::string input = words[i];
    if (maya::equalsIgnoringCase(input, "JDN") && i + 1 < words.size()) {
      input += " " + words[++i];
    } else if (rows::isOtherInputForm(input) && input.find('.') != std::string::npos) {
      while (i + 1 < words.size()) {
        const std::size_t n = clueWords(words, i + 1);
        if (n == 0) {
          break;
        }
        for (std::size_t k = 0; k < n; ++k) {
          input += " " + words[++i];
        }
      }
    }
    joined.emplace_back(std::move(input), position);
  }
  return joined;
}

int writeAndFinish(Output& out, std::string_view text) {
  out.put(text);
  return finishRun(out, 0, false);
}

// The option parser's complaint in the user's language. The parser words
// it in English, "NAME: WHAT"; the few shapes it can take here are told
// apart by their words and worded anew where the language has them, and
// kept as the parser words them otherwise (in English above all).
std::string parseErrorText(const CLI::ParseError& e) {
  const std::string what = e.what();
  const std::size_t colon = what.find(": ");
  if (colon == std::string::npos || !what.starts_with("-")) {
    return what;
  }
  const std::string name = what.substr(0, colon);
  const std::string rest = what.substr(colon + 2);
  // The pattern in the user's language, or nothing where it has none.
  const auto translated = [](const char* english) -> std::optional<std::string_view> {
    const char* pattern = tr(english);
    return pattern != english ? std::optional<std::string_view>(pattern) : std::nullopt;
  };
  if (rest.ends_with(" missing") && rest.find(" required ") != std::string::npos) {
    if (const auto pattern = translated(N_("{} needs a value"))) {
      return format(*pattern, name);
    }
  } else if (rest.starts_with("Value ") && rest.find(" not in range ") != std::string::npos) {
    const std::string value = rest.substr(6, rest.find(" not in range ") - 6);
    if (const auto pattern = translated(N_("{}: {} is not a whole number of 1 or more"))) {
      return format(*pattern, name, value);
    }
  } else if (const std::size_t notIn = rest.rfind(" not in {"); notIn != std::string::npos) {
    if (const auto pattern = translated(N_("{}: {} is none of {}"))) {
      return format(*pattern, name, rest.substr(0, notIn), rest.substr(notIn + 8));
    }
  }
  return what;
}

int usageError(Output& out, const std::string& message, const CLI::App* command = nullptr) {
  const std::string help = command != nullptr && command->get_parent() != nullptr
                               ? std::string(kProgram) + " help " + command->get_name()
                               : std::string(kProgram) + " --help";
  out.error(std::string(kProgram) + ": " + message + "\n" + format(tr("Try '{}'."), help) + "\n");
  out.flush();
  return kExitUsage;
}

// The options as settings; a usage error's message when they do not fit.
std::string settingsOf(const Options& o, ConversionSettings& s) {
  if (o.correlation == "glyphbox") {
    s.reckoning = Reckoning::ofWindow();
  } else if (o.compare && o.correlationFromVariable) {
    // Every correlation has its row; the default is never read.
    s.reckoning = Reckoning::of(*maya::findCorrelation("gmt"));
  } else {
    const auto c = maya::parseCorrelation(o.correlation);
    if (!c) {
      return (o.correlationFromVariable ? std::string(kCorrelationVariable) + ": " : "") +
             rows::unknownCorrelationMessage(o.correlation, true);
    }
    s.reckoning = Reckoning::of(c.value);
  }
  static const std::map<std::string, maya::Calendar> kCalendars = {
      {"gregorian", maya::Calendar::Gregorian},
      {"julian", maya::Calendar::Julian},
      {"historical", maya::Calendar::Historical}};
  s.calendar = kCalendars.at(o.calendar);
  if (s.reckoning.window && !o.compare && s.calendar != maya::Calendar::Gregorian) {
    return format(o.correlationFromVariable
                      ? tr("--calendar {0} needs a correlation (for example --correlation gmt): "
                           "the window's own arithmetic, glyphbox (from {1}), reads Gregorian "
                           "dates only")
                      : tr("--calendar {0} needs a correlation (for example --correlation gmt): "
                           "the window's own arithmetic, glyphbox, reads Gregorian dates only"),
                  o.calendar, kCorrelationVariable);
  }
  s.spelling = o.spelling == "modern" ? maya::Spelling::Modern : maya::Spelling::Colonial;
  if (!o.haabDays.empty()) {
    s.haabDays =
        o.haabDays == "0-19" ? maya::HaabNumbering::Seating0 : maya::HaabNumbering::Window1;
  }
  static const std::map<std::string, OutputFormat> kFormats = {{"plain", OutputFormat::Plain},
                                                               {"tsv", OutputFormat::Tsv},
                                                               {"csv", OutputFormat::Csv},
                                                               {"json", OutputFormat::Json}};
  s.format = o.tsv ? OutputFormat::Tsv : kFormats.at(o.format);
  s.compare = o.compare;
  if (o.fields) {
    rows::ColumnReading columns = rows::readColumns(*o.fields);
    if (!columns.unknown.empty() || columns.columns.empty()) {
      return format(tr("unknown field \"{}\" in --fields; --fields help lists them"),
                    maya::shown(columns.unknown));
    }
    s.columns = std::move(columns.columns);
  }
  s.mayaNumerals = o.numerals == "maya";
  return {};
}

// An option given before a subcommand's name belongs to the program; it
// must be one the subcommand takes too.
std::string inapplicableOption(const CLI::App& app, const CLI::App& command) {
  for (const CLI::Option* option : app.get_options()) {
    const std::string name = option->get_name();
    if (option->count() > 0 && !option->get_positional() &&
        command.get_option_no_throw(name) == nullptr) {
      return format(tr("{} does not apply to {}"), name, command.get_name());
    }
  }
  return {};
}

// An unknown option, or one that belongs to another command.
std::string unexpectedWords(const CLI::App& app, const std::vector<std::string>& words,
                            const CLI::App* command) {
  std::string unknown;
  for (const std::string& word : words) {
    const std::string name = word.substr(0, word.find('='));
    if (command != nullptr && app.get_option_no_throw(name) != nullptr) {
      return format(tr("{} does not apply to {}"), name, command->get_name());
    }
    for (const CLI::App* other : app.get_subcommands({})) {
      if (other != command && other->get_option_no_throw(name) != nullptr && name != "--help") {
        return format(tr("{} does not apply to {}; it is an option of {}"), name,
                      command != nullptr ? command->get_name() : std::string(tr("conversion")),
                      other->get_name());
      }
    }
    unknown += (unknown.empty() ? "\"" : " \"") + maya::shown(word) + "\"";
  }
  return format(tr("unknown option {}"), unknown);
}

bool hasCommand(const CLI::App& app, const std::string& name) {
  const auto commands = app.get_subcommands({});
  return std::any_of(commands.begin(), commands.end(),
                     [&](const CLI::App* c) { return c->get_name() == name; });
}

// What the word being typed can be, for the shell's completion: the words
// typed so far are read as the option parser reads them, and the candidates
// come from the same definitions (options, their values, the correlations,
// the day and month names), starting with what is already typed.
std::vector<std::string> completions(const CLI::App& app, const std::vector<std::string>& words,
                                     std::size_t at) {
  const std::string typed = at < words.size() ? words[at] : std::string();
  const CLI::App* command = &app;
  bool inputs = false;
  for (std::size_t i = 0; i < at && i < words.size(); ++i) {
    if (words[i] == "--") {
      inputs = true;
    } else if (words[i].starts_with("-") && !inputs) {
      i += takesValue(*command, words[i]) ? 1 : 0;
    } else if (command == &app && !inputs && hasCommand(app, words[i])) {
      command = app.get_subcommand(words[i]);
    } else {
      inputs = true;
    }
  }
  std::vector<std::string> candidates;
  const std::string previous = at > 0 && at <= words.size() ? words[at - 1] : std::string();
  const auto values = [&]() -> std::vector<std::string> {
    if (previous == "--correlation") {
      std::vector<std::string> names = {"glyphbox"};
      for (const auto& c : maya::kCorrelations) {
        names.emplace_back(c.name);
      }
      return names;
    }
    if (previous == "--fields") {
      // The names of the list after the last comma typed.
      const std::size_t comma = typed.rfind(',');
      const std::string before = comma == std::string::npos ? "" : typed.substr(0, comma + 1);
      std::vector<std::string> names = {before + "help"};
      for (const rows::ColumnInfo& c : rows::kColumns) {
        if (!rows::isWorksheetColumn(c.column) || command->get_name() == "inscription") {
          names.push_back(before + std::string(c.name));
        }
      }
      names.push_back(before + std::string(rows::k819Group.name));
      return names;
    }
    static const std::map<std::string, const std::vector<std::string>*> kValues = {
        {"--numerals", &kNumeralNames},
        {"--calendar", &kCalendarNames},
        {"--spelling", &kSpellingNames},
        {"--haab-days", &kHaabNumberings},
        {"--format", &kFormatNames}};
    if (const auto found = kValues.find(previous); found != kValues.end()) {
      return *found->second;
    }
    return {"today"}; // a date: --from, --to, --after, --before
  };
  if (takesValue(*command, previous)) {
    candidates = values();
  } else if (typed.starts_with("-")) {
    for (const CLI::Option* option : command->get_options()) {
      for (const std::string& name : option->get_snames()) {
        candidates.push_back("-" + name);
      }
      for (const std::string& name : option->get_lnames()) {
        candidates.push_back("--" + name);
      }
    }
  } else if (command->get_name() == "help") {
    for (const CLI::App* c : app.get_subcommands({})) {
      candidates.push_back(c->get_name());
    }
  } else if (command->get_name() == "inscription") {
    // The worksheet: the entries of the folder typed so far, folders with
    // their slash.
    const std::size_t slash = typed.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : typed.substr(0, slash + 1);
    std::error_code error;
    for (auto entry = std::filesystem::directory_iterator(folder.empty() ? "." : folder, error);
         !error && entry != std::filesystem::directory_iterator(); entry.increment(error)) {
      const bool isFolder = entry->is_directory(error);
      candidates.push_back(folder + entry->path().filename().string() + (isFolder ? "/" : ""));
    }
  } else if (previous == "*" || (!previous.empty() && previous.size() <= 2 &&
                                 std::all_of(previous.begin(), previous.end(), [](char c) {
                                   return std::isdigit(static_cast<unsigned char>(c)) != 0;
                                 }))) {
    // After a number, a Tzolkin day or a Haab month, in either spelling;
    // without the glottal stop, which the reader does not need and a shell
    // would take for a quote.
    for (const auto* table : {&maya::kColonialTzolkinNames, &maya::kModernTzolkinNames}) {
      candidates.insert(candidates.end(), table->begin(), table->end());
    }
    for (const auto* table : {&maya::kColonialHaabMonthNames, &maya::kModernHaabMonthNames}) {
      candidates.insert(candidates.end(), table->begin(), table->end());
    }
    for (std::string& c : candidates) {
      std::erase(c, '\'');
    }
  } else if (command == &app && !inputs) {
    for (const CLI::App* c : app.get_subcommands({})) {
      candidates.push_back(c->get_name());
    }
    candidates.push_back("today");
  }
  std::vector<std::string> offered;
  for (const std::string& c : candidates) {
    const bool fits = c.size() >= typed.size() &&
                      std::equal(typed.begin(), typed.end(), c.begin(), [](char a, char b) {
                        return std::tolower(static_cast<unsigned char>(a)) ==
                               std::tolower(static_cast<unsigned char>(b));
                      });
    if (fits && std::find(offered.begin(), offered.end(), c) == offered.end()) {
      offered.push_back(c);
    }
  }
  return offered;
}

int convertInputs(Output& out, Converter& converter, const std::vector<std::string>& inputs,
                  const std::vector<int>& positions) {
  bool refused = false;
  long long number = 0;
  for (const auto& [text, position] : joinedInputs(inputs, positions)) {
    if (out.failed()) {
      break;
    }
    refused |= !converter.convert(text, Origin{Origin::Kind::Argument, ++number, position});
  }
  return finishRun(out, 0, refused);
}

} // namespace

int finishRun(Output& out, int readError, bool refused) {
  if (!out.flush()) {
    out.reportDirectly(std::string(kProgram) + ": " + out.failureText() + "\n");
    return kExitIoError;
  }
  if (readError != 0) {
    out.reportDirectly(std::string(kProgram) + ": " +
                       format(tr("cannot read the input: {}"), std::strerror(readError)) + "\n");
    return kExitIoError;
  }
  return refused ? kExitRefused : kExitOk;
}

int convertLines(LineReader& reader, Converter& converter, Output& out) {
  bool refused = false;
  const int readError = reader.readAll(
      [&](std::string_view line, long long number, bool tooLong) {
        const Origin origin{Origin::Kind::Line, number, 0};
        if (tooLong) {
          converter.refuseTooLong(line, origin);
          refused = true;
        } else if (!line.empty() && (line.front() > ' ' || !rows::trimBlanks(line).empty())) {
          refused |= !converter.convert(line, origin);
        }
        return !out.failed();
      },
      [&] { out.flush(); });
  return finishRun(out, readError, refused);
}

int run(int argc, const char* const* argv, int inFd, int outFd, int errFd) {
  Output out(outFd, errFd);
  Options options;
  const char* variable = std::getenv(kCorrelationVariable);
  if (variable != nullptr && *variable != '\0') {
    options.correlation = variable;
    options.correlationFromVariable = true;
  }
  using enum Shared;
  CLI::App app(tr(kDescription), kProgram);
  app.formatter(std::make_shared<Formatter>());
  // The group and the help flag of every option, the commands' too, which
  // take them from the program when they are added.
  app.option_defaults()->group(tr("Options"));
  app.set_help_flag("-h,--help", tr("Print this help message and exit"));
  app.set_version_flag("--version", std::string(kApplicationName) + " " + kVersionText,
                       tr("Show the version and exit"));
  addShared(app, {Correlation, Calendar, Spelling, HaabDays, Format, Fields, Numerals, Compare},
            options);
  app.add_option(tr("INPUT"), options.inputs,
                 tr("Dates, Long Counts or JDNs (default: standard input)"));
  app.footer(std::string(tr(kInputForms)) + "\n" + tr(kCorrelations) + "\n" + tr(kFooter));

  FindOptions find;
  CLI::App* findCommand =
      app.add_subcommand("find", tr("List the days that match a pattern of clues, such as\n"
                                    "'9.*.*.*.* 8 Ahau 13 Pop'"));
  addShared(*findCommand, {Correlation, Calendar, Spelling, HaabDays, Format, Fields, Numerals},
            options);
  findCommand->add_option(tr("PATTERN"), find.patternWords,
                          tr("The clues, for example '9.*.*.*.* 8 Ahau 13 Pop'"));
  findCommand->add_option("--from", find.from,
                          tr("First day of the range (a date, Long Count or JDN)"));
  findCommand->add_option("--to", find.to, tr("Last day of the range"));
  findCommand->add_option("--after", find.after,
                          tr("List the next --count matches after this day"));
  findCommand->add_option("--before", find.before, tr("List the --count matches before this day"));
  findCommand->add_option("--count", find.count, tr("How many matches --after or --before gives"))
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  findCommand->add_option("--limit", find.limit, tr("Most rows listed"))
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  findCommand->add_flag("--count-only", find.countOnly, tr("Print only how many days match"));
  findCommand->footer(tr(kFindFooter));
  std::vector<std::string> addArgs;
  CLI::App* addCommand = app.add_subcommand(
      "add", tr("Add distances to a date: add 9.12.11.5.18 +2.5.3 -1.0.0 (a distance\n"
                "is written largest place first, or in days: -823d)"));
  addShared(*addCommand, {Correlation, Calendar, Spelling, HaabDays, Format, Fields, Numerals},
            options);
  addCommand->add_option(tr("DATE DISTANCE"), addArgs, tr("A date, then one or more distances"));
  addCommand->footer(tr(kAddFooter));
  std::vector<std::string> diffArgs;
  CLI::App* diffCommand =
      app.add_subcommand("diff", tr("The distance from one date to another, in both forms"));
  addShared(*diffCommand, {Correlation, Calendar, HaabDays, Format}, options);
  diffCommand->add_option(tr("DATE"), diffArgs, tr("Two dates"));
  diffCommand->footer(tr(kDiffFooter));
  std::vector<std::string> drawArgs;
  std::string drawFile;
  CLI::App* drawCommand = app.add_subcommand(
      "draw", tr("Draw a date as a monument writes it, in bars and dots, as an SVG picture"));
  addShared(*drawCommand, {Correlation, Calendar, Spelling, HaabDays}, options);
  drawCommand->add_option(tr("DATE"), drawArgs, tr("A date, Long Count or JDN"));
  drawCommand
      ->add_option("-o,--output", drawFile, tr("The SVG file to write (default: standard output)"))
      ->type_name(tr("FILE"));
  drawCommand->footer(tr(kDrawFooter));
  std::vector<std::string> inscriptionArgs;
  CLI::App* inscriptionCommand = app.add_subcommand(
      "inscription", tr("Check a reading of an inscription, a date or distance number a line,\n"
                        "each with what the monument records for its day"));
  addShared(*inscriptionCommand,
            {Correlation, Calendar, Spelling, HaabDays, Format, Fields, Numerals}, options);
  inscriptionCommand->add_option(tr("FILE"), inscriptionArgs,
                                 tr("The worksheet (default: standard input)"));
  inscriptionCommand->footer(tr(kInscriptionFooter));
  CLI::App* helpCommand =
      app.add_subcommand("help", tr("Show the help of the program, or of COMMAND: help find"));
  std::string helpTopic; // read before the parser runs, below; declared for the usage line
  helpCommand->add_option(tr("COMMAND"), helpTopic,
                          tr("find, add, diff, draw, inscription or help"));
  helpCommand->footer(tr("Exit status: 0, or 2 when COMMAND is none of these.\n"));
  const std::vector<CLI::App*> commands = {findCommand, addCommand,         diffCommand,
                                           drawCommand, inscriptionCommand, helpCommand};
  for (CLI::App* command : commands) {
    command->group(tr("Subcommands"));
    command->get_help_ptr()->group(tr("Options"));
  }

  // The shell's completion asks which words may follow: __complete, the
  // place of the word being typed among the words after the program's name,
  // then those words.
  if (argc >= 3 && std::string_view(argv[1]) == "__complete") {
    const std::vector<std::string> words(argv + 3, argv + argc);
    std::string lines;
    for (const std::string& c :
         completions(app, words, static_cast<std::size_t>(std::atoi(argv[2])) - 1)) {
      lines += c + "\n";
    }
    return writeAndFinish(out, lines);
  }
  // "help COMMAND" names a command rather than running it, so it is read
  // before the parser would take COMMAND for one.
  if (argc >= 2 && std::string_view(argv[1]) == "help") {
    if (argc == 2) {
      return writeAndFinish(out, app.help());
    }
    const std::string_view topic = argv[2];
    for (const CLI::App* c : commands) {
      if ((c->get_name() == topic || (c == helpCommand && (topic == "--help" || topic == "-h"))) &&
          argc == 3) {
        return writeAndFinish(out, c->help());
      }
    }
    return usageError(
        out, argc == 3 ? format(tr("no command \"{}\"; the commands are find, add, diff, draw, "
                                   "inscription and help"),
                                maya::shown(argv[2]))
                       : std::string(tr("help takes one command, such as help find")));
  }
  const auto parsedCommand = [&]() -> CLI::App* {
    for (CLI::App* command : commands) {
      if (command->parsed()) {
        return command;
      }
    }
    return nullptr;
  };
  // After "--" every word is an input of the program or of its command. The
  // parser would hand the words after a command's "--" back to the program,
  // so it never sees them: they join the command's own inputs below.
  int optionsEnd = argc;
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--") {
      optionsEnd = i;
      break;
    }
  }
  const std::vector<std::string> afterOptions(argv + std::min(optionsEnd + 1, argc), argv + argc);
  try {
    std::vector<std::string> args;
    for (int i = optionsEnd - 1; i >= 1; --i) {
      args.emplace_back(argv[i]);
    }
    app.parse(args);
  } catch (const CLI::CallForHelp&) {
    const CLI::App* command = parsedCommand();
    return writeAndFinish(out, command != nullptr ? command->help() : app.help());
  } catch (const CLI::CallForVersion&) {
    return writeAndFinish(out, std::string(kApplicationName) + " " + kVersionText + "\n");
  } catch (const CLI::ExtrasError&) {
    // Only words that look like options end up here; inputs are positional.
    const CLI::App* command = parsedCommand();
    return usageError(
        out,
        unexpectedWords(app, command != nullptr ? command->remaining() : app.remaining(), command),
        command);
  } catch (const CLI::ParseError& e) {
    return usageError(out, parseErrorText(e), parsedCommand());
  }

  CLI::App* command = parsedCommand();
  std::vector<std::string>& inputWords = command == findCommand          ? find.patternWords
                                         : command == addCommand         ? addArgs
                                         : command == diffCommand        ? diffArgs
                                         : command == drawCommand        ? drawArgs
                                         : command == inscriptionCommand ? inscriptionArgs
                                                                         : options.inputs;
  inputWords.insert(inputWords.end(), afterOptions.begin(), afterOptions.end());
  if (options.fields == "help") {
    return writeAndFinish(out, rows::columnsHelp(command == inscriptionCommand));
  }
  if (command != nullptr) {
    if (const std::string problem = inapplicableOption(app, *command); !problem.empty()) {
      return usageError(out, problem, command);
    }
  }
  ConversionSettings settings;
  if (const std::string problem = settingsOf(options, settings); !problem.empty()) {
    return usageError(out, problem, command);
  }
  if (settings.columns && command != inscriptionCommand) {
    for (const rows::Column c : *settings.columns) {
      if (rows::isWorksheetColumn(c)) {
        return usageError(out,
                          format(tr("the field \"{}\" in --fields belongs to the inscription "
                                    "worksheet (glyphbox-cli inscription); --fields help lists "
                                    "the others"),
                                 rows::columnName(c)),
                          command);
      }
    }
  }
  if (command != nullptr && settings.reckoning.window) {
    return usageError(
        out,
        format(options.correlationFromVariable
                   ? tr("{0} reads Long Counts at face value, which the window's own arithmetic "
                        "(glyphbox, from {1}) has no reading for; use a correlation such as gmt")
                   : tr("{0} reads Long Counts at face value, which the window's own arithmetic "
                        "(glyphbox) has no reading for; use a correlation such as gmt"),
               command->get_name(), kCorrelationVariable),
        command);
  }
  if (command == findCommand) {
    if (find.patternWords.empty()) {
      return usageError(out, tr("find needs a pattern, such as find 9.*.*.*.* 8 Ahau"), command);
    }
    return runFind(out, settings, find);
  }
  // A date of several words (a Long Count with its clues, JDN n) is one input.
  const auto inputsOf = [](const std::vector<std::string>& words) {
    std::vector<std::string> texts;
    for (auto& [text, position] : joinedInputs(words, {})) {
      texts.push_back(std::move(text));
    }
    return texts;
  };
  if (command == addCommand) {
    std::vector<std::string> inputs = inputsOf(addArgs);
    if (inputs.size() < 2) {
      return usageError(
          out, tr("add needs a date and at least one distance, such as add 9.12.11.5.18 +2.5.3"),
          command);
    }
    return runAdd(out, settings, inputs);
  }
  if (command == diffCommand) {
    std::vector<std::string> inputs = inputsOf(diffArgs);
    if (inputs.size() != 2) {
      return usageError(out, tr("diff needs two dates, such as diff 9.12.11.5.18 9.12.13.11.1"),
                        command);
    }
    return runDiff(out, settings, inputs);
  }
  if (command == inscriptionCommand) {
    if (inscriptionArgs.size() > 1) {
      return usageError(out, tr("inscription reads one worksheet, such as inscription cross.txt"),
                        command);
    }
    return runInscription(out, settings, inscriptionArgs.empty() ? "" : inscriptionArgs.front(),
                          inFd);
  }
  if (command == drawCommand) {
    std::vector<std::string> inputs = inputsOf(drawArgs);
    if (inputs.size() != 1) {
      return usageError(out, tr("draw needs one date, such as draw 9.12.11.5.18 -o date.svg"),
                        command);
    }
    return runDraw(out, settings, inputs.front(), drawFile);
  }
  Converter converter(out, settings);
  converter.writeHeader();
  if (options.inputs.empty()) {
    LineReader reader(inFd);
    return convertLines(reader, converter, out);
  }
  return convertInputs(out, converter, options.inputs, inputPositions(app, argc, argv));
}

} // namespace glyphbox::cli
