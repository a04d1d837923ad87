#!/usr/bin/env bash
# Starts the program: the desktop program under Wine where a display exists,
# otherwise the headless front end on the current program directory.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "${DISPLAY:-}" ] && [ -x /usr/lib/wine/wine64 ]; then
  [ -f build/win64/bin/ovisto.exe ] || { cmake --preset win64 >/dev/null && cmake --build --preset win64 -j "$(nproc)"; }
  exec /usr/lib/wine/wine64 build/win64/bin/ovisto.exe "$@"
fi
[ -x build/native/bin/ovisto-cli ] || { cmake --preset native >/dev/null && cmake --build --preset native -j "$(nproc)"; }
exec build/native/bin/ovisto-cli "${@:-list}"
