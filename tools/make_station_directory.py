#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Builds the delivered station directory files in data/ from the station
list of Debian's weather-util-data package (ISC licence, compiled from
NOAA's station inventory and public-domain gazetteers).

    tools/make_station_directory.py [--out data] [--deb FILE.deb] [--reported-since YEAR]

Without --deb the package is fetched with `apt-get download` into a
temporary folder and unpacked there with `dpkg-deb -x`; nothing is
installed. Country names of two-letter codes come from Debian's iso-codes
package, fetched the same way. Which stations have reported comes from
tools/reporting-stations.txt (ICAO code and the last date it was seen in
NOAA's decoded-report folder; its header says how it was counted).

Files written (Windows-1252 text with CR LF, as the program reads them):
  ICAO Stations.vnt   86-byte records: code 4, description 60, state 2,
                      country number 3, latitude 6, longitude 7, height 4
  Countries.txt       one country per line; its line number is the number
                      used in the directory
  States.txt          US states and territories, two-letter code last
  Tested.txt          codes of the stations with a known name that were
                      last seen reporting in --reported-since (2017) or later
  Setup.txt           per country line: map region ";" forecast source
                      ("nws" where the National Weather Service gives point
                      forecasts, "world" elsewhere)
  STATIONS-LICENSE.txt  the source's copyright and licence notice
"""

import argparse
import gzip
import json
import math
import os
import re
import statistics
import subprocess
import sys
import tempfile
import unicodedata

STATIONS = "usr/share/weather-util/stations.gz"
COPYRIGHT = "usr/share/doc/weather-util-data/copyright"
ISO_3166_1 = "usr/share/iso-codes/json/iso_3166-1.json"
ISO_3166_2 = "usr/share/iso-codes/json/iso_3166-2.json"
REPORTING = os.path.join(os.path.dirname(os.path.abspath(__file__)), "reporting-stations.txt")

# Country names spelt in several ways by the source, mapped to one.
ALIASES = {
    "US": "United States",
    "United States of America": "United States",
    "United States Of America": "United States",
    "Russian Federation": "Russia",
    "South Korea": "Korea, South",
    "Korea, Republic of": "Korea, South",
    "North Korea": "Korea, North",
    "Viet Nam": "Vietnam",
    "Czechia": "Czech Republic",
    "Türkiye": "Turkey",
    "Cabo Verde": "Cape Verde",
    "Côte d'Ivoire": "Cote D'Ivoire",
    "Eswatini": "Swaziland",
    "Brunei Darussalam": "Brunei",
    "Congo, The Democratic Republic of the": "Congo, Democratic Republic Of The",
    "Congo": "Congo, Republic Of The",
    "Macao": "Macau",
    "Micronesia, Federated States of": "Micronesia, Federated States Of",
    "North Macedonia": "Macedonia, The Republic Of",
    "Bahamas": "Bahamas, The",
    "Gambia": "Gambia, The",
    "Falkland Islands (Malvinas)": "Falkland Islands, Islas Malvinas",
    "Saint Helena, Ascension and Tristan da Cunha": "Saint Helena",
    "Virgin Islands, British": "British Virgin Islands",
    "Virgin Islands, U.S.": "Virgin Islands",
    "Palestine, State of": "Palestine",
    "Réunion": "Reunion",
    "Netherlands, Kingdom of the": "Netherlands",
    "Turks and Caicos Islands": "Turks And Caicos Islands",
}
# Last description parts that belong to a country name written "Name, Part".
COUNTRY_TAILS = {"South", "North", "The", "Republic Of The", "Democratic Republic Of The",
                 "Federated States Of", "The Republic Of", "Islas Malvinas"}
# Airport entries end "Name, Town, Subdivision, CC" with the ISO 3166-2 subdivision
# code. Numbers ("4", "067"), single letters ("Q") and the "U-A" placeholder for an
# unassigned region tell a reader nothing and are dropped; letter abbreviations
# such as "BC" or "NSW" read like the US state codes and stay.
CODE_ONLY_SUBDIVISION = re.compile(r"[0-9]+|[A-Z]|U-A")
UNKNOWN = "unknown station in "

# Countries whose positions get the National Weather Service's point forecast;
# every other country gets the worldwide forecast page.
NWS_COUNTRIES = {"United States", "Puerto Rico", "Virgin Islands"}


def fetch_package(name, folder):
    subprocess.run(["apt-get", "download", name], cwd=folder, check=True,
                   stdout=subprocess.DEVNULL)
    debs = [f for f in os.listdir(folder) if f.startswith(name + "_") and f.endswith(".deb")]
    if not debs:
        sys.exit(f"apt-get download {name} left no package")
    return os.path.join(folder, debs[0])


def unpack(deb, folder):
    subprocess.run(["dpkg-deb", "-x", deb, folder], check=True)


def read_stations(path):
    """Sections of the INI-like list as dicts, in file order."""
    records, current = [], None
    with gzip.open(path, "rt", encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line.startswith("[") and line.endswith("]"):
                current = {"code": line[1:-1].upper()}
                records.append(current)
            elif current is not None and " = " in line:
                key, value = line.split(" = ", 1)
                current[key.strip()] = value.strip()
    return records


def single_byte(text, width):
    """Windows-1252 text cut to width bytes; other characters lose their accents."""
    out = []
    for ch in text:
        try:
            ch.encode("cp1252")
            out.append(ch)
        except UnicodeEncodeError:
            plain = unicodedata.normalize("NFKD", ch).encode("ascii", "ignore").decode()
            out.append(plain or "?")
    return "".join(out).encode("cp1252")[:width].ljust(width, b" ")


def dms(radians, width, positive, negative):
    """Degrees, "-", two-digit minutes and hemisphere: 40-39N, 073-47W."""
    degrees = math.degrees(radians)
    minutes = round(abs(degrees) * 60)
    whole, rest = divmod(minutes, 60)
    text = f"{whole:0{width}d}-{rest:02d}{positive if degrees >= 0 else negative}"
    return text


def read_reporting(path, since_year):
    """Codes whose last date seen reporting falls in since_year or later."""
    codes = set()
    with open(path, encoding="ascii") as f:
        for line in f:
            if line.startswith("#") or not line.strip():
                continue
            code, last_seen = line.split()
            if int(last_seen[:4]) >= since_year:
                codes.add(code)
    return codes


def region_of(country, lat, lon):
    if country == "India":
        return "India"
    if lat < -60:
        return "aus"
    if lon < -30:
        if lat < 0 and lon < -100:
            return "aus"
        return "sa" if lat < 12 and lon > -82 else "avnmr"
    if lon <= 52 and lat >= 35:
        return "euro"
    if lon >= 35 and 12 <= lat < 35 and lon <= 65:
        return "casia"
    if lon <= 52 or (lat < -5 and lon <= 70):
        return "af"
    if lon <= 95:
        return "casia"
    return "ea" if lat >= 10 else "aus"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), "..", "data"))
    parser.add_argument("--deb", help="a weather-util-data package already fetched")
    parser.add_argument("--iso-deb", help="an iso-codes package already fetched")
    parser.add_argument("--reported-since", type=int, default=2017,
                        help="keep in Tested.txt the stations last seen reporting in this year or later")
    args = parser.parse_args()

    with tempfile.TemporaryDirectory() as work:
        unpack(args.deb or fetch_package("weather-util-data", work), work)
        unpack(args.iso_deb or fetch_package("iso-codes", work), work)
        stations = read_stations(os.path.join(work, STATIONS))
        with open(os.path.join(work, COPYRIGHT), encoding="utf-8") as f:
            copyright_text = f.read()
        with open(os.path.join(work, ISO_3166_1), encoding="utf-8") as f:
            iso = {e["alpha_2"]: e.get("common_name", e["name"]) for e in json.load(f)["3166-1"]}
        iso["XK"] = "Kosovo"
        with open(os.path.join(work, ISO_3166_2), encoding="utf-8") as f:
            us_states = sorted((e["code"][3:], e["name"]) for e in json.load(f)["3166-2"]
                               if e["code"].startswith("US-"))
    us_codes = {code for code, _ in us_states}
    reporting = read_reporting(REPORTING, args.reported_since)

    def country_name(raw):
        name = iso.get(raw, raw) if re.fullmatch(r"[A-Z]{2}", raw) else raw
        return ALIASES.get(name, name)

    entries = []
    for s in stations:
        code, location, description = s["code"], s.get("location", "None"), s.get("description", "")
        if not re.fullmatch(r"[A-Z0-9]{4}", code) or location == "None" or not description:
            continue
        lat, lon = (float(v) for v in location.strip("()").split(","))
        known = not description.startswith(UNKNOWN)
        state = ""
        if known:
            parts = description.split(", ")
            take = 2 if len(parts) > 2 and parts[-1] in COUNTRY_TAILS else 1
            country = country_name(", ".join(parts[-take:]))
            parts = parts[:-take]
            if country == "United States" and len(parts) > 1 and parts[-1] in us_codes:
                state = parts.pop()
            elif len(parts) > 1 and CODE_ONLY_SUBDIVISION.fullmatch(parts[-1]):
                parts.pop()
            name = ", ".join(parts) if parts else country
        else:
            country = country_name(description[len(UNKNOWN):])
            name = "Unknown station"
        entries.append({"code": code, "name": name, "state": state, "country": country,
                        "lat": lat, "lon": lon, "known": known, "metar": bool(s.get("metar"))})

    # Countries only named by stations of unknown name ("Northern Europe") are regions, not countries.
    real = {e["country"] for e in entries if e["known"]}
    entries = [e for e in entries if e["country"] in real]
    countries = sorted(real)
    if len(countries) > 999:
        sys.exit("more countries than the 3-digit country field holds")
    number = {name: i + 1 for i, name in enumerate(countries)}

    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "ICAO Stations.vnt"), "wb") as f:
        for e in entries:
            record = (single_byte(e["code"], 4) + single_byte(e["name"], 60) + single_byte(e["state"], 2)
                      + single_byte(str(number[e["country"]]), 3)
                      + single_byte(dms(e["lat"], 2, "N", "S"), 6)
                      + single_byte(dms(e["lon"], 3, "E", "W"), 7)
                      + single_byte("0", 4))
            assert len(record) == 86
            f.write(record)

    def write_lines(name, lines):
        with open(os.path.join(args.out, name), "wb") as f:
            for line in lines:
                f.write(single_byte(line, len(line.encode("utf-8")) + 8).rstrip(b" ") + b"\r\n")

    write_lines("Countries.txt", countries)
    write_lines("States.txt", [f"{name:<40}  {code}" for code, name in sorted(us_states, key=lambda s: s[1])])
    tested = [e["code"] for e in entries if e["known"] and e["code"] in reporting]
    write_lines("Tested.txt", tested)

    setup = []
    for country in countries:
        own = [e for e in entries if e["country"] == country]
        lat = math.degrees(statistics.median(e["lat"] for e in own))
        lon = math.degrees(statistics.median(e["lon"] for e in own))
        region = region_of(country, lat, lon)
        setup.append(f"{region};{'nws' if country in NWS_COUNTRIES else 'world'}")
    write_lines("Setup.txt", setup)

    with open(os.path.join(args.out, "STATIONS-LICENSE.txt"), "w", encoding="utf-8") as f:
        f.write("The station directory files ICAO Stations.vnt, Countries.txt, States.txt,\n"
                "Tested.txt and Setup.txt are generated by tools/make_station_directory.py\n"
                "from the station list of Debian's weather-util-data package. Its notice:\n\n")
        f.write(copyright_text)
    print(f"{len(entries)} stations ({len(tested)} reporting), {len(countries)} countries, {len(us_states)} states",
          file=sys.stderr)


if __name__ == "__main__":
    main()
