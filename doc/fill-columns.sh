#!/bin/sh
# Writes the manual page's source with its lists of columns filled in from
# the program's own table (glyphbox-cli --fields help, and inscription's,
# which adds the worksheet's), so the two cannot drift apart.
# Usage: fill-columns.sh GLYPHBOX_CLI SOURCE > FILLED
set -eu
cli=$1
source=$2
# Each line is a name, blanks, and what the column holds; scdoc takes '_'
# and '*' for emphasis, so they are escaped.
entries() {
  sed -e 's/[_*\\]/\\&/g' | awk '{
    name = $1
    $1 = ""
    sub(/^ +/, "")
    printf "*%s*\n\t%s\n\n", name, $0
  }'
}
conversion=$("$cli" --fields help)
GLYPHBOX_COLUMNS=$(printf '%s\n' "$conversion" | entries)
GLYPHBOX_WORKSHEET_COLUMNS=$("$cli" inscription --fields help |
  grep -vxF -e "$conversion" | entries)
export GLYPHBOX_COLUMNS GLYPHBOX_WORKSHEET_COLUMNS
awk '$0 == "@COLUMNS@" { printf "%s\n", ENVIRON["GLYPHBOX_COLUMNS"]; next }
     $0 == "@WORKSHEET_COLUMNS@" { printf "%s\n", ENVIRON["GLYPHBOX_WORKSHEET_COLUMNS"]; next }
     { print }' "$source"
