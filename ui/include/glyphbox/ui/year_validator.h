#pragma once

#include <QValidator>

namespace glyphbox::ui {

// The year field takes only what the calendar can read as a year: nothing, or
// ASCII digits worth at most 2147483647 (leading zeros are fine). Anything else
// typed, pasted or dropped is refused and the text stays as it was.
class YearValidator : public QValidator {
public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;

  [[nodiscard]] static bool isAcceptable(const QString& text);
};

} // namespace glyphbox::ui
