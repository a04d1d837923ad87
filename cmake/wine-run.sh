#!/bin/sh
# Runs a cross-built Windows program under 64-bit Wine, headless and quiet, in
# the throwaway prefix that the test script made for this run.
: "${WINEPREFIX:=${TMPDIR:-/tmp}/ovisto-wineprefix}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
exec /usr/lib/wine/wine64 "$@"
