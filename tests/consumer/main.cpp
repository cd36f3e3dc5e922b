// Prints the Maya date of 1 January 2000 CE with Glyphbox's calendar engine.
#include <glyphbox/engine/maya_date.h>
#include <glyphbox/runtime/conversions.h>

#include <iostream>

int main() {
  using namespace glyphbox;
  const engine::MayaDate date = engine::calculateMayaDate(2000, engine::Era::CE, 1, 1);
  std::cout << date.longCount.text() << ' ' << runtime::int16ToText(date.tzolkin.number) << ' '
            << date.tzolkin.name << ' ' << runtime::int16ToText(date.haab.day) << ' '
            << date.haab.name << '\n';
  return 0;
}
