#pragma once

#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace glyphbox::rows {

// Buffered standard output and standard error over two file descriptors.
//
// Every write is checked: the first failure (a full disk, a closed stream, a
// pipe whose reader has gone) is remembered with its errno, and from then on
// nothing more is written. When both descriptors lead to the same file (the
// usual `2>&1`, or both on one terminal) messages go into the output buffer,
// so results and messages stay in the order they were produced.
class Output {
public:
  Output(int outFd, int errFd);
  Output(const Output&) = delete;
  Output& operator=(const Output&) = delete;

  // Room for at least n bytes of standard output; write there, then commit().
  [[gnu::always_inline]] char* reserve(std::size_t n) {
    if (capacity_ - used_ < n) {
      makeRoom(n);
    }
    return buffer_.get() + used_;
  }
  void commit(const char* end) noexcept { used_ = static_cast<std::size_t>(end - buffer_.get()); }

  void put(std::string_view text) {
    if (text.empty()) {
      return;
    }
    char* at = reserve(text.size());
    std::memcpy(at, text.data(), text.size());
    commit(at + text.size());
  }

  // The standard output written since the last flush or take, which is
  // then forgotten: for a caller that uses the text itself rather than have
  // it written (the Python module's texts of a row). Valid until the next write.
  [[nodiscard]] std::string_view take() noexcept {
    const std::string_view text(buffer_.get(), used_);
    used_ = 0;
    return text;
  }

  // One complete line for standard error.
  void error(std::string_view line);

  // Writes out everything buffered, standard output first. False when a
  // write has failed, now or before.
  bool flush();

  [[nodiscard]] bool failed() const noexcept { return failedErrno_ != 0; }
  // "cannot write the output: No space left on device"
  [[nodiscard]] std::string failureText() const;

  // Writes one line straight to standard error, unbuffered; for the last
  // word of a run whose output failed.
  void reportDirectly(std::string_view line) noexcept;

  // The capacity of the output buffer: results are written out whenever it fills.
  static constexpr std::size_t kBufferSize = std::size_t{1} << 16;

private:
  void makeRoom(std::size_t n);
  bool writeAll(int fd, const char* data, std::size_t size) noexcept;

  int outFd_;
  int errFd_;
  bool sameFile_ = false;
  bool outClosed_ = false;
  bool errClosed_ = false;
  int failedErrno_ = 0;
  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;
  std::size_t used_ = 0;
  std::string errors_;
};

} // namespace glyphbox::rows
