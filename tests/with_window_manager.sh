#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
#
# Runs a command on the current X display under the openbox window manager,
# once openbox has taken over the screen, and exits with the command's
# status. A window mapped while the window manager is still starting may
# never be exposed.
#
#   sh tests/with_window_manager.sh COMMAND [ARGUMENT...]
set -eu
ready=$(mktemp -u)
openbox --sm-disable --startup "touch $ready" 2>/dev/null &
manager=$!
tries=0
until [ -e "$ready" ]; do
  tries=$((tries + 1))
  if [ "$tries" -gt 200 ] || ! kill -0 "$manager" 2>/dev/null; then
    echo "with_window_manager.sh: openbox did not start" >&2
    exit 1
  fi
  sleep 0.05
done
rm -f "$ready"
status=0
"$@" || status=$?
kill "$manager" 2>/dev/null || true
exit "$status"
