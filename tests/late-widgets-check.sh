#!/usr/bin/env bash
# The game as the real program starts it, its widgets made only as screens come on
# (`start late`), against the game built whole: after every command of the script (the
# README's screenshots: every screen, a resize, both dialogs) the same snapshot, and the
# same picture at every shot. The one value let differ is the scaling table's width of a
# label not measured yet: scaling measures every auto-sized label again, so it is never read.
set -euo pipefail
drive=$(realpath "$1") script=$(realpath "$2")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
bindir=$(dirname "$drive")
for mode in whole late; do
  # One program folder for both runs, so that the paths on the settings screen agree.
  rm -rf "$dir/program" && mkdir -p "$dir/program" "$dir/$mode"
  for f in dojokai.bin dojokai.hlp; do
    [ -f "$bindir/$f" ] && cp "$bindir/$f" "$dir/program/"
  done
  [ -d "$bindir/romaji" ] && cp -r "$bindir/romaji" "$dir/program/"
  n=0
  while IFS= read -r line; do
    case "$line" in
      '' | '#'*) continue ;;
      start) [ "$mode" = late ] && line="start late" ;;
      shot\ *) line="shot $dir/$mode/$n.png" ;;
    esac
    n=$((n + 1))
    printf '%s\ndump %s/%s/%04d.json\n' "$line" "$dir" "$mode" "$n"
  done <"$script" >"$dir/$mode.dojo"
  (cd "$dir/program" && "$drive" --exe-dir "$dir/program" "$dir/$mode.dojo")
done
differ=0
for a in "$dir"/whole/*; do
  b="$dir/late/$(basename "$a")"
  if [ ! -f "$b" ]; then
    echo "missing in the late run: $(basename "$a")"
    differ=1
  elif [[ "$a" == *.json ]]; then
    if ! cmp -s <(sed -E 's/"GeometryTable": ?\[[][0-9, -]*\]//' "$a") <(sed -E 's/"GeometryTable": ?\[[][0-9, -]*\]//' "$b"); then
      echo "snapshot $(basename "$a") differs"
      differ=1
    fi
  elif ! cmp -s "$a" "$b"; then
    echo "picture $(basename "$a") differs"
    differ=1
  fi
done
count=$(ls "$dir/whole" | wc -l)
[ "$count" -gt 100 ] || { echo "only $count snapshots were taken"; exit 1; }
exit $differ
