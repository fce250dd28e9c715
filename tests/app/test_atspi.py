#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The main window and the station wall as a screen reader meets them,
through the desktop's accessibility tree (AT-SPI), not Qt's own objects.

Ventoral starts in a temporary home with 20 stations whose files hold real
NOAA reports. The test reads each dial's and graph's name and description
from the main window, opens View > Station Wall through the menu item's own
action, finds a tile per station whose description reads the temperature
`ventoral-cli wall --json` gives for it, then opens Setup > Units, toggles
"Mph" through its Toggle action and sees the wind speed dial and the
tiles speak in miles per hour; last, in Setup > Stations, it searches
Iceland and sets the Latitude box's text as a screen reader does, which
starts a new search.

  test_atspi.py VENTORAL VENTORAL_CLI TEST_DATA_FOLDER XVFB

Run it in a D-Bus session with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (CTest
does: dbus-run-session ...). It starts its own Xvfb on a display number the
server picks itself (-displayfd), so it never races another test's server
for a number. It needs Debian's at-spi2-core and python3-pyatspi."""
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

REPORTS = ["KBFI-2", "KSEA-3", "KPAE-1", "KBLI-7", "KSFO-4", "KNYC-1", "KARB-1", "KBRL-1", "KFNT-1", "KIIY-1",
           "KLAN-1", "KNMM-1", "KOKH-1", "KSIY-1", "KYIP-1", "EGLC-2", "EGGD-1", "EHRD-1", "EDDB-1", "ENQA-1"]
# KBFI's report (the station shown first): calm, 10.0 C, dew point 8.9 C,
# 92 %, 1009 hPa and 1.0 hPa lower than three hours ago.
DIALS = {
    "Wind direction": "Calm, no wind direction",
    "Wind speed": "Wind speed 0 kilometres per hour",
    "Temperature": "Temperature 10 degrees Celsius, dew point 8.9",
    "Humidity": "Humidity 92 percent",
    "Air pressure": "Air pressure 1009 hectopascals, falling slowly, 1.0 in 3 hours",
}
GRAPHS = ["Air pressure, last 24 hours", "Humidity, last 24 hours", "Temperature, last 24 hours",
          "Wind speed, last 24 hours", "Wind direction, last 24 hours"]
WAIT_S = 60

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, flush=True)


def wait_for(what, find, seconds=WAIT_S):
    """find() until it gives something; None after seconds."""
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            found = find()
        except Exception:  # the tree changes under us while windows open
            found = None
        if found:
            return found
        time.sleep(0.25)
    print("gave up waiting for " + what, flush=True)
    return None


def walk(node, depth=0):
    if node is None or depth > 30:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def find_all(root, role=None, name=None):
    return [n for n in walk(root)
            if (role is None or n.getRoleName() == role) and (name is None or n.name == name)]


def do_action(node, names):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in names:
            return action.doAction(i)
    raise AssertionError("%s %r has no action among %s (%s)" % (
        node.getRoleName(), node.name, names, [action.getName(i) for i in range(action.nActions)]))


def ventoral_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "Ventoral":
            return app
    return None


def frame(app, title):
    """The application's window of that title that shows (a frame, or a
    plain window such as the Units window)."""
    for i in range(app.childCount):
        node = app.getChildAtIndex(i)
        if node is not None and node.name == title and node.getState().contains(pyatspi.STATE_SHOWING):
            return node
    return None


def menu_item(app, name):
    items = find_all(app, "menu item", name)
    return items[0] if items else None


