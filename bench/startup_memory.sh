#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Ventoral's start beside the least Qt Widgets program with a window and a
# menu, both on the same Xvfb screen, taking turns: the time until the window
# is mapped and the resident memory 2 s after the start. Ventoral shows one
# station (KBFI) from a fresh home.
#
#   bench/startup_memory.sh [BUILD_DIR] [RUNS]     (defaults: build, 5)
#
# Prints each run, then the medians and the two ratios the start must keep:
# resident memory at most 60 MB, time to the window within 1.5 times the
# least program's.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(dirname "$here")"
build="$(cd "${1:-$source_dir/build}" && pwd)"
runs="${2:-5}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The least program and the timer, built as a user would build them.
g++ -O2 -fPIC "$here/startup/least_window.cpp" $(pkg-config --cflags --libs Qt6Widgets) -o "$work/least_window"
g++ -O2 "$here/startup/launch_timer.cpp" $(pkg-config --cflags --libs xcb) -o "$work/launch_timer"

# A fresh home: a first run writes the defaults, then one station with data.
source "$here/startup/fresh_home.sh"
fresh_home "$work/home" KBFI-1

cat > "$work/runs.sh" <<RUNS
#!/usr/bin/env bash
set -e
for run in \$(seq $runs); do
  echo "least \$run \$("$work/launch_timer" 2000 "$work/least_window")"
  echo "ventoral \$run \$("$work/launch_timer" 2000 "$build/ventoral")"
done
RUNS
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/runs.sh" > "$work/figures"

echo "program   run  window_ms  rss_kb"
awk '{ printf "%-9s %3d %10d %7d\n", $1, $2, $3, $4 }' "$work/figures"
least_ms=$(median least 3); least_kb=$(median least 4)
ventoral_ms=$(median ventoral 3); ventoral_kb=$(median ventoral 4)
echo
echo "median least program: window ${least_ms} ms, ${least_kb} kB resident"
echo "median ventoral:      window ${ventoral_ms} ms, ${ventoral_kb} kB resident"
awk -v lm="$least_ms" -v vm="$ventoral_ms" -v vk="$ventoral_kb" 'BEGIN {
  printf "window time ratio %.2f (at most 1.50), resident %.1f MB (at most 60)\n", vm / lm, vk / 1024 }'
