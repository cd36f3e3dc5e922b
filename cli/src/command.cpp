#include <glyphbox/cli/converter.h>

#include <glyphbox/version.h>

#include <CLI/CLI.hpp>

#include <cstring>
#include <string>
#include <vector>

namespace glyphbox::cli {
namespace {

constexpr const char* kDescription =
    "Converts Gregorian dates into the Maya Long Count, Tzolkin and Haab.";

constexpr const char* kFooter =
    "DATE is YEAR-MONTH-DAY, optionally followed by a blank and CE or BCE\n"
    "(default CE), for example 2000-01-01 or '3114-08-13 BCE'. YEAR is 0 to\n"
    "2147483647. With no DATE, one date per line is read from standard input\n"
    "and each line is answered as soon as it arrives.\n"
    "\n"
    "Exit status: 0 when every date was converted, 1 when a date was refused,\n"
    "2 for a usage error, 3 when the input could not be read or the output\n"
    "could not be written.\n";

struct Options {
  std::string format = "plain";
  bool tsv = false;
  std::vector<std::string> inputs;
};

// Options that take a value: the word after them is not an input.
bool takesValue(std::string_view arg) { return arg == "--format"; }

// The position in argv of every input, in order, the way the option parser
// tells inputs from options: after "--" everything is an input; "-" and
// words starting with '-' and a digit are inputs (refused dates, not options).
std::vector<int> inputPositions(int argc, const char* const* argv) {
  std::vector<int> positions;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded) {
      positions.push_back(i);
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg.size() >= 2 && arg[0] == '-' && !(arg[1] >= '0' && arg[1] <= '9')) {
      if (takesValue(arg)) {
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

int run(int argc, const char* const* argv, int inFd, int outFd, int errFd) {
  Output out(outFd, errFd);
  Options options;
  CLI::App app(kDescription, "glyphbox-cli");
  app.set_version_flag("--version", std::string(kApplicationName) + " " + kVersionText,
                       "Show the version and exit");
  app.add_option("--format", options.format, "Output format")
      ->check(CLI::IsMember({"plain", "tsv"}))
      ->capture_default_str();
  app.add_flag("--tsv", options.tsv,
               "Same as --format tsv: tab-separated with a header:\n"
               "date, day_count, long_count, tzolkin, haab");
  app.add_option("DATE", options.inputs, "Dates to convert (default: standard input)");
  app.footer(kFooter);

  try {
    std::vector<std::string> args;
    for (int i = argc - 1; i >= 1; --i) {
      args.emplace_back(argv[i]);
    }
    app.parse(args);
  } catch (const CLI::CallForHelp&) {
    return writeAndFinish(out, app.help());
  } catch (const CLI::CallForVersion&) {
    return writeAndFinish(out, std::string(kApplicationName) + " " + kVersionText + "\n");
  } catch (const CLI::ExtrasError&) {
    // Only words that look like options end up here; inputs are positional.
    std::string unknown;
    for (const std::string& word : app.remaining()) {
      unknown += (unknown.empty() ? "\"" : " \"") + printable(word) + "\"";
    }
    out.error("glyphbox-cli: unknown option " + unknown + "\nTry 'glyphbox-cli --help'.\n");
    out.flush();
    return kExitUsage;
  } catch (const CLI::ParseError& e) {
    out.error(std::string("glyphbox-cli: ") + e.what() + "\nTry 'glyphbox-cli --help'.\n");
    out.flush();
    return kExitUsage;
  }

  const ClassicFormat format =
      options.tsv || options.format == "tsv" ? ClassicFormat::Tsv : ClassicFormat::Plain;
  ClassicConverter converter(out, format);
  converter.writeHeader();
  if (options.inputs.empty()) {
    LineReader reader(inFd);
    return convertLines(reader, converter, out);
  }
  const std::vector<int> positions = inputPositions(argc, argv);
  bool refused = false;
  for (std::size_t i = 0; i < options.inputs.size() && !out.failed(); ++i) {
    const long long position = i < positions.size() ? positions[i] : static_cast<long long>(i + 1);
    refused |= !converter.convert(options.inputs[i], Origin{Origin::Kind::Argument, position});
  }
  return finishRun(out, 0, refused);
}

} // namespace glyphbox::cli
