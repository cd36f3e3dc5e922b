#pragma once

// Running the real glyphbox-cli (GLYPHBOX_CLI_PATH) as a process from a
// test, with its exit status, standard output and standard error.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace glyphbox::testing_process {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// A word as the shell reads it back unchanged.
inline std::string quoted(const std::string& s) {
  std::string q = "'";
  for (const char c : s) {
    q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return q + "'";
}

// Files of this process's own, so tests may run side by side.
inline std::string scratchFile(const char* name) {
  return ::testing::TempDir() + "glyphbox_" + name + "_" + std::to_string(::getpid());
}

// Runs a shell command line, capturing standard error and, unless the
// command redirects it itself, standard output.
inline Outcome runShell(const std::string& command) {
  const std::string out = scratchFile("out");
  const std::string err = scratchFile("err");
  const int raw = std::system(("{ " + command + "; } >" + out + " 2>" + err).c_str());
  Outcome o;
  o.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  o.out = slurp(out);
  o.err = slurp(err);
  return o;
}

// Runs glyphbox-cli with the given arguments and standard input, after the
// shell's variable assignments in `environment` ("LC_ALL=es_ES.UTF-8").
inline Outcome runCliIn(const std::string& environment, const std::vector<std::string>& args,
                        const std::string& input = "") {
  const std::string in = scratchFile("in");
  std::ofstream(in, std::ios::binary) << input;
  std::string command = environment + " " + GLYPHBOX_CLI_PATH;
  for (const auto& a : args) {
    command.append(" ").append(quoted(a));
  }
  return runShell(command + " <" + in);
}

// Runs glyphbox-cli with the given arguments and standard input.
inline Outcome runCli(const std::vector<std::string>& args, const std::string& input = "") {
  return runCliIn("", args, input);
}

// The lines of a text, without their line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    lines.push_back(line);
  }
  return lines;
}

// The same under the desktop window's own arithmetic, --correlation glyphbox.
inline Outcome runWindow(std::vector<std::string> args, const std::string& input = "") {
  args.insert(args.begin(), {"--correlation", "glyphbox"});
  return runCli(args, input);
}

} // namespace glyphbox::testing_process
