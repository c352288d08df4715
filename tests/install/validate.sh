#!/bin/sh
# validate.sh VALIDATOR ARG...: runs a validator and fails on its errors, and also on the
# warnings and hints that desktop-file-validate prints but does not count in its exit status.
# Exits 77, which ctest counts as skipped, when the validator is not installed.
command -v "$1" >/dev/null 2>&1 || { echo "$1 is not installed; scripts/test installs it"; exit 77; }
report=$("$@" 2>&1)
status=$?
[ -z "$report" ] || printf '%s\n' "$report"
[ "$status" -eq 0 ] && ! printf '%s\n' "$report" | grep -Eq ': (error|warning|hint): '
