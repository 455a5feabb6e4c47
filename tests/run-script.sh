#!/usr/bin/env bash
# Runs one driver script in a fresh program folder that holds what the built game has beside it.
set -euo pipefail
drive=$(realpath "$1") script=$(realpath "$2")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
bindir=$(dirname "$drive")
for f in dojokai.bin dojokai.hlp; do
  [ -f "$bindir/$f" ] && cp "$bindir/$f" "$dir/"
done
# The shipped romaji lists, and the lists the scripts choose with `words lists/FILE`.
[ -d "$bindir/romaji" ] && cp -r "$bindir/romaji" "$dir/"
[ -d "$(dirname "$script")/lists" ] && cp -r "$(dirname "$script")/lists" "$dir/"
cd "$dir"
exec "$drive" --exe-dir "$dir" "$script"
