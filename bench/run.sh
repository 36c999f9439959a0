#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
# Measures ポムル against its speed and memory goals: builds the benchmarks
# (preset "bench"), runs them on an X display and prints a table; the
# figures go to bench/results.json (or the file given with --out).
#
#   bash bench/run.sh [--runs N] [--out FILE]
#
# Without a DISPLAY it starts a virtual X server (Xvfb) on display :63 for
# the run, as a desktop would show the window; BENCH_DISPLAY chooses another.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

missing=()
for package in libbenchmark-dev xvfb; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q '^install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake --preset bench >/dev/null
cmake --build --preset bench -j 2 --target pomuru_bench pomuru_floor_window pomuru_app_window pomuru_bench_handlers

if [ -z "${DISPLAY:-}" ]; then
  display=${BENCH_DISPLAY:-:63}
  Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill "$xvfb" 2>/dev/null || true' EXIT
  export DISPLAY=$display
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
  done
fi
unset QT_QPA_PLATFORM

build-bench/bench/pomuru_bench "$@"
