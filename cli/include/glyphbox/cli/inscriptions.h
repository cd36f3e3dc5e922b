#pragma once

#include <glyphbox/cli/output.h>
#include <glyphbox/cli/rows.h>
#include <glyphbox/maya/search.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glyphbox::cli {

// A search pattern read from its words: a Long Count with '*' places
// (9.*.*.*.0), a Tzolkin date (8 Ahau, * Ahau, 8 *), a Haab date (13 Pop,
// * Pop, 0 *), a Lord of the Night (G9) and a year bearer (bearer 8 Ik).
// The first number-and-'*' pair is the Tzolkin's when its number can be one
// (1 to 13) and no Tzolkin was given yet; otherwise it is the Haab's.
struct PatternReading {
  std::optional<maya::Pattern> pattern;
  std::string problem; // why the words are no pattern
};
[[nodiscard]] PatternReading readPattern(std::string_view words, maya::HaabNumbering numbering);

// A distance, written largest place first like a Long Count (+2.5.3,
// -1.0.0) or in days (-823d); the sign is optional.
struct DistanceReading {
  std::optional<std::int64_t> days;
  std::string problem;
};
[[nodiscard]] DistanceReading readDistance(std::string_view text);

// A distance in both forms: "+2.5.3" and 823.
[[nodiscard]] std::string distanceText(std::int64_t days);

struct FindOptions {
  std::vector<std::string> patternWords;
  std::string from, to, after, before;
  long long count = 1;
  long long limit = 10000;
  bool countOnly = false;
};

// The subcommands. Each reads Long Counts at face value under a correlation
// (gmt unless --correlation says otherwise) and returns the exit status.
int runFind(Output& out, const ConversionSettings& settings, const FindOptions& options);
int runAdd(Output& out, const ConversionSettings& settings, const std::vector<std::string>& args);
int runDiff(Output& out, const ConversionSettings& settings, const std::vector<std::string>& args);

} // namespace glyphbox::cli
