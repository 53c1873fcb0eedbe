#!/usr/bin/env bash
# The release rebuilt byte for byte: the sources copied into a second, differently named
# folder and the release built there, in a build folder of another name, must give the
# same SHA-256 for Quillfen2b.exe and for the ZIP as BUILD_DIR's release; and neither
# program may hold a path of the folders it was built in.
#   reproducible-release-test.sh BUILD_DIR   (an i686 build folder, configured)
set -uo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "$1")
other=$(realpath -m "build/rebuild-$RANDOM$RANDOM")
trap 'rm -rf "$other"' EXIT

# Both builds take their ZIP time from the commit; the copy has no repository of its own.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 0)
export SOURCE_DATE_EPOCH
mkdir -p "$other/sources-elsewhere"
git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' f; do [[ -e "$f" ]] && printf '%s\0' "$f"; done |
  xargs -0 cp --parents -t "$other/sources-elsewhere" ||
  { echo "FAILED: could not copy the sources"; exit 1; }

log=$other.log
if ! cmake --build "$build" -j2 --target package >"$log" 2>&1 ||
  ! cmake -S "$other/sources-elsewhere" -B "$other/out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake >>"$log" 2>&1 ||
  ! cmake --build "$other/out" -j2 --target package >>"$log" 2>&1; then
  tail -n 30 "$log"
  echo "FAILED: a release build did not finish (log: $log)"
  exit 1
fi
rm -f "$log"

bad=0
for f in app/Quillfen2b.exe release/Quillfen-2.03b-win32.zip; do
  a=$(sha256sum <"$build/$f" | cut -d' ' -f1)
  b=$(sha256sum <"$other/out/$f" | cut -d' ' -f1)
  if [[ "$a" == "$b" ]]; then
    echo "ok: $(basename "$f") is the same in both folders: $a"
  else
    echo "FAILED: $(basename "$f") differs: $a in $build, $b in $other/out"
    bad=1
  fi
done
if cmp -s "$build/release/SHA256SUMS" "$other/out/release/SHA256SUMS"; then
  echo "ok: SHA256SUMS is the same in both folders"
else
  echo "FAILED: SHA256SUMS differs"; bad=1
fi
for exe in "$build/app/Quillfen2b.exe" "$other/out/app/Quillfen2b.exe"; do
  if { strings -a "$exe"; strings -a -e l "$exe"; } |
    grep -qF -e "$PWD" -e "$build" -e "$other"; then
    echo "FAILED: $exe holds a path of a build folder"; bad=1
  fi
done
((bad)) || echo "ok: neither program holds a path of a build folder"
exit "$bad"
