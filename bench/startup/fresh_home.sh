# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the start benchmarks (bash, with $build, $work and
# $source_dir set).
#
# fresh_home HOME REPORT...: exports XDG_CONFIG_HOME, XDG_DATA_HOME, HOME
# and XDG_RUNTIME_DIR for a home in HOME whose settings a first run of
# $build/ventoral wrote, with auto update off and a short list of one
# station per REPORT (a file of tests/data/observations/noaa-decoded
# without ".txt", such as KBFI-1), the first selected; each station's data
# file holds that report and a day of KSEA's trend. The entries are named
# from the reports' station lines ("KBFI Seattle Boeing Field").
#
# median PROGRAM COLUMN: the median of that column over the lines of
# $work/figures that begin with PROGRAM.

fresh_home() {
  local home="$1"
  shift
  export XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" HOME="$home" XDG_RUNTIME_DIR="$work/runtime"
  mkdir -p "$XDG_RUNTIME_DIR" "$home/stations" && chmod 700 "$XDG_RUNTIME_DIR"
  local ini="$XDG_CONFIG_HOME/ventoral/vntl.ini"
  QT_QPA_PLATFORM=offscreen "$build/ventoral" >/dev/null 2>&1 &
  local first=$!
  for _ in $(seq 100); do [ -f "$ini" ] && break; sleep 0.1; done
  sleep 1; kill "$first" 2>/dev/null || true; wait "$first" 2>/dev/null || true
  [ -f "$ini" ] || { echo "ventoral wrote no settings in $ini"; exit 1; }
  local data="$source_dir/tests/data/observations"
  python3 - "$ini" "$home/stations" "$data/noaa-decoded" "$@" <<'PY'
import sys
path, stations, reports, names = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
entries = []
for name in names:
    line = open("%s/%s.txt" % (reports, name), encoding="latin-1").readline()
    place = " ".join(line.split(",")[0].split("(")[0].split()).title()
    entries.append("%s %s" % (name[:4], place))
wanted = {("Files", "Stations"): stations, ("Stations", "Number"): str(len(entries)), ("Stations", "Last"): "0",
          ("Units", "U04"): "0"}
section, lines = "", []
for line in open(path, encoding="latin-1", newline="").read().split("\r\n"):
    key = line.split("=", 1)[0]
    if line.startswith("["):
        section = line.strip("[]")
    elif section == "Stations" and key.startswith("Station"):
        continue   # the first run's own list
    if (section, key) in wanted:
        line = key + "=" + wanted.pop((section, key))
    lines.append(line)
    if line == "[Stations]":
        lines += ["Station%d=%s" % (i, entry) for i, entry in enumerate(entries)]
assert not wanted, wanted
open(path, "w", encoding="latin-1", newline="").write("\r\n".join(lines))
PY
  local report
  for report in "$@"; do
    printf '"%s"\r\n"%s"\r\n' "$(cat "$data/trend/KSEA.TREND")" "$(cat "$data/noaa-decoded/$report.txt")" \
      > "$home/stations/${report:0:4}Data.txt"
  done
}

median() {
  awk -v p="$1" -v c="$2" '$1 == p { print $c }' "$work/figures" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
