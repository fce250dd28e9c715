#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program on an X display (run under xvfb-run): it opens the map
viewer and the site viewer from the menu bar, closes each, ends through
File > Exit and must exit with status 0, as a user would do it with the
keyboard.

    xvfb-run -a test_viewer_exit.py PROGRAM

Uses xdotool for the keys; without it or without a display the test is
skipped (status 77)."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
MAIN = "^Ventoral$"


def windows(name, pid=None):
    """The visible top-level windows whose title matches the regular expression name."""
    command = ["xdotool", "search", "--all", "--onlyvisible"]
    if pid is not None:
        command += ["--pid", str(pid)]
    found = subprocess.run(command + ["--name", name], capture_output=True, text=True)
    return found.stdout.split()


def wait_for(condition, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.2)
    return None


def press(program, title, keys):
    """Gives the program's window of that title the keyboard focus, then
    presses keys one after the other. The window is looked up each time: Qt
    makes a window anew when it first holds a web view."""
    found = windows(title, program.pid)
    if not found or subprocess.run(["xdotool", "windowfocus", "--sync", found[0]]).returncode != 0:
        return
    for key in keys:
        subprocess.run(["xdotool", "key", "--clearmodifiers", key])
        time.sleep(0.3)


def until(condition, program, title, keys, what):
    """Presses keys in the window of that title until condition holds: a
    window that has just appeared may not take keys yet (there is no window
    manager to say when)."""
    for _ in range(6):
        press(program, title, keys)
        if wait_for(condition, 10):
            return
    raise AssertionError("gave up waiting for " + what)


def engine_loaded(pid):
    with open("/proc/%d/maps" % pid) as maps:
        return "libQt6WebEngineCore" in maps.read()


def open_and_close(program, menu_key, title):
    until(lambda: windows(title, program.pid), program, MAIN, [menu_key], "the window " + title)
    if not engine_loaded(program.pid):
        raise AssertionError("the window " + title + " shows no web page")
    until(lambda: not windows(title, program.pid), program, title, ["alt+c"], "the window " + title + " to close")


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: test_viewer_exit.py PROGRAM")
    if not os.environ.get("DISPLAY") or not shutil.which("xdotool"):
        print("needs an X display and xdotool")
        return SKIPPED
    home = tempfile.mkdtemp(prefix="ventoral-exit-")
    try:
        runtime = os.path.join(home, "runtime")
        os.mkdir(runtime, 0o700)
        environment = dict(os.environ, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
                           XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=runtime,
                           QT_QPA_PLATFORM="xcb")
        # Not a first run, which would open the setup wizard in front.
        os.makedirs(os.path.join(home, "config", "ventoral"))
        with open(os.path.join(home, "config", "ventoral", "vntl.ini"), "w", newline="") as settings:
            settings.write("[Files]\r\nStations=%s\r\n" % os.path.join(home, "stations"))
        with open(os.path.join(home, "output"), "w+") as log:
            program = subprocess.Popen([sys.argv[1]], env=environment, stdout=log, stderr=subprocess.STDOUT)
            try:
                if not wait_for(lambda: windows(MAIN, program.pid), 60):
                    raise AssertionError("the main window did not show")
                open_and_close(program, "alt+m", "^Map Viewer")
                open_and_close(program, "alt+t", "^Site Viewer$")
                until(lambda: program.poll() is not None, program, MAIN, ["alt+f", "x"], "the program to end")
            finally:
                if program.poll() is None:
                    program.kill()
                program.wait()
            if program.returncode != 0:
                log.seek(0)
                print(log.read())
                print("the program ended with status %d" % program.returncode)
                return 1
        return 0
    finally:
        shutil.rmtree(home, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
