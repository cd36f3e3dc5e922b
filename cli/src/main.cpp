#include <glyphbox/cli/command.h>
#include <glyphbox/runtime/messages.h>

#include <unistd.h>

int main(int argc, char** argv) {
  // Messages, help and usage in the user's language; standard output is the
  // same in every locale.
  glyphbox::i18n::useUserLanguage(
      glyphbox::i18n::catalogueDir(GLYPHBOX_LOCALEDIR_FROM_BINDIR, GLYPHBOX_LOCALEDIR).c_str());
  return glyphbox::cli::run(argc, argv, STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO);
}
