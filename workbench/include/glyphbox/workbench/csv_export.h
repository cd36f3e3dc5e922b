#pragma once

// Rows written as CSV by the command line's own writers, into a file that is
// replaced whole or left as it was: what `glyphbox-cli find --format csv`
// and `glyphbox-cli inscription --format csv` write for the same days and
// lines under the same settings.

#include <glyphbox/rows/rows.h>
#include <glyphbox/rows/worksheet.h>

#include <QString>

#include <cstdint>
#include <span>
#include <vector>

namespace glyphbox::workbench {

// A header and the row of each day. Returns an empty text, or why the file
// could not be written.
[[nodiscard]] QString writeCsv(const QString& path, const rows::ConversionSettings& settings,
                               std::span<const std::int64_t> days);

// A header and the row of each answered line that reaches a day, with the
// worksheet's own columns. Returns an empty text, or why not.
[[nodiscard]] QString writeWorksheetCsv(const QString& path,
                                        const rows::ConversionSettings& settings,
                                        const std::vector<rows::AnsweredLine>& lines);

} // namespace glyphbox::workbench
