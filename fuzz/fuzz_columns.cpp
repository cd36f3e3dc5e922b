// Fuzzes the chosen columns and the Mayan numerals: the first line of the
// input is a --fields list, the rest one input line. A list is read or
// refused with the name at fault; a read list converts the line in every
// format, under settings the first byte picks, and each row written in Mayan
// numerals must read back, numeral run by numeral run, as its decimal twin.

#include <glyphbox/rows/converter.h>
#include <glyphbox/rows/output.h>
#include <glyphbox/rows/rows.h>
#include <glyphbox/testing/numerals.h>

#include "memory_files.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace glyphbox;

std::string convert(const rows::ConversionSettings& settings, std::string_view line) {
  static const fuzzing::MemoryFiles files;
  files.clear();
  {
    rows::Output out(files.out, files.err);
    rows::Converter converter(out, settings);
    converter.writeHeader();
    converter.convert(line, {rows::Origin::Kind::Line, 1});
    out.flush();
  }
  return fuzzing::contents(files.out) + fuzzing::contents(files.err);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1)
    return 0;
  const std::uint8_t choice = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t end = text.find('\n');
  if (end == std::string_view::npos)
    return 0;
  const std::string_view list = text.substr(0, end);
  const std::string_view line = text.substr(end + 1);
  if (line.find('\n') != std::string_view::npos)
    return 0;

  const rows::ColumnReading reading = rows::readColumns(list);
  if (reading.columns.empty()) {
    // Refused: the name at fault is one of the list's own.
    if (list.find(reading.unknown) == std::string_view::npos)
      std::abort();
    return 0;
  }
  rows::ConversionSettings s;
  s.columns = reading.columns;
  s.compare = (choice & 0x10) != 0;
  if (choice & 0x20)
    s.reckoning = rows::Reckoning::ofWindow();
  s.spelling = (choice & 0x40) ? maya::Spelling::Modern : maya::Spelling::Colonial;
  if (choice & 0x80)
    s.haabDays = maya::HaabNumbering::Window1;
  for (const rows::OutputFormat format : {rows::OutputFormat::Plain, rows::OutputFormat::Tsv,
                                          rows::OutputFormat::Csv, rows::OutputFormat::Json}) {
    s.format = format;
    s.mayaNumerals = false;
    const std::string decimal = convert(s, line);
    s.mayaNumerals = true;
    const std::string numerals = convert(s, line);
    // The input itself may hold numerals; only rows of plain ASCII input are compared.
    bool ascii = true;
    for (const char c : line)
      ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii && glyphbox::testing::decimalOfMayanNumerals(numerals) != decimal)
      std::abort();
  }
  return 0;
}
