#include <glyphbox/cli/converter.h>

#include <cstdio>

int main(int argc, char** argv) { return glyphbox::cli::run(argc, argv, stdin, stdout, stderr); }
