#!/usr/bin/env bash
# Runs one command in an isolated Wine environment on a virtual X screen of its own.
#   wine-bench.sh [--ordinary LOCALE|own] BUILD_DIR COMMAND [ARGS...]
# The Wine prefix lives in BUILD_DIR/wineprefix: created once, then reused, with the
# bench's settings (Japanese locale, font replacements). With --ordinary the command runs
# under LOCALE (e.g. en_US.UTF-8; "own": the caller's LANG and LC_* as they are) in a
# prefix as a user's own would be, made by `wineboot -i` alone: BUILD_DIR/prefix-en_US.
# The Xvfb and the wineserver started here are the only processes stopped at the end.
set -euo pipefail

ordinary=""
if [[ "${1:-}" == --ordinary ]]; then
  ordinary=$2
  shift 2
fi
build=$(realpath "$1")
shift
here=$(cd "$(dirname "$0")" && pwd)
# Puts the 64-bit Wine first where this machine runs no 32-bit code.
source "$here/windows-build.sh"

if [[ "$ordinary" == own ]]; then
  # Wine takes the regional formats from the messages category.
  own=${LC_ALL:-${LC_MESSAGES:-${LANG:-C}}}
  export WINEPREFIX="$build/prefix-${own%%.*}"
elif [[ -n "$ordinary" ]]; then
  export WINEPREFIX="$build/prefix-${ordinary%%.*}"
  export LANG=$ordinary
  export LC_ALL=$ordinary
  unset LANGUAGE
else
  export WINEPREFIX="$build/wineprefix"
  export LANG=ja_JP.UTF-8
  export LC_ALL=ja_JP.UTF-8
  unset LANGUAGE
fi
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
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
  if [[ -z "$ordinary" ]]; then
    # regedit reads UTF-16 files; the face names below are Japanese.
    iconv -f UTF-8 -t UTF-16 "$here/wine-settings.reg" >"$work/settings.reg"
    wine regedit /S "$work/settings.reg" >/dev/null 2>&1
    wineserver -w
  fi
  touch "$WINEPREFIX/.quillfen-ready"
fi
# Marlett draws the caption buttons' glyphs; setup.sh keeps a copy (see there), and the
# prefix's font folder is read by every Wine process.
if [[ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]]; then
  cp /usr/local/share/quillfen/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi

"$@"
