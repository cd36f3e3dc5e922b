// Glyphbox Workbench's entry: its own command line first (answered without
// a display), then the toolkit, which must never end the program by aborting.

#include <glyphbox/assets.h>
#include <glyphbox/ui/program_start.h>
#include <glyphbox/version.h>
#include <glyphbox/workbench/workbench_window.h>

#include <QApplication>
#include <QSettings>

int main(int argc, char** argv) {
  using namespace glyphbox;
  static const ui::ProgramText program = {
      "glyphbox-workbench", "Glyphbox Workbench", kVersionText,
      "Reads dates of the Maya calendar and of the Gregorian, Julian and historical\n"
      "calendars as you type, keeps an inscription's worksheet and searches days by\n"
      "their clues, in a window. Without a display, glyphbox-cli does the same on\n"
      "the command line.\n"};
  if (const auto status = ui::answerCommandLine(argc, argv, program)) {
    return *status;
  }

  ui::ToolkitStart start;
  QApplication app(argc, argv); // takes the toolkit's options out of argv
  start.started();
  QApplication::setWindowIcon(assets::applicationIcon());
  // Desktops match the running window to the installed desktop entry by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.glyphbox.Workbench"));

  // The desktop's usual store: ~/.config/glyphbox/workbench.conf on Linux.
  QSettings store(QStringLiteral("glyphbox"), QStringLiteral("workbench"));
  workbench::WorkbenchWindow window(store);
  window.show();
  return QApplication::exec();
}
