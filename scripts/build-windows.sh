#!/usr/bin/env bash
# Installs the tools if needed and cross-builds the given targets of the Windows
# program into build/win (all of them when none is named).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake >/dev/null 2>&1
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake --build build/win -j2 "${targets[@]}" >/dev/null
