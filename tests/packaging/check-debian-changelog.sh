#!/usr/bin/env bash
# Usage: check-debian-changelog.sh CHANGELOG VERSION MAINTAINER
# The packaging's changelog must open with an entry for the version being
# packaged, by the packages' maintainer: dpkg takes the version from it.
set -euo pipefail
failures=0
for field in Version Maintainer; do
  expected=$2
  [[ $field == Maintainer ]] && expected=$3
  actual=$(dpkg-parsechangelog -l "$1" -S "$field")
  if [[ $actual != "$expected" ]]; then
    echo "$1: $field is '$actual', the build packages '$expected'" >&2
    failures=$((failures + 1))
  fi
done
[[ $failures -eq 0 ]] && echo "$1 opens with $2 by $3"
