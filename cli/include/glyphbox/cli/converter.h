#pragma once

// The converter: inputs of every form read, turned into rows under the
// settings, and written by the one writer of the chosen format.

#include <glyphbox/cli/inputs.h>
#include <glyphbox/cli/line_reader.h>
#include <glyphbox/cli/output.h>
#include <glyphbox/cli/rows.h>
#include <glyphbox/cli/writer.h>

#include <string>
#include <string_view>
#include <vector>

namespace glyphbox::cli {

class Converter {
public:
  Converter(Output& out, const ConversionSettings& settings);

  void writeHeader() { writer_.header(); }
  // Converts one input; a refused one is reported. Returns whether it was converted.
  bool convert(std::string_view text, Origin origin);
  // A line longer than any input: refused with its start shown.
  void refuseTooLong(std::string_view start, Origin origin);

  // Every row of a day under the settings (several under --compare, or for a
  // Long Count the window shows on more than one date; none when the window
  // never shows it). Returns a refusal's reason when a row is missing.
  [[nodiscard]] std::string rowsFor(const Day& day, std::vector<Row>& rows) const;

  [[nodiscard]] const ConversionSettings& settings() const noexcept { return settings_; }
  [[nodiscard]] RowWriter& writer() noexcept { return writer_; }

  // Dates of the common form are read by a quick reader that knows no
  // messages; everything else, and every refusal, by the general readers.
  // Tests switch the quick reader off to compare the two.
  void useQuickReader(bool on) noexcept { quickOn_ = on; }

private:
  // The quick path for the writer's shape and the window's reckoning or a
  // correlation: one conversion for each, with the writer's loop inlined.
  template <RowWriter::Shape S, bool Window>
  [[gnu::hot]] bool convertQuickly(std::string_view text);
  using QuickPath = bool (Converter::*)(std::string_view text);
  [[nodiscard]] static QuickPath quickPathFor(const RowWriter& writer,
                                              const ConversionSettings& settings) noexcept;
  // Every input form and every refusal, out of line so that the common
  // form's conversion keeps a small frame.
  [[gnu::noinline, gnu::hot]] bool convertGenerally(std::string_view text, Origin origin);

  ConversionSettings settings_;
  RowWriter writer_;
  QuickPath quick_;
  bool quickOn_ = true;
  Reading reading_;       // kept, with the room of its reason, from one input to the next
  std::vector<Row> rows_; // likewise
};

// The exit status of a run, after the last flush: an output or read failure
// is reported in one line on standard error.
int finishRun(Output& out, int readError, bool refused);

// Converts every line that `reader` delivers, answering each read's complete
// lines before the next read can wait for more input. Returns the exit
// status: kExitOk, kExitRefused, or kExitIoError when the input could not be
// read or the output written (the message is written).
int convertLines(LineReader& reader, Converter& converter, Output& out);

// The whole command: options, then inputs from the arguments or from `in`.
// Returns the exit status (kExitOk, kExitRefused, kExitUsage, kExitIoError).
int run(int argc, const char* const* argv, int inFd, int outFd, int errFd);

} // namespace glyphbox::cli
