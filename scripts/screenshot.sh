#!/usr/bin/env bash
# Shows what a user sees: builds the Windows program (build/win64 unless
# OVISTO_BUILD names another build folder), prepares a program directory
# with a few pages whose second check found changes (served by a loopback
# web server, added and checked with ovisto-cli.exe), starts ovisto.exe on it
# under Wine on its own virtual display and saves a PNG of the main window
# per language: <build>/screenshots/main-<code>.png, and one of each dialog
# it opens by command (find-<code>.png); the property dialogs, the options
# dialog and the message window of a notification are pictured by window
# tests (prop-<dialog>-<code>.png, options-<code>.png, message-<code>.png,
# message-stop-<code>.png).
#   bash scripts/screenshot.sh [enu] [rus]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${OVISTO_BUILD:-build/win64}
out="$root/$build/screenshots"
display=${OVISTO_SHOT_DISPLAY:-:93}
languages=("$@")
[ ${#languages[@]} -gt 0 ] || languages=(enu rus)
wine=/usr/lib/wine/wine64

if [ ! -f "$build/bin/ovisto.exe" ] || [ ! -f "$build/bin/ovisto-cli.exe" ]; then
  cmake --preset win64 >/dev/null
  cmake --build "$build" -j "$(nproc)" --target ovisto ovisto-cli ov_language_modules
fi
mkdir -p "$out"
x86_64-w64-mingw32-g++ -O1 -static -municode scripts/screenshot/window-shot.cpp -o "$out/window-shot.exe" \
  -lgdi32 -luser32

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  WINEPREFIX="$WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

if [ ! -e "/tmp/.X11-unix/X${display#:}" ]; then
  Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
fi
export DISPLAY=$display WINEDEBUG=-all WINEPREFIX=${WINEPREFIX:-$root/$build/wineprefix-shots}
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p
$wine wineboot -i >/dev/null 2>&1 || true

# The pages, served on a free loopback port.
site="$work/site"
mkdir -p "$site"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >/dev/null 2>&1 &
pids+=($!)
sleep 1
page() {  # file title paragraphs...
  local file=$1 title=$2; shift 2
  { echo "<html><head><title>$title</title></head><body>"
    for p in "$@"; do echo "<p>$p</p>"; done
    echo "</body></html>"; } > "$site/$file"
}

for lang in "${languages[@]}"; do
  dir="$work/$lang"
  mkdir -p "$dir"
  cp "$build/bin/ovisto.exe" "$build/bin/ovenu.dll" "$build/bin/ovrus.dll" "$dir/"
  printf '[Options]\r\nlanguage=%s\r\nwidth1=38\r\n[Window]\r\nX=20\r\nY=20\r\nW=800\r\nH=500\r\nshow=1\r\n' \
    "$lang" > "$dir/ovisto.ini"
  # Three rounds of checks: the first stores the copies, the next two find
  # changes, so the result pane shows two checks with several changes each,
  # Cyrillic and other UTF-8 texts and a link among them.
  if [ "$lang" = rus ]; then
    names=("Прогноз погоды" "Новости" "Курсы валют" "Блог")
    round1=("Завтра ясно." "Ветер слабый.")
    round2=("Завтра дождь." "Ветер сильный, до 15 м/с." "Ночью заморозки." "Подробнее: <a href=\"/radar.htm\">карта осадков</a>")
    round3=("Завтра дождь." "Ветер сильный, до 15 м/с." "Ночью заморозки." "Подробнее: <a href=\"/radar.htm\">карта осадков</a>" "Température 15 °C, Ελλάδα: ηλιοφάνεια." "В выходные снег и гололёд на дорогах, будьте осторожны за рулём и не оставляйте машины под деревьями.")
  else
    names=("Weather report" "News" "Exchange rates" "Blog")
    round1=("Sunny tomorrow." "Light wind.")
    round2=("Rain tomorrow." "Strong wind, up to 15 m/s." "Frost at night." "More: <a href=\"/radar.htm\">rain radar</a>")
    round3=("Rain tomorrow." "Strong wind, up to 15 m/s." "Frost at night." "More: <a href=\"/radar.htm\">rain radar</a>" "Température 15 °C, Ελλάδα: ηλιοφάνεια, Москва: снег." "Snow and ice on the roads at the weekend: drive carefully and do not leave cars parked under the trees.")
  fi
  page weather.htm "${names[0]}" "${round1[@]}"
  page rates.htm "${names[2]}" "EUR 1.08" "GBP 1.27"
  page blog.htm "${names[3]}" "First post"
  cli() { (cd "$dir" && $wine "$root/$build/bin/ovisto-cli.exe" --dir . "$@" >/dev/null); }
  url="http://127.0.0.1:$port"
  cli add "$url/weather.htm" --name "${names[0]}" --period 86400 --color FFE8A0
  cli add-folder "${names[1]}"
  cli add "$url/rates.htm" --name "${names[2]}" --in "${names[1]}" --period 86400 --color C8F0C8
  cli add "$url/blog.htm" --name "${names[3]}" --in "${names[1]}" --period 86400
  cli check
  sleep 2
  page weather.htm "${names[0]}" "${round2[@]}"
  page rates.htm "${names[2]}" "EUR 1.09" "GBP 1.27"
  cli check
  sleep 2  # the server answers "not modified" within the copy's second
  page weather.htm "${names[0]}" "${round3[@]}"
  cli check

  (cd "$dir" && exec $wine ./ovisto.exe) &
  program=$!
  pids+=($program)
  $wine "$out/window-shot.exe" OrvexWindowClass "$work/main-$lang.bmp" 60000
  python3 scripts/screenshot/bmp2png.py "$work/main-$lang.bmp" "$out/main-$lang.png"
  # The dialogs the main window opens by command: the search (208).
  for shot in find:208; do
    $wine "$out/window-shot.exe" "#32770" "$work/${shot%%:*}-$lang.bmp" 30000 "OrvexWindowClass:${shot##*:}"
    python3 scripts/screenshot/bmp2png.py "$work/${shot%%:*}-$lang.bmp" "$out/${shot%%:*}-$lang.png"
    echo "$out/${shot%%:*}-$lang.png"
  done
  kill "$program" 2>/dev/null || true
  WINEPREFIX="$WINEPREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
  /usr/lib/wine/wineserver -p
  echo "$out/main-$lang.png"
done

# The dialogs pictured by window tests in both languages.
cmake --build "$build" -j "$(nproc)" --target test_ui ov_language_modules >/dev/null
/usr/lib/wine/wineserver -p 2>/dev/null || true
(cd "$build/bin" && OVISTO_SHOT_DIR="Z:$out" $wine ./test_ui.exe \
  --gtest_filter='*ShotsOfEveryDialogInEveryLanguage*:OptionsDialogTest.LayoutFitsInBothLanguages:MainWindowTest.MessageWindowPicturesInBothLanguages' >/dev/null)
ls "$out"/prop-*.png "$out"/options-*.png "$out"/message-*.png
