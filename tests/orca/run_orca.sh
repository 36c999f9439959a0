#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
#
# Run a command inside a private X desktop with the Orca 43 screen reader and
# record everything Orca would speak.
#
#   run_orca.sh [-l LOG] [-t TIMEOUT] -- COMMAND [ARGS...]
#
# Inside a private D-Bus session (dbus-run-session) it starts Xvfb on a free
# display, openbox, the AT-SPI bus and Orca with --debug-file LOG; waits for
# Orca's readiness marker; then runs COMMAND with DISPLAY, LANG (ja_JP.UTF-8),
# QT_ACCESSIBILITY=1, QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1, ORCA_LOG and
# ORCA_RUN_LIB exported. A bash COMMAND can get the helper functions with
#     ORCA_LIB_ONLY=1 source "$ORCA_RUN_LIB"
# Exit status: COMMAND's, or 91..93 for setup failures.
#
# Debian 12 packages: orca (43.x; pulls python3-pyatspi, gir1.2-atspi-2.0,
# speech-dispatcher), at-spi2-core, dbus (dbus-run-session), xvfb, openbox,
# xdotool, locales (for localedef), libglib2.0-bin (gsettings), dconf-service,
# procps (pgrep). A working speech-dispatcher/audio device is NOT required:
# Orca writes "SPEECH OUTPUT: '...'" to its debug log even when speech
# initialisation fails.
#
# Speech lines in LOG look like (the voice dict follows the closing quote):
#   02:35:29.0 - SPEECH OUTPUT: '通知 せいかい。もんだい2：2たす2は？'{...}
# Orca appends '.' when the text ends in a letter/kana, so match prefixes:
#   grep -F "SPEECH OUTPUT: '通知 せいかい" "$ORCA_LOG"
#
# Orca tests must run one at a time per user: Orca refuses to start while
# another process named "orca" of the same uid runs (and --replace, which we
# do not use, would SIGKILL all of them).

# ---- helpers (also for callers) -------------------------------------------
# orca_log_mark: byte size of the log now; pass it as FROM below.
orca_log_mark() { stat -c %s "$ORCA_LOG" 2>/dev/null || echo 0; }

# orca_wait_for ERE [FROM [TIMEOUT]]: poll (bounded) until a line matching ERE
# appears in $ORCA_LOG after byte FROM; print it; return 1 on timeout.
orca_wait_for() {
    local pattern=$1 from=${2:-0} timeout=${3:-${ORCA_WAIT_TIMEOUT:-15}}
    local deadline=$((SECONDS + timeout))
    while :; do
        if tail -c +"$((from + 1))" "$ORCA_LOG" 2>/dev/null | grep -m1 -E -- "$pattern"; then
            return 0
        fi
        ((SECONDS < deadline)) || break
        sleep 0.1 # polling interval only; the condition is the log line
    done
    echo "orca_wait_for: timeout waiting for /$pattern/" >&2
    return 1
}

# orca_wait_spoken TEXT [FROM [TIMEOUT]]: wait until Orca speaks an utterance
# that starts with TEXT (fixed string).
orca_wait_spoken() {
    local text=$1 from=${2:-0} timeout=${3:-${ORCA_WAIT_TIMEOUT:-15}}
    local deadline=$((SECONDS + timeout))
    while :; do
        if tail -c +"$((from + 1))" "$ORCA_LOG" 2>/dev/null | grep -m1 -F -- "SPEECH OUTPUT: '$text"; then
            return 0
        fi
        ((SECONDS < deadline)) || break
        sleep 0.1 # polling interval only
    done
    echo "orca_wait_spoken: Orca did not say '$text'" >&2
    return 1
}

# orca_spoken [FROM]: all utterances after byte FROM, one per line.
orca_spoken() {
    tail -c +"$((${1:-0} + 1))" "$ORCA_LOG" | grep -o "SPEECH OUTPUT: '.*'{" | sed "s/^SPEECH OUTPUT: '//; s/'{\$//"
}

[[ -n ${ORCA_LIB_ONLY:-} ]] && return 0

# ---- main -------------------------------------------------------------------
set -u
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
LOG=$PWD/orca.log
TIMEOUT=30
while getopts "l:t:" opt; do
    case $opt in
        l) LOG=$(realpath -m "$OPTARG") ;;
        t) TIMEOUT=$OPTARG ;;
        *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
