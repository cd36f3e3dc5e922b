#pragma once

// The converter: inputs of every form read, turned into rows under the
// settings, and written by the one writer of the chosen format.

#include <glyphbox/rows/inputs.h>
#include <glyphbox/rows/output.h>
#include <glyphbox/rows/rows.h>
#include <glyphbox/rows/writer.h>

#include <string>
#include <string_view>
#include <vector>

namespace glyphbox::rows {

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
  [[nodiscard]] const RowWriter& writer() const noexcept { return writer_; }

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

} // namespace glyphbox::rows
