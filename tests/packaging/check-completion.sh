#!/usr/bin/env bash
# Usage: check-completion.sh COMPLETION_FILE GLYPHBOX_CLI
# Runs the bash completion of glyphbox-cli in this bash on typed command
# lines, as the shell would at a Tab, and compares what it offers; also
# checks that it offers every option each command's --help lists.
set -euo pipefail
completion=$1
program=$2
source "$(dirname "$0")/help-options.sh"
source "$completion"

if [[ $(complete -p glyphbox-cli) != "complete -F _glyphbox_cli glyphbox-cli" ]]; then
  echo "the file does not register _glyphbox_cli for glyphbox-cli" >&2
  exit 1
fi

# Offers for a command line typed up to its last word (which may be empty);
# the first word is the program as typed.
offers() {
  read -ra COMP_WORDS <<<"$program ${1#glyphbox-cli }"
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
glyphbox-cli --correlation m|makemson martin-skidmore martinez-hernandez
glyphbox-cli --fields date,l|date,long_count date,lord
glyphbox-cli --numerals |decimal maya
glyphbox-cli --tsv --correlation b|bohm bowditch
glyphbox-cli --calendar |gregorian historical julian
glyphbox-cli --spelling c|colonial
glyphbox-cli --haab-days |0-19 1-20
glyphbox-cli --format |csv json plain tsv
glyphbox-cli |add diff draw find help inscription today
glyphbox-cli --format json d|diff draw
glyphbox-cli --correlation gmt f|find
glyphbox-cli --co|--compare --correlation
glyphbox-cli find --count|--count --count-only
glyphbox-cli find --a|--after
glyphbox-cli find --after |today
glyphbox-cli --tsv find --b|--before
glyphbox-cli diff --s|
glyphbox-cli add --co|--correlation
glyphbox-cli diff 2000-01-01 |
glyphbox-cli help |add diff draw find help inscription
glyphbox-cli draw 9.12.11.5.18 -|--calendar --correlation --haab-days --help --output --spelling -h -o
glyphbox-cli find 8 A|Ahau Ajaw Akbal
glyphbox-cli find 8 ahau 13 p|Pax Pop
glyphbox-cli find '9.*.*.*.*' * k|Kaban Kan Kankin Kawak Kayab Keh Kib Kimi Kumku
glyphbox-cli 13.0.0.0.0 4 Ahau 8 Cu|Cumku
glyphbox-cli 12.19.13.4.0 8 Ahau 18 Se|Sek
glyphbox-cli find 1 Ca|Caban Caunac
glyphbox-cli inscription --fields date,l|date,line date,long_count date,lord
glyphbox-cli inscription --fields line,di|line,distance
glyphbox-cli inscription --for|--format
glyphbox-cli --tsv i|inscription
CASES

# The worksheet of inscription is a file: the folder's entries are offered.
here=$(cd "$(dirname "$0")" && pwd)
actual=$(offers "glyphbox-cli inscription $here/check-co")
if [[ $actual != "$here/check-completion.sh $here/check-consumer.sh" ]]; then
  echo "inscription's file: offered '$actual'" >&2
  failures=$((failures + 1))
fi

# Every option each command's help lists.
for command in "" find add diff draw inscription; do
  mapfile -t options < <(help_options "$program" $command)
  all=" $(offers "glyphbox-cli $command${command:+ }-") "
  for option in "${options[@]}"; do
    if [[ $all != *" $option "* ]]; then
      echo "$option (in $program $command --help) is not completed" >&2
      failures=$((failures + 1))
    fi
  done
done

if [[ $failures -gt 0 ]]; then
  exit 1
fi
echo "completion offers what was expected, and every option of each command's help"
