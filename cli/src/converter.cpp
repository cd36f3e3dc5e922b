#include <glyphbox/cli/converter.h>

#include <glyphbox/runtime/conversions.h>
#include <glyphbox/version.h>

#include <charconv>
#include <cstring>
#include <string>

namespace glyphbox::cli {
namespace {

using engine::Int16;

constexpr bool isBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r'; }
constexpr bool isDigit(char c) noexcept { return c >= '0' && c <= '9'; }
constexpr char lower(char c) noexcept {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// The largest year the year field accepts.
constexpr long long kMaxYear = 2147483647;

std::string_view trim(std::string_view s) noexcept {
  while (!s.empty() && isBlank(s.front())) {
    s.remove_prefix(1);
  }
  while (!s.empty() && isBlank(s.back())) {
    s.remove_suffix(1);
  }
  return s;
}

// Reads a run of digits at pos; the value saturates just above `limit`, so
// arbitrarily long runs cannot wrap. Returns false when there is no digit.
bool readNumber(std::string_view s, std::size_t& pos, long long limit, long long& value) noexcept {
  const std::size_t start = pos;
  value = 0;
  while (pos < s.size() && isDigit(s[pos])) {
    if (value <= limit) {
      value = value * 10 + (s[pos] - '0');
    }
    ++pos;
  }
  return pos > start;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) {
      return false;
    }
  }
  return true;
}

const char* reasonFor(InputError error) noexcept {
  switch (error) {
  case InputError::None:
    return "";
  case InputError::NotADate:
    return "not a date; expected YEAR-MONTH-DAY, optionally followed by CE or BCE";
  case InputError::YearOutOfRange:
    return "year out of range; the year must be 0 to 2147483647";
  case InputError::MonthOutOfRange:
    return "month out of range; the month must be 1 to 12";
  case InputError::DayOutOfRange:
    return "day out of range for that month";
  case InputError::UnknownEra:
    return "unknown era; use CE or BCE";
  }
  return "";
}

// The input as it can be shown safely in a message: control characters and
// bytes outside ASCII escaped, long texts shortened.
std::string printable(std::string_view text) {
  constexpr std::size_t kShown = 60;
  std::string shown;
  for (std::size_t i = 0; i < text.size() && i < kShown; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c >= 0x20 && c < 0x7f && c != '"' && c != '\\') {
      shown += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      shown += escaped;
    }
  }
  if (text.size() > kShown) {
    shown += "...";
  }
  return shown;
}

} // namespace

ParseResult parseDate(std::string_view text) noexcept {
  ParseResult result;
  const std::string_view s = trim(text);
  std::size_t pos = 0;
  long long year = 0;
  long long month = 0;
  long long day = 0;

  const std::size_t yearStart = pos;
  const bool hasYear = readNumber(s, pos, kMaxYear, year);
  const std::size_t yearEnd = pos;
  if (!hasYear || pos >= s.size() || s[pos] != '-') {
    result.error = InputError::NotADate;
    return result;
  }
  ++pos;
  if (!readNumber(s, pos, 99, month) || pos >= s.size() || s[pos] != '-') {
    result.error = InputError::NotADate;
    return result;
  }
  ++pos;
  if (!readNumber(s, pos, 99, day)) {
    result.error = InputError::NotADate;
    return result;
  }
  if (pos < s.size()) {
    if (!isBlank(s[pos])) {
      result.error = InputError::NotADate;
      return result;
    }
    result.eraWord = trim(s.substr(pos));
    if (equalsIgnoringCase(result.eraWord, "BCE")) {
      result.date.era = engine::Era::BCE;
    } else if (!equalsIgnoringCase(result.eraWord, "CE")) {
      result.error = InputError::UnknownEra;
      return result;
    }
  }
  if (year > kMaxYear) {
    result.error = InputError::YearOutOfRange;
    return result;
  }
  if (month < 1 || month > 12) {
    result.error = InputError::MonthOutOfRange;
    return result;
  }

  // The same rules as typing the year and choosing the month in the window.
  result.date.yearText = s.substr(yearStart, yearEnd - yearStart);
  engine::CalendarState state;
  state.applyYearText(result.date.yearText); // cannot throw: digits worth at most INT32_MAX
  result.date.month = static_cast<std::int16_t>(month);
  result.date.daysInMonth = engine::daysInMonth(static_cast<int>(month), state.leapYear);
  if (day < 1 || day > result.date.daysInMonth.value()) {
    result.error = InputError::DayOutOfRange;
    return result;
  }
  result.date.day = static_cast<std::int16_t>(day);
  return result;
}

