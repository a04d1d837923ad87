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
cli=build/native/bin/ovisto-cli
if [ $# -eq 0 ]; then
  # Nothing to watch yet: say how to add something instead of watching nothing
  # (while it watches, the directory is locked against additions).
  if "$cli" --dir "$program_dir" --json list | grep -q '"objects": \[\]'; then
    cat <<HINT
The watch list in $program_dir is empty. Add what to watch, then start again:
  a web page:  bash scripts/start.sh add https://example.org/news.html --name News
  a mailbox:   bash scripts/start.sh add-mailbox --server pop.example.org --user NAME --password WORD
  (--port N for another POP3 port; bash scripts/start.sh --help lists every command)
  check now:   bash scripts/start.sh check
HINT
    exit 0
  fi
  set -- run
fi
exec "$cli" --dir "$program_dir" "$@"
