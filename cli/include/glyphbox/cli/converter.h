#pragma once

#include <glyphbox/cli/classic.h>
#include <glyphbox/cli/date_input.h>
#include <glyphbox/cli/line_reader.h>
#include <glyphbox/cli/output.h>

namespace glyphbox::cli {

// The exit status of a run, after the last flush: an output or read failure
// is reported in one line on standard error.
int finishRun(Output& out, int readError, bool refused);

// Converts every line that `reader` delivers with `converter` (anything with
// convert(text, origin) and refuseTooLong(start, origin)), answering each
// read's complete lines before the next read can wait for more input.
// Returns the exit status: kExitOk, kExitRefused, or kExitIoError when the
// input could not be read or the output written (the message is written).
template <typename LineConverter>
int convertLines(LineReader& reader, LineConverter& converter, Output& out) {
  bool refused = false;
  const int readError = reader.readAll(
      [&](std::string_view line, long long number, bool tooLong) {
        const Origin origin{Origin::Kind::Line, number};
        if (tooLong) {
          converter.refuseTooLong(line, origin);
          refused = true;
        } else if (!line.empty() && (line.front() > ' ' || !trimBlanks(line).empty())) {
          refused |= !converter.convert(line, origin);
        }
        return !out.failed();
      },
      [&] { out.flush(); });
  return finishRun(out, readError, refused);
}

// The whole command: options, then inputs from the arguments or from `in`.
// Returns the exit status (kExitOk, kExitRefused, kExitUsage, kExitIoError).
int run(int argc, const char* const* argv, int inFd, int outFd, int errFd);

} // namespace glyphbox::cli
