#!/usr/bin/env bash
# Installs the tools if needed and cross-builds the given targets of the Windows
# program into build/win (all of them when none is named); where this machine runs no
# 32-bit code, into build/win64 as x86-64 (see windows-build.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
source scripts/windows-build.sh
cmake -S . -B "$win_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$win_toolchain" >/dev/null 2>&1
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build "$win_dir" -j2 "${targets[@]}" >/dev/null
