#include <glyphbox/ui/year_validator.h>

#include <algorithm>

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

QValidator::State YearValidator::validate(QString& input, int& pos) const {
  if (!isAcceptable(input)) {
    return Invalid;
  }
  if (input.size() > kLongestYearText) {
    // Every character is a digit and the value fits, so this text is mostly
    // leading zeros: they go, and the number stays what it was.
    qsizetype zeros = 0;
    while (zeros + 1 < input.size() && input[zeros] == QLatin1Char('0')) {
      ++zeros;
    }
    input.remove(0, zeros);
    pos = static_cast<int>(std::max<qsizetype>(0, pos - zeros));
  }
  return Acceptable;
}

} // namespace glyphbox::ui
