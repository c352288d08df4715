#!/bin/sh
# lintian_package.sh SOURCE_DIR: builds the Debian package with scripts/package and has Debian's
# checker read it: no error, no warning, and none of the pedantic notes about hardening and
# leftover sections. Exits 77, which ctest counts as skipped, when lintian is not installed.
command -v lintian >/dev/null 2>&1 || { echo "lintian is not installed; scripts/test installs it"; exit 77; }
set -u
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$1/scripts/package" >"$log" 2>&1 || { cat "$log"; exit 1; }
failed=0
for deb in "$1"/build-package/whoopline_*.deb; do
    report=$(lintian --pedantic --tag-display-limit 0 "$deb" 2>&1)
    [ -z "$report" ] || printf '%s\n' "$report"
    if printf '%s\n' "$report" | grep -Eq '^[EW]: |hardening-no-|binary-has-unneeded-section'; then
        failed=1
    fi
done
exit "$failed"
