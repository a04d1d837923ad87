#!/bin/sh
# Runs a cross-built Windows program under 64-bit Wine, headless and quiet, in
# the throwaway prefix that the test script made for this run.
#
# A launch that ends without a single byte of output never reached the
# program (every test program and every test listing writes something): Wine
# could not start it, as happens on a fresh prefix while the server is still
# starting the prefix's own processes. Such a launch is tried once more; a
# program that ran and said anything keeps its result, pass or fail.
: "${WINEPREFIX:=${TMPDIR:-/tmp}/ovisto-wineprefix}"
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
out=$(mktemp) && err=$(mktemp) || exec /usr/lib/wine/wine64 "$@"
trap 'rm -f "$out" "$err"' EXIT
for attempt in 1 2; do
  /usr/lib/wine/wine64 "$@" >"$out" 2>"$err"
  status=$?
  if [ -s "$out" ] || [ -s "$err" ]; then break; fi
  if [ "$attempt" = 1 ]; then
    echo "wine-run: $1 ended with status $status and no output; launching it once more" >&2
    sleep 1
  fi
done
cat "$out"
cat "$err" >&2
exit $status
