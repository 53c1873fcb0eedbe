#!/usr/bin/env bash
# Builds the program and runs it under Wine in the user's own locale, in a plain Wine
# prefix of its own (build/win/prefix-<locale>; build/win64 where the machine runs no
# 32-bit code, see windows-build.sh). With a usable X display it opens there;
# without one it starts on a virtual screen, saves a screenshot and closes it again.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build-windows.sh Quillfen2b
source scripts/windows-build.sh
win32_notice
exe=$win_dir/app/Quillfen2b.exe

# Japanese where no locale is set, only C/POSIX, or one the system has not generated.
# The locale is handed to the programs started from here and never set in this shell:
# the set-up above may have only just generated it, and a process that read the
# system's locale archive before then (this one) cannot switch to it (bash would warn
# "setlocale: LC_ALL: cannot change locale").
own=${LC_ALL:-${LC_MESSAGES:-${LANG:-}}}
locale_env=()
if [[ "${own%%.*}" =~ ^(|C|POSIX)$ || -n "$(locale 2>&1 >/dev/null)" ]]; then
  echo "Locale \"$own\" not usable here: running under ja_JP.UTF-8."
  locale_env=(LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8)
elif [[ -z "${LC_ALL:-}" && -n "${LC_TIME:-}" ]]; then
  # Wine reads the regional formats from the messages category only.
  locale_env=(LC_MESSAGES="$LC_TIME")
fi

# Wine leaves a window's frame and caption to the window manager. On a display that is
# the user's desktop; the virtual screen below has none, so there Wine is told to draw
# them itself, for this program only and only for that run. A run on a display first
# takes away what such a run may have left when it was cut short.
export frame_key='HKCU\Software\Wine\AppDefaults\Quillfen2b.exe\X11 Driver'
# Removes that key, and the program's own key above it if nothing else is in it.
unframe() {
  wine reg delete "$frame_key" /f >/dev/null 2>&1
  if [[ -z "$(wine reg query "${frame_key%\\*}" 2>/dev/null | tr -d '\r\n')" ]]; then
    wine reg delete "${frame_key%\\*}" /f >/dev/null 2>&1
  fi
}
export -f unframe

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  exec env "${locale_env[@]}" QUILLFEN_USE_DISPLAY=1 scripts/wine-bench.sh --ordinary own \
    "$win_dir" bash -c '
      if grep -qF "Quillfen2b.exe\\\\X11 Driver]" "$WINEPREFIX/user.reg" 2>/dev/null; then unframe; fi
      exec wine "$1"
    ' run "$exe"
fi

mkdir -p build/screenshots
shot=$PWD/build/screenshots/main-window.png
echo "No X display: starting the program on a virtual screen."
env "${locale_env[@]}" scripts/wine-bench.sh --ordinary own "$win_dir" bash -c '
  wine reg add "$frame_key" /v Decorated /d N /f >/dev/null 2>&1
  wine "$1" &
  pid=$!
  for _ in $(seq 100); do
    xdotool search --name "^Quillfen_2.03b$" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  import -window root "$2"
  xdotool search --name "^Quillfen_2.03b$" key --window %1 alt+F4 >/dev/null 2>&1 || true
  wait "$pid"
  unframe
' run "$exe" "$shot"
echo "The program ran on a virtual screen; its window is in $shot"
