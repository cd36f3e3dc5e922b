#pragma once

// How a window program of Glyphbox starts: its own options (--help,
// --help-all, --version) answered without a display, the toolkit's options
// left for the toolkit, and one line that points to glyphbox-cli when no
// display can be opened, never an abort.
//
//   return runWindowProgram(argc, argv, program, localeDir, "org.glyphbox.Glyphbox",
//                           [] { /* open the windows */ return QApplication::exec(); });

#include <QtGlobal>

#include <functional>
#include <optional>
#include <string>

namespace glyphbox::ui {

struct ProgramText {
  const char* program; // the command: "glyphbox"
  const char* name;    // what --version names: "Glyphbox"
  const char* version; // "6.06.0006"
  const char* summary; // the help's lines under its usage line, each ending in a newline, in
                       // English: N_() marks it, the help translates it
};

// Answers the command line when it asks for no window: the exit status of
// --help, --help-all, --version or a wrong command line. Ends the program
// with one line on standard error and status 1 when no display can be
// opened. Returns nothing when the toolkit may start. `program` must outlive
// the program's start.
[[nodiscard]] std::optional<int> answerCommandLine(int argc, char** argv,
                                                   const ProgramText& program);

// While the toolkit starts, its messages are held back: a fatal one means no
// window system could be reached, and the program says why in one line and
// ends with status 1 instead of aborting. started() lets the held messages
// out and the toolkit's messages go their usual way again.
class ToolkitStart {
public:
  ToolkitStart();
  ToolkitStart(const ToolkitStart&) = delete;
  ToolkitStart& operator=(const ToolkitStart&) = delete;
  void started();

private:
  QtMessageHandler previous_;
};

// The whole start of a window program, in this order: the terminal's words in
// the user's language (message catalogues under `localeDir`), the program's
// own options answered without a display, the toolkit started under a
// ToolkitStart (it takes its own options out of argv), the program's icon and
// the name of its desktop entry, by which desktops match its windows. Then
// `windows` opens the windows and returns the program's exit status.
[[nodiscard]] int runWindowProgram(int argc, char** argv, const ProgramText& program,
                                   const std::string& localeDir, const char* desktopEntry,
                                   const std::function<int()>& windows);

} // namespace glyphbox::ui
