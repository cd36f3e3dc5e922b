#pragma once

// The rows of days written as CSV by the command line's own writer, into a
// file that is replaced whole or left as it was: what `glyphbox-cli find
// --format csv` writes for the same days under the same settings.

#include <glyphbox/rows/rows.h>

#include <QString>

#include <cstdint>
#include <span>

namespace glyphbox::workbench {

// Writes a header and the row of each day to path. Returns an empty text,
// or why the file could not be written.
[[nodiscard]] QString writeCsv(const QString& path, const rows::ConversionSettings& settings,
                               std::span<const std::int64_t> days);

} // namespace glyphbox::workbench
