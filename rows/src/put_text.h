#pragma once

// Texts copied straight into the converter's output buffer. Like the digit
// writers, these may store a little past what they write (the buffer always
// has room past a line, and what follows overwrites it).

#include <cstddef>
#include <cstring>
#include <string_view>

namespace glyphbox::rows::put_text {

inline char* put(char* at, std::string_view s) noexcept {
  if (!s.empty()) { // an empty view may have no data at all
    std::memcpy(at, s.data(), s.size());
  }
  return at + s.size();
}

// A precomputed piece (a `text` array and its `size`), copied whole in one
// fixed-size move and advanced by its true size.
template <typename Piece> inline char* putPiece(char* at, const Piece& piece) noexcept {
  std::memcpy(at, &piece, sizeof piece);
  return at + piece.size;
}

// n bytes from `from`, 4 <= n <= 32, in two overlapping moves of the widest
// size that fits, so a short text of varying length costs no loop. Stores
// exactly n bytes.
[[gnu::always_inline]] inline char* putShort(char* at, const char* from, std::size_t n) noexcept {
  if (n >= 16) {
    std::memcpy(at, from, 16);
    std::memcpy(at + n - 16, from + n - 16, 16);
  } else if (n >= 8) {
    std::memcpy(at, from, 8);
    std::memcpy(at + n - 8, from + n - 8, 8);
  } else {
    std::memcpy(at, from, 4);
    std::memcpy(at + n - 4, from + n - 4, 4);
  }
  return at + n;
}

} // namespace glyphbox::rows::put_text
