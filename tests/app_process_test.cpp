// Runs the real window program as a user's shell would, for what happens
// before any window opens: its command line and a display that cannot be had.

#include <glyphbox/version.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Outcome {
  int status = -1; // exit status; -1 when ended by a signal (an abort)
  std::string out;
  std::string err;
};

std::string slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// `environment` is a prefix for env(1), such as "-u DISPLAY QT_QPA_PLATFORM=xcb".
// `seconds` > 0 runs it under timeout(1), which ends it with status 124.
Outcome run(const std::string& environment, const std::string& arguments,
            const std::string& output = "", int seconds = 0) {
  const std::string out =
      output.empty() ? ::testing::TempDir() + "glyphbox_out" + std::to_string(::getpid()) : output;
  const std::string err = ::testing::TempDir() + "glyphbox_err" + std::to_string(::getpid());
  const std::string limit = seconds > 0 ? "timeout " + std::to_string(seconds) + " " : "";
  const std::string command = limit + "env " + environment + " " + GLYPHBOX_PATH + " " + arguments +
                              " </dev/null >" + out + " 2>" + err;
  const int raw = std::system(command.c_str());
  Outcome o;
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  o.out = output.empty() ? slurp(out) : "";
  o.err = slurp(err);
  return o;
}

int lines(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

TEST(WindowProgram, WithoutAReachableDisplaySaysSoInOneLineAndExitsOne) {
  const char* environments[] = {
      "QT_QPA_PLATFORM=nonexistent",
      "QT_QPA_PLATFORM= DISPLAY=:987",
      "-u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nope XDG_RUNTIME_DIR=/tmp",
      "-u XDG_RUNTIME_DIR QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nope",
      "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM",
      "QT_QPA_PLATFORM=xcb DISPLAY=:987",
  };
  for (const char* environment : environments) {
    const Outcome o = run(environment, "");
    EXPECT_EQ(o.status, 1) << environment << '\n' << o.err;
    EXPECT_EQ(lines(o.err), 1) << environment << '\n' << o.err;
    EXPECT_EQ(o.err.rfind("glyphbox: no display to open (", 0), 0u) << o.err;
    EXPECT_NE(o.err.find("use glyphbox-cli"), std::string::npos) << o.err;
    EXPECT_EQ(o.out, "") << environment;
  }
}

TEST(WindowProgram, HelpNamesTheProgramAndListsOnlyWhatItHandles) {
  const Outcome help = run("", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: glyphbox [options]\n", 0), 0u) << help.out;
  EXPECT_EQ(help.err, "");
  for (const char* option : {"--help", "--help-all", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(help.out.find("-platform"), std::string::npos); // only in --help-all

  const Outcome all = run("", "--help-all");
  EXPECT_EQ(all.status, 0);
  EXPECT_EQ(all.out.rfind(help.out.substr(0, help.out.find("\nExit status")), 0), 0u);
  for (const char* option : {"-platform NAME", "-style NAME", "-display NAME", "-reverse"}) {
    EXPECT_NE(all.out.find(option), std::string::npos) << option;
  }

  for (const char* version : {"--version", "-v"}) {
    const Outcome o = run("", version);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, std::string("Glyphbox ") + glyphbox::kVersionText + "\n");
  }
  EXPECT_EQ(run("", "-h").out, help.out);
}

TEST(WindowProgram, OutputThatCannotBeWrittenIsReportedWithStatusThree) {
  for (const char* arguments : {"--version", "--help", "--help-all"}) {
    const Outcome o = run("", arguments, "/dev/full");
    EXPECT_EQ(o.status, 3) << arguments;
    EXPECT_EQ(o.err, "glyphbox: cannot write the output: No space left on device\n") << arguments;
  }
}

TEST(WindowProgram, RefusesWhatItDoesNotKnowWithStatusTwo) {
  const struct {
    const char* arguments;
    const char* says;
  } cases[] = {
      {"--frobnicate", "unknown option '--frobnicate'"},
      {"-platform", "option '-platform' needs a value"},
      {"2000-01-01", "unexpected argument '2000-01-01'"},
      {"-display=:0", "unknown option '-display=:0'"},
  };
  for (const auto& c : cases) {
    const Outcome o = run("", c.arguments);
    EXPECT_EQ(o.status, 2) << c.arguments;
    EXPECT_EQ(o.err, std::string("glyphbox: ") + c.says + " (see glyphbox --help)\n");
  }
}

TEST(WindowProgram, TakesTheToolkitsOptionsAsAnyQtProgramDoes) {
  // -display reaches the toolkit, which tries that display.
  const Outcome display = run("-u DISPLAY -u QT_QPA_PLATFORM", "-display :987");
  EXPECT_EQ(display.status, 1) << display.err;
  EXPECT_NE(display.err.find(":987"), std::string::npos) << display.err;

  // With a platform that needs no display the program starts and keeps
  // running (the splash, then the main window) until timeout(1) ends it.
  for (const char* arguments :
       {"-platform offscreen -style fusion", "--platform offscreen -style=windows -reverse",
        "-qwindowtitle Maya -platform offscreen"}) {
    const Outcome o = run("-u DISPLAY -u QT_QPA_PLATFORM", arguments, "", 3);
    EXPECT_EQ(o.status, 124) << arguments << '\n' << o.err; // still running when ended
    EXPECT_EQ(o.err.find("glyphbox:"), std::string::npos) << arguments << '\n' << o.err;
  }
}

// Under a Spanish locale the terminal's words are Spanish, each in place of
// its English one; the version stays the same.
TEST(WindowProgram, SpeaksTheUsersLanguageOnTheTerminal) {
  struct Case {
    std::string arguments;
    std::string environment; // beside the locale's
    int status;
    std::string start; // of standard output, or of standard error when nothing is written there
  };
  const Case cases[] = {
      {"--help", "", 0, "Uso: glyphbox [opciones]\nConvierte fechas gregorianas"},
      {"--help-all", "", 0, "Uso: glyphbox [opciones]\n"},
      {"--bogus", "", 2, "glyphbox: opción desconocida '--bogus' (véase glyphbox --help)\n"},
      {"-style", "", 2, "glyphbox: la opción '-style' necesita un valor (véase glyphbox --help)\n"},
      {"extra", "", 2, "glyphbox: argumento inesperado 'extra' (véase glyphbox --help)\n"},
      {"", "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", 1,
       "glyphbox: no hay pantalla que abrir (no están definidas ni DISPLAY ni WAYLAND_DISPLAY); "
       "para convertir fechas sin ella, use glyphbox-cli\n"},
  };
  for (const char* locale : {"LC_ALL=es_ES.UTF-8 LANGUAGE=", "LC_ALL=C LANGUAGE=es"}) {
    for (const Case& c : cases) {
      const Outcome english = run(c.environment, c.arguments);
      const Outcome o = run(c.environment + " " + locale, c.arguments);
      SCOPED_TRACE(std::string(locale) + " " + c.arguments);
      EXPECT_EQ(o.status, c.status);
      EXPECT_EQ((o.out.empty() ? o.err : o.out).rfind(c.start, 0), 0u) << o.out << o.err;
      // No line of the English run left (the options' own names aside).
      std::istringstream englishLines(english.out + english.err);
      for (std::string line; std::getline(englishLines, line);) {
        if (line.find_first_not_of(' ') != std::string::npos &&
            line.find("TrueColor") == std::string::npos &&
            line.find("-session ID") == std::string::npos) {
          EXPECT_EQ((o.out + o.err).find(line), std::string::npos) << line;
        }
      }
    }
  }
  EXPECT_EQ(run("LC_ALL=es_ES.UTF-8", "--version").out, run("", "--version").out);
}

} // namespace
