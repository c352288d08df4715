#!/bin/sh
# run_script.sh SOURCE_DIR BUILD_DIR: the commands of the README and of --help, run through
# scripts/run from another directory with relative paths, do what they do when run directly, and
# only a window with nothing open gets the hint. scripts/run builds in SOURCE_DIR/build, so the
# check runs only in that tree (exit 77, skipped, elsewhere).
set -u
root=$(realpath "$1")
[ "$(realpath "$2")" = "$(realpath "$1/build")" ] || { echo "not the tree scripts/run builds"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/images"
"$2/whoopline-sample" "$work/images/sample.nes" >/dev/null || exit 1
cp "$work/images/sample.nes" "$work/images/copy.nes"
printf '\001' | dd of="$work/images/copy.nes" bs=1 seek=20000 conv=notrunc 2>/dev/null
cd "$work" || exit 1
failed=0
# expect STATUS FILE_WRITTEN TEXT_PRINTED ARGUMENT...
expect() {
    status=$1 written=$2 text=$3
    shift 3
    printed=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/scripts/run" "$@" 2>&1 </dev/null)
    got=$?
    [ "$got" -eq "$status" ] || { echo "$*: exit $got, not $status: $printed"; failed=1; }
    [ -z "$written" ] || [ -s "$written" ] || { echo "$*: wrote no $written: $printed"; failed=1; }
    case $printed in
        *"$text"*) ;;
        *) echo "$*: printed no \"$text\": $printed"; failed=1 ;;
    esac
    case $printed in
        *"Open it with"*) echo "$*: printed the hint for a window"; failed=1 ;;
    esac
}
expect 0 t3.png "" --export-track 3 --output t3.png images/sample.nes
expect 0 p.ips "" --make-patch images/sample.nes images/copy.nes --output p.ips
expect 0 "" "--track N" --help
expect 1 "" "missing.nes" --export-track 2 --output t2.png missing.nes
[ ! -e t2.png ] || { echo "a picture of a missing image"; failed=1; }
head -c 8 t3.png | od -An -tx1 | grep -q '89 50 4e 47 0d 0a 1a 0a' || { echo "t3.png is no PNG"; failed=1; }
exit "$failed"
