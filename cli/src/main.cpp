#include <glyphbox/cli/command.h>

#include <unistd.h>

int main(int argc, char** argv) {
  return glyphbox::cli::run(argc, argv, STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO);
}
