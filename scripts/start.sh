#!/usr/bin/env bash
# Starts the program: the desktop program under Wine where a display exists,
# otherwise the headless front end watching the same program directory (the
# desktop program's folder, build/win64/bin; OVISTO_DIR chooses another).
# Arguments go to the program: "bash scripts/start.sh list" runs that
# command of the headless front end instead of watching.
set -euo pipefail
cd "$(dirname "$0")/.."
program_dir="${OVISTO_DIR:-$PWD/build/win64/bin}"
if [ -n "${DISPLAY:-}" ] && [ -x /usr/lib/wine/wine64 ]; then
  [ -f build/win64/bin/ovisto.exe ] || { cmake --preset win64 >/dev/null && cmake --build --preset win64 -j "$(nproc)"; }
  exec /usr/lib/wine/wine64 build/win64/bin/ovisto.exe "$@"
fi
[ -x build/native/bin/ovisto-cli ] || { cmake --preset native >/dev/null && cmake --build --preset native -j "$(nproc)" --target ovisto-cli; }
mkdir -p "$program_dir"
if [ $# -eq 0 ]; then set -- run; fi
exec build/native/bin/ovisto-cli --dir "$program_dir" "$@"
