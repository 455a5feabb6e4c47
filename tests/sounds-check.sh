#!/usr/bin/env bash
# The committed sounds are byte for byte what tools/sounds/make-sounds.py writes, and are
# short 16-bit mono PCM files (skipped, 77, without Python).
set -euo pipefail
src=$(realpath "$1")
command -v python3 >/dev/null || { echo "python3 missing: skipped"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
python3 "$src/tools/sounds/make-sounds.py" "$out"
status=0
for f in key.wav miss.wav; do
  cmp -s "$out/$f" "$src/data/sounds/$f" || { echo "data/sounds/$f differs from the generator's output"; status=1; }
  python3 - "$src/data/sounds/$f" <<'PY' || status=1
import sys, wave
w = wave.open(sys.argv[1])
ok = w.getnchannels() == 1 and w.getsampwidth() == 2 and w.getnframes() / w.getframerate() < 0.25
print("" if ok else f"{sys.argv[1]}: not short 16-bit mono PCM", end="")
sys.exit(0 if ok else 1)
PY
done
exit $status