def prepare_home(home, ventoral, data):
    """A first run writes every default; then the 20 stations."""
    env = dict(os.environ, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data", HOME=home,
               QT_QPA_PLATFORM="offscreen")
    ini = home + "/config/ventoral/vntl.ini"
    first = subprocess.Popen([ventoral], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wait_for("the first run's settings", lambda: os.path.exists(ini), 30)
    time.sleep(1)
    first.kill()
    first.wait()
    stations = home + "/stations"
    os.makedirs(stations)
    wanted = {("Files", "Stations"): stations, ("Stations", "Number"): str(len(REPORTS)),
              ("Stations", "Last"): "0", ("Units", "U04"): "False"}
    for i, report in enumerate(REPORTS):
        wanted[("Stations", "Station%d" % i)] = "%s Station %s" % (report[:4], report[:4])
    section, lines = "", []
    for line in open(ini, encoding="latin-1", newline="").read().split("\r\n"):
        if line.startswith("["):
            if section == "Stations":   # stations the defaults lack
                lines[-1:-1] = ["%s=%s" % (k, v) for (s, k), v in list(wanted.items()) if s == "Stations"]
                for key in [key for key in wanted if key[0] == "Stations"]:
                    del wanted[key]
            section = line.strip("[]")
        key = line.split("=", 1)[0]
        if (section, key) in wanted:
            line = key + "=" + wanted.pop((section, key))
        lines.append(line)
    open(ini, "w", encoding="latin-1", newline="").write("\r\n".join(lines))
    trend = open(data + "/observations/trend/KSEA.TREND", encoding="latin-1").read()
    for report in REPORTS:
        present = open(data + "/observations/noaa-decoded/%s.txt" % report, encoding="latin-1").read()
        with open(stations + "/%sData.txt" % report[:4], "w", encoding="latin-1", newline="") as f:
            f.write('"%s"\r\n"%s"\r\n' % (trend, present))
    return dict(env, QT_QPA_PLATFORM="xcb")


def start_display(xvfb):
    """An Xvfb of its own and its display; the server writes the number it took."""
    read_end, write_end = os.pipe()
    server = subprocess.Popen([xvfb, "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                               "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end, "rb") as pipe:
        number = pipe.readline().strip().decode()
    if not number:
        server.kill()
        server.wait()
        raise RuntimeError("Xvfb gave no display number")
    return server, ":" + number


def number_text(value):
    return "%.7g" % value


def run():
    ventoral, cli, data, xvfb = sys.argv[1:5]
    home = tempfile.mkdtemp(prefix="ventoral-atspi-")
    program = None
    display = None
    try:
        display, display_name = start_display(xvfb)
        env = dict(prepare_home(home, ventoral, data), DISPLAY=display_name)
        wall_json = json.loads(subprocess.run([cli, "wall", "--json"], env=env, check=True,
                                              capture_output=True, text=True).stdout)
        check(len(wall_json) == 20, "ventoral-cli wall gives %d stations" % len(wall_json))

        program = subprocess.Popen([ventoral], env=env)
        app = wait_for("Ventoral in the accessibility tree", ventoral_app)
        if app is None:
            check(False, "Ventoral never appeared in the AT-SPI tree")
            return
        main = wait_for("the main window", lambda: frame(app, "Ventoral"))
        check(main is not None, "no main window frame")

        # Every dial and graph: its name and its values as words.
        for name, words in DIALS.items():
            dial = wait_for("the %s dial" % name,
                            lambda: [d for d in find_all(main, "dial", name) if d.description == words])
            check(dial, "dial %r reads %r" % (name, [d.description for d in find_all(main, "dial", name)]))
        for name in GRAPHS:
            graph = find_all(main, "chart", name)
            check(graph and graph[0].description.startswith("From "),
                  "graph %r reads %r" % (name, [g.description for g in graph]))

        # View > Station Wall, by the menu item's own action.
        do_action(menu_item(app, "Station Wall"), ("press", "click", "activate"))
        wall = wait_for("the station wall", lambda: frame(app, "Station Wall"))
        check(wall is not None and wall.getRoleName() == "frame", "no Station Wall frame")
        tiles = wait_for("20 tiles", lambda: len(find_all(wall, "push button")) == 20 and find_all(wall, "push button"))
        check(tiles, "the wall has %d tiles" % len(find_all(wall, "push button")) if wall else "no wall")
        for station in wall_json if tiles else []:
            name = "%s %s" % (station["code"], station["name"])
            tile = [t for t in tiles if t.name == name]
            check(tile, "no tile named %r" % name)
            if tile and "temperature" in station:
                words = "Temperature %s degrees Celsius" % number_text(station["temperature"])
                check(tile[0].description.startswith(words),
                      "tile %r reads %r, not %r" % (name, tile[0].description, words))
                if station["flightCategory"]:
                    check("Flight category %s." % station["flightCategory"] in tile[0].description,
                          "tile %r lacks its flight category: %r" % (name, tile[0].description))

        # Setup > Units, and "Mph" toggled as a screen reader toggles it.
        do_action(menu_item(app, "Units"), ("press", "click", "activate"))
        units = wait_for("the Units window", lambda: frame(app, "Units"))
        mph = find_all(units, "radio button", "Mph") if units else []
        check(mph, "no Mph radio button")
        if mph:
            do_action(mph[0], ("toggle",))
            speed = wait_for("the wind speed dial in miles per hour", lambda: [
                d for d in find_all(main, "dial", "Wind speed") if d.description == "Wind speed 0 miles per hour"])
            check(speed, "after Toggle on Mph the wind speed dial reads %r"
                  % [d.description for d in find_all(main, "dial", "Wind speed")])
            gusty = [t for t in find_all(wall, "push button") if "miles per hour" in t.description]
            check(gusty, "after Toggle on Mph no tile speaks of miles per hour")

        # Setup > Stations: Iceland searched, then a latitude set as a
        # screen reader sets text: a new search begins, the found list empties.
        do_action(menu_item(app, "Stations"), ("press", "click", "activate"))
        tool = wait_for("the station short list tool", lambda: frame(app, "Station Short List Tool"))
        lists = find_all(tool, "list") if tool else []
        countries = [l for l in lists if any(c.name.startswith("Iceland") for c in find_all(l, "list item"))]
        check(countries, "no list of countries")
        if countries:
            items = [c for c in find_all(countries[0], "list item")]
            iceland = next(c for c in items if c.name.startswith("Iceland"))
            do_action(iceland, ("toggle",))   # a list item's one action selects it
            do_action(find_all(tool, "push button", "Search")[0], ("press", "click", "activate"))
            found = wait_for("stations found in Iceland", lambda: [
                l for l in find_all(tool, "list") if any(i.name.startswith("BIKF") for i in find_all(l, "list item"))])
            check(found, "searching Iceland found no BIKF")
            latitude = find_all(tool, "text", "Latitude")
            check(latitude, "no text box named Latitude")
            if found and latitude:
                latitude[0].queryEditableText().setTextContents("64-00N")
                emptied = wait_for("the found list emptied", lambda: found[0].childCount == 0 or None, 10)
                check(emptied, "a latitude set through AT-SPI left %d stations found" % found[0].childCount)
    finally:
        for process in (program, display):
            if process is not None:
                process.kill()
                process.wait()
        shutil.rmtree(home, ignore_errors=True)


def main():
    # Judged here, after run() however it ended: an early return after a
    # failed check fails the test too.
    run()
    if failures:
        print("%d failures" % len(failures))
        sys.exit(1)
    print("the AT-SPI tree reads every dial, graph and tile; Toggle on Mph changes the units; "
          "a latitude set through it starts a new search")


if __name__ == "__main__":
    main()
