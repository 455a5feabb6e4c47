#!/usr/bin/env bash
# Installs the built game into a scratch DESTDIR under PREFIX /usr/local, as `make install`
# does, and checks every file of the layout, the stripped program and both validators.
set -euo pipefail
build=$(realpath "$1")
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR="$stage" cmake --install "$build" --prefix /usr/local --strip >/dev/null
root="$stage/usr/local"
app=io.github.dojokai.Dojokai
expected="bin/dojokai share/dojokai/dojokai.bin share/dojokai/dojokai.hlp
share/dojokai/sounds/key.wav share/dojokai/sounds/miss.wav
share/dojokai/romaji/kotoba.txt share/dojokai/romaji/bun.txt
share/applications/$app.desktop share/metainfo/$app.metainfo.xml share/man/man6/dojokai.6.gz
share/doc/dojokai/copyright share/doc/dojokai/changelog.Debian.gz"
for size in 16 22 24 32 48 64 128 256; do expected="$expected share/icons/hicolor/${size}x${size}/apps/dojokai.png"; done
status=0
for f in $expected; do
  [ -s "$root/$f" ] || { echo "missing: $f"; status=1; }
done
# Nothing else is installed, and nothing outside the prefix.
extra=$(cd "$stage" && find . -type f | sed 's|^\./usr/local/||' | sort | comm -23 - <(tr ' ' '\n' <<<"$expected" | sed '/^$/d' | sort))
[ -z "$extra" ] || { echo "not expected: $extra"; status=1; }
file "$root/bin/dojokai" | grep -q ', stripped' || { echo "the program is not stripped"; status=1; }
grep -qx "Exec=/usr/local/bin/dojokai" "$root/share/applications/$app.desktop" || { echo "Exec does not name the installed program"; status=1; }
# The validators: no error, warning or hint.
out=$(desktop-file-validate "$root/share/applications/$app.desktop" 2>&1) || status=1
[ -z "$out" ] || { echo "desktop-file-validate: $out"; status=1; }
appstreamcli validate --no-net "$root/share/metainfo/$app.metainfo.xml" >/dev/null 2>&1 ||
  { appstreamcli validate --no-net "$root/share/metainfo/$app.metainfo.xml"; status=1; }
gzip -t "$root/share/man/man6/dojokai.6.gz" || status=1
# The installed program answers without a window.
"$root/bin/dojokai" --version | grep -q '^dojokai ' || { echo "--version failed"; status=1; }
exit $status
