#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
#
# Installs the package as a lean school image would: into a fresh minimal
# Debian 12 root (debootstrap), with apt-get --no-install-recommends, and
# starts the installed pomuru on a virtual X display of the host, which must
# show its window. Needs root, debootstrap, Xvfb, xdotool and a Debian
# mirror; takes a few minutes, so CI does not run it.
#
#   bash packaging/check_lean_install.sh PACKAGE.deb [ROOT_DIR]
set -euo pipefail

deb=$(realpath "${1:?usage: check_lean_install.sh PACKAGE.deb [ROOT_DIR]}")
root=${2:-$(mktemp -d /var/tmp/pomuru-lean.XXXXXX)}
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "debootstrap into $root"
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 \
    || { tail "$root.debootstrap.log" >&2; exit 1; }
fi

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  kill "$xvfb" 2>/dev/null || true
  umount "$root/tmp/.X11-unix" "$root/dev" "$root/proc" 2>/dev/null || true
}
trap cleanup EXIT
mkdir -p "$root/tmp/.X11-unix"
mount --bind /proc "$root/proc"
mount --bind /dev "$root/dev"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"

cp "$deb" "$root/tmp/pomuru.deb"
chroot "$root" env DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null
chroot "$root" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -q --no-install-recommends /tmp/pomuru.deb >"$root.install.log" 2>&1 \
  || { tail "$root.install.log" >&2; exit 1; }
echo "installed without recommended packages"

chroot "$root" env DISPLAY="$display" XDG_RUNTIME_DIR=/tmp pomuru >"$root.run.log" 2>&1 &
program=$!
# The window is there once the X server lists it by its caption.
for _ in $(seq 100); do
  if DISPLAY=$display xdotool search --name '^ポムル' >/dev/null 2>&1; then
    echo "ok    the installed pomuru opened its window"
    kill "$program"
    exit 0
  fi
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
echo "FAIL  the installed pomuru did not open its window:" >&2
cat "$root.run.log" >&2
exit 1
