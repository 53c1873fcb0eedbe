# Sourced by the scripts that build or run the Windows program. Chooses the Windows build
# this machine can run:
#   win_dir          build/win, the shipped i686 program, where the 32-bit Wine starts;
#                    otherwise build/win64, the same sources built for x86-64, run under
#                    the 64-bit Wine
#   win_toolchain    the CMake toolchain file of that build
#   host_runs_32bit  0 or 1: the kernel runs 32-bit programs (some virtual machines have
#                    IA-32 emulation switched off)
#   wine32_runs      0 or 1: the 32-bit Wine is installed and starts. It may be missing
#                    on a machine that runs 32-bit code, when the set-up could not
#                    install it (Debian's i386 packages lag the amd64 ones while a
#                    mirror is mid-sync); the next set-up installs it, and the scripts
#                    then go back to build/win.
# Where the x86-64 build runs, the bin folder of build/wine64 is put first on PATH:
# `wine` and `wineboot` there start the 64-bit Wine, since Debian's wrappers always
# prefer wine32.

host_runs_32bit=0
/lib/ld-linux.so.2 --version >/dev/null 2>&1 && host_runs_32bit=1
# The loader's own --version starts the 32-bit binary, so it fails for a missing package,
# a missing i386 library and a kernel without IA-32 emulation alike. (The set-up's test
# points QUILLFEN_WINE32_LOADER elsewhere to stand for a machine without it.)
wine32_runs=0
"${QUILLFEN_WINE32_LOADER:-/usr/lib/wine/wine}" --version >/dev/null 2>&1 && wine32_runs=1

if ((wine32_runs)); then
  win_dir=build/win
  win_toolchain=cmake/toolchain-i686-mingw.cmake
else
  win_dir=build/win64
  win_toolchain=cmake/toolchain-x86_64-mingw.cmake
  shim=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine64/bin
  if [[ ! -x "$shim/wineboot" ]]; then
    mkdir -p "$shim"
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 "$@"\n' \
      >"$shim/wine"
    printf '#!/bin/sh\nexport WINELOADER=/usr/lib/wine/wine64\nexec /usr/lib/wine/wine64 wineboot.exe "$@"\n' \
      >"$shim/wineboot"
    chmod +x "$shim/wine" "$shim/wineboot"
  fi
  [[ ":$PATH:" == *":$shim:"* ]] || export PATH="$shim:$PATH"
  unset shim
fi

win32_notice() {
  ((wine32_runs)) && return 0
  local why="this machine's kernel runs no 32-bit code"
  ((host_runs_32bit)) && why="the 32-bit Wine (wine32) is not installed or does not start here"
  echo "NOTE: $why, so the shipped i686 program cannot start under Wine: the x86-64 build" \
    "of the same sources ($win_dir) runs instead, under the 64-bit Wine." >&2
}
