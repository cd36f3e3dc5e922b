// What a window program of Glyphbox answers before its toolkit starts.

#include <glyphbox/ui/program_start.h>

#include <glyphbox/assets.h>
#include <glyphbox/runtime/messages.h>
#include <glyphbox/ui/application.h>

#include <QApplication>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace glyphbox::ui {
namespace {

using i18n::format;
using i18n::N_;
using i18n::tr;

// Exit statuses, the same as glyphbox-cli's where they mean the same.
constexpr int kExitNoDisplay = 1;
constexpr int kExitUsage = 2;
constexpr int kExitWriteError = 3;

// The program being started, for its messages; set once by answerCommandLine.
const ProgramText* gProgram = nullptr;

// The options every Qt program takes; the toolkit reads them itself when it
// starts. Qt accepts them with one dash or two.
struct ToolkitOption {
  std::string_view name;
  bool takesValue;
  const char* help; // nullptr: listed with the one before; in English, tr() translates it
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true,
     N_("-platform NAME        the window system plugin: xcb, wayland, offscreen...")},
    {"platformpluginpath", true, N_("-platformpluginpath DIR  where to look for it")},
    {"platformtheme", true, N_("-platformtheme NAME   the desktop theme plugin")},
    {"plugin", true, N_("-plugin NAME          loads an extra input plugin")},
    {"display", true, N_("-display NAME         the X display to open (xcb)")},
    {"style", true, N_("-style NAME           the widget style, such as fusion or windows")},
    {"stylesheet", true, N_("-stylesheet FILE      a style sheet for every window")},
    {"qwindowgeometry", true,
     N_("-qwindowgeometry GEOMETRY, -geometry GEOMETRY  the first window's")},
    {"geometry", true, nullptr},
    {"qwindowtitle", true, N_("-qwindowtitle TITLE, -title TITLE  the first window's title")},
    {"title", true, nullptr},
    {"qwindowicon", true, N_("-qwindowicon FILE, -icon FILE  the windows' icon")},
    {"icon", true, nullptr},
    {"name", true, N_("-name NAME            the X resource name (xcb)")},
    {"visual", true, N_("-visual TrueColor     the X visual (xcb)")},
    {"session", true, N_("-session ID           the session to restore")},
    {"reverse", false, N_("-reverse              lays the windows out right to left")},
    {"widgetcount", false, N_("-widgetcount          counts the widgets left at exit")},
    {"nograb", false, N_("-nograb, -dograb      whether popups may grab mouse and keyboard (xcb)")},
    {"dograb", false, nullptr},
    {"testability", false, N_("-testability          loads the test automation library")},
};

const ToolkitOption* findToolkitOption(std::string_view name) {
  for (const auto& option : kToolkitOptions) {
    if (option.name == name) {
      return &option;
    }
  }
  return nullptr;
}

struct CommandLine {
  bool help = false;
  bool helpAll = false;
  bool version = false;
  bool namesWindowSystem = false; // -platform or -display given
  std::string platform;           // the value of -platform, if given
  std::string error;              // empty when the command line is good
};

CommandLine parseCommandLine(int argc, char** argv) {
  CommandLine cl;
  for (int i = 1; i < argc && cl.error.empty(); ++i) {
    const std::string_view arg = argv[i];
    if (arg == "-h" || arg == "--help" || arg == "-?" || arg == "-help") {
      cl.help = true;
    } else if (arg == "--help-all" || arg == "-help-all") {
      cl.helpAll = true;
    } else if (arg == "-v" || arg == "--version" || arg == "-version") {
      cl.version = true;
    } else if (arg.size() > 1 && arg[0] == '-') {
      std::string_view name = arg.substr(arg.starts_with("--") ? 2 : 1);
      const auto equals = name.find('=');
      const bool inlineValue = equals != std::string_view::npos;
      name = name.substr(0, equals);
      const ToolkitOption* option = findToolkitOption(name);
      if (name.starts_with("qmljsdebugger")) {
        continue; // the toolkit's debugger hook, always -qmljsdebugger=...
      }
      // Qt takes "-style=NAME" and "-stylesheet=FILE"; every other value follows as the next word.
      const bool equalsAllowed = name == "style" || name == "stylesheet";
      if (option == nullptr || (inlineValue && !equalsAllowed)) {
        cl.error = format(tr("unknown option '{}'"), arg);
      } else if (option->takesValue && !inlineValue) {
        if (i + 1 >= argc) {
          cl.error = format(tr("option '{}' needs a value"), arg);
        } else {
          ++i;
          if (name == "platform") {
            cl.platform = argv[i];
          }
        }
      }
      cl.namesWindowSystem = cl.namesWindowSystem || name == "platform" || name == "display";
    } else {
      cl.error = format(tr("unexpected argument '{}'"), arg);
    }
  }
  return cl;
}

std::string helpText(bool all) {
  std::string text = format(tr("Usage: {} [options]\n"), gProgram->program);
  text += tr(gProgram->summary);
  text += "\n";
  text += tr("Options:\n"
             "  -h, --help     Displays this help.\n"
             "  --help-all     Displays this help and the toolkit's own options.\n"
             "  -v, --version  Displays version information.\n");
  if (all) {
    text += "\n";
    text += tr("Toolkit options, as in any Qt program (one dash or two):\n");
    for (const auto& option : kToolkitOptions) {
      if (option.help != nullptr) {
        text.append("  ").append(tr(option.help)).append("\n");
      }
    }
  }
  text += "\n";
  text += tr("Exit status: 0 when the windows were closed, 1 when no display can be opened,\n"
             "2 for a wrong command line, 3 when this output cannot be written.\n");
  return text;
}

