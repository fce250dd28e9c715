#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# clang-format over the lines that differ from BASE (main unless told), and
# only those, so the files around them keep their history. Prints the
# changes it would make and fails when there are any; with --fix it makes
# them in the working tree instead. Not part of `make test`.
#   scripts/format-changed.sh [--fix] [BASE]
set -euo pipefail
cd "$(dirname "$0")/.."
fix=0
if [ "${1:-}" = --fix ]; then fix=1; shift; fi
base="$(git merge-base "${1:-main}" HEAD)"
tool="$(command -v git-clang-format-14 || command -v git-clang-format)" ||
  { echo "format-changed: git-clang-format is not installed (Debian: clang-format-14)"; exit 2; }
binary="$(command -v clang-format-14 || command -v clang-format)"
if [ $fix -eq 1 ]; then
  "$tool" --binary "$binary" --extensions cpp,h,hpp --force "$base" -- src tests bench fuzz
  exit 0
fi
changes="$("$tool" --binary "$binary" --extensions cpp,h,hpp --diff "$base" -- src tests bench fuzz || true)"
case "$changes" in
  ""|"no modified files to format"|"clang-format did not modify any files") echo "format-changed: the changed lines are formatted"; exit 0 ;;
esac
printf '%s\n' "$changes"
echo "format-changed: the lines above differ from .clang-format; scripts/format-changed.sh --fix makes them so"
exit 1
