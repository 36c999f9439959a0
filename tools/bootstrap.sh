#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
# Sets up a fresh Debian 12 machine for ポムル and then runs it or tests it.
#
#   bash tools/bootstrap.sh run    install what is missing, build, open the window
#   bash tools/bootstrap.sh test   install what is missing, build, run every test headless
#
# Debian packages are installed with apt-get (through sudo when not root);
# packages that are already there are skipped.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"

mode=${1:-}
case "$mode" in
  run|test) ;;
  *) echo "usage: bash tools/bootstrap.sh run|test" >&2; exit 2 ;;
esac

# dpkg-dev gives dpkg-buildflags, whose hardening flags the optimised builds take.
packages=(
  cmake g++ make dpkg-dev pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libcanberra-dev libcanberra-pulse qt6-translations-l10n
  fonts-ipafont-gothic fonts-ipafont-mincho
)

install_missing() {
  local missing=()
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed'; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The tests also click and type through a virtual X display with a window
# manager, maximise the window through it (wmctrl) and give it a panel
# (xprop), run the window under a headless Wayland compositor (weston, with
# Qt's Wayland plugin), listen to the beep on a sound server of their own
# (PulseAudio with a null sink, recorded with parec), and hear what the Orca
# screen reader says in a Japanese desktop of their own: its D-Bus session,
# the accessibility bus, a Japanese locale compiled by localedef. Orca brings
# python3-pyatspi and speech-dispatcher; no audio device is needed, as the
# test reads Orca's debug log.
if [ "$mode" = test ]; then
  packages+=(xvfb xauth xdotool openbox wmctrl x11-utils weston qt6-wayland pulseaudio pulseaudio-utils)
  packages+=(orca at-spi2-core dbus locales libglib2.0-bin dconf-service procps)
fi

install_missing "${packages[@]}"

cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)"

if [ "$mode" = run ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display to open the window on: run this command in a desktop session," >&2
    echo "or without one under a virtual display: xvfb-run -s '-screen 0 1280x800x24' bash tools/bootstrap.sh run" >&2
    exit 1
  fi
  exec ./build/app/pomuru
fi

ctest --preset default -j "$(nproc)"
