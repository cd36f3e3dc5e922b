// Fuzzes the inscription worksheet: any text is answered line by line under
// settings the first byte picks, and written in every format. Every line
// must be answered once; a refusal must say why and point inside its line;
// each clue's verdict must be what the calendars say of the day reached
// when the clue is read again on its own; a distance must land on the day
// above plus the distance; and the nearest agreeing days must agree and
// lie either side of the day.

#include <glyphbox/maya/clues.h>
#include <glyphbox/rows/output.h>
#include <glyphbox/rows/worksheet.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace glyphbox;

rows::ConversionSettings settingsOf(std::uint8_t byte) {
  rows::ConversionSettings s;
  s.calendar = static_cast<maya::Calendar>(byte % 3);
  s.spelling = (byte & 4) != 0 ? maya::Spelling::Modern : maya::Spelling::Colonial;
  if ((byte & 8) != 0) {
    s.haabDays = maya::HaabNumbering::Window1;
  }
  s.mayaNumerals = (byte & 16) != 0;
  if ((byte & 32) != 0) {
    s.reckoning = rows::Reckoning::of(maya::kCorrelations[byte % maya::kCorrelations.size()]);
  }
  return s;
}

void check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

void checkLine(const rows::AnsweredLine& a, const rows::ConversionSettings& s,
               std::optional<std::int64_t>& previous) {
  const bool error = a.kind == rows::LineKind::Error;
  check(error == !a.problem.empty());
  check(!error || (!a.code.empty() && a.problem.find('\n') == std::string::npos &&
                   a.problemOffset + a.problemLength <= a.text.size()));
  if (a.kind == rows::LineKind::Distance) {
    check(previous.has_value() && a.day == *previous + a.distance);
  }
  if (a.day) {
    check(a.jdn == *a.day + s.reckoning.correlation.jdn);
  }
  if (a.kind != rows::LineKind::Blank) {
    previous = a.day; // a line that names no day breaks the chain
  }
  if (a.clues.empty()) {
    check(a.nearest.empty());
    return;
  }
  // The clues read again from where the answer says they are written; each
  // verdict as the search's matcher gives it for the clue alone (a clue it
  // refuses, out of range, never agrees).
  check(a.day.has_value());
  const std::size_t from = a.clues.front().offset;
  const std::size_t to = a.clues.back().offset + a.clues.back().length;
  check(from < to && to <= a.text.size());
  const maya::RecordedClues again =
      maya::readRecordedClues(std::string_view(a.text).substr(from, to - from), s.numbering(false));
  check(again.ok() && again.clues.size() == a.clues.size());
  for (std::size_t i = 0; i < a.clues.size(); ++i) {
    const rows::CheckedClue& c = a.clues[i];
    check(again.clues[i].kind == c.kind && from + again.clues[i].offset == c.offset &&
          again.clues[i].length == c.length && !c.computed.empty());
    const maya::CompileResult alone = maya::compile(again.clues[i].pattern);
    check(c.agrees == (alone.ok() && alone.matcher->matches(*a.day)));
  }
  if (a.nearest.empty()) {
    return;
  }
  const maya::CompileResult all = maya::compile(again.pattern);
  check(all.ok() && !a.agrees());
  for (const std::int64_t d : a.nearest) {
    check(d != *a.day && all.matcher->matches(d));
  }
  check(a.nearest.size() < 2 || (a.nearest[0] < *a.day && *a.day < a.nearest[1]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) {
    return 0;
  }
  const rows::ConversionSettings settings = settingsOf(data[0]);
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::vector<rows::AnsweredLine> answers = rows::answerWorksheet(text, settings);
  std::optional<std::int64_t> previous;
  long long number = 0;
  for (const rows::AnsweredLine& a : answers) {
    check(a.number == ++number);
    checkLine(a, settings, previous);
  }
  // Every format writes every answer without fault. The writers are kept
  // from one input to the next, one per settings and format, as the
  // command keeps one for a whole worksheet.
  static const int outFd = memfd_create("worksheet-out", 0);
  static const int errFd = memfd_create("worksheet-err", 0);
  static rows::Output out(outFd, errFd);
  static std::map<int, std::unique_ptr<rows::WorksheetWriter>> writers;
  for (const rows::OutputFormat format : {rows::OutputFormat::Plain, rows::OutputFormat::Tsv,
                                          rows::OutputFormat::Csv, rows::OutputFormat::Json}) {
    std::unique_ptr<rows::WorksheetWriter>& writer =
        writers[data[0] * 4 + static_cast<int>(format)];
    if (!writer) {
      rows::ConversionSettings s = settings;
      s.format = format;
      writer = std::make_unique<rows::WorksheetWriter>(out, s);
    }
    writer->header();
    for (const rows::AnsweredLine& a : answers) {
      writer->write(a);
    }
    check(out.flush());
    ftruncate(outFd, 0);
    ftruncate(errFd, 0);
    lseek(outFd, 0, SEEK_SET);
    lseek(errFd, 0, SEEK_SET);
  }
  return 0;
}
