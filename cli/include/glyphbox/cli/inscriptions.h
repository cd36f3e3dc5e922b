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
int runFind(rows::Output& out, const rows::ConversionSettings& settings,
            const FindOptions& options);
int runAdd(rows::Output& out, const rows::ConversionSettings& settings,
           const std::vector<std::string>& args);
int runDiff(rows::Output& out, const rows::ConversionSettings& settings,
            const std::vector<std::string>& args);

} // namespace glyphbox::cli
