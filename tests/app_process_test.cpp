// Runs the real window programs as a user's shell would, for what happens
// before any window opens: their command line and a display that cannot be had.
// Both programs, glyphbox and glyphbox-workbench, start the same way.

#include <glyphbox/version.h>

#include <gtest/gtest.h>

#include <unistd.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <ostream>
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

struct Program {
  const char* path;
  const char* command; // as its messages name it
  const char* name;    // as --version names it
};
const Program kPrograms[] = {
    {GLYPHBOX_PATH, "glyphbox", "Glyphbox"},
    {GLYPHBOX_WORKBENCH_PATH, "glyphbox-workbench", "Glyphbox Workbench"},
};

// Test names and failures name the program by its command.
void PrintTo(const Program& p, std::ostream* os) { *os << p.command; }

// `environment` is a prefix for env(1), such as "-u DISPLAY QT_QPA_PLATFORM=xcb".
// `seconds` > 0 runs it under timeout(1), which ends it with status 124.
Outcome run(const Program& program, const std::string& environment, const std::string& arguments,
            const std::string& output = "", int seconds = 0) {
  const std::string out =
      output.empty() ? ::testing::TempDir() + "glyphbox_out" + std::to_string(::getpid()) : output;
  const std::string err = ::testing::TempDir() + "glyphbox_err" + std::to_string(::getpid());
  const std::string limit = seconds > 0 ? "timeout " + std::to_string(seconds) + " " : "";
  const std::string command = limit + "env " + environment + " " + program.path + " " + arguments +
                              " </dev/null >" + out + " 2>" + err;
  const int raw = std::system(command.c_str());
  Outcome o;
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  o.out = output.empty() ? slurp(out) : "";
  o.err = slurp(err);
  return o;
}

int lines(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '\n')); }

class WindowProgram : public ::testing::TestWithParam<Program> {};
INSTANTIATE_TEST_SUITE_P(Both, WindowProgram, ::testing::ValuesIn(kPrograms), [](const auto& info) {
  return std::string(info.param.command == std::string("glyphbox") ? "glyphbox" : "workbench");
});

TEST_P(WindowProgram, WithoutAReachableDisplaySaysSoInOneLineAndExitsOne) {
  const Program& p = GetParam();
  const char* environments[] = {
      "QT_QPA_PLATFORM=nonexistent",
      "QT_QPA_PLATFORM= DISPLAY=:987",
      "-u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nope XDG_RUNTIME_DIR=/tmp",
      "-u XDG_RUNTIME_DIR QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=nope",
      "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM",
      "QT_QPA_PLATFORM=xcb DISPLAY=:987",
  };
  for (const char* environment : environments) {
    const Outcome o = run(p, environment, "");
    EXPECT_EQ(o.status, 1) << environment << '\n' << o.err;
    EXPECT_EQ(lines(o.err), 1) << environment << '\n' << o.err;
    EXPECT_EQ(o.err.rfind(std::string(p.command) + ": no display to open (", 0), 0u) << o.err;
    EXPECT_NE(o.err.find("use glyphbox-cli"), std::string::npos) << o.err;
    EXPECT_EQ(o.out, "") << environment;
  }
}

TEST_P(WindowProgram, HelpNamesTheProgramAndListsOnlyWhatItHandles) {
  const Program& p = GetParam();
  const Outcome help = run(p, "", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: " + std::string(p.command) + " [options]\n", 0), 0u) << help.out;
  EXPECT_EQ(help.err, "");
  for (const char* option : {"--help", "--help-all", "--version"}) {
    EXPECT_NE(help.out.find(option), std::string::npos) << option;
  }
  EXPECT_EQ(help.out.find("-platform"), std::string::npos); // only in --help-all

  const Outcome all = run(p, "", "--help-all");
  EXPECT_EQ(all.status, 0);
  EXPECT_EQ(all.out.rfind(help.out.substr(0, help.out.find("\nExit status")), 0), 0u);
  for (const char* option : {"-platform NAME", "-style NAME", "-display NAME", "-reverse"}) {
    EXPECT_NE(all.out.find(option), std::string::npos) << option;
  }

  for (const char* version : {"--version", "-v"}) {
    const Outcome o = run(p, "", version);
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, std::string(p.name) + " " + glyphbox::kVersionText + "\n");
  }
  EXPECT_EQ(run(p, "", "-h").out, help.out);
}

