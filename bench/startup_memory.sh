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
home="$work/home"
export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" HOME="$home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" "$home/stations" && chmod 700 "$XDG_RUNTIME_DIR"
ini="$XDG_CONFIG_HOME/ventoral/vntl.ini"
QT_QPA_PLATFORM=offscreen "$build/ventoral" >/dev/null 2>&1 &
first=$!
for _ in $(seq 100); do [ -f "$ini" ] && break; sleep 0.1; done
sleep 1; kill "$first" 2>/dev/null || true; wait "$first" 2>/dev/null || true
[ -f "$ini" ] || { echo "ventoral wrote no settings in $ini"; exit 1; }
python3 - "$ini" "$home/stations" <<'PY'
import sys
path, stations = sys.argv[1], sys.argv[2]
wanted = {("Files", "Stations"): stations, ("Stations", "Number"): "1", ("Stations", "Last"): "0",
          ("Stations", "Station0"): "KBFI Seattle Boeing Field", ("Units", "U04"): "0"}
section, lines = "", []
for line in open(path, encoding="latin-1", newline="").read().split("\r\n"):
    if line.startswith("["):
        section = line.strip("[]")
    key = line.split("=", 1)[0]
    if (section, key) in wanted:
        line = key + "=" + wanted.pop((section, key))
    lines.append(line)
assert not wanted, wanted
open(path, "w", encoding="latin-1", newline="").write("\r\n".join(lines))
PY
data="$source_dir/tests/data/observations"
printf '"%s"\r\n"%s"\r\n' "$(cat "$data/trend/KSEA.TREND")" "$(cat "$data/noaa-decoded/KBFI-1.txt")" \
  > "$home/stations/KBFIData.txt"

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
median() { awk -v p="$1" -v c="$2" '$1 == p { print $c }' "$work/figures" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
least_ms=$(median least 3); least_kb=$(median least 4)
ventoral_ms=$(median ventoral 3); ventoral_kb=$(median ventoral 4)
echo
echo "median least program: window ${least_ms} ms, ${least_kb} kB resident"
echo "median ventoral:      window ${ventoral_ms} ms, ${ventoral_kb} kB resident"
awk -v lm="$least_ms" -v vm="$ventoral_ms" -v vk="$ventoral_kb" 'BEGIN {
  printf "window time ratio %.2f (at most 1.50), resident %.1f MB (at most 60)\n", vm / lm, vk / 1024 }'
