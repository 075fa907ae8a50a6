#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The running program as a screen reader sees it: on a real X server (Xvfb),
# with a private session bus and the AT-SPI bus, every shown control must have
# a name. The offscreen platform of the other GUI tests never reaches AT-SPI,
# so this is the one place the whole path is checked. Exit 77: cannot run here.
prog="$1"
here=$(dirname "$0")
skip() {
    echo "SKIP: $*"
    exit 77
}
[ -x "$prog" ] || skip "no program at '$prog'"
command -v xvfb-run >/dev/null 2>&1 || skip "xvfb-run is not installed (package xvfb)"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session is not installed (package dbus)"
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "the AT-SPI bus is not installed (package at-spi2-core)"
/usr/bin/python3 -c 'import pyatspi' >/dev/null 2>&1 || skip "python3-pyatspi is not installed"

# The program keeps its per-user files in a home of its own.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
# Every step has its own time-out inside; this one only keeps a stuck X server or bus
# from holding the test.
timeout -k 5 50 xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- /usr/bin/python3 "$here/atspi_names.py" "$prog"
status=$?
[ $status -eq 124 ] && { echo "FAIL: timed out"; exit 1; }
exit $status
