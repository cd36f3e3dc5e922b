#pragma once

#include <glyphbox/ui/window_registry.h>

namespace glyphbox::ui {

// Makes the four windows known to the registry by their names.
void defineWindows(WindowRegistry& registry);

// Whether a windowing system can be reached: a display is named, or a
// platform plugin is chosen explicitly (such as offscreen).
[[nodiscard]] bool displayAvailable();

} // namespace glyphbox::ui
