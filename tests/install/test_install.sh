#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs into a fresh prefix, checks that the programs, the web view
# library, the delivered data, the desktop files, the manual pages and the
# licence and changelog land where desktops and readers look,
# then runs the installed program with a fresh home: it must write only into
# that home. Last, builds the Debian package, unpacks it into a scratch root
# (dpkg -x, no root privileges) and checks that it holds the same files.
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/ventoral bin/ventoral-cli lib/ventoral/libventoral-web.so "share/ventoral/VNTL Help.html" \
         share/applications/org.ventoral.Ventoral.desktop \
         share/icons/hicolor/scalable/apps/org.ventoral.Ventoral.svg \
         share/metainfo/org.ventoral.Ventoral.metainfo.xml \
         share/man/man1/ventoral.1.gz share/man/man1/ventoral-cli.1.gz \
         share/doc/ventoral/copyright share/doc/ventoral/changelog.gz; do
  [ -e "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
grep -q '^Exec=ventoral$' "$prefix/share/applications/org.ventoral.Ventoral.desktop"
# The program loads the web engine with its first viewer; it never links it.
if readelf -d "$prefix/bin/ventoral" | grep -qi webengine; then
  echo "bin/ventoral links the web engine:"; readelf -d "$prefix/bin/ventoral" | grep -i webengine; exit 1
fi
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/org.ventoral.Ventoral.desktop"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --explain "$prefix/share/metainfo/org.ventoral.Ventoral.metainfo.xml" >/dev/null \
    || { appstreamcli validate --no-net "$prefix/share/metainfo/org.ventoral.Ventoral.metainfo.xml"; exit 1; }
fi

before="$(cd "$prefix" && find . | sort)"
export XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data" HOME="$work/home"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# The installed program on a first run: settings, folders and faces.
"$prefix/bin/ventoral-cli" snapshot "$work/panel.png" >/dev/null 2>&1 || true
timeout 5 "$prefix/bin/ventoral" >/dev/null 2>&1 || true
after="$(cd "$prefix" && find . | sort)"
if [ "$before" != "$after" ]; then
  echo "the installed program wrote into its installation:"
  diff <(echo "$before") <(echo "$after") || true
  exit 1
fi
[ -f "$XDG_CONFIG_HOME/ventoral/vntl.ini" ] || { echo "no settings in the user's config folder"; exit 1; }
[ -d "$XDG_DATA_HOME/ventoral" ] || { echo "no data folder in the user's data folder"; exit 1; }
grep -q "$XDG_DATA_HOME/ventoral" "$XDG_CONFIG_HOME/ventoral/vntl.ini" \
  || { echo "the settings point outside the user's data folder"; exit 1; }

# The Debian package: the same files under /usr, and the packages they need.
if command -v dpkg-shlibdeps >/dev/null; then
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
  deb="$(echo "$work"/package/ventoral_*.deb)"
  [ -f "$deb" ] || { echo "cpack made no ventoral_*.deb"; exit 1; }
  depends="$(dpkg-deb --field "$deb" Depends)"
  for p in libqt6widgets6 libqt6webenginewidgets6 libqt6webenginecore6-bin qt6-qpa-plugins libsqlite3-0; do
    [[ ", $depends," == *", $p "* || ", $depends," == *", $p,"* ]] || { echo "the package does not depend on $p: $depends"; exit 1; }
  done
  # The web view library sits in a private folder: no ldconfig, so no
  # maintainer scripts at all.
  scripts="$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'preinst|postinst|prerm|postrm|triggers' || true)"
  [ -z "$scripts" ] || { echo "the package has maintainer scripts: $scripts"; exit 1; }
  dpkg -x "$deb" "$work/root"
  packaged="$(cd "$work/root/usr" && find . -type f | sort)"
  installed="$(cd "$prefix" && find . -type f | sort)"
  if [ "$packaged" != "$installed" ]; then
    echo "the package and the installation hold different files:"
    diff <(echo "$installed") <(echo "$packaged") || true
    exit 1
  fi
  grep -q '^Exec=ventoral$' "$work/root/usr/share/applications/org.ventoral.Ventoral.desktop"
else
  echo "no dpkg-shlibdeps (dpkg-dev): the Debian package is not checked"
fi
echo "installed and ran with a fresh home: nothing written outside it; the package holds the same files"
