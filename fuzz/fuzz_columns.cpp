// Fuzzes the chosen columns and the Mayan numerals: the first line of the
// input is a --fields list, the rest one input line. A list is read or
// refused with the name at fault; a read list converts the line in every
// format, under settings the first byte picks, and each row written in Mayan
// numerals must read back, numeral run by numeral run, as its decimal twin.

#include <glyphbox/rows/converter.h>
#include <glyphbox/rows/output.h>
#include <glyphbox/rows/rows.h>
#include <glyphbox/testing/numerals.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace glyphbox;

std::string contents(int fd) {
  std::string text(static_cast<std::size_t>(lseek(fd, 0, SEEK_CUR)), '\0');
  if (!text.empty() && pread(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
    std::abort();
  return text;
}

std::string convert(const rows::ConversionSettings& settings, std::string_view line) {
  static const int outFd = memfd_create("out", 0);
  static const int errFd = memfd_create("err", 0);
  ftruncate(outFd, 0);
  ftruncate(errFd, 0);
  lseek(outFd, 0, SEEK_SET);
  lseek(errFd, 0, SEEK_SET);
  {
    rows::Output out(outFd, errFd);
    rows::Converter converter(out, settings);
    converter.writeHeader();
    converter.convert(line, {rows::Origin::Kind::Line, 1});
    out.flush();
  }
  return contents(outFd) + contents(errFd);
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
