# Sourced by the scripts that build or run the Windows program. Chooses the Windows build
# this machine can run:
#   win_dir        build/win, the shipped i686 program; build/win64 where the kernel runs
#                  no 32-bit code (some virtual machines have IA-32 emulation switched
#                  off, so wine32 cannot start), the same sources built for x86-64
#   win_toolchain  the CMake toolchain file of that build
#   host_runs_32bit  0 or 1
# On such a machine the bin folder of build/wine64 is put first on PATH: `wine` and
# `wineboot` there start the 64-bit Wine, since Debian's wrappers always prefer wine32.

if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  host_runs_32bit=1
  win_dir=build/win
  win_toolchain=cmake/toolchain-i686-mingw.cmake
else
  host_runs_32bit=0
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
  ((host_runs_32bit)) && return 0
  echo "NOTE: this machine's kernel runs no 32-bit code, so the shipped i686 program cannot" \
    "start under Wine here: the x86-64 build of the same sources ($win_dir) runs instead," \
    "under the 64-bit Wine." >&2
}