Converter::Converter(OutputFormat format, std::FILE* out, std::FILE* err)
    : format_(format), out_(out), err_(err) {}

Converter::~Converter() { flush(); }

void Converter::flush() {
  if (used_ > 0) {
    std::fwrite(buffer_, 1, used_, out_);
    used_ = 0;
  }
  std::fflush(out_);
}

void Converter::append(std::string_view s) {
  if (used_ + s.size() > kBufferSize) {
    std::fwrite(buffer_, 1, used_, out_);
    used_ = 0;
  }
  std::memcpy(buffer_ + used_, s.data(), s.size());
  used_ += s.size();
}

void Converter::appendInt(long long v) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, v).ptr;
  append(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void Converter::writeHeader() {
  if (format_ == OutputFormat::Tsv) {
    append("date\tday_count\tlong_count\ttzolkin\thaab\n");
  }
}

void Converter::reportError(std::string_view text, long long lineNumber, std::string_view reason) {
  failed_ = true;
  // Keep standard output and standard error in order for a reader of both.
  flush();
  const std::string origin =
      lineNumber > 0 ? "line " + std::to_string(lineNumber) : std::string("argument");
  std::fprintf(err_, "glyphbox-cli: %s: \"%s\": %.*s\n", origin.c_str(), printable(text).c_str(),
               static_cast<int>(reason.size()), reason.data());
}

bool Converter::convert(std::string_view text, long long lineNumber) {
  const ParseResult parsed = parseDate(text);
  if (parsed.error != InputError::None) {
    std::string reason = reasonFor(parsed.error);
    if (parsed.error == InputError::DayOutOfRange) {
      reason = "day out of range; " +
               std::string(
                   engine::kMonthNames[static_cast<std::size_t>(parsed.date.month.value() - 1)]) +
               " of that year has " + std::to_string(parsed.date.daysInMonth.value()) + " days";
    }
    reportError(text, lineNumber, reason);
    return false;
  }

  const DateInput& d = parsed.date;
  engine::MayaDate maya;
  try {
    maya = engine::calculateMayaDate(runtime::valueOfText(d.yearText), d.era, d.month, d.day);
  } catch (const runtime::RuntimeError& e) {
    reportError(text, lineNumber, std::string("cannot convert this date: ") + e.what());
    return false;
  }

  char lc[engine::LongCount::kMaxTextLength];
  const std::string_view longCount(
      lc, static_cast<std::size_t>(maya.longCount.writeText(lc, lc + sizeof lc) - lc));
  const std::string_view separator = format_ == OutputFormat::Tsv ? "\t" : "  ";
  if (format_ == OutputFormat::Tsv) {
    std::size_t firstDigit = 0;
    while (firstDigit + 1 < d.yearText.size() && d.yearText[firstDigit] == '0') {
      ++firstDigit;
    }
    append(d.yearText.substr(firstDigit));
    append(d.month < Int16(10) ? "-0" : "-");
    appendInt(d.month.value());
    append(d.day < Int16(10) ? "-0" : "-");
    appendInt(d.day.value());
    append(d.era == engine::Era::CE ? " CE\t" : " BCE\t");
    appendInt(static_cast<long long>(maya.counts.dayCount));
    append(separator);
  }
  append(longCount);
  append(separator);
  appendInt(maya.tzolkin.number.value());
  append(" ");
  append(maya.tzolkin.name);
  append(separator);
  appendInt(maya.haab.day.value());
  append(" ");
  append(maya.haab.name);
  append("\n");
  return true;
}

void Converter::convertStream(std::FILE* in) {
  // Lines longer than this cannot be dates; only their start is kept for the message.
  constexpr std::size_t kMaxLine = 4096;
  constexpr std::size_t kChunk = 1 << 20;
  std::string data(kChunk + kMaxLine, '\0');
  std::size_t filled = 0;
  long long lineNumber = 0;
  bool overlong = false;

  auto handleLine = [&](std::string_view line) {
    ++lineNumber;
    if (overlong) {
      overlong = false;
      reportError(line, lineNumber, "line too long to be a date");
    } else if (!trim(line).empty()) {
      convert(line, lineNumber);
    }
  };

  for (;;) {
    const std::size_t got = std::fread(data.data() + filled, 1, kChunk, in);
    filled += got;
    std::size_t start = 0;
    for (;;) {
      const void* nl = std::memchr(data.data() + start, '\n', filled - start);
      if (nl == nullptr) {
        break;
      }
      const auto end = static_cast<std::size_t>(static_cast<const char*>(nl) - data.data());
      handleLine(std::string_view(data.data() + start, end - start));
      start = end + 1;
    }
    // Keep the unfinished line; cut it short if it cannot be a date anyway.
    std::size_t rest = filled - start;
    if (rest > kMaxLine) {
      rest = kMaxLine;
      overlong = true;
    }
    std::memmove(data.data(), data.data() + start, rest);
    filled = rest;
    if (got == 0) {
      break;
    }
  }
  if (filled > 0) {
    handleLine(std::string_view(data.data(), filled));
  }
}

namespace {

constexpr const char* kUsage =
    "Usage: glyphbox-cli [--tsv] [DATE...]\n"
    "Converts Gregorian dates into the Maya Long Count, Tzolkin and Haab.\n"
    "\n"
    "DATE is YEAR-MONTH-DAY, optionally followed by a blank and CE or BCE\n"
    "(default CE), for example 2000-01-01 or '3114-08-13 BCE'. YEAR is 0 to\n"
    "2147483647. With no DATE, one date per line is read from standard input.\n"
    "\n"
    "  --tsv      tab-separated output with a header:\n"
    "             date, day_count, long_count, tzolkin, haab\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "Exit status: 0 when every date was converted, 1 when a date was refused,\n"
    "2 for a usage error.\n";

} // namespace

int run(int argc, const char* const* argv, std::FILE* in, std::FILE* out, std::FILE* err) {
  OutputFormat format = OutputFormat::Plain;
  bool optionsEnded = false;
  int dates = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (optionsEnded || arg.empty() || arg.front() != '-') {
      ++dates;
    } else if (arg == "--") {
      optionsEnded = true;
    } else if (arg == "--tsv") {
      format = OutputFormat::Tsv;
    } else if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, out);
      return 0;
    } else if (arg == "--version") {
      std::fprintf(out, "%s %s\n", kApplicationName, kVersionText);
      return 0;
    } else {
      std::fprintf(err, "glyphbox-cli: unknown option \"%s\"\nTry 'glyphbox-cli --help'.\n",
                   printable(arg).c_str());
      return 2;
    }
  }

  Converter converter(format, out, err);
  converter.writeHeader();
  if (dates == 0) {
    converter.convertStream(in);
  } else {
    optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
      const std::string_view arg = argv[i];
      if (!optionsEnded && arg == "--") {
        optionsEnded = true;
      } else if (optionsEnded || arg.empty() || arg.front() != '-') {
        converter.convert(arg);
      }
    }
  }
  converter.flush();
  return converter.anyFailed() ? 1 : 0;
}

} // namespace glyphbox::cli
