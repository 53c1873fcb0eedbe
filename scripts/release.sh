#!/usr/bin/env bash
# Builds the release: the shipped i686 program (whichever Wine this machine runs) in
# build/win, packed as build/win/release/Quillfen-2.03b-win32.zip with SHA256SUMS beside.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || { echo "The set-up did not finish (it says why above), so nothing was built."; exit 1; }
mkdir -p build
log=$PWD/build/release.log
if ! { cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake &&
  cmake --build build/win -j2 --target package; } >"$log" 2>&1; then
  tail -n 20 "$log"
  echo "The release did not build (the whole log: $log)."
  exit 1
fi
echo "The release is build/win/release/Quillfen-2.03b-win32.zip; its SHA-256 sums:"
cat build/win/release/SHA256SUMS
