#pragma once

#include <cstddef>
#include <cstring>
#include <functional>
#include <memory>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace glyphbox::cli {

// Splits a byte stream into lines as they arrive.
//
// A line ends at LF, CR LF or a lone CR, so files saved on any system read
// the same; a UTF-8 byte-order mark at the very start of the input is not
// part of the first line. A line longer than kMaxLine bytes cannot be a date
// and is reported as too long, wherever it lies in the stream: the rule looks
// at the line's whole length, never at how the reads happened to cut it.
class LineReader {
public:
  // Lines longer than this are refused; only their start is kept for the message.
  static constexpr std::size_t kMaxLine = 4096;
  static constexpr std::size_t kDefaultChunk = std::size_t{1} << 16;

  // Reads up to `size` bytes into `into`; returns the count, 0 at the end of
  // the input, or -errno on a read error.
  using ReadFunction = std::function<long(char* into, std::size_t size)>;

  // Reads the file descriptor `fd`.
  explicit LineReader(int fd, std::size_t chunk = kDefaultChunk);
  // Reads through `read` (tests and fuzzers cut the stream where they like).
  explicit LineReader(ReadFunction read, std::size_t chunk = kDefaultChunk);

  // Calls onLine(line, lineNumber, tooLong) for every line, in order, and
  // afterChunk() once the complete lines of each read are handled, before
  // the next read can wait for input. onLine returns false to stop. Returns
  // 0, or the errno of a read error (after the lines before it are handled).
  template <typename OnLine, typename AfterChunk>
  int readAll(OnLine&& onLine, AfterChunk&& afterChunk);

private:
  long readSome(char* into, std::size_t size);

  int fd_ = -1;
  ReadFunction read_;
  std::size_t chunk_;
  std::unique_ptr<char[]> data_;
};

// The first LF or CR in [p, end), or nullptr. Dates are short lines, so the
// first sixteen bytes are looked at in one go where the processor allows.
inline const char* findTerminator(const char* p, const char* end) noexcept {
#if defined(__SSE2__)
  if (end - p >= 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')),
                                                    _mm_cmpeq_epi8(bytes, _mm_set1_epi8('\r'))));
    if (hits != 0) {
      return p + __builtin_ctz(static_cast<unsigned>(hits));
    }
    p += 16;
  }
#endif
  const char* lf =
      static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
  const char* stop = lf != nullptr ? lf : end;
  const char* cr =
      static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(stop - p)));
  return cr != nullptr ? cr : lf;
}

template <typename OnLine, typename AfterChunk>
int LineReader::readAll(OnLine&& onLine, AfterChunk&& afterChunk) {
  // The unfinished line at the end of a read is carried to the next one; it
  // never needs more room than kMaxLine plus a byte-order mark and one byte
  // to know that it is too long.
  constexpr std::size_t kKept = kMaxLine + 4;
  constexpr char kBom[] = "\xEF\xBB\xBF";
  char* const data = data_.get();
  std::size_t carried = 0;      // bytes of the unfinished line kept at data[0..)
  std::size_t carriedTotal = 0; // its whole length so far
  long long lineNumber = 0;
  bool skipLf = false;   // the last read ended in CR: a LF next belongs to it
  bool firstLine = true; // a byte-order mark may open the input
  bool go = true;

  auto finish = [&](std::string_view line, std::size_t total) {
    if (firstLine) {
      firstLine = false;
      if (line.size() >= 3 && std::memcmp(line.data(), kBom, 3) == 0) {
        line.remove_prefix(3);
        total -= 3;
      }
    }
    ++lineNumber;
    go = onLine(line, lineNumber, total > kMaxLine);
  };

  for (;;) {
    const long got = readSome(data + kKept, chunk_);
    if (got < 0) {
      afterChunk();
      return static_cast<int>(-got);
    }
    if (got == 0) {
      break;
    }
    const char* p = data + kKept;
    const char* const end = p + got;
    if (skipLf && *p == '\n') {
      ++p;
    }
    skipLf = false;
    while (go && p < end) {
      // The next terminator: LF, or a CR (alone or before a LF).
      const char* term = findTerminator(p, end);
      if (term == nullptr) {
        break; // no terminator in the rest of this read
      }
      const std::size_t length = static_cast<std::size_t>(term - p);
      if (carriedTotal == 0) {
        finish(std::string_view(p, length), length);
      } else {
        const std::size_t take = std::min(length, kKept - carried);
        std::memcpy(data + carried, p, take);
        finish(std::string_view(data, carried + take), carriedTotal + length);
        carried = carriedTotal = 0;
      }
      p = term + 1;
      if (*term == '\r') {
        if (p < end) {
          if (*p == '\n') {
            ++p;
          }
        } else {
          skipLf = true;
        }
      }
    }
    if (!go) {
      break;
    }
    // Keep the unfinished line, or as much of it as a message needs.
    const std::size_t rest = static_cast<std::size_t>(end - p);
    const std::size_t take = std::min(rest, kKept - carried);
    std::memmove(data + carried, p, take);
    carried += take;
    carriedTotal += rest;
    afterChunk();
  }
  // An input that is nothing but a byte-order mark holds no line at all.
  const bool onlyMark = firstLine && carriedTotal == 3 && std::memcmp(data, kBom, 3) == 0;
  if (go && carriedTotal > 0 && !onlyMark) {
    finish(std::string_view(data, carried), carriedTotal);
  }
  afterChunk();
  return 0;
}

} // namespace glyphbox::cli