// Writes to standard output and makes sure it arrived.
int printAndExit(const std::string& text) {
  errno = 0;
  const bool written = std::fputs(text.c_str(), stdout) >= 0;
  const bool flushed = std::fflush(stdout) == 0;
  if (!written || !flushed || std::ferror(stdout) != 0) {
    const int error = errno != 0 ? errno : EIO;
    std::fprintf(stderr, "%s: %s\n", gProgram->program,
                 format(tr("cannot write the output: {}"), std::strerror(error)).c_str());
    return kExitWriteError;
  }
  return EXIT_SUCCESS;
}

// The Wayland client library reports a missing compositor socket on standard
// error by itself, before the toolkit can say anything, so a platform that can
// only be Wayland is checked here first. Returns an empty text when the socket
// is there (or cannot be judged here), else why there is no display.
std::string missingWaylandSocket(const std::string& platform) {
  const bool onlyWayland = (platform == "wayland" || platform.starts_with("wayland-")) &&
                           platform.find(';') == std::string::npos;
  if (!onlyWayland || !qEnvironmentVariableIsEmpty("WAYLAND_SOCKET")) {
    return {}; // no platform fixed, a fallback list, or a socket handed over as a descriptor
  }
  std::string name =
      qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0")).toStdString();
  if (!name.starts_with('/')) {
    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtimeDir.isEmpty()) {
      return tr("XDG_RUNTIME_DIR is not set, so there is no Wayland socket");
    }
    name = runtimeDir.toStdString() + "/" + name;
  }
  struct stat st {};
  if (::stat(name.c_str(), &st) != 0 || !S_ISSOCK(st.st_mode)) {
    return format(tr("no Wayland compositor listens at {}"), name);
  }
  return {};
}

[[noreturn]] void noDisplay(const std::string& reason) {
  std::fprintf(
      stderr, "%s: %s\n", gProgram->program,
      format(tr("no display to open ({}); to convert dates without one, use glyphbox-cli"), reason)
          .c_str());
  std::fflush(stderr);
  _exit(kExitNoDisplay); // the toolkit is half started: nothing of it may run on
}

// While the toolkit starts, its messages are held back. A fatal one means no
// window system could be reached (a platform plugin that is missing or cannot
// connect): the toolkit would abort, so the program says why in one line and
// ends. Once started, the held messages go out as usual.
struct HeldMessage {
  QtMsgType type;
  std::string category;
  QString text;
};
std::vector<HeldMessage>& heldMessages() {
  static std::vector<HeldMessage> held;
  return held;
}

std::string firstLine(const QString& text) {
  return text.section(QLatin1Char('\n'), 0, 0).trimmed().toStdString();
}

void startupMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  const std::string category = context.category != nullptr ? context.category : "";
  if (type == QtFatalMsg) {
    // The platform plugin's own complaint names the cause (the display it
    // could not reach); the fatal line sums it up (the plugin it could not
    // find or start).
    for (const auto& held : heldMessages()) {
      if (held.type >= QtWarningMsg && held.category.starts_with("qt.qpa")) {
        noDisplay(firstLine(held.text));
      }
    }
    noDisplay(firstLine(text));
  }
  heldMessages().push_back({type, category, text});
}

void releaseHeldMessages(QtMessageHandler previous) {
  qInstallMessageHandler(previous);
  for (const auto& held : heldMessages()) {
    QMessageLogContext context;
    context.category = held.category.c_str();
    if (previous != nullptr) {
      previous(held.type, context, held.text);
    } else {
      std::fprintf(stderr, "%s\n", qPrintable(held.text));
    }
  }
  heldMessages().clear();
}

} // namespace

std::optional<int> answerCommandLine(int argc, char** argv, const ProgramText& program) {
  gProgram = &program;
  QCoreApplication::setApplicationName(QString::fromUtf8(program.name));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(program.version));

  const CommandLine cl = parseCommandLine(argc, argv);
  if (!cl.error.empty()) {
    std::fprintf(stderr, "%s: %s\n", program.program,
                 format(tr("{} (see {} --help)"), cl.error, program.program).c_str());
    return kExitUsage;
  }
  if (cl.help || cl.helpAll) {
    return printAndExit(helpText(cl.helpAll));
  }
  if (cl.version) {
    return printAndExit(std::string(program.name) + " " + program.version + "\n");
  }

  if (!cl.namesWindowSystem && !displayAvailable()) {
    noDisplay(tr("neither DISPLAY nor WAYLAND_DISPLAY is set"));
  }
  const std::string platform =
      !cl.platform.empty() ? cl.platform : qEnvironmentVariable("QT_QPA_PLATFORM").toStdString();
  if (const std::string reason = missingWaylandSocket(platform); !reason.empty()) {
    noDisplay(reason);
  }
  return std::nullopt;
}

ToolkitStart::ToolkitStart() : previous_(qInstallMessageHandler(startupMessageHandler)) {}

void ToolkitStart::started() { releaseHeldMessages(previous_); }

int runWindowProgram(int argc, char** argv, const ProgramText& program,
                     const std::string& localeDir, const char* desktopEntry,
                     const std::function<int()>& windows) {
  i18n::useUserLanguage(localeDir.c_str());
  // The program's own options need no display, so they are answered before
  // the toolkit tries to open one.
  if (const auto status = answerCommandLine(argc, argv, program)) {
    return *status;
  }
  ToolkitStart start;
  QApplication app(argc, argv); // takes the toolkit's options out of argv
  start.started();
  QApplication::setWindowIcon(assets::applicationIcon());
  QGuiApplication::setDesktopFileName(QString::fromLatin1(desktopEntry));
  return windows();
}

} // namespace glyphbox::ui
