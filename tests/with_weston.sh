#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
#
# Runs a command as a Wayland client of a headless weston of its own, on a
# screen of WIDTH × HEIGHT, once weston's socket is there, and exits with the
# command's status.
#
#   sh tests/with_weston.sh WIDTH HEIGHT COMMAND [ARGUMENT...]
set -eu
width=$1
height=$2
shift 2
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
weston --backend=headless-backend.so --socket=pomuru-test --width="$width" --height="$height" \
  >"$runtime/weston.log" 2>&1 &
compositor=$!
tries=0
until [ -S "$runtime/pomuru-test" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 200 ] || ! kill -0 "$compositor" 2>/dev/null; then
    echo "with_weston.sh: weston did not start" >&2
    cat "$runtime/weston.log" >&2
    exit 1
  fi
  sleep 0.05
done
status=0
WAYLAND_DISPLAY=pomuru-test QT_QPA_PLATFORM=wayland "$@" || status=$?
kill "$compositor" 2>/dev/null || true
wait "$compositor" 2>/dev/null || true
rm -rf "$runtime"
exit "$status"
