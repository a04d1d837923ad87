#!/usr/bin/env bash
# Builds everything and runs every test: native, sanitizers with a bounded
# fuzz run, and the Windows build under wine64; builds the shipped 32-bit
# program. Installs what is missing with apt-get first.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc)
FUZZ_SECONDS=${FUZZ_SECONDS:-15}

need=()
for pkg in cmake g++ clang libclang-rt-14-dev libgtest-dev libbenchmark-dev googletest ccache \
           g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 xvfb xauth \
           libcurl4-openssl-dev libssl-dev clang-format openssl python3 python3-cryptography nlohmann-json3-dev; do
  dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if [ ${#need[@]} -gt 0 ]; then
  echo "== installing: ${need[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${need[@]}" >/dev/null
fi

# Compiler cache shared by every clone on this machine (paths made relative).
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=true CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-8G}

summaries=()
run_ctest() {  # preset
  local log="build/$1/ctest.log" rc=0
  ctest --preset "$1" -j "$jobs" 2>&1 | tee "$log" || rc=$?
  summaries+=("$(grep -E 'tests passed|tests failed' "$log" | tail -1)")
  return $rc
}

status=0
echo "== format"
# Every C++ file follows .clang-format; a file that does not fails the run.
unformatted=$(git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run 2>&1 | grep -oE '^[^:]+\.(cpp|h)' | sort -u || true)
if [ -n "$unformatted" ]; then
  echo "FORMAT FAILURE (run clang-format -i on these):"; echo "$unformatted"; status=1
else
  echo "every C++ file is formatted"
fi

echo "== native"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
run_ctest native || status=1

echo "== asan"
export LSAN_OPTIONS="suppressions=$root/cmake/lsan.supp:print_suppressions=0"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
run_ctest asan || status=1
echo "== fuzz (${FUZZ_SECONDS}s each)"
for f in build/asan/bin/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="build/asan/corpus/$name"
  mkdir -p "$corpus"
  seeds="fuzz/seeds/${name#fuzz_}"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  if ! "$f" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 "$corpus" \
       >"build/asan/$name.log" 2>&1; then
    echo "FUZZ FAILURE in $name:"; tail -40 "build/asan/$name.log"; status=1
  else
    echo "$name: $(grep -E '^#[0-9]+.*(DONE|pulse)' "build/asan/$name.log" | tail -1)"
  fi
done

echo "== win64 (tests under wine64)"
export WINEPREFIX="$root/build/wineprefix"
export WINEDEBUG=-all
rm -rf "$WINEPREFIX"
# The display comes first: a prefix booted without one cannot make windows
# for the rest of the server's life.
if [ -z "${DISPLAY:-}" ]; then
  Xvfb :97 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:97
  for _ in $(seq 50); do [ -e /tmp/.X11-unix/X97 ] && break; sleep 0.1; done
fi
trap 'kill ${xvfb_pid:-} 2>/dev/null || true; /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
# One persistent server for the whole run: a server that lingers and exits
# between two test programs resets their connections.
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"
run_ctest win64 || status=1

echo "== win32 (the shipped program)"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs" || status=1

echo
echo "== summary (native, asan, win64)"
passed=0 failed=0
for s in "${summaries[@]}"; do
  echo "$s"
  if [[ $s =~ ([0-9]+)\ tests\ failed\ out\ of\ ([0-9]+) ]]; then
    failed=$((failed + BASH_REMATCH[1])); passed=$((passed + BASH_REMATCH[2] - BASH_REMATCH[1]))
  fi
done
echo "tests: $passed passed, $failed failed"
exit $status
