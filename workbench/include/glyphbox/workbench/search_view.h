#pragma once

// The search view: a pattern, a range and the most rows to list, as `find`
// takes them; the matches in a table whose rows are written when shown, the
// number of matches and a line when the list was cut; a refused pattern's
// reason inline; a match opened in the date view; the list as CSV.

#include <glyphbox/rows/rows.h>
#include <glyphbox/rows/worksheet.h>

#include <QAbstractTableModel>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTableView;

namespace glyphbox::workbench {

// The matching days, a row each, written from the day number when a view
// asks for a cell: ten thousand rows cost ten thousand numbers.
class MatchModel : public QAbstractTableModel {
  Q_OBJECT
  Q_DISABLE_COPY(MatchModel)

public:
  explicit MatchModel(QObject* parent = nullptr);
  ~MatchModel() override;

  // The columns of the command line's plain lines, under the settings.
  void setMatches(std::vector<std::int64_t> days, const rows::ConversionSettings& settings);
  [[nodiscard]] const std::vector<std::int64_t>& days() const { return days_; }

  [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
  [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
  [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                    int role) const override;

private:
  std::vector<std::int64_t> days_;
  std::vector<rows::Column> columns_;
  // The cells of the row asked for last: a view asks for a row's cells one
  // after the other.
  std::unique_ptr<rows::DayCells> cells_;
  mutable int cachedRow_ = -1;
  mutable std::vector<std::string> cached_;
};

class SearchView : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY(SearchView)

public:
  // The most rows listed unless the user asks for more: find's --limit.
  static constexpr int kDefaultLimit = 10000;

  explicit SearchView(QWidget* parent = nullptr);

  void setSettings(const rows::ConversionSettings& settings);

  [[nodiscard]] QLineEdit* patternInput() const { return pattern_; }
  [[nodiscard]] QTableView* table() const { return table_; }
  [[nodiscard]] const MatchModel& matches() const { return *model_; }
  // How many days of the range match, listed or not.
  [[nodiscard]] std::int64_t total() const { return total_; }
  [[nodiscard]] QAction* openAction() const { return open_; }
  [[nodiscard]] QAction* exportAction() const { return export_; }

  // Writes the listed matches as CSV; an empty text or why not.
  [[nodiscard]] QString writeCsv(const QString& path) const;

  // Searches again with what the controls hold.
  void search();

signals:
  // A match chosen to be read in the date view.
  void openDay(std::int64_t day);

private:
  void createControls();
  void placeControls();
  void connectHandlers();

  void criteriaEdited();
  void rowActivated(const QModelIndex& index);
  void openTriggered();
  void exportTriggered();

  // Shows why nothing is listed.
  void refuse(const QString& problem);

  rows::ConversionSettings settings_;
  std::int64_t total_ = 0;

  QLineEdit* pattern_ = nullptr;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QSpinBox* limit_ = nullptr;
  QLabel* problem_ = nullptr;
  QLabel* summary_ = nullptr;
  QTableView* table_ = nullptr;
  MatchModel* model_ = nullptr;
  QAction* open_ = nullptr;
  QAction* export_ = nullptr;
};

} // namespace glyphbox::workbench
