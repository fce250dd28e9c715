#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The manual page of ventoral-cli against the program's own --help: every
word of the usage lines (commands, options, their values and placeholders)
appears in the page, and every option the page names is one the program
takes. Both pages render without a warning from man where man is installed.

Usage: test_manual_pages.py VENTORAL-CLI MAN-FOLDER"""
import os
import re
import shutil
import subprocess
import sys

TOKEN = re.compile(r'-{0,2}[A-Za-z][A-Za-z0-9.:-]*')
OPTION = re.compile(r'(?<![\w-])--?[a-z][a-z-]*')
# Options the page names beside the usage lines: the help itself.
HELP_OPTIONS = {'--help', '-h'}


def tokens(text):
    return {t.rstrip('.:') for t in TOKEN.findall(text)}


def page_text(path):
    """The page's words as a reader sees them: no requests, escapes or fonts."""
    lines = []
    with open(path, encoding='utf-8') as f:
        for line in f:
            if line.startswith('.\\"'):
                continue
            line = re.sub(r'^\.[A-Za-z]+\s?', '', line)
            line = line.replace('\\-', '-').replace('\\e', '\\').replace('\\ ', ' ')
            line = re.sub(r'\\f[A-Z]', '', line)
            lines.append(line.replace('"', ''))
    return ' '.join(lines)


def main(cli, man_folder):
    usage = subprocess.run([cli, '--help'], capture_output=True, text=True, check=True).stdout
    page = page_text(os.path.join(man_folder, 'ventoral-cli.1'))
    page_tokens = tokens(page)
    problems = []
    for token in sorted(tokens(usage) - {'usage'}):
        if token not in page_tokens:
            problems.append(f'ventoral-cli --help says {token}; the manual page does not')
    usage_options = set(OPTION.findall(usage)) | HELP_OPTIONS
    for option in sorted(set(OPTION.findall(page)) - usage_options):
        if option.startswith('--'):
            problems.append(f'the manual page names {option}; ventoral-cli --help does not')

    if shutil.which('man'):
        for name in ('ventoral.1', 'ventoral-cli.1'):
            run = subprocess.run(['man', '--warnings', '-E', 'UTF-8', '-l', '-Tutf8', '-Z',
                                  os.path.join(man_folder, name)], capture_output=True, text=True)
            if run.returncode != 0 or run.stderr.strip():
                problems.append(f'man warns about {name}: {run.stderr.strip()}')

    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(*sys.argv[1:3]))
