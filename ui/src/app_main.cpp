// The window program's entry: its own command line first (answered without a
// display), then the toolkit, which must never end the program by aborting.

#include <glyphbox/runtime/messages.h>
#include <glyphbox/ui/application.h>
#include <glyphbox/ui/program_start.h>
#include <glyphbox/ui/window_names.h>
#include <glyphbox/ui/window_registry.h>
#include <glyphbox/version.h>

#include <QApplication>

int main(int argc, char** argv) {
  using namespace glyphbox;
  static const ui::ProgramText program = {
      "glyphbox", kApplicationName, kVersionText,
      i18n::N_("Converts Gregorian dates into the Maya Long Count, Tzolkin and Haab in a\n"
               "window. Without a display, glyphbox-cli converts dates on the command line.\n")};
  // The terminal's messages in the user's language; the windows keep their own words.
  return ui::runWindowProgram(
      argc, argv, program, i18n::catalogueDir(GLYPHBOX_LOCALEDIR_FROM_BINDIR, GLYPHBOX_LOCALEDIR),
      "org.glyphbox.Glyphbox", [] {
        QApplication::setQuitOnLastWindowClosed(false); // the registry decides when it ends
        ui::WindowRegistry registry;
        ui::defineWindows(registry);
        QObject::connect(&registry, &ui::WindowRegistry::allWindowsUnloaded, qApp,
                         &QApplication::quit);
        registry.show(QLatin1String(ui::kSplashForm));
        return QApplication::exec();
      });
}
