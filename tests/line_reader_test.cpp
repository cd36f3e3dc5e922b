#include <glyphbox/cli/line_reader.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace glyphbox::cli {
namespace {

struct Line {
  std::string text;
  long long number;
  bool tooLong;
  friend bool operator==(const Line&, const Line&) = default;
};

std::ostream& operator<<(std::ostream& os, const Line& l) {
  return os << l.number << (l.tooLong ? " (too long) " : " ") << l.text.substr(0, 40);
}

// Feeds `input` to a LineReader in reads of the given sizes (cycled).
std::vector<Line> readInPieces(const std::string& input, std::vector<std::size_t> pieces,
                               std::size_t chunk = LineReader::kDefaultChunk) {
  std::size_t offset = 0;
  std::size_t next = 0;
  LineReader reader(
      [&](char* into, std::size_t size) -> long {
        std::size_t n = std::min({size, pieces[next++ % pieces.size()], input.size() - offset});
        std::copy_n(input.data() + offset, n, into);
        offset += n;
        return static_cast<long>(n);
      },
      chunk);
  std::vector<Line> lines;
  reader.readAll(
      [&](std::string_view text, long long number, bool tooLong) {
        lines.push_back({std::string(text.substr(0, 100)), number, tooLong});
        return true;
      },
      [] {});
  return lines;
}

// The rule written out plainly: split at LF, CR LF or CR; a BOM at the start
// is dropped; a line longer than kMaxLine is too long.
std::vector<Line> expectedLines(std::string input) {
  if (input.rfind("\xEF\xBB\xBF", 0) == 0) {
    input.erase(0, 3);
  }
  std::vector<Line> lines;
  std::string current;
  long long number = 0;
  bool open = false;
  for (std::size_t i = 0; i < input.size(); ++i) {
    const char c = input[i];
    if (c == '\n' || c == '\r') {
      lines.push_back({current.substr(0, 100), ++number, current.size() > LineReader::kMaxLine});
      current.clear();
      open = false;
      if (c == '\r' && i + 1 < input.size() && input[i + 1] == '\n') {
        ++i;
      }
    } else {
      current += c;
      open = true;
    }
  }
  if (open) {
    lines.push_back({current.substr(0, 100), ++number, current.size() > LineReader::kMaxLine});
  }
  return lines;
}

TEST(LineReader, EndsLinesAtLfCrLfAndLoneCr) {
  const std::string input = "a\nb\r\nc\rd\r\re\n\nf";
  const std::vector<Line> expected = {{"a", 1, false}, {"b", 2, false}, {"c", 3, false},
                                      {"d", 4, false}, {"", 5, false},  {"e", 6, false},
                                      {"", 7, false},  {"f", 8, false}};
  for (std::size_t piece : {1, 2, 3, 100}) {
    EXPECT_EQ(readInPieces(input, {piece}), expected) << "pieces of " << piece;
  }
}

TEST(LineReader, DropsAByteOrderMarkOnlyAtTheStart) {
  const std::string bom = "\xEF\xBB\xBF";
  EXPECT_EQ(readInPieces(bom + "2000-01-01\n" + bom + "x", {1}),
            (std::vector<Line>{{"2000-01-01", 1, false}, {bom + "x", 2, false}}));
  EXPECT_EQ(readInPieces(bom, {2}), std::vector<Line>{});
  EXPECT_EQ(readInPieces("\xEF\xBBx\n", {1}), (std::vector<Line>{{"\xEF\xBBx", 1, false}}));
}

// A line's length decides, never where the reads cut it: lines just under,
// at and over the limit, at every offset around a read boundary.
TEST(LineReader, LengthLimitIsTheSameWhereverTheLineFalls) {
  const std::size_t limit = LineReader::kMaxLine;
  for (const std::size_t length : {limit - 1, limit, limit + 1, limit + 4, 3 * limit}) {
    for (const std::size_t lead : {0u, 1u, 10u, 4095u, 4096u, 4097u, 8191u}) {
      std::string input = std::string(lead, 'x') + "\n" + "2000-01-01" +
                          std::string(length - 10, ' ') + "\r\n2012-12-21";
      const auto expected = expectedLines(input);
      ASSERT_EQ(expected[1].tooLong, length > limit);
      for (const std::size_t chunk : {4096u, 4099u, 8192u, 1u << 20}) {
        EXPECT_EQ(readInPieces(input, {chunk}, chunk), expected)
            << "length " << length << ", lead " << lead << ", chunk " << chunk;
      }
    }
  }
}

TEST(LineReader, RandomInputsSplitAnywhereGiveTheSameLines) {
  std::mt19937 random(12345);
  const std::string alphabet = "0123456789- \r\n\xEF\xBB\xBF";
  for (int round = 0; round < 300; ++round) {
    std::string input;
    const int parts = static_cast<int>(random() % 20);
    for (int i = 0; i < parts; ++i) {
      if (random() % 8 == 0) {
        input += std::string(LineReader::kMaxLine - 2 + random() % 5, '7');
      } else {
        for (unsigned n = random() % 12; n > 0; --n) {
          input += alphabet[random() % alphabet.size()];
        }
      }
    }
    std::vector<std::size_t> pieces;
    for (int i = 0; i < 5; ++i) {
      pieces.push_back(1 + random() % 5000);
    }
    EXPECT_EQ(readInPieces(input, pieces, 1 + random() % 6000), expectedLines(input))
        << "round " << round;
  }
}

TEST(LineReader, ReadErrorStopsAfterTheLinesBeforeIt) {
  int calls = 0;
  LineReader reader([&](char* into, std::size_t) -> long {
    if (calls++ == 0) {
      into[0] = 'a';
      into[1] = '\n';
      into[2] = 'b';
      return 3;
    }
    return -21; // EISDIR
  });
  std::vector<std::string> lines;
  const int error = reader.readAll(
      [&](std::string_view text, long long, bool) {
        lines.emplace_back(text);
        return true;
      },
      [] {});
  EXPECT_EQ(error, 21);
  EXPECT_EQ(lines, std::vector<std::string>{"a"});
}

} // namespace
} // namespace glyphbox::cli
