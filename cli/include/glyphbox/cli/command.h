#pragma once

// The command-line converter, glyphbox-cli: its options and inputs, the
// lines of standard input, and its exit status.

#include <glyphbox/cli/line_reader.h>
#include <glyphbox/rows/converter.h>
#include <glyphbox/rows/output.h>

namespace glyphbox::cli {

using rows::Converter;
using rows::Output;

// Exit statuses of glyphbox-cli. 0, 1 and 2 keep the meaning they have always
// had; 3 is for the streams themselves, so a script can tell a refused date
// from output that never arrived.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1; // an input was refused (or nothing matched)
inline constexpr int kExitUsage = 2;
inline constexpr int kExitIoError = 3; // the input could not be read or the output written

// The exit status of a run, after the last flush: an output or read failure
// is reported in one line on standard error.
int finishRun(Output& out, int readError, bool refused);

// Converts every line that `reader` delivers, answering each read's complete
// lines before the next read can wait for more input. Returns the exit
// status: kExitOk, kExitRefused, or kExitIoError when the input could not be
// read or the output written (the message is written).
int convertLines(LineReader& reader, Converter& converter, Output& out);

// The whole command: options, then inputs from the arguments or from `in`.
// Returns the exit status (kExitOk, kExitRefused, kExitUsage, kExitIoError).
int run(int argc, const char* const* argv, int inFd, int outFd, int errFd);

} // namespace glyphbox::cli
