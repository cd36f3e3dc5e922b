#include <glyphbox/cli/line_reader.h>

#include <cerrno>

#include <unistd.h>

namespace glyphbox::cli {

LineReader::LineReader(int fd, std::size_t chunk)
    : fd_(fd), chunk_(chunk), data_(new char[kMaxLine + 4 + chunk]) {}

LineReader::LineReader(ReadFunction read, std::size_t chunk)
    : read_(std::move(read)), chunk_(chunk), data_(new char[kMaxLine + 4 + chunk]) {}

long LineReader::readSome(char* into, std::size_t size) {
  if (read_) {
    return read_(into, size);
  }
  for (;;) {
    const ssize_t n = ::read(fd_, into, size);
    if (n >= 0) {
      return static_cast<long>(n);
    }
    if (errno != EINTR) {
      return -static_cast<long>(errno);
    }
  }
}

} // namespace glyphbox::cli
