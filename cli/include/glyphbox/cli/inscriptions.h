#pragma once

#include <glyphbox/maya/search.h>
#include <glyphbox/rows/output.h>
#include <glyphbox/rows/rows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphbox::cli {

struct FindOptions {
  std::vector<std::string> patternWords;
  std::string from, to, after, before;
  long long count = 1;
  long long limit = 10000;
  bool countOnly = false;
};

// The subcommands. Each reads Long Counts at face value under a correlation
// (gmt unless --correlation says otherwise) and returns the exit status.
// find takes a pattern of at least one word, add a date and at least one
// distance, diff exactly two dates: the command line checks that.
int runFind(rows::Output& out, const rows::ConversionSettings& settings,
            const FindOptions& options);
int runAdd(rows::Output& out, const rows::ConversionSettings& settings,
           const std::vector<std::string>& args);
int runDiff(rows::Output& out, const rows::ConversionSettings& settings,
            const std::vector<std::string>& args);
// The picture of the day input names, as SVG, into the file at path (on
// standard output when path is empty or "-"); an existing file is replaced
// whole or left as it was.
int runDraw(rows::Output& out, const rows::ConversionSettings& settings, const std::string& input,
            const std::string& path);
// The inscription worksheet (rows/worksheet.h) in the file at path, or on
// the descriptor inFd when path is empty or "-", answered line by line as it
// is read: 0 when every recorded clue agrees, 1 when one disagrees or a line
// is refused (or no line names a day), 3 when the file cannot be read or
// the output written.
int runInscription(rows::Output& out, const rows::ConversionSettings& settings,
                   const std::string& path, int inFd);

} // namespace glyphbox::cli
