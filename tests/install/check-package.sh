#!/usr/bin/env bash
# Builds the Debian package from the build tree into a temporary folder and checks its control
# fields and contents: what apt sees when it installs it.
# usage: check-package.sh BUILD_DIR VERSION
set -uo pipefail
build=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
failed=0
fail() {
    echo "FAIL: $*" >&2
    failed=1
}

if ! cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1; then
    cat "$out/cpack.log" >&2
    echo "FAIL: cpack" >&2
    exit 1
fi
debs=("$out"/fdlog_*.deb)
[ -f "${debs[0]}" ] || { echo "FAIL: no fdlog_*.deb in $(ls "$out")" >&2; exit 1; }
deb=${debs[0]}

info=$(dpkg-deb --info "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = fdlog ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), expected $version"
[ "$(field Section)" = hamradio ] || fail "Section: $(field Section)"
depends=$(field Depends)
# One package name per line, versions dropped.
names=$(sed 's/ *([^)]*)//g; s/, */\n/g' <<<"$depends")
for lib in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6serialport6 \
    libqt6printsupport6; do
    grep -qxF "$lib" <<<"$names" || fail "Depends lacks $lib: $depends"
done

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for f in ./usr/bin/fdlog ./usr/bin/fdlog-cli ./usr/share/applications/fdlog.desktop \
    ./usr/share/icons/hicolor/scalable/apps/fdlog.svg ./usr/share/icons/hicolor/48x48/apps/fdlog.png \
    ./usr/share/man/man1/fdlog.1 ./usr/share/fdlog/BandPlan.txt; do
    grep -qx -- "$f" <<<"$contents" || fail "package lacks $f"
done

exit $failed
