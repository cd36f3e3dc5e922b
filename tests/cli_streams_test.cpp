// The converter as a process, against streams that fail or stay open.

#include <gtest/gtest.h>

#include "cli_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using glyphbox::testing_process::Outcome;

// The converter's streams are the same under every correlation; these tests
// run it under the window's own arithmetic, chosen by the environment.
constexpr const char* kWindowVariable = "GLYPHBOX_CORRELATION=glyphbox";

// Runs a shell command line in which $CLI is the converter; standard error
// is captured, and standard output where the command does not redirect it.
Outcome shell(const std::string& script) {
  return glyphbox::testing_process::runShell("CLI='" GLYPHBOX_CLI_PATH "'; export " +
                                             std::string(kWindowVariable) + "; " + script);
}

// Starts the converter in a child process set up by the caller.
[[noreturn]] void execConverter() {
  ::putenv(const_cast<char*>(kWindowVariable));
  ::execl(GLYPHBOX_CLI_PATH, GLYPHBOX_CLI_PATH, static_cast<char*>(nullptr));
  ::_exit(127);
}

TEST(CliStreams, WriteFailuresAreReportedWithTheirCause) {
  struct Case {
    std::string script;
    std::string cause;
  };
  const Case cases[] = {
      {"$CLI 2000-01-01 >/dev/full", "No space left on device"},
      {"echo 2000-01-01 | $CLI >/dev/full", "No space left on device"},
      {"$CLI --help >/dev/full", "No space left on device"},
      {"$CLI --version >/dev/full", "No space left on device"},
      {"$CLI --tsv 2000-01-01 >&-", "Bad file descriptor"},
      {"echo 2000-01-01 | $CLI >&-", "Bad file descriptor"},
  };
  for (const auto& c : cases) {
    const Outcome o = shell(c.script);
    EXPECT_EQ(o.status, 3) << c.script;
    EXPECT_EQ(o.err, "glyphbox-cli: cannot write the output: " + c.cause + "\n") << c.script;
  }
}

// With SIGPIPE ignored a vanished reader is a write error like any other,
// and the conversion stops there instead of throwing every result away.
TEST(CliStreams, ReaderThatGoesAwayStopsTheConversion) {
  const Outcome o = shell("yes 2000-01-01 | head -n 2000000 > big; "
                          "(trap '' PIPE; $CLI < big; echo \"status $?\" >&2) | head -n1");
  EXPECT_EQ(o.out, "12.19.6.15.1  10 Imix  9 Kankin\n");
  EXPECT_NE(o.err.find("glyphbox-cli: cannot write the output: Broken pipe\n"), std::string::npos)
      << o.err;
  EXPECT_NE(o.err.find("status 3"), std::string::npos) << o.err;
}

TEST(CliStreams, ReadFailureIsReported) {
  const Outcome o = shell("$CLI < /");
  EXPECT_EQ(o.status, 3);
  EXPECT_EQ(o.out, "");
  EXPECT_EQ(o.err, "glyphbox-cli: cannot read the input: Is a directory\n");
}

TEST(CliStreams, MessagesStayInOrderWhenBothStreamsAreOneFile) {
  const Outcome o = shell("printf '2000-01-01\\nnope\\n2012-12-24\\n' | $CLI 2>&1");
  EXPECT_EQ(o.status, 1);
  EXPECT_EQ(o.out, "12.19.6.15.1  10 Imix  9 Kankin\n"
                   "glyphbox-cli: line 2: \"nope\": not a date; expected YEAR-MONTH-DAY "
                   "(optionally CE or BCE), a Long Count such as 9.12.11.5.18, JDN followed by "
                   "a number, or today\n"
                   "13.0.0.0.1  5 Imix  4 Kankin\n");
}

// Reads from fd until `want` has arrived or the child has been silent for
// far longer than any conversion takes.
std::string readUntil(int fd, const std::string& want) {
  std::string got;
  while (got.find(want) == std::string::npos) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 20000) <= 0) {
      break;
    }
    char buf[256];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) {
      break;
    }
    got.append(buf, static_cast<std::size_t>(n));
  }
  return got;
}

int waitFor(pid_t pid) {
  int raw = 0;
  ::waitpid(pid, &raw, 0);
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Each line written into a pipe that stays open is answered before the
// converter waits for the next one.
TEST(CliStreams, AnswersEachLineOfAnOpenPipe) {
  int toChild[2];
  int fromChild[2];
  ASSERT_EQ(::pipe(toChild), 0);
  ASSERT_EQ(::pipe(fromChild), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(toChild[0], 0);
    ::dup2(fromChild[1], 1);
    ::close(toChild[1]);
    ::close(fromChild[0]);
    execConverter();
  }
  ::close(toChild[0]);
  ::close(fromChild[1]);
  ASSERT_EQ(::write(toChild[1], "2000-01-01\n", 11), 11);
  EXPECT_EQ(readUntil(fromChild[0], "\n"), "12.19.6.15.1  10 Imix  9 Kankin\n");
  ASSERT_EQ(::write(toChild[1], "2012-12-24\r", 11), 11); // a lone CR ends a line too
  EXPECT_EQ(readUntil(fromChild[0], "\n"), "13.0.0.0.1  5 Imix  4 Kankin\n");
  ::close(toChild[1]);
  EXPECT_EQ(waitFor(pid), 0);
  ::close(fromChild[0]);
}

// At a terminal: a line ended with Enter is answered at once, and one
// Ctrl-D at the start of the next line ends the input.
TEST(CliStreams, TerminalUserNeedsOneCtrlD) {
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const std::string slave = ::ptsname(master);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setsid();
    const int tty = ::open(slave.c_str(), O_RDWR);
    ::dup2(tty, 0);
    ::dup2(tty, 1);
    ::dup2(tty, 2);
    execConverter();
  }
  ASSERT_EQ(::write(master, "2000-01-01\n", 11), 11);
  const std::string answer = readUntil(master, "Kankin");
  EXPECT_NE(answer.find("12.19.6.15.1  10 Imix  9 Kankin"), std::string::npos) << answer;
  ASSERT_EQ(::write(master, "\x04", 1), 1);
  EXPECT_EQ(waitFor(pid), 0);
  ::close(master);
}

} // namespace
