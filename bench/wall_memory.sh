#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Resident memory of Ventoral with 20 stations whose files hold real NOAA
# reports, on an Xvfb screen with a window manager: 2 s after the start
# with the station wall closed, then 2 s after View > Station Wall opened
# it (keys Alt+V, W). With a second build folder, that program's start is
# measured in the same runs, taking turns, as the baseline.
#
#   bench/wall_memory.sh [BUILD_DIR] [RUNS] [BASELINE_BUILD_DIR]   (defaults: build, 5, none)
#
# Prints each run and the medians; the wall must add under 10 MB, and the
# start with the wall closed must stay the baseline's.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
source_dir="$(dirname "$here")"
build="$(cd "${1:-$source_dir/build}" && pwd)"
runs="${2:-5}"
baseline="${3:+$(cd "$3" && pwd)}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# A fresh home: a first run writes the defaults, then the 20 stations.
source "$here/startup/fresh_home.sh"
fresh_home "$work/home" KBFI-2 KSEA-3 KPAE-1 KBLI-7 KSFO-4 KNYC-1 KARB-1 KBRL-1 KFNT-1 KIIY-1 KLAN-1 KNMM-1 KOKH-1 \
  KSIY-1 KYIP-1 EGLC-2 EGGD-1 EHRD-1 EDDB-1 ENQA-1

cat > "$work/runs.sh" <<RUNS
#!/usr/bin/env bash
set -e
rss() { awk '/^VmRSS/ { print \$2 }' /proc/\$1/status; }
openbox >/dev/null 2>&1 &
sleep 1
for run in \$(seq $runs); do
  if [ -n "$baseline" ]; then
    "$baseline/ventoral" >/dev/null 2>&1 &
    p=\$!; sleep 2; echo "baseline \$run \$(rss \$p) 0"; kill \$p; wait \$p 2>/dev/null || true
  fi
  "$build/ventoral" >/dev/null 2>&1 &
  p=\$!; sleep 2
  closed=\$(rss \$p)
  xdotool search --sync --name '^Ventoral\$' windowactivate --sync >/dev/null
  xdotool key --clearmodifiers alt+v; sleep 0.5; xdotool key w
  xdotool search --sync --name '^Station Wall\$' >/dev/null
  sleep 2
  echo "ventoral \$run \$closed \$(rss \$p)"
  kill \$p; wait \$p 2>/dev/null || true
done
RUNS
xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/runs.sh" > "$work/figures"

echo "program   run  start_kb  wall_open_kb"
awk '{ printf "%-9s %3d %9d %13d\n", $1, $2, $3, $4 }' "$work/figures"
closed=$(median ventoral 3); open=$(median ventoral 4)
echo
echo "median ventoral: ${closed} kB at the start, ${open} kB with the wall open"
awk -v c="$closed" -v o="$open" 'BEGIN { printf "the wall adds %.1f MB (under 10)\n", (o - c) / 1024 }'
if [ -n "$baseline" ]; then
  base=$(median baseline 3)
  awk -v b="$base" -v c="$closed" 'BEGIN { printf "start against the baseline: %+.1f MB (%d kB against %d kB)\n", (c - b) / 1024, c, b }'
fi
