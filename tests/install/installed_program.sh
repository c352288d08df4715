#!/bin/sh
# installed_program.sh CMAKE BUILD_DIR: installs the build into a scratch prefix, checks that each
# file the desktop looks for is in place, and that the installed program answers --version with
# no display at all.
set -u
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$1" --install "$2" --prefix "$prefix" >/dev/null || exit 1
failed=0
for file in bin/whoopline share/applications/whoopline.desktop \
        share/metainfo/io.github.whoopline.Whoopline.metainfo.xml share/man/man1/whoopline.1.gz \
        share/doc/whoopline/copyright share/doc/whoopline/changelog.gz; do
    [ -s "$prefix/$file" ] || { echo "not installed: $file"; failed=1; }
done
gzip -t "$prefix/share/man/man1/whoopline.1.gz" || failed=1
for size in 16 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/whoopline.png
    # A PNG's width is the big-endian 4-byte number at byte 16; an icon's fits its last two bytes.
    width=$(od -An -tu1 -j18 -N2 "$icon" 2>/dev/null | awk '{ print $1 * 256 + $2 }')
    [ "$width" = "$size" ] || { echo "icon ${size}x$size: width '$width'"; failed=1; }
done

version=$(env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY \
    timeout 30 "$prefix/bin/whoopline" --version 2>&1)
status=$?
case $version in
    *1.0b*) [ "$status" -eq 0 ] || { echo "--version exited $status: $version"; failed=1; } ;;
    *) echo "--version printed no 1.0b (exit $status): $version"; failed=1 ;;
esac
exit "$failed"
