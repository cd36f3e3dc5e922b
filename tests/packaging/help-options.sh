# Prints, one a line, the option names (-x, --foo) that PROGRAM [COMMAND] --help lists.
# Sourced by the checks that compare the help with the manual and completion.
help_options() {
  local help
  help=$("$@" --help) || {
    echo "$* --help failed" >&2
    return 1
  }
  # An option starts a word: at the start of a line or after a blank, a comma,
  # a bracket or a bar, so names like glyphbox-cli or YEAR-MONTH-DAY are not taken.
  grep -oE '(^|[][[:space:],|(])--?[A-Za-z][A-Za-z0-9-]*' <<<"$help" |
    sed -E 's/^[][[:space:],|(]//' | sort -u
}
