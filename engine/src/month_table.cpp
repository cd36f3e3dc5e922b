#include <glyphbox/engine/month_table.h>

#include <glyphbox/runtime/conversions.h>

namespace glyphbox::engine {

void CalendarState::applyYearText(std::string_view yearText) {
  leapYear = isGregorianLeapYear(runtime::textToInt32(yearText)) ? kTrue : kFalse;
}

bool CalendarState::applyMonthText(std::string_view monthText) noexcept {
  for (std::size_t i = 0; i < kMonthNames.size(); ++i) {
    if (kMonthNames[i] == monthText) {
      monthNum = static_cast<std::int16_t>(i + 1);
      daysInMonth = engine::daysInMonth(monthNum.value(), leapYear);
      return true;
    }
  }
  return false;
}

} // namespace glyphbox::engine
