#include <glyphbox/rows/output.h>

#include <glyphbox/runtime/messages.h>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glyphbox::rows {
namespace {

bool isOpen(int fd) noexcept { return ::fcntl(fd, F_GETFD) != -1 || errno != EBADF; }

// Whether two descriptors write into the same file: then one buffer keeps
// their lines in order.
bool sameFile(int a, int b) noexcept {
  struct stat sa {};
  struct stat sb {};
  return ::fstat(a, &sa) == 0 && ::fstat(b, &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

} // namespace

Output::Output(int outFd, int errFd)
    : outFd_(outFd), errFd_(errFd), buffer_(new char[kBufferSize]), capacity_(kBufferSize) {
  // A closed descriptor is remembered now: whatever the program opens later
  // may be given its number, and must not receive the output.
  outClosed_ = !isOpen(outFd_);
  errClosed_ = !isOpen(errFd_);
  sameFile_ = !outClosed_ && !errClosed_ && sameFile(outFd_, errFd_);
}

void Output::makeRoom(std::size_t n) {
  flush();
  if (capacity_ < n) {
    std::unique_ptr<char[]> larger(new char[n]);
    buffer_ = std::move(larger);
    capacity_ = n;
  }
}

void Output::error(std::string_view line) {
  if (sameFile_) {
    put(line);
  } else {
    errors_.append(line);
    if (errors_.size() >= kBufferSize) {
      flush();
    }
  }
}

bool Output::writeAll(int fd, const char* data, std::size_t size) noexcept {
  if (failedErrno_ != 0) {
    return false;
  }
  if ((fd == outFd_ && outClosed_) || (fd == errFd_ && errClosed_)) {
    failedErrno_ = EBADF;
    return false;
  }
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) {
        continue;
      }
      failedErrno_ = errno;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool Output::flush() {
  if (used_ > 0) {
    writeAll(outFd_, buffer_.get(), used_);
    used_ = 0;
  }
  if (!errors_.empty()) {
    writeAll(errFd_, errors_.data(), errors_.size());
    errors_.clear();
  }
  return failedErrno_ == 0;
}

std::string Output::failureText() const {
  return i18n::format(i18n::tr("cannot write the output: {}"), std::strerror(failedErrno_));
}

void Output::reportDirectly(std::string_view line) noexcept {
  if (errClosed_) {
    return;
  }
  const char* data = line.data();
  std::size_t size = line.size();
  while (size > 0) {
    const ssize_t n = ::write(errFd_, data, size);
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n <= 0) {
      return;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

} // namespace glyphbox::rows
