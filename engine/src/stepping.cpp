#include <glyphbox/engine/stepping.h>

namespace glyphbox::engine::stepping {

TzolkinDate steppedTzolkin(double dayCount, double kin) {
  TzolkinStepper stepper;
  for (double steps = dayCount; steps > 0; steps -= 1) {
    stepper.step();
  }
  TzolkinDate date{stepper.number, {}};
  for (std::size_t i = 0; i < kTzolkinNames.size(); ++i) {
    if (kin == static_cast<double>(i)) {
      date.name = kTzolkinNames[i];
    }
  }
  return date;
}

HaabDate steppedHaab(double dayCount) {
  HaabStepper stepper;
  for (double steps = dayCount; steps > 0; steps -= 1) {
    stepper.step();
  }
  return HaabDate{stepper.day, stepper.month,
                  kHaabMonthNames[static_cast<std::size_t>(stepper.month.value() - 1)]};
}

} // namespace glyphbox::engine::stepping
