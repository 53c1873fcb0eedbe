#!/usr/bin/env bash
# Every test of the project, from a fresh machine: installs the tools, builds natively
# (plain and with AddressSanitizer + UndefinedBehaviorSanitizer), runs the logic, media
# and proof tests, fuzzes a minute each in the x86-64 and the 32-bit x87 build, then
# cross-builds the Windows program and runs its tests under Wine on a virtual screen. It
# also checks the set-up against a mirror in mid-sync (stand-ins for apt) and that the
# release, rebuilt from a copy of the sources in another folder, has the same bytes.
set -uo pipefail
cd "$(dirname "$0")/.."
jobs=2

bash scripts/setup.sh || { echo "The set-up did not finish (it says why above), so no test ran."; exit 1; }
source scripts/windows-build.sh
x87_runner=(-DQUILLFEN_X87_RUNNER=)
((host_runs_32bit)) || x87_runner=(-DQUILLFEN_X87_RUNNER=qemu-i386-static)

passed=0
failed=0
failures=()

# Runs one ctest suite and adds its counts to the totals.
count_ctest() {
  local name=$1 log=$2
  local line total bad
  line=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -n1)
  if [[ -z "$line" ]]; then
    failed=$((failed + 1))
    failures+=("$name (no result)")
    return
  fi
  total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
  bad=$(sed -E 's/.* ([0-9]+) tests? failed.*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
  ((bad == 0)) || failures+=("$name")
}

build() {
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja "$@" >"$dir.configure.log" 2>&1 &&
    cmake --build "$dir" -j"$jobs" >"$dir.build.log" 2>&1 ||
    { tail -n 40 "$dir.configure.log" "$dir.build.log" 2>/dev/null; return 1; }
}

ctest_suite() {
  local name=$1 dir=$2
  shift 2
  echo "=== $name"
  local log="$dir.ctest.log"
  "$@" ctest --test-dir "$dir" --output-on-failure 2>&1 | tee "$log" | grep -E "Test +#|tests passed|Failed|\*\*\*" || true
  count_ctest "$name" "$log"
}

mkdir -p build

# Runs one check that passes or fails as a whole.
check() {
  local name=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1)); failures+=("$name")
  fi
}

echo "=== include check (layers include only downward; program words only in ui/forms)"
check "include check" python3 scripts/check-includes.py

echo "=== set-up against a mirror in mid-sync (stand-in apt-get)"
check "set-up with a mirror in mid-sync" bash tests/scripts/setup-mirror-test.sh

echo "=== native build"
if build build/native -DCMAKE_BUILD_TYPE=Release; then
  ctest_suite "native tests" build/native
else
  failed=$((failed + 1)); failures+=("native build")
fi

echo "=== sanitizer build"
if build build/native-asan -DCMAKE_BUILD_TYPE=Debug -DQUILLFEN_SANITIZE=ON; then
  ctest_suite "sanitizer tests" build/native-asan
else
  failed=$((failed + 1)); failures+=("sanitizer build")
fi

echo "=== fuzz build"
if CC=clang CXX=clang++ build build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLFEN_FUZZ=ON "${x87_runner[@]}"; then
  ctest_suite "fuzzing (60 s each: x86-64, 32-bit x87)" build/fuzz
else
  failed=$((failed + 1)); failures+=("fuzz build")
fi

i686_built=0
if ((!wine32_runs)); then
  win32_notice
  echo "=== windows build (i686, built only)"
  build build/win -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-mingw.cmake &&
    i686_built=1
  check "windows build (i686)" test "$i686_built" = 1
fi
echo "=== windows build ($win_dir)"
if build "$win_dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$win_toolchain"; then
  [[ "$win_dir" != build/win ]] || i686_built=1
  ctest_suite "windows tests (Wine)" "$win_dir" scripts/wine-bench.sh "$win_dir"
else
  failed=$((failed + 1)); failures+=("windows build")
fi

echo "=== release rebuilt in another folder (same SHA-256)"
if ((i686_built)); then
  check "reproducible release" bash tests/scripts/reproducible-release-test.sh build/win
else
  failed=$((failed + 1)); failures+=("reproducible release (no i686 build)")
fi

echo
if ((${#failures[@]})); then
  printf 'failed: %s\n' "${failures[@]}"
fi
win32_notice 2>&1
echo "$passed passed, $failed failed"
((failed == 0))
