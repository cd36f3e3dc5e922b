#!/bin/sh
# Writes the manual page's source with its list of columns filled in from
# the program's own table (glyphbox-cli --fields help), so the two cannot
# drift apart. Usage: fill-columns.sh GLYPHBOX_CLI SOURCE > FILLED
set -eu
cli=$1
source=$2
# Each line is a name, blanks, and what the column holds; scdoc takes '_'
# and '*' for emphasis, so they are escaped.
GLYPHBOX_COLUMNS=$("$cli" --fields help | sed -e 's/[_*\\]/\\&/g' | awk '{
  name = $1
  $1 = ""
  sub(/^ +/, "")
  printf "*%s*\n\t%s\n\n", name, $0
}')
export GLYPHBOX_COLUMNS
awk '$0 == "@COLUMNS@" { printf "%s\n", ENVIRON["GLYPHBOX_COLUMNS"]; next } { print }' "$source"
