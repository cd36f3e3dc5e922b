#pragma once

#include <QValidator>

namespace glyphbox::ui {

// The year field takes only what the calendar can read as a year: nothing, or
// ASCII digits worth at most 2147483647 (leading zeros are fine). Anything else
// typed, pasted or dropped is refused whole and the text stays as it was.
// A text longer than kLongestYearText (only a paste or drop makes one) keeps
// its number but loses its leading zeros, so the field shows exactly the year
// that was pasted, in a length it can lay out.
class YearValidator : public QValidator {
public:
  static constexpr qsizetype kLongestYearText = 255;

  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;

  [[nodiscard]] static bool isAcceptable(const QString& text);
};

} // namespace glyphbox::ui
