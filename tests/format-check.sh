#!/usr/bin/env bash
# Every source file is laid out as .clang-format says.
#   format-check.sh SOURCE_DIR
set -u
cd "$1" || exit 2
command -v clang-format >/dev/null || { echo "skipped: clang-format is not installed"; exit 77; }
find app drill fuzz game lessons platform records stats tests tools ui window -name '*.cpp' -o -name '*.h' |
  sort | xargs clang-format --dry-run --Werror
