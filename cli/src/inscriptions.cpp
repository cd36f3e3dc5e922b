#include <glyphbox/cli/inscriptions.h>

#include <glyphbox/cli/command.h>
#include <glyphbox/maya/long_count.h>
#include <glyphbox/maya/pattern_text.h>
#include <glyphbox/rows/drawing.h>
#include <glyphbox/rows/svg.h>
#include <glyphbox/rows/worksheet.h>
#include <glyphbox/runtime/messages.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

namespace glyphbox::cli {
namespace {

using i18n::format;
using i18n::N_;
using i18n::tr;
using rows::ConversionSettings;
using rows::Day;
using rows::OutputFormat;
using rows::Reckoning;
using rows::Row;

// What an input is, in messages: N_("date"), N_("pattern"), N_("distance"),
// or an option's name.
std::string_view labelOf(const char* what) { return what[0] == '-' ? what : tr(what); }

int refuseWith(Output& out, const char* what, std::string_view text, const std::string& reason) {
  out.error("glyphbox-cli: " + std::string(labelOf(what)) + " \"" + maya::shown(text) +
            "\": " + reason + "\n");
  return finishRun(out, 0, true);
}

// The day number an input names under the settings' correlation. A Long
// Count read in the era before 0.0.0.0.0 gets a note, as in conversion.
rows::DayNumber dayOf(Output& out, const ConversionSettings& s, const char* what,
                      std::string_view text) {
  rows::DayNumber r = rows::readDayNumber(text, s);
  if (r.eraBefore) {
    out.error("glyphbox-cli: " + std::string(labelOf(what)) + " \"" + maya::shown(text) +
              "\": " + rows::eraBeforeNote(*r.day) + "\n");
  }
  return r;
}

} // namespace

int runFind(Output& out, const ConversionSettings& s, const FindOptions& o) {
  Converter converter(out, s);
  const maya::HaabNumbering numbering = s.haabDays.value_or(maya::HaabNumbering::Seating0);
  std::string words;
  for (const auto& w : o.patternWords) {
    words += (words.empty() ? "" : " ") + w;
  }
  const maya::SearchPattern read = maya::readSearchPattern(words, numbering);
  if (read.eraBefore) {
    out.error("glyphbox-cli: " + std::string(tr("pattern")) + " \"" + maya::shown(words) +
              "\": " + rows::eraBeforeNote(*read.eraBefore) + "\n");
  }
  if (!read.matcher) {
    return refuseWith(out, N_("pattern"), words, read.problem);
  }
  const maya::Pattern& pattern = read.pattern;
  const maya::Matcher& matcher = *read.matcher;

  auto day = [&](const std::string& text, const char* option, std::int64_t& value) {
    const rows::DayNumber r = dayOf(out, s, option, text);
    if (!r.day) {
      refuseWith(out, option, text, r.problem);
      return false;
    }
    value = *r.day;
    return true;
  };
  std::vector<std::int64_t> matches;
  std::int64_t total = 0;
  if (!o.after.empty() || !o.before.empty()) {
    std::int64_t at = 0;
    const bool forward = !o.after.empty();
    if (!day(forward ? o.after : o.before, forward ? "--after" : "--before", at)) {
      return kExitRefused;
    }
    std::optional<std::int64_t> m = at;
    for (long long n = 0; n < o.count; ++n) {
      m = forward ? maya::next(matcher, *m + 1) : maya::prev(matcher, *m - 1);
      if (!m) {
        break;
      }
      matches.push_back(*m);
    }
    if (!forward) {
      std::reverse(matches.begin(), matches.end());
    }
    total = static_cast<std::int64_t>(matches.size());
  } else {
    maya::DayRange range = maya::searchRange(pattern);
    if (!o.from.empty() && !day(o.from, "--from", range.first)) {
      return kExitRefused;
    }
    if (!o.to.empty() && !day(o.to, "--to", range.last)) {
      return kExitRefused;
    }
    if (range.first > range.last) {
      out.error("glyphbox-cli: " +
                format(tr("the range is empty: --from {} lies after --to {}"), maya::shown(o.from),
                       maya::shown(o.to)) +
                "\n");
      return finishRun(out, 0, true);
    }
    total = maya::count(matcher, range);
    if (!o.countOnly) {
      maya::forEachMatch(matcher, range, [&](std::int64_t d) {
        matches.push_back(d);
        return static_cast<long long>(matches.size()) < o.limit;
      });
    }
  }
  if (o.countOnly) {
    out.put(s.format == OutputFormat::Json ? "{\"count\":" + std::to_string(total) + "}\n"
                                           : std::to_string(total) + "\n");
    return finishRun(out, 0, false);
  }
  converter.writeHeader();
  std::vector<Row> rows;
  for (const std::int64_t d : matches) {
    rows.clear();
    (void)converter.rowsFor(Day{Day::Kind::LongCount, d, {}}, rows);
    for (const Row& row : rows) {
      converter.writer().row(row);
    }
  }
  if (matches.empty()) {
    out.error("glyphbox-cli: " +
              format(tr("no day in the range matches \"{}\""), maya::shown(words)) + "\n");
    return finishRun(out, 0, true);
  }
  if (total > static_cast<std::int64_t>(matches.size())) {
    out.error("glyphbox-cli: " +
              format(tr("the list stops at {} of {} matching days; use --limit N for more, or "
                        "--count-only"),
                     matches.size(), total) +
              "\n");
  }
  return finishRun(out, 0, false);
}

int runAdd(Output& out, const ConversionSettings& s, const std::vector<std::string>& args) {
  Converter converter(out, s);
  const rows::DayNumber start = dayOf(out, s, N_("date"), args[0]);
  if (!start.day) {
    return refuseWith(out, N_("date"), args[0], start.problem);
  }
  std::int64_t d = *start.day;
  converter.writeHeader();
  for (std::size_t i = 1; i < args.size(); ++i) {
    const maya::DistanceReading distance = maya::readDistance(args[i]);
    if (!distance.days) {
      return refuseWith(out, N_("distance"), args[i], distance.problem);
    }
    d += *distance.days;
    std::vector<Row> rows;
    const std::string problem = converter.rowsFor(Day{Day::Kind::LongCount, d, {}}, rows);
    if (!problem.empty()) {
      return refuseWith(out, N_("distance"), args[i], problem);
    }
    for (const Row& row : rows) {
      converter.writer().row(row);
    }
  }
  return finishRun(out, 0, false);
}

int runDiff(Output& out, const ConversionSettings& s, const std::vector<std::string>& args) {
  Converter converter(out, s);
  std::int64_t days[2] = {};
  for (int i = 0; i < 2; ++i) {
    const rows::DayNumber r = dayOf(out, s, N_("date"), args[static_cast<std::size_t>(i)]);
    if (!r.day) {
      return refuseWith(out, N_("date"), args[static_cast<std::size_t>(i)], r.problem);
    }
    days[i] = *r.day;
  }
  const std::int64_t distance = days[1] - days[0];
  const std::string text = maya::distanceText(distance);
  switch (s.format) {
  case OutputFormat::Plain:
    out.put(text + "  " + std::to_string(distance) +
            (distance == 1 || distance == -1 ? " day\n" : " days\n"));
    break;
  case OutputFormat::Tsv:
    out.put("distance\tdays\n" + text + "\t" + std::to_string(distance) + "\n");
    break;
  case OutputFormat::Csv:
    out.put("distance,days\r\n" + text + "," + std::to_string(distance) + "\r\n");
    break;
  case OutputFormat::Json:
    out.put("{\"distance\":\"" + text + "\",\"days\":" + std::to_string(distance) + "}\n");
    break;
  }
  return finishRun(out, 0, false);
}

namespace {

// Writes text to path whole or not at all: into a new file beside it, then
// renamed over it, so a full disk or a cut-off run never leaves half a
// picture where a whole one was. Returns an empty string or the reason.
std::string writeWhole(const std::string& path, std::string_view text) {
  const std::filesystem::path target(path);
  const std::filesystem::path directory =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::string temporary = (directory / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) {
    return std::strerror(errno);
  }
  int error = 0;
  for (std::size_t done = 0; done < text.size() && error == 0;) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno != EINTR) {
      error = errno;
    } else if (n > 0) {
      done += static_cast<std::size_t>(n);
    }
  }
  // A picture is a file like any other the user makes: readable as the
  // umask allows, not mkstemp's owner-only mode.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (error == 0 && ::fchmod(fd, 0666 & ~mask) != 0) {
    error = errno;
  }
  if (::close(fd) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    std::remove(temporary.c_str());
    return std::strerror(error);
  }
  return {};
}

} // namespace

