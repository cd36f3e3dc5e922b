#!/usr/bin/env bash
# Usage: check-completion.sh COMPLETION_FILE GLYPHBOX_CLI
# Runs the bash completion of glyphbox-cli on typed command lines and compares
# what it offers; also checks that it offers every option --help lists.
set -euo pipefail
completion=$1
program=$2
source "$(dirname "$0")/help-options.sh"
source "$completion"

if [[ $(complete -p glyphbox-cli) != "complete -F _glyphbox_cli glyphbox-cli" ]]; then
  echo "the file does not register _glyphbox_cli for glyphbox-cli" >&2
  exit 1
fi

# Offers for a command line typed up to its last word (which may be empty).
offers() {
  read -ra COMP_WORDS <<<"$1"
  [[ $1 == *" " ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _glyphbox_cli
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ' | sed 's/ $//'
}

failures=0
# typed line | offers, sorted
while IFS='|' read -r line expected; do
  actual=$(offers "$line")
  if [[ $actual != "$expected" ]]; then
    echo "'$line': offered '$actual', expected '$expected'" >&2
    failures=$((failures + 1))
  fi
done <<'CASES'
glyphbox-cli --correlation g|glyphbox gmt gmt+1
glyphbox-cli --correlation m|makemson martin-skidmore
glyphbox-cli --tsv --correlation b|bohm bowditch
glyphbox-cli --calendar |gregorian historical julian
glyphbox-cli --spelling c|colonial
glyphbox-cli --haab-days |0-19 1-20
glyphbox-cli --format |csv json plain tsv
glyphbox-cli |add diff find today
glyphbox-cli --format json d|diff
glyphbox-cli --correlation gmt f|find
glyphbox-cli --co|--compare --correlation
glyphbox-cli find --count|--count --count-only
glyphbox-cli find --a|--after
glyphbox-cli --tsv find --b|--before
glyphbox-cli diff 2000-01-01 |
glyphbox-cli add --count|
CASES

# Every option of the help, for the converter and for find.
mapfile -t options < <(help_options "$program")
all=" $(offers 'glyphbox-cli find -') "
for option in "${options[@]}"; do
  if [[ $all != *" $option "* ]]; then
    echo "$option (in $program --help) is not completed" >&2
    failures=$((failures + 1))
  fi
done

if [[ $failures -gt 0 ]]; then
  exit 1
fi
echo "completion offers what was expected, and all ${#options[@]} options of --help"