[[ ${1:-} == -- ]] && shift
(($# > 0)) || { echo "usage: $0 [-l LOG] [-t TIMEOUT] -- COMMAND..." >&2; exit 2; }

if [[ -z ${ORCA_INSIDE_SESSION:-} ]]; then
    export ORCA_INSIDE_SESSION=1
    # The session bus and the services it starts (dconf, the accessibility
    # registry) take the standard output and error of dbus-run-session and
    # may outlive it; whoever reads our output (ctest) would wait for them.
    # So they get none of ours: the command gets it back through fds 3 and 4.
    exec 3>&1 4>&2
    exec dbus-run-session -- "$0" -l "$LOG" -t "$TIMEOUT" -- "$@" </dev/null >/dev/null 2>&1
fi

# ---- inside the private D-Bus session -----------------------------------------
exec 1>&3 2>&4 3>&- 4>&-
WORK=$(mktemp -d)
pids=()
orca_pid=
# stop PID: asks a child of ours to end, and ends it after 5 s if it has not.
stop() {
    local pid=$1 i state
    kill "$pid" 2>/dev/null || return 0
    for ((i = 0; i < 50; i++)); do
        state=$(ps -o stat= -p "$pid" 2>/dev/null)
        [[ -z $state || $state == Z* ]] && break
        sleep 0.1 # polling interval only; the condition is the process's end
    done
    [[ -z $state || $state == Z* ]] || kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}
cleanup() {
    # Stop Orca first, while the buses it talks to are still alive;
    # otherwise its shutdown hangs. It may hang all the same (it did under
    # load), and then it is ended.
    [[ -n $orca_pid ]] && stop "$orca_pid"
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        stop "${pids[i]}"
    done
    rm -rf "$WORK"
}
trap cleanup EXIT

if pgrep -u "$(id -u)" -x orca >/dev/null; then
    echo "run_orca: another Orca of this user is running; Orca tests must be serial" >&2
    exit 93
fi

# Japanese locale: the system one if present, else a private compiled copy.
if [[ -n ${ORCA_LANG:-} ]]; then
    export LANG=$ORCA_LANG # e.g. C.UTF-8: Orca's role words become English
elif locale -a 2>/dev/null | grep -qiE '^ja_JP\.utf-?8$'; then
    export LANG=ja_JP.UTF-8
elif mkdir -p "$WORK/locale" && localedef -i ja_JP -f UTF-8 "$WORK/locale/ja_JP.UTF-8" 2>/dev/null; then
    export LOCPATH=$WORK/locale LANG=ja_JP.UTF-8
else
    echo "run_orca: ja_JP.UTF-8 unavailable, using C.UTF-8" >&2
    export LANG=C.UTF-8
fi
{ export LC_ALL=$LANG; } 2>/dev/null # bash itself ignores LOCPATH; children don't

# Private HOME/XDG dirs: no user Orca settings, no stale dconf values.
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/home/.config \
       XDG_DATA_HOME=$WORK/home/.local/share XDG_CACHE_HOME=$WORK/home/.cache \
       XDG_RUNTIME_DIR=$WORK/run
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# Xvfb on a free display; -displayfd reports the number once it accepts clients.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp 5>"$WORK/display" 2>"$WORK/xvfb.err" &
pids+=($!)
for ((i = 0; i < 100; i++)); do
    [[ -s $WORK/display ]] && break
    sleep 0.1 # polling interval only
done
[[ -s $WORK/display ]] || { echo "run_orca: Xvfb did not start" >&2; cat "$WORK/xvfb.err" >&2; exit 91; }
export DISPLAY=:$(head -n1 "$WORK/display")

# Window manager (not strictly needed for Qt on Xvfb, but gives real
# activation/focus behaviour). Set ORCA_NO_WM=1 to skip.
if [[ -z ${ORCA_NO_WM:-} ]]; then
    openbox --sm-disable >/dev/null 2>&1 &
    pids+=($!)
fi

# Accessibility switches (Orca also turns toolkit-accessibility on itself).
gsettings set org.gnome.desktop.interface toolkit-accessibility true 2>/dev/null
export QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
pids+=($!)
for ((i = 0; i < 100; i++)); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.1 # polling interval only
done

: >"$LOG"
export ORCA_LOG=$LOG ORCA_RUN_LIB=$HERE/run_orca.sh
start=$(date +%s.%N)
# orca_linebuffered.py runs /usr/bin/orca unchanged but opens the debug file
# line-buffered (Orca 43 never flushes it, so it would appear in 8 KiB lumps).
/usr/bin/python3 "$HERE/orca_linebuffered.py" --disable braille --debug-file "$LOG" \
    >"$WORK/orca.out" 2>&1 &
orca_pid=$!

# Readiness marker: logged right before Orca enters its event loop, after
# all AT-SPI listeners are registered and "Screen reader on." was spoken.
if ! orca_wait_for 'ORCA: Starting registry' 0 "$TIMEOUT" >/dev/null; then
    echo "run_orca: Orca did not become ready" >&2
    cat "$WORK/orca.out" >&2
    exit 92
fi
end=$(date +%s.%N)
printf 'run_orca: Orca ready after %s s (DISPLAY=%s LANG=%s)\n' \
    "$(awk "BEGIN{printf \"%.2f\", $end - $start}")" "$DISPLAY" "$LANG" >&2

"$@"
