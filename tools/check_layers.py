#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails, naming the file, when an #include "..." of src/ runs up the layers
or two top folders of src/ include each other.

The layers, bottom to top (a folder may include its own layer and those below):
  0 platform                  Qt services behind small interfaces; knows no weather
  1 settings                  the settings file, its tables and unit selections
  2 observations              report parsers, station files, trend, min/max
  3 instruments, stations/core, maps/core
  4 session                   the records the whole run shares, the display cycle
  5 download/core, printing/core
  6 widgets                   pieces several windows share
  7 about, editors, stations, maps, printing, download   windows
  8 app, cli                  the main window and the programs

Usage: check_layers.py [SRC]   (exit 1 on any wrong-way arrow)"""
import collections
import os
import re
import sys

LAYERS = [
    ('platform', 0),
    ('settings', 1),
    ('observations', 2),
    ('instruments', 3), ('stations/core', 3), ('maps/core', 3),
    ('session', 4),
    ('download/core', 5), ('printing/core', 5),
    ('widgets', 6),
    ('about', 7), ('editors', 7), ('stations', 7), ('maps', 7), ('printing', 7), ('download', 7),
    ('app', 8), ('cli', 8),
]
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')


def layer(path):
    best = None
    for prefix, rank in LAYERS:
        if path == prefix or path.startswith(prefix + '/'):
            if best is None or len(prefix) > len(best[0]):
                best = (prefix, rank)
    return best


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..', 'src')
    problems = []
    tops = collections.defaultdict(list)
    for folder, _, names in os.walk(src):
        for name in sorted(names):
            if not name.endswith(('.h', '.hpp', '.cpp')):
                continue
            rel = os.path.relpath(os.path.join(folder, name), src).replace(os.sep, '/')
            own = layer(rel)
            if own is None:
                problems.append('%s: folder has no layer; add it to tools/check_layers.py' % rel)
                continue
            with open(os.path.join(folder, name), encoding='utf-8', errors='replace') as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m or not os.path.exists(os.path.join(src, m.group(1))):
                        continue
                    inc = m.group(1)
                    target = layer(inc)
                    if target is None:
                        continue
                    if target[1] > own[1]:
                        problems.append('%s:%d: includes %s, a higher layer (%s %d above %s %d)'
                                        % (rel, number, inc, target[0], target[1], own[0], own[1]))
                    a, b = rel.split('/')[0], inc.split('/')[0]
                    if a != b:
                        tops[(a, b)].append('%s:%d -> %s' % (rel, number, inc))
    for (a, b), where in sorted(tops.items()):
        if a < b and (b, a) in tops:
            problems.append('%s and %s include each other: %s; %s' % (a, b, where[0], tops[(b, a)][0]))
    for p in problems:
        print(p)
    if problems:
        print('%d wrong-way includes' % len(problems))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
