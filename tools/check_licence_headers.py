#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails, naming the file, when a source file does not open with the
project's SPDX licence line: `// SPDX-License-Identifier: GPL-3.0-or-later`
in C++ files, the `#` form in CMake, shell and Python files (after the `#!`
line where there is one). Sample data (tests/data, fuzz/corpus) is not
source and is left alone.

Usage: check_licence_headers.py [ROOT] [--add]
  --add  puts the line into every file that lacks it"""
import os
import sys

LICENCE = 'SPDX-License-Identifier: GPL-3.0-or-later'
FOLDERS = ['src', 'tests', 'bench', 'fuzz', 'tools', 'scripts', 'cmake', '.ci']
SKIPPED = {os.path.join('tests', 'data'), os.path.join('fuzz', 'corpus')}
TOP_FILES = ['CMakeLists.txt', 'Makefile']


def comment_for(path):
    name = os.path.basename(path)
    if name.endswith(('.cpp', '.h')):
        return '// '
    if name in ('CMakeLists.txt', 'Makefile') or name.endswith(('.cmake', '.sh', '.py')):
        return '# '
    with open(path, 'rb') as f:
        if f.read(2) == b'#!':
            return '# '
    return None


def source_files(root):
    for name in TOP_FILES:
        if os.path.isfile(os.path.join(root, name)):
            yield name
    for folder in FOLDERS:
        for dirpath, dirnames, filenames in os.walk(os.path.join(root, folder)):
            rel = os.path.relpath(dirpath, root)
            dirnames[:] = sorted(d for d in dirnames if os.path.join(rel, d) not in SKIPPED)
            for name in sorted(filenames):
                path = os.path.join(rel, name)
                if comment_for(os.path.join(root, path)) is not None:
                    yield path


def licence_line_index(lines):
    return 1 if lines and lines[0].startswith('#!') else 0


def check(root, add):
    missing = []
    for path in source_files(root):
        full = os.path.join(root, path)
        wanted = comment_for(full) + LICENCE
        with open(full, encoding='utf-8', newline='') as f:
            lines = f.read().splitlines(keepends=True)
        at = licence_line_index(lines)
        if at < len(lines) and lines[at].rstrip('\r\n') == wanted:
            continue
        missing.append(path)
        if add:
            lines.insert(at, wanted + '\n')
            with open(full, 'w', encoding='utf-8', newline='') as f:
                f.write(''.join(lines))
    return missing


def main(argv):
    add = '--add' in argv
    args = [a for a in argv if a != '--add']
    root = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
    missing = check(root, add)
    for path in missing:
        print(('added the licence line to ' if add else 'no licence line: ') + path)
    return 0 if add or not missing else 1


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
