#include <glyphbox/ui/year_validator.h>

namespace glyphbox::ui {

bool YearValidator::isAcceptable(const QString& text) {
  static const QString kLargestYear = QStringLiteral("2147483647");
  qsizetype firstSignificant = 0;
  for (const QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
      return false;
    }
  }
  while (firstSignificant < text.size() && text[firstSignificant] == QLatin1Char('0')) {
    ++firstSignificant;
  }
  const QStringView digits = QStringView(text).mid(firstSignificant);
  if (digits.size() != kLargestYear.size()) {
    return digits.size() < kLargestYear.size();
  }
  return digits.compare(kLargestYear) <= 0; // same length: compares as numbers
}

QValidator::State YearValidator::validate(QString& input, int& /*pos*/) const {
  return isAcceptable(input) ? Acceptable : Invalid;
}

} // namespace glyphbox::ui
