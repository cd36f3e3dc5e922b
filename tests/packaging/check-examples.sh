#!/bin/bash
# Runs every shell example of a document ("$ command" lines inside fenced
# blocks, the lines after each its output) and fails on the first whose
# output, standard error included, differs from what the document shows.
# Usage: check-examples.sh DOCUMENT BINDIR
set -u
doc=$1
bindir=$(cd "$2" && pwd)
export PATH="$bindir:$PATH"
failures=0
command=""
expected=""
in_block=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

check() {
  [ -n "$command" ] || return 0
  local got
  # CSV ends its lines in CR LF, which the document cannot show.
  got=$(cd "$work" && bash -c "$command" 2>&1 | sed 's/\r$//')
  if [ "$got" != "$expected" ]; then
    echo "$doc: '$command' printed:"
    echo "$got"
    echo "--- the document shows:"
    echo "$expected"
    failures=$((failures + 1))
  fi
  command=""
  expected=""
}

while IFS= read -r line; do
  if [[ $line == '```'* ]]; then
    check
    in_block=$((1 - in_block))
    continue
  fi
  [ $in_block -eq 1 ] || continue
  if [[ $line == '$ '* ]]; then
    check
    command=${line#'$ '}
    # The manual escapes backslashes for its formatter; the reader sees them single.
    [[ $doc == *.scd ]] && command=${command//\\\\/\\}
  elif [ -n "$command" ]; then
    expected+="${expected:+$'\n'}$line"
  fi
done <"$doc"
check
[ $failures -eq 0 ] || { echo "$failures example(s) differ"; exit 1; }
