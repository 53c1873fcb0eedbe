#!/usr/bin/env bash
# Runs one command in an isolated Wine environment on a virtual X screen of its own.
#   wine-bench.sh BUILD_DIR COMMAND [ARGS...]
# The Wine prefix lives in BUILD_DIR/wineprefix: created once, then reused. The Xvfb
# and the wineserver started here are the only processes stopped at the end.
set -euo pipefail

build=$(realpath "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)

export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=ja_JP.UTF-8
export LC_ALL=ja_JP.UTF-8
unset LANGUAGE
: "${QUILLFEN_SCREEN:=1280x1024x24}"

work=$(mktemp -d)
xvfb_pid=""
cleanup() {
  status=$?
  wineserver -k >/dev/null 2>&1 || true
  if [[ -n "$xvfb_pid" ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
  exit "$status"
}
trap cleanup EXIT INT TERM

# QUILLFEN_USE_DISPLAY=1 keeps the caller's X display (to use the program on screen);
# otherwise -displayfd lets a private Xvfb pick a free display and say which it took.
if [[ "${QUILLFEN_USE_DISPLAY:-0}" != 1 ]]; then
  Xvfb -displayfd 5 -screen 0 "$QUILLFEN_SCREEN" -nolisten tcp -nolisten unix-abstract \
    5>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [[ -s "$work/display" ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$work/display")"
fi

if [[ ! -f "$WINEPREFIX/.quillfen-ready" ]]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  # regedit reads UTF-16 files; the face names below are Japanese.
  iconv -f UTF-8 -t UTF-16 "$here/wine-settings.reg" >"$work/settings.reg"
  wine regedit /S "$work/settings.reg" >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.quillfen-ready"
fi
# Marlett draws the caption buttons' glyphs; setup.sh keeps a copy (see there), and the
# prefix's font folder is read by every Wine process.
if [[ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]]; then
  cp /usr/local/share/quillfen/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

"$@"
