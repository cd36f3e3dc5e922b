#pragma once

// A pair of memory files that stand for standard output and standard error
// of a converter under fuzzing: emptied before each input, read back after.

#include <cstdlib>
#include <string>

#include <sys/mman.h>
#include <unistd.h>

namespace glyphbox::fuzzing {

struct MemoryFiles {
  int out = memfd_create("out", 0);
  int err = memfd_create("err", 0);

  // Both files emptied and rewound, for the next input.
  void clear() const {
    for (const int fd : {out, err}) {
      if (ftruncate(fd, 0) != 0 || lseek(fd, 0, SEEK_SET) != 0)
        std::abort();
    }
  }
};

// Everything written to a memory file so far.
inline std::string contents(int fd) {
  std::string text(static_cast<std::size_t>(lseek(fd, 0, SEEK_CUR)), '\0');
  if (!text.empty() && pread(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
    std::abort();
  return text;
}

} // namespace glyphbox::fuzzing
