#include <glyphbox/ui/application.h>

#include <glyphbox/ui/main_window.h>
#include <glyphbox/ui/picture_forms.h>
#include <glyphbox/ui/window_names.h>

namespace glyphbox::ui {

void defineWindows(WindowRegistry& registry) {
  registry.define(QLatin1String(kMainWindow), [](WindowRegistry& r) { return new MainWindow(r); });
  registry.define(QLatin1String(kThinkingForm),
                  [](WindowRegistry& r) { return new ThinkingForm(r); });
  registry.define(QLatin1String(kSplashForm), [](WindowRegistry& r) { return new SplashForm(r); });
  registry.define(QLatin1String(kAboutForm), [](WindowRegistry& r) { return new AboutForm(r); });
}

bool displayAvailable() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
         !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

} // namespace glyphbox::ui
