#pragma once

// The pickers every view reads: the correlation (the presets, each with its
// number, or a JDN of one's own), the Western calendar, the spelling of the
// names and the numbering of the Haab days. gmt, the consensus, until the
// user picks another.

#include <glyphbox/rows/rows.h>

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QSettings;

namespace glyphbox::workbench {

class SettingsBar : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY(SettingsBar)

public:
  explicit SettingsBar(QWidget* parent = nullptr);

  // The settings the pickers show. A custom JDN that is no number keeps
  // the correlation last accepted, and says why beside it.
  [[nodiscard]] rows::ConversionSettings settings() const { return settings_; }

  // The choices, kept between runs under the group "choices".
  void restore(const QSettings& store);
  void save(QSettings& store) const;

  // The first picker, for the keyboard: where the bar begins and ends.
  [[nodiscard]] QWidget* firstControl() const;
  [[nodiscard]] QWidget* lastControl() const;

signals:
  void changed();

private:
  void createControls();
  void describeControls();
  void connectHandlers();

  void correlationChosen();
  void customJdnEdited();
  void otherChosen();

  // Reads every picker into settings_; announces a change.
  void readControls();

  rows::ConversionSettings settings_;
  maya::Correlation customCorrelation_ = maya::kCorrelations[0];

  QLabel* correlationLabel_ = nullptr;
  QComboBox* correlation_ = nullptr;
  QLineEdit* customJdn_ = nullptr;
  QLabel* customProblem_ = nullptr;
  QLabel* calendarLabel_ = nullptr;
  QComboBox* calendar_ = nullptr;
  QLabel* spellingLabel_ = nullptr;
  QComboBox* spelling_ = nullptr;
  QLabel* numberingLabel_ = nullptr;
  QComboBox* numbering_ = nullptr;
};

} // namespace glyphbox::workbench
