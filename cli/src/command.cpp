#include <glyphbox/cli/command.h>
#include <glyphbox/cli/inscriptions.h>
#include <glyphbox/maya/pattern_text.h>

#include <glyphbox/version.h>

#include <CLI/CLI.hpp>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace glyphbox::cli {
namespace {

using rows::ConversionSettings;
using rows::Origin;
using rows::OutputFormat;
using rows::Reckoning;

constexpr const char* kDescription =
    "Converts dates between Western calendars and the Maya Long Count, Tzolkin,\n"
    "Haab and Lord of the Night.";

constexpr const char* kFooter =
    "INPUT is a date YEAR-MONTH-DAY, optionally followed by a blank and CE or\n"
    "BCE (default CE), for example 2000-01-01 or '3114-08-13 BCE'; a Long Count\n"
    "of five or more places, for example 9.12.11.5.18 (-0.0.0.1.5 before\n"
    "0.0.0.0.0, after --); JDN followed by a Julian Day Number; or today. With\n"
    "no INPUT, one input per line is read from standard input and each line is\n"
    "answered as soon as it arrives.\n"
    "\n"
    "The default correlation, glyphbox, is the desktop window's own arithmetic:\n"
    "Gregorian dates of years 0 to 2147483647, the window's names and its Haab\n"
    "days 1 to 20; a Long Count lists every date of years 9999 BCE to 9999 CE\n"
    "that the window shows with it. Any other correlation reads a Long Count at\n"
    "face value: JDN = day count + correlation. Presets:\n"
    "  gmt 584283, gmt+1 584284, lounsbury 584285, martin-skidmore 584286,\n"
    "  spinden 489384, bowditch 394483, makemson 489138, bohm 622261,\n"
    "  fuls 660208.\n"
    "\n"
    "Exit status: 0 when every input was converted, 1 when an input was refused,\n"
    "2 for a usage error, 3 when the input could not be read or the output\n"
    "could not be written.\n";

// Whether the word after an option is its value rather than an input: so
// for every option the parser knows that is not a flag.
bool takesValue(const CLI::App& app, std::string_view arg) {
  const CLI::Option* option = app.get_option_no_throw(std::string(arg));
  return option != nullptr && option->get_items_expected_min() > 0;
}

// The position in argv of every input, in order, the way the option parser
// tells inputs from options: after "--" everything is an input; "-" and
// words starting with '-' and a digit are inputs (refused dates, not options).
std::vector<int> inputPositions(const CLI::App& app, int argc, const char* const* argv, int first) {
  std::vector<int> positions;
  bool optionsEnded = false;
  for (int i = first; i < argc; ++i) {
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

int writeAndFinish(Output& out, std::string_view text) {
  out.put(text);
  return finishRun(out, 0, false);
}

int usageError(Output& out, const std::string& message) {
  out.error("glyphbox-cli: " + message + "\nTry 'glyphbox-cli --help'.\n");
  out.flush();
  return kExitUsage;
}

std::string presetList() {
  std::string list = "glyphbox";
  for (const auto& c : maya::kCorrelations) {
    list += ", " + std::string(c.name) + " (" + std::to_string(c.jdn) + ")";
  }
  return list;
}

struct Options {
  std::string correlation = "glyphbox";
  std::string calendar = "gregorian";
  std::string spelling = "colonial";
  std::string haabDays;
  std::string format = "plain";
  bool tsv = false;
  bool compare = false;
  std::vector<std::string> inputs;
};

// The options as settings; a usage error's message when they do not fit.
std::string settingsOf(const Options& o, ConversionSettings& s) {
  if (o.correlation == "glyphbox") {
    s.reckoning = Reckoning::ofWindow();
  } else {
    const auto c = maya::parseCorrelation(o.correlation);
    if (!c) {
      return "unknown correlation \"" + maya::shown(o.correlation) + "\"; use " + presetList() +
             ", or a whole number (the JDN of 0.0.0.0.0)";
    }
    s.reckoning = Reckoning::of(c.value);
  }
  static const std::map<std::string, maya::Calendar> kCalendars = {
      {"gregorian", maya::Calendar::Gregorian},
      {"julian", maya::Calendar::Julian},
      {"historical", maya::Calendar::Historical}};
  s.calendar = kCalendars.at(o.calendar);
  if (s.reckoning.window && !o.compare && s.calendar != maya::Calendar::Gregorian) {
    return "--calendar " + o.calendar +
           " needs a correlation (for example --correlation gmt): the window's own "
           "arithmetic, glyphbox, reads Gregorian dates only";
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
  return {};
}

void addConversionOptions(CLI::App& app, Options& o) {
  app.add_option("--correlation", o.correlation,
                 "glyphbox (the window's own arithmetic), a preset name, or a whole\n"
                 "number: the JDN of 0.0.0.0.0")
      ->capture_default_str();
  app.add_option("--calendar", o.calendar, "Calendar of the dates read and written")
      ->check(CLI::IsMember({"gregorian", "julian", "historical"}))
      ->capture_default_str();
  app.add_option("--spelling", o.spelling, "Spelling of the day and month names")
      ->check(CLI::IsMember({"colonial", "modern"}))
      ->capture_default_str();
  app.add_option("--haab-days", o.haabDays,
                 "Haab day numbers: 0-19 (scholarly) or 1-20 (the window's);\n"
                 "default 1-20 with glyphbox, 0-19 otherwise")
      ->check(CLI::IsMember({"0-19", "1-20"}));
  app.add_option("--format", o.format,
                 "Output: plain, tsv or csv (with a header), or json (JSON Lines)")
      ->check(CLI::IsMember({"plain", "tsv", "csv", "json"}))
      ->capture_default_str();
  app.add_flag("--tsv", o.tsv, "Same as --format tsv");
  app.add_flag("--compare", o.compare,
               "One row per preset correlation and one for glyphbox for each input");
}

// "JDN" and its number may come as two arguments.
std::vector<std::pair<std::string, int>> joinedInputs(const std::vector<std::string>& inputs,
                                                      const std::vector<int>& positions) {
  std::vector<std::pair<std::string, int>> joined;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const int position = i < positions.size() ? positions[i] : static_cast<int>(i + 1);
    if ((inputs[i] == "JDN" || inputs[i] == "jdn") && i + 1 < inputs.size()) {
      joined.emplace_back(inputs[i] + " " + inputs[i + 1], position);
      ++i;
    } else {
      joined.emplace_back(inputs[i], position);
    }
  }
  return joined;
}

} // namespace

int finishRun(Output& out, int readError, bool refused) {
  if (!out.flush()) {
    out.reportDirectly("glyphbox-cli: " + out.failureText() + "\n");
    return kExitIoError;
  }
  if (readError != 0) {
    out.reportDirectly(std::string("glyphbox-cli: cannot read the input: ") +
                       std::strerror(readError) + "\n");
    return kExitIoError;
  }
  return refused ? kExitRefused : kExitOk;
}

int convertLines(LineReader& reader, Converter& converter, Output& out) {
  bool refused = false;
  const int readError = reader.readAll(
      [&](std::string_view line, long long number, bool tooLong) {
        const Origin origin{Origin::Kind::Line, number};
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
  CLI::App app(kDescription, "glyphbox-cli");
  app.set_version_flag("--version", std::string(kApplicationName) + " " + kVersionText,
                       "Show the version and exit");
  addConversionOptions(app, options);
  app.add_option("INPUT", options.inputs, "Dates, Long Counts or JDNs (default: standard input)");
  app.footer(kFooter);

  FindOptions find;
  CLI::App* findCommand = app.add_subcommand(
      "find", "List the days that match a pattern: a Long Count with '*' places, a\n"
              "Tzolkin date, a Haab date, a Lord of the Night (G1 to G9), a year\n"
              "bearer (bearer 8 Ik); see 'glyphbox-cli find --help'");
  findCommand->fallthrough();
  findCommand
      ->add_option("PATTERN", find.patternWords, "The clues, for example '9.*.*.*.* 8 Ahau 13 Pop'")
      ->required();
  findCommand->add_option("--from", find.from,
                          "First day of the range (a date, Long Count or JDN)");
  findCommand->add_option("--to", find.to, "Last day of the range");
  findCommand->add_option("--after", find.after, "List the next --count matches after this day");
  findCommand->add_option("--before", find.before, "List the --count matches before this day");
  findCommand->add_option("--count", find.count, "How many matches --after or --before gives")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  findCommand->add_option("--limit", find.limit, "Most rows listed")
      ->check(CLI::PositiveNumber)
      ->capture_default_str();
  findCommand->add_flag("--count-only", find.countOnly, "Print only how many days match");
  findCommand->footer("Without a range, a pattern whose Long Count fixes its leading place is\n"
                      "searched within it (9.*.*.*.* within baktun 9); otherwise the range is\n"
                      "0.0.0.0.0 to 19.19.19.17.19 (-19.19.19.17.19 to -0.0.0.0.1 for a pattern\n"
                      "before 0.0.0.0.0). find, add and diff read Long Counts at face value,\n"
                      "under --correlation gmt unless another correlation is given, with Haab\n"
                      "days 0-19 unless --haab-days 1-20. A number and '*' is the Tzolkin's\n"
                      "(8 *) when it can be one, the Haab's (0 *) otherwise; in '8 * 13 *' the\n"
                      "first pair is the Tzolkin's.\n");
  std::vector<std::string> addArgs;
  CLI::App* addCommand = app.add_subcommand(
      "add", "Add distances to a date: add 9.12.11.5.18 +2.5.3 -1.0.0 (a distance\n"
             "is written largest place first, or in days: -823d)");
  addCommand->fallthrough();
  addCommand->add_option("DATE_AND_DISTANCES", addArgs, "A date, then one or more distances")
      ->required();
  std::vector<std::string> diffArgs;
  CLI::App* diffCommand =
      app.add_subcommand("diff", "The distance from one date to another, in both forms");
  diffCommand->fallthrough();
  diffCommand->add_option("DATES", diffArgs, "Two dates")->required();

  try {
    std::vector<std::string> args;
    for (int i = argc - 1; i >= 1; --i) {
      args.emplace_back(argv[i]);
    }
    app.parse(args);
  } catch (const CLI::CallForHelp&) {
    for (CLI::App* sub : {findCommand, addCommand, diffCommand}) {
      if (sub->parsed()) {
        return writeAndFinish(out, sub->help());
      }
    }
    return writeAndFinish(out, app.help());
  } catch (const CLI::CallForVersion&) {
    return writeAndFinish(out, std::string(kApplicationName) + " " + kVersionText + "\n");
  } catch (const CLI::ExtrasError&) {
    // Only words that look like options end up here; inputs are positional.
    std::string unknown;
    for (const std::string& word : app.remaining()) {
      unknown += (unknown.empty() ? "\"" : " \"") + maya::shown(word) + "\"";
    }
    return usageError(out, "unknown option " + unknown);
  } catch (const CLI::ParseError& e) {
    return usageError(out, e.what());
  }

  ConversionSettings settings;
  if (const std::string problem = settingsOf(options, settings); !problem.empty()) {
    return usageError(out, problem);
  }
  if (findCommand->parsed()) {
    return runFind(out, settings, find);
  }
  if (addCommand->parsed()) {
    return runAdd(out, settings, addArgs);
  }
  if (diffCommand->parsed()) {
    return runDiff(out, settings, diffArgs);
  }
  Converter converter(out, settings);
  converter.writeHeader();
  if (options.inputs.empty()) {
    LineReader reader(inFd);
    return convertLines(reader, converter, out);
  }
  bool refused = false;
  for (const auto& [text, position] :
       joinedInputs(options.inputs, inputPositions(app, argc, argv, 1))) {
    if (out.failed()) {
      break;
    }
    refused |= !converter.convert(text, Origin{Origin::Kind::Argument, position});
  }
  return finishRun(out, 0, refused);
}

} // namespace glyphbox::cli
