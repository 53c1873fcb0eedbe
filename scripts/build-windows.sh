#!/usr/bin/env bash
# Installs the tools if needed and cross-builds the given targets of the Windows
# program into build/win (all of them when none is named); where the 32-bit Wine does
# not run here, into build/win64 as x86-64 (see windows-build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || { echo "The set-up did not finish (it says why above), so nothing was built."; exit 1; }
source scripts/windows-build.sh
mkdir -p build
log=$PWD/$win_dir.build.log
targets=()
for t in "$@"; do targets+=(--target "$t"); done
if ! { cmake -S . -B "$win_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$win_toolchain" && cmake --build "$win_dir" -j2 "${targets[@]}"; } >"$log" 2>&1; then
  tail -n 20 "$log"
  echo "The Windows program did not build in $win_dir (the whole log: $log)."
  exit 1
fi
