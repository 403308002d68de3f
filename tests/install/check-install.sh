#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the tree a desktop and a user see:
# programs, menu entry, icons, manual pages, data tables.
# usage: check-install.sh BUILD_DIR VERSION
set -uo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log" >&2
    rm -f "$prefix.log"
    echo "FAIL: cmake --install" >&2
    exit 1
fi
rm -f "$prefix.log"

for f in bin/fdlog bin/fdlog-cli; do
    [ -x "$prefix/$f" ] || fail "$f is not an installed program"
done
for f in share/applications/fdlog.desktop share/icons/hicolor/scalable/apps/fdlog.svg \
    share/man/man1/fdlog.1 share/man/man1/fdlog-cli.1 share/fdlog/BandPlan.txt share/fdlog/sections.txt share/fdlog/prompts/NavEn.wav; do
    [ -s "$prefix/$f" ] || fail "$f missing or empty"
done

# --version needs no display: with none reachable, starting the window system would abort.
got=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$prefix/bin/fdlog" --version 2>&1)
[ "$got" = "fdlog $version" ] || fail "fdlog --version printed '$got', expected 'fdlog $version'"
"$prefix/bin/fdlog-cli" --help >/dev/null || fail "installed fdlog-cli --help failed"
if "$prefix/bin/fdlog-cli" --help | grep -q -- '--version'; then
    got=$("$prefix/bin/fdlog-cli" --version 2>&1)
    [[ "$got" == *"$version"* ]] || fail "fdlog-cli --version printed '$got', expected version $version"
fi

desktop=$prefix/share/applications/fdlog.desktop
if ! out=$(desktop-file-validate "$desktop" 2>&1) || grep -qE 'error:|warning:' <<<"$out"; then
    fail "desktop-file-validate: $out"
fi
grep -qx 'Name=Field Day Logger' "$desktop" || fail "desktop entry name"
grep -qE '^Categories=(.*;)?HamRadio;' "$desktop" || fail "desktop entry lacks HamRadio"
grep -qE '^Categories=(.*;)?Utility;' "$desktop" || fail "desktop entry lacks Utility"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_program" ] || fail "Exec names '$exec_program', which is not installed in bin/"
icon=$(sed -n 's/^Icon=//p' "$desktop")

for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png
    file "$png" | grep -q "PNG image data, $size x $size," || fail "$png is not a ${size}x${size} PNG"
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" || fail "scalable icon is not SVG"

for page in fdlog fdlog-cli; do
    errors=$(mktemp)
    text=$(MANWIDTH=80 man --warnings -E UTF-8 -P cat -l "$prefix/share/man/man1/$page.1" 2>"$errors")
    [ -s "$errors" ] && fail "man -l $page.1 warned: $(cat "$errors")"
    rm -f "$errors"
    grep -q '^NAME' <<<"$text" || fail "$page.1 has no NAME section"
    grep -q -- "--data" <<<"$text" || fail "$page.1 does not describe --data"
    grep -q "$page $version" <<<"$text" || fail "$page.1 does not carry version $version"
done

exit $failed
