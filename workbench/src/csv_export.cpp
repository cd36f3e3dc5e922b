#include <glyphbox/workbench/csv_export.h>

#include <glyphbox/rows/converter.h>
#include <glyphbox/rows/output.h>

#include <QCoreApplication>
#include <QSaveFile>

#include <vector>

namespace glyphbox::workbench {

QString writeCsv(const QString& path, const rows::ConversionSettings& settings,
                 std::span<const std::int64_t> days) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return file.errorString();
  }
  rows::ConversionSettings csv = settings;
  csv.format = rows::OutputFormat::Csv;
  {
    // No refusal is written: every day of a search or a worksheet has its row.
    rows::Output out(file.handle(), -1);
    rows::Converter converter(out, csv);
    converter.writeHeader();
    std::vector<rows::Row> rows;
    for (const std::int64_t d : days) {
      rows.clear();
      (void)converter.rowsFor(rows::Day{rows::Day::Kind::LongCount, d, {}}, rows);
      for (const rows::Row& row : rows) {
        converter.writer().row(row);
      }
    }
    if (!out.flush()) {
      file.cancelWriting();
      return QString::fromStdString(out.failureText());
    }
  }
  if (!file.commit()) {
    return file.errorString();
  }
  return {};
}

} // namespace glyphbox::workbench
