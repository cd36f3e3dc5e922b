#!/usr/bin/env bash
# Usage: check-silent.sh COMMAND [ARG...]
# For validators that report hints and warnings yet exit 0: the check passes
# only when the command succeeds and prints nothing at all.
out=$("$@" 2>&1)
rc=$?
[[ -n $out ]] && printf '%s\n' "$out"
[[ $rc -eq 0 && -z $out ]]
