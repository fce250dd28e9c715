#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every libFuzzer target of a fuzz build for the given number of
# seconds (60 unless told), one per core at a time, starting from the
# committed seed corpus (which it leaves as it is). Fails on a crash, a hang,
# a leak or a sanitizer report; the input that caused it is left in
# BUILD/fuzz-artifacts/, to be kept as a seed in fuzz/corpus/TARGET/ with a
# regression test.
set -euo pipefail
build="$1"
seconds="${2:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
artifacts="$build/fuzz-artifacts"
mkdir -p "$artifacts" "$build/fuzz-corpus"

run_one() {
  local target="$1" seconds="$2" build="$3" root="$4" artifacts="$5"
  local name work log
  name="$(basename "$target")"
  work="$build/fuzz-corpus/$name"
  log="$build/fuzz-$name.log"
  mkdir -p "$work"
  if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
       -print_final_stats=1 -artifact_prefix="$artifacts/$name-" \
       "$work" "$root/fuzz/corpus/$name" >"$log" 2>&1; then
    local runs
    runs="$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')"
    printf '%-24s %10s executions in %ss, no failure\n' "$name" "${runs:-?}" "$seconds"
  else
    printf '%-24s FAILED, see %s\n' "$name" "$log"
    grep -m5 -E 'ERROR|SUMMARY|runtime error|deadly signal|timeout' "$log" || true
    return 1
  fi
}
export -f run_one

ls "$build"/fuzz/fuzz_* | grep -v '\.' | \
  xargs -P "$(nproc)" -I{} bash -c 'run_one "$@"' _ {} "$seconds" "$build" "$root" "$artifacts"