TEST_P(WindowProgram, OutputThatCannotBeWrittenIsReportedWithStatusThree) {
  const Program& p = GetParam();
  for (const char* arguments : {"--version", "--help", "--help-all"}) {
    const Outcome o = run(p, "", arguments, "/dev/full");
    EXPECT_EQ(o.status, 3) << arguments;
    EXPECT_EQ(o.err,
              std::string(p.command) + ": cannot write the output: No space left on device\n")
        << arguments;
  }
}

TEST_P(WindowProgram, RefusesWhatItDoesNotKnowWithStatusTwo) {
  const Program& p = GetParam();
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
    const Outcome o = run(p, "", c.arguments);
    EXPECT_EQ(o.status, 2) << c.arguments;
    EXPECT_EQ(o.err, std::string(p.command) + ": " + c.says + " (see " + p.command + " --help)\n");
  }
}

TEST_P(WindowProgram, TakesTheToolkitsOptionsAsAnyQtProgramDoes) {
  const Program& p = GetParam();
  // -display reaches the toolkit, which tries that display.
  const Outcome display = run(p, "-u DISPLAY -u QT_QPA_PLATFORM", "-display :987");
  EXPECT_EQ(display.status, 1) << display.err;
  EXPECT_NE(display.err.find(":987"), std::string::npos) << display.err;

  // With a platform that needs no display the program starts and keeps
  // running (its window open) until timeout(1) ends it. The workbench keeps
  // its settings in a scratch folder here, not in the user's.
  // The workbench parses its command line with the same code: one case
  // shows that it starts, and keeps the suite short.
  const std::vector<const char*> cases =
      p.path == kPrograms[0].path
          ? std::vector<const char*>{"-platform offscreen -style fusion",
                                     "--platform offscreen -style=windows -reverse",
                                     "-qwindowtitle Maya -platform offscreen"}
          : std::vector<const char*>{"--platform offscreen -style=windows -reverse"};
  for (const char* arguments : cases) {
    const Outcome o =
        run(p, "-u DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME=" + ::testing::TempDir(), arguments,
            "", 3);
    EXPECT_EQ(o.status, 124) << arguments << '\n' << o.err; // still running when ended
    EXPECT_EQ(o.err.find(std::string(p.command) + ":"), std::string::npos) << arguments << '\n'
                                                                           << o.err;
  }
}

// Under a Spanish locale the terminal's words are Spanish, each in place of
// its English one; the version stays the same.
TEST_P(WindowProgram, SpeaksTheUsersLanguageOnTheTerminal) {
  const Program& p = GetParam();
  const std::string program = p.command;
  struct Case {
    std::string arguments;
    std::string environment; // beside the locale's
    int status;
    std::string start; // of standard output, or of standard error when nothing is written there
  };
  const std::vector<Case> cases = {
      {"--help", "", 0, "Uso: " + program + " [opciones]\n"},
      {"--help-all", "", 0, "Uso: " + program + " [opciones]\n"},
      {"--bogus", "", 2,
       program + ": opción desconocida '--bogus' (véase " + program + " --help)\n"},
      {"-style", "", 2,
       program + ": la opción '-style' necesita un valor (véase " + program + " --help)\n"},
      {"extra", "", 2, program + ": argumento inesperado 'extra' (véase " + program + " --help)\n"},
      {"", "-u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM", 1,
       program + ": no hay pantalla que abrir (no están definidas ni DISPLAY ni WAYLAND_DISPLAY); "
                 "para convertir fechas sin ella, use glyphbox-cli\n"},
  };
  for (const char* locale : {"LC_ALL=es_ES.UTF-8 LANGUAGE=", "LC_ALL=C LANGUAGE=es"}) {
    for (const Case& c : cases) {
      const Outcome english = run(p, c.environment, c.arguments);
      const Outcome o = run(p, c.environment + " " + locale, c.arguments);
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
  EXPECT_EQ(run(p, "LC_ALL=es_ES.UTF-8", "--version").out, run(p, "", "--version").out);
}

} // namespace
