#!/usr/bin/env bash
# Prints every performance figure of the project: the logic's time per call (Google
# Benchmark, natively), the exhaustive proof's run time, and, under Wine, the program's
# start-up against a minimal window program, the Calculate key's latency and the size
# of the executable.
set -euo pipefail
cd "$(dirname "$0")/.."
# Sets the machine up first (once), then builds the Windows programs measured below.
bash scripts/build-windows.sh Quillfen2b program_bench minimal_window bare_controls
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/native -j2 --target logic_benchmarks trip_proof >/dev/null
# --- instruction counts: build
cmake --build build/native -j2 --target logic_counts >/dev/null
# --- end instruction counts: build
source scripts/windows-build.sh
if ((!wine32_runs)); then
  # The size is the shipped i686 program's; the Wine figures below are of the x86-64 build.
  win32_notice
  cmake -S . -B build/win -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake >/dev/null
  cmake --build build/win -j2 --target Quillfen2b >/dev/null
fi
export win_dir

echo "== logic, ns per call (median of 10 repetitions)"
build/native/benchmarks/logic_benchmarks --benchmark_repetitions=10 \
  --benchmark_report_aggregates_only=true 2>/dev/null | grep _median
# --- instruction counts (valgrind's callgrind; they repeat whatever else runs)
# Total instructions of one run of a command.
instructions() {
  local out
  out=$(mktemp)
  valgrind --tool=callgrind --callgrind-out-file="$out" "$@" >/dev/null 2>&1
  awk '/^totals:/ {print $2}' "$out"
  rm -f "$out"
}
# Instructions per unit: a run of N units and one of 2N, so the set-up cancels out.
# per_unit UNITS_IN_N COMMAND_FOR_N -- COMMAND_FOR_2N
per_unit() {
  local units=$1 small=() large=()
  shift
  while [[ $1 != -- ]]; do small+=("$1"); shift; done
  shift
  large=("$@")
  awk -v a="$(instructions "${small[@]}")" -v b="$(instructions "${large[@]}")" -v n="$units" \
    'BEGIN { printf "%.1f", (b - a) / n }'
}
counts=build/native/benchmarks/logic_counts
proof=build/native/tools/proof/trip_proof
echo "== instructions per call (callgrind, native, h:mm:ss with ':', Japanese designators)"
echo "CalculateTrip day   $(per_unit 1000 $counts day 1000 -- $counts day 2000) (at most 1200)"
echo "CalculateTrip night $(per_unit 1000 $counts night 1000 -- $counts night 2000) (at most 1300)"
# Every departure second has 86,399 trips: 10 departures against 20, on one thread.
echo "proof, per trip     $(per_unit $((10 * 86399)) $proof --threads 1 --every 8640 -- \
  $proof --threads 1 --every 4320) (at most 60)"
# --- end instruction counts

echo "== exhaustive proof, native"
build/native/tools/proof/trip_proof | tail -n 3
echo "== executable"
stat -c 'Quillfen2b.exe %s bytes (at most 212992)' build/win/app/Quillfen2b.exe
echo "== under Wine ($win_dir)"
scripts/wine-bench.sh "$win_dir" bash -c '
  exe="Z:$PWD/$win_dir/app/Quillfen2b.exe"
  minimal="Z:$PWD/$win_dir/benchmarks/windows/minimal_window.exe"
  wine $win_dir/benchmarks/windows/program_bench.exe startup "${exe//\//\\}" "${minimal//\//\\}" 21
  # The floor: the same standard controls created bare, against the same minimal window.
  bare="Z:$PWD/$win_dir/benchmarks/windows/bare_controls.exe"
  wine $win_dir/benchmarks/windows/program_bench.exe startup "${bare//\//\\}" "${minimal//\//\\}" 21 |
    sed "s/^startup runs=\([0-9]*\) quillfen_/startup_bare_controls runs=\1 bare_/"
  wine $win_dir/benchmarks/windows/program_bench.exe latency "${exe//\//\\}" 50
' 2>&1 | grep -E '^(startup|calculate_latency)'

# --- Start-up in Wine server requests, a count that does not depend on the load ---
# From process start to the first idle moment (what wakes WaitForInputIdle), the
# median of 5 starts after a warm-up, for the minimal window, the bare controls and
# Quillfen; the target is at most 1.10 times the bare controls.
echo "== start-up, Wine server requests to the first idle moment"
scripts/wine-bench.sh "$win_dir" bash scripts/server-requests.sh "$win_dir" \
  "$win_dir/benchmarks/windows/minimal_window.exe" "$win_dir/benchmarks/windows/bare_controls.exe" \
  "$win_dir/app/Quillfen2b.exe" 2>&1 | grep '^server_requests' |
  awk '{ print; split($3, m, "="); v[$2] = m[2] }
       END { printf "server_requests_ratio quillfen_to_bare_controls=%.3f quillfen_to_minimal=%.3f\n",
             v["Quillfen2b"] / v["bare_controls"], v["Quillfen2b"] / v["minimal_window"] }'
# --- end of the server request counts ---
