// Fuzzes the converter's streaming path: a whole input, cut into reads of
// sizes the fuzzer chooses, must give exactly the lines and the output that
// the straightforward reading of the same input as one piece gives.
//
// Input layout: byte 0 picks the buffer size, bytes 1-4 the sizes of the
// reads (cycled); the rest is the stream, in which 0x01 N C stands for
// N x 64 copies of C, so lines longer than the limit are cheap to reach.

#include <glyphbox/cli/command.h>
#include <glyphbox/testing/reference.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

// The window's own arithmetic, which the straightforward conversion checks.
glyphbox::rows::ConversionSettings windowSettings() {
  glyphbox::rows::ConversionSettings s;
  s.reckoning = glyphbox::rows::Reckoning::ofWindow();
  return s;
}

using glyphbox::cli::LineReader;
using glyphbox::rows::Origin;

std::string expand(const std::uint8_t* data, std::size_t size) {
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0x01 && i + 2 < size) {
      text.append(static_cast<std::size_t>(data[i + 1]) * 64, static_cast<char>(data[i + 2]));
      i += 2;
    } else {
      text += static_cast<char>(data[i]);
    }
  }
  return text;
}

std::string contents(int fd);

// One line converted on its own, into two memory files of its own.
void convertAlone(std::string_view line, Origin origin, std::string& out, std::string& err) {
  static const int outFd = memfd_create("line-out", 0);
  static const int errFd = memfd_create("line-err", 0);
  for (const int fd : {outFd, errFd}) {
    ftruncate(fd, 0);
    lseek(fd, 0, SEEK_SET);
  }
  {
    glyphbox::rows::Output output(outFd, errFd);
    glyphbox::rows::Converter converter(output, windowSettings());
    converter.convert(line, origin);
    output.flush();
  }
  out = contents(outFd);
  err = contents(errFd);
}

// The line rule written out plainly, over the whole input at once.
std::string expectedOutput(std::string input, std::string& errors) {
  if (input.rfind("\xEF\xBB\xBF", 0) == 0) {
    input.erase(0, 3);
  }
  std::string out;
  long long number = 0;
  std::size_t start = 0;
  auto handle = [&](std::string_view line) {
    const Origin origin{Origin::Kind::Line, ++number};
    if (line.size() > LineReader::kMaxLine) {
      errors += glyphbox::rows::refusalMessage(origin, line, "line too long to be a date");
    } else if (glyphbox::rows::isOtherInputForm(line)) {
      // Not a date: what the converter makes of the line alone.
      std::string lineOut;
      std::string lineErr;
      convertAlone(line, origin, lineOut, lineErr);
      out += lineOut;
      errors += lineErr;
    } else if (!glyphbox::rows::trimBlanks(line).empty()) {
      const auto r = glyphbox::testing::referenceConvert(line, origin,
                                                         glyphbox::testing::ReferenceFormat::Plain);
      out += r.out;
      errors += r.err;
    }
  };
  for (std::size_t i = 0; i < input.size(); ++i) {
    if (input[i] == '\n' || input[i] == '\r') {
      handle(std::string_view(input).substr(start, i - start));
      if (input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n') {
        ++i;
      }
      start = i + 1;
    }
  }
  if (start < input.size()) {
    handle(std::string_view(input).substr(start));
  }
  return out;
}

std::string contents(int fd) {
  std::string text(static_cast<std::size_t>(lseek(fd, 0, SEEK_CUR)), '\0');
  if (!text.empty() && pread(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
    std::abort();
  return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) {
    return 0;
  }
  const std::size_t chunk = 1 + static_cast<std::size_t>(data[0]) * 37;
  const std::size_t pieces[4] = {1u + data[1] * 23u, 1u + data[2], 1u + data[3] * 41u,
                                 1u + data[4] * 7u};
  const std::string input = expand(data + 5, size - 5);

  static const int outFd = memfd_create("out", 0);
  static const int errFd = memfd_create("err", 0);
  ftruncate(outFd, 0);
  ftruncate(errFd, 0);
  lseek(outFd, 0, SEEK_SET);
  lseek(errFd, 0, SEEK_SET);

  std::size_t offset = 0;
  std::size_t next = 0;
  LineReader reader(
      [&](char* into, std::size_t room) -> long {
        const std::size_t n = std::min({room, pieces[next++ % 4], input.size() - offset});
        std::memcpy(into, input.data() + offset, n);
        offset += n;
        return static_cast<long>(n);
      },
      chunk);
  glyphbox::rows::Output out(outFd, errFd);
  glyphbox::rows::Converter converter(out, windowSettings());
  const int status = glyphbox::cli::convertLines(reader, converter, out);

  std::string errors;
  const std::string expected = expectedOutput(input, errors);
  if (contents(outFd) != expected || contents(errFd) != errors)
    std::abort();
  if (status != (errors.empty() ? glyphbox::cli::kExitOk : glyphbox::cli::kExitRefused))
    std::abort();
  return 0;
}
