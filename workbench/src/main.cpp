// Glyphbox Workbench's entry: its own command line first (answered without
// a display), then the toolkit, which must never end the program by aborting.

#include <glyphbox/runtime/messages.h>
#include <glyphbox/ui/program_start.h>
#include <glyphbox/version.h>
#include <glyphbox/workbench/workbench_window.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>

namespace {

// Words of the toolkit's file dialog that its own translations of this
// version lack (the "Type" column's), or word too long for the dialog's
// first size (its "Date Modified" column): they come with the window's,
// which is asked first.
struct ToolkitWord {
  const char* source;
  const char* comment;
};
[[maybe_unused]] constexpr ToolkitWord kToolkitWords[] = {
    QT_TRANSLATE_NOOP3("QAbstractFileIconProvider", "Folder", "All other platforms"),
    QT_TRANSLATE_NOOP3("QAbstractFileIconProvider", "Drive", ""),
    QT_TRANSLATE_NOOP3("QAbstractFileIconProvider", "Unknown", ""),
    QT_TRANSLATE_NOOP3("QFileSystemModel", "Date Modified", ""),
};

} // namespace

int main(int argc, char** argv) {
  using namespace glyphbox;
  static const ui::ProgramText program = {
      "glyphbox-workbench", "Glyphbox Workbench", kVersionText,
      i18n::N_("Reads dates of the Maya calendar and of the Gregorian, Julian and historical\n"
               "calendars as you type, keeps an inscription's worksheet and searches days by\n"
               "their clues, in a window. Without a display, glyphbox-cli does the same on\n"
               "the command line.\n")};
  // The terminal's words and the calendar library's in the user's language.
  return ui::runWindowProgram(
      argc, argv, program, i18n::catalogueDir(GLYPHBOX_LOCALEDIR_FROM_BINDIR, GLYPHBOX_LOCALEDIR),
      "org.glyphbox.Workbench", [] {
        // The window's words, and the toolkit's own (file dialogs, context
        // menus), in the user's language.
        QTranslator toolkitWords;
        if (toolkitWords.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
          QCoreApplication::installTranslator(&toolkitWords);
        }
        QTranslator windowWords;
        if (windowWords.load(QLocale(), QStringLiteral("glyphbox-workbench"), QStringLiteral("_"),
                             QString::fromStdString(i18n::catalogueDir(
                                 GLYPHBOX_TRANSLATIONS_FROM_BINDIR, GLYPHBOX_TRANSLATIONS_DIR)))) {
          QCoreApplication::installTranslator(&windowWords);
        }
        // The desktop's usual store: ~/.config/glyphbox/workbench.conf on Linux.
        QSettings store(QStringLiteral("glyphbox"), QStringLiteral("workbench"));
        workbench::WorkbenchWindow window(store);
        window.show();
        return QApplication::exec();
      });
}