int runDraw(Output& out, const ConversionSettings& s, const std::string& input,
            const std::string& path) {
  const rows::DayNumber day = dayOf(out, s, N_("date"), input);
  if (!day.day) {
    return refuseWith(out, N_("date"), input, day.problem);
  }
  const std::string svg = rows::svgOf(rows::drawDay(
      rows::dayInput(*day.day, s.spelling, s.haabDays.value_or(maya::HaabNumbering::Seating0))));
  if (path.empty() || path == "-") {
    out.put(svg);
    return finishRun(out, 0, false);
  }
  if (const std::string problem = writeWhole(path, svg); !problem.empty()) {
    out.error("glyphbox-cli: " + format(tr("cannot write \"{}\": {}"), maya::shown(path), problem) +
              "\n");
    out.flush();
    return kExitIoError;
  }
  return finishRun(out, 0, false);
}

static_assert(rows::kMaxWorksheetLine == LineReader::kMaxLine,
              "a worksheet's lines are limited as the converter's are");

int runInscription(Output& out, const ConversionSettings& s, const std::string& path, int inFd) {
  const bool fromFile = !path.empty() && path != "-";
  int fd = inFd;
  if (fromFile) {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      out.error("glyphbox-cli: " +
                format(tr("cannot read \"{}\": {}"), maya::shown(path), std::strerror(errno)) +
                "\n");
      out.flush();
      return kExitIoError;
    }
  }
  rows::Worksheet sheet(s);
  rows::WorksheetWriter writer(out, s);
  writer.header();
  bool failed = false; // a line refused or a clue that disagrees
  bool refused = false;
  long long lines = 0;
  LineReader reader(fd);
  const int readError = reader.readAll(
      [&](std::string_view line, long long number, bool) {
        // A line too long keeps only its start, still longer than the
        // worksheet reads: it is refused as too long.
        // JSON carries a refused line's words on standard output, in English.
        std::optional<i18n::EnglishMessages> english;
        if (s.format == OutputFormat::Json) {
          english.emplace();
        }
        const rows::AnsweredLine answered = sheet.answer(line, number);
        english.reset();
        writer.write(answered);
        refused = refused || answered.kind == rows::LineKind::Error;
        failed = failed || refused || !answered.agrees();
        lines = number;
        return !out.failed();
      },
      [&] { out.flush(); });
  if (fromFile) {
    ::close(fd);
  }
  if (readError != 0 && fromFile) {
    out.flush();
    out.reportDirectly(
        "glyphbox-cli: " +
        format(tr("cannot read \"{}\": {}"), maya::shown(path), std::strerror(readError)) + "\n");
    return kExitIoError;
  }
  if (readError == 0 && !out.failed() && !sheet.dated() && !refused) {
    out.error("glyphbox-cli: " +
              (lines == 0 ? std::string(tr("the worksheet is empty; write a date on its first "
                                           "line, such as 9.12.11.5.18 6 Etznab 11 Yax"))
                          : format(tr("line {}: the worksheet ends without naming a day; write a "
                                      "date on a line, such as 9.12.11.5.18 6 Etznab 11 Yax"),
                                   lines)) +
              "\n");
    failed = true;
  }
  return finishRun(out, readError, failed);
}

} // namespace glyphbox::cli
