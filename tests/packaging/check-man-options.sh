#!/usr/bin/env bash
# Usage: check-man-options.sh PROGRAM MANPAGE
# Fails when an option that PROGRAM --help lists is not in the generated roff
# manual page, so the manual cannot drift from the program unnoticed.
set -euo pipefail
program=$1
page=$2
source "$(dirname "$0")/help-options.sh"

mapfile -t options < <(help_options "$program")
if [[ ${#options[@]} -eq 0 || ! " ${options[*]} " =~ " --help " ]]; then
  echo "no options (not even --help) found in the output of $program --help" >&2
  exit 1
fi

# The page as text: roff writes a minus as \- and switches fonts with \fB, \fI, \fR.
text=$(sed -E 's/\\-/-/g; s/\\f[BIRP]//g; s/\\\(..//g' "$page")

missing=()
for option in "${options[@]}"; do
  if ! grep -qE -e "(^|[^A-Za-z0-9-])${option}([^A-Za-z0-9-]|\$)" <<<"$text"; then
    missing+=("$option")
  fi
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "$page does not describe: ${missing[*]}" >&2
  exit 1
fi
echo "$page describes all ${#options[@]} options: ${options[*]}"
