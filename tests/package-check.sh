#!/usr/bin/env bash
# Builds the Debian package from the build folder into a scratch folder and lists it: the
# files of the install under /usr, dependencies found from the linked libraries.
set -euo pipefail
build=$(realpath "$1")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/dojokai_*_*.deb)
status=0
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for f in ./usr/bin/dojokai ./usr/share/dojokai/dojokai.bin ./usr/share/dojokai/dojokai.hlp \
         ./usr/share/dojokai/sounds/key.wav ./usr/share/dojokai/sounds/miss.wav \
         ./usr/share/applications/io.github.dojokai.Dojokai.desktop \
         ./usr/share/metainfo/io.github.dojokai.Dojokai.metainfo.xml ./usr/share/man/man6/dojokai.6.gz \
         ./usr/share/doc/dojokai/copyright ./usr/share/doc/dojokai/changelog.Debian.gz \
         ./usr/share/icons/hicolor/48x48/apps/dojokai.png; do
  grep -qx -- "$f" <<<"$contents" || { echo "not in the package: $f"; status=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libjpeg62-turbo fonts-ipafont-gothic qt6-translations-l10n qt6-wayland libxkbcommon-x11-0 \
         libwayland-client0 libcanberra0; do
  grep -q "$d" <<<"$depends" || { echo "no dependency on $d: $depends"; status=1; }
done
[ "$(dpkg-deb -f "$deb" Package)" = dojokai ] || status=1
grep -qx "Exec=/usr/bin/dojokai" <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/io.github.dojokai.Dojokai.desktop) ||
  { echo "the desktop entry does not start /usr/bin/dojokai"; status=1; }
exit $status
