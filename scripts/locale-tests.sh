#!/usr/bin/env bash
# The program as a user outside the bench meets it: a plain Wine prefix (no face replaced)
# under another locale. The trips typed from the keyboard must give the memo in that
# locale's format, every text must have its glyphs in its font (checked inside the
# process), and screenshots of the results, the wrong-order dialog, both drop-downs and
# the About box are kept in BUILD_DIR/locale-shots/<locale>/.
#   locale-tests.sh BUILD_DIR LOCALE        (e.g. build/win en_US.UTF-8)
set -euo pipefail
build=$(realpath "$1")
locale=$2
here=$(cd "$(dirname "$0")" && pwd)
shots="$build/locale-shots/${locale%%.*}"
rm -rf "$shots"
mkdir -p "$shots"

exec "$here/wine-bench.sh" --ordinary "$locale" "$build" bash -c '
  set -euo pipefail
  build=$1
  shots=$2
  exe=$build/app/Quillfen2b.exe
  QUILLFEN_EXE=$exe wine "$build/tests/blackbox/blackbox_tests.exe" --gtest_brief=1 \
    --gtest_filter="Program.WorkedExamples*:ProgramMenu.*"
  wine "$build/tests/ui/gui_tests.exe" --gtest_brief=1 --gtest_filter="GlyphCoverage.*"

  # Without a window manager the windows have no frame: each shot is the window itself,
  # with room beside the main window for a drop-down.
  wait_for() {
    local id
    for _ in $(seq 200); do
      id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)
      [[ -n "$id" ]] && { echo "$id"; return 0; }
      sleep 0.1
    done
    echo "no window named $1 (the screen is in $shots/failure.png)" >&2
    import -window root "$shots/failure.png"
    return 1
  }
  shot() {
    local id WIDTH HEIGHT X Y
    id=$(wait_for "$1")
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$id")"
    import -window root -crop "$((WIDTH + $3))x$((HEIGHT + $4))+${X}+${Y}" "$shots/$2"
  }
  # With no window manager nothing gives a window the keyboard focus: point at it and
  # focus it. A dialog is closed by a click on its OK button (at the foot, in the middle).
  point_at() {
    local id
    id=$(wait_for "$1")
    xdotool mousemove --window "$id" 30 30 windowfocus "$id"
    sleep 0.2
  }
  click_ok() {
    local id WIDTH HEIGHT X Y
    id=$(wait_for "$1")
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 20)) click 1
    sleep 1
  }
  keys() {
    for k in "$@"; do
      xdotool key "$k"
      sleep 0.1
    done
  }
  wine "$exe" &
  pid=$!
  point_at "^Quillfen_2.03b$"
  sleep 1
  keys 9 Return 0 5 Return 0 0 Return 1 1 Return 2 0 Return 3 0 Return 0 Return Return
  shot "^Quillfen_2.03b$" day-trip.png 0 0
  keys 2 3 Return 3 0 Return 0 0 Return 0 Return 1 5 Return 0 0 Return 1 Return Return
  shot "^Quillfen_2.03b$" night-trip.png 0 0
  keys 1 0 Return 0 0 Return 0 0 Return 9 Return 0 0 Return 0 0 Return 0 Return Return
  shot "^エラー$" wrong-order-dialog.png 0 0
  click_ok "^エラー$"
  point_at "^Quillfen_2.03b$"
  keys alt+p
  shot "^Quillfen_2.03b$" menu-paw.png 160 0
  keys Escape Escape alt+h
  shot "^Quillfen_2.03b$" menu-help.png 160 0
  keys a
  shot "^バージョン情報$" about-box.png 0 0
  click_ok "^バージョン情報$"
  point_at "^Quillfen_2.03b$"
  keys alt+F4
  wait "$pid"
' locale-tests "$build" "$shots"
