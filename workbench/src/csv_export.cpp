#include <glyphbox/workbench/csv_export.h>

#include <glyphbox/rows/converter.h>
#include <glyphbox/rows/output.h>

#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

#include <functional>
#include <string>

namespace glyphbox::workbench {
namespace {

rows::ConversionSettings csvOf(rows::ConversionSettings settings) {
  settings.format = rows::OutputFormat::Csv;
  return settings;
}

// Writes what `write` puts into an output on the file at path, whole or not
// at all. The messages beside the rows (refused lines, notes) are the
// command line's standard error: here they go nowhere.
QString writeWhole(const QString& path, const std::function<void(rows::Output&)>& write) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return file.errorString();
  }
  const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  bool written = false;
  std::string failure;
  {
    rows::Output out(file.handle(), nowhere);
    write(out);
    written = out.flush();
    failure = out.failureText();
  }
  if (nowhere >= 0) {
    ::close(nowhere);
  }
  if (!written) {
    file.cancelWriting();
    return QString::fromStdString(failure);
  }
  if (!file.commit()) {
    return file.errorString();
  }
  return {};
}

} // namespace

QString writeCsv(const QString& path, const rows::ConversionSettings& settings,
                 std::span<const std::int64_t> days) {
  return writeWhole(path, [&](rows::Output& out) {
    rows::Converter converter(out, csvOf(settings));
    converter.writeHeader();
    std::vector<rows::Row> rows;
    for (const std::int64_t d : days) {
      rows.clear();
      (void)converter.rowsFor(rows::Day{rows::Day::Kind::LongCount, d, {}}, rows);
      for (const rows::Row& row : rows) {
        converter.writer().row(row);
      }
    }
  });
}

QString writeWorksheetCsv(const QString& path, const rows::ConversionSettings& settings,
                          const std::vector<rows::AnsweredLine>& lines) {
  return writeWhole(path, [&](rows::Output& out) {
    rows::WorksheetWriter writer(out, csvOf(settings));
    writer.header();
    for (const rows::AnsweredLine& line : lines) {
      writer.write(line);
    }
  });
}

} // namespace glyphbox::workbench
