#!/usr/bin/env bash
# Takes the README's screenshots of the real program on a virtual screen: the main
# window with a result, an open drop-down of the menu bar, and the About box.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build-windows.sh Quillfen2b
source scripts/windows-build.sh
export win_dir
mkdir -p docs/screenshots

QUILLFEN_SCREEN=800x600x24 scripts/wine-bench.sh "$win_dir" bash -c '
  set -euo pipefail
  out=docs/screenshots
  wine "$win_dir/app/Quillfen2b.exe" &
  pid=$!
  for _ in $(seq 100); do
    xdotool search --name "^Quillfen_2.03b$" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  # Crops a window (with a margin for drop-downs) out of the whole screen.
  shot() {
    local id geometry
    id=$(xdotool search --name "$1" | head -n1)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    import -window root -crop "$(( WIDTH + $3 ))x$(( HEIGHT + $4 ))+${X}+${Y}" "$out/$2"
  }
  # A night train from 23:30:00 to 0:15:00, typed as a user would.
  for k in 2 3 Return 3 0 Return 0 0 Return 0 Return 1 5 Return 0 0 Return 1 Return Return; do
    xdotool key "$k"
    sleep 0.05
  done
  sleep 0.5
  shot "^Quillfen_2.03b$" main-window.png 0 0
  xdotool key alt+p
  sleep 0.5
  shot "^Quillfen_2.03b$" menu-open.png 160 0
  xdotool key Escape Escape
  sleep 0.3
  xdotool key alt+h
  sleep 0.3
  xdotool key a
  sleep 0.8
  shot "^バージョン情報$" about-box.png 0 0
  xdotool key Return
  sleep 0.3
  xdotool key alt+F4
  wait "$pid"
'
echo "Screenshots are in docs/screenshots/"
