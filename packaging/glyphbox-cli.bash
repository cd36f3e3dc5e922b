# bash completion for glyphbox-cli                         -*- shell-script -*-
# The program itself says what may follow, from the same definitions its
# option parser uses: subcommands, options, their values, the correlations
# and the day and month names. This file only asks it.

_glyphbox_cli() {
  local IFS=$'\n'
  COMPREPLY=($("${COMP_WORDS[0]}" __complete "$COMP_CWORD" "${COMP_WORDS[@]:1}" 2>/dev/null))
}
complete -F _glyphbox_cli glyphbox-cli
