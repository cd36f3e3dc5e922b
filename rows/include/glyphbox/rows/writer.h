#pragma once

// Writes rows, and the refusals between them, in one of the four formats.
//
// Plain lines are for people: columns apart by two blanks. TSV and CSV begin
// with a header; CSV follows RFC 4180 (CRLF line ends, quoted fields where
// needed). JSON is one object per line, with an "error" object in place of a
// result for a refused input. Every format is written by the same loop over
// the row's columns, straight into the output buffer: each column's value
// between precomputed pieces (separators, keys, quotes, and the columns that
// are the same on every row).

#include <glyphbox/rows/inputs.h>
#include <glyphbox/rows/output.h>
#include <glyphbox/rows/rows.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace glyphbox::rows {

class RowWriter {
public:
  RowWriter(Output& out, const ConversionSettings& settings);
  RowWriter(Output& out, const ConversionSettings& settings, std::vector<Column> columns);

  void header();
  [[gnu::hot]] void row(const Row& row);
  // A word on how an input was read, on standard error in every format.
  void note(Origin origin, std::string_view text, std::string_view words);
  // A refused input: a message on standard error, or an error object in JSON.
  [[gnu::hot]] void refuse(Origin origin, std::string_view text, std::string_view code,
                           std::string_view reason);

  // One column's value of a row as this writer writes it, alone: for a
  // front end that lays the values out itself.
  [[nodiscard]] std::string text(const Row& row, Column column) const;

  // Whether a row needs its JDN (the window's own lines never show it).
  [[nodiscard]] bool needsJdn() const noexcept { return needsJdn_; }

  // The column lists whose loops are written out when compiling: the
  // formats' defaults, each with the separator alone between its columns
  // (or, in JSON, short pieces). Any other list is written column by column.
  enum class Shape { WindowPlain, WindowTsv, Plain, AllTsv, AllCsv, AllJson, Any };
  [[nodiscard]] Shape shape() const noexcept { return shape_; }
  // row() for a caller that knows the shape: its loop inlined into the
  // caller's. Preconditions: S == shape(). Defined in the writer's private
  // header, for the converter's quick path.
  template <Shape S> void rowIn(const Row& row);

  // A short text padded to 16 bytes, copied in one move: a name, a Calendar
  // Round date, a separator.
  struct Piece {
    char text[15] = {};
    std::uint8_t size = 0;
  };
  // A longer one, kept in the writer's arena and copied in one move of its
  // size class (16, 32, 64 or 128 bytes).
  struct Span {
    std::uint32_t offset = 0;
    std::uint32_t size = 0;
  };

  // Where a row's pieces are, as plain pointers into the vectors below,
  // copied into locals per row: the bytes a row stores through a char
  // pointer could alias any member, but never a local.
  struct Layout {
    const Column* columns = nullptr;
    std::size_t count = 0;
    const Span* between = nullptr; // count + 1
    const Piece* gaps = nullptr;   // the first count of them, where they are short
    const char* arena = nullptr;
    const Piece* tzolkin = nullptr;
    const Piece* haab[2] = {};
    const char* lords = nullptr;
    const std::pair<Reckoning, Span>* labels = nullptr;
    std::size_t labelCount = 0;
    bool json = false;
    bool omitTypedDate = false; // the window's plain line leads with a date it was not given
    // With Mayan numerals the Calendar Round texts outgrow the short pieces:
    // these take the place of tzolkin and haab, and every row is written
    // column by column.
    bool numerals = false;
    const Span* tzolkinInNumerals = nullptr;
    const Span* haabInNumerals[2] = {};
  };

private:
  Span addText(std::string_view text);
  void build(std::vector<Column> columns);

  Output& out_;
  ConversionSettings settings_;
  std::vector<Column> columns_; // the columns written per row, in order
  std::vector<Span> between_;   // before, between and after them: columns_.size() + 1
  std::vector<Piece> gaps_;
  std::vector<char> arena_;
  std::size_t maxRow_ = 0;
  bool needsJdn_ = false;
  std::vector<Piece> tzolkin_; // by the day count's place in the 260 days
  std::vector<Piece> haab_[2]; // by its place in the 365, for correlations [0] and the window [1]
  std::vector<Span> tzolkinInNumerals_; // the same texts in Mayan numerals, when asked for
  std::vector<Span> haabInNumerals_[2];
  std::array<char, 9> lords_{};                    // the digit of G1 to G9, by its place in the 9
  std::vector<std::pair<Reckoning, Span>> labels_; // the correlation column under --compare
  std::string header_;
  Layout layout_;
  Shape shape_ = Shape::Any;
  std::string message_; // a refusal's message, kept for its room
};

// The message text of a refused input: "glyphbox-cli: line 3: "2000-13-01":
// month out of range; the month must be 1 to 12\n".
[[nodiscard]] std::string refusalMessage(Origin origin, std::string_view text,
                                         std::string_view reason);

} // namespace glyphbox::rows
