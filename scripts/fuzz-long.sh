#!/usr/bin/env bash
# Runs both fuzz builds of the logic (x86-64 SSE and 32-bit x87) side by side for a given
# time and prints, for each: executions, coverage, findings, what the oracle compared, the
# logic's functions reached and the lines of the logic never reached.
#   bash scripts/fuzz-long.sh SECONDS      (default 600)
# Corpora stay in build/fuzz/fuzz/corpus-*, so a later run goes on from an earlier one;
# findings land in build/fuzz/fuzz/findings-*/.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
dir=build/fuzz/fuzz

bash scripts/setup.sh >/dev/null || { echo "setup failed"; exit 1; }
source scripts/windows-build.sh
runner=()
((host_runs_32bit)) || runner=(qemu-i386-static)
mkdir -p build
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUILLFEN_FUZZ=ON -DQUILLFEN_X87_RUNNER="${runner[*]}" >build/fuzz.configure.log 2>&1 &&
  cmake --build build/fuzz -j2 --target logic_fuzzer logic_fuzzer_x87 >build/fuzz.build.log 2>&1 ||
  { tail -n 40 build/fuzz.configure.log build/fuzz.build.log; exit 1; }

# Allocation stacks are not needed to report a wrong result and cost a third of the time.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0:quarantine_size_mb=16}
pids=()
for fuzzer in logic_fuzzer logic_fuzzer_x87; do
  mkdir -p "$dir/corpus-$fuzzer" "$dir/findings-$fuzzer"
  launch=("$dir/$fuzzer")
  seeds=(fuzz/seeds)
  if [[ $fuzzer == logic_fuzzer_x87 && ${#runner[@]} -gt 0 ]]; then
    # An emulated 32-bit process cannot list folders here (see fuzz/CMakeLists.txt).
    launch=("${runner[@]}" "$dir/$fuzzer")
    printf '%s\n' fuzz/seeds/* "$dir/corpus-$fuzzer"/* | grep -v '\*$' | paste -sd, >"$dir/seeds-$fuzzer.txt"
    # After a signal the emulator restores no x87 state: no per-input timer (SIGALRM).
    seeds=("-seed_inputs=@$dir/seeds-$fuzzer.txt" -timeout=0)
  fi
  "${launch[@]}" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 -print_coverage=1 \
    -max_len=1024 -dict=fuzz/logic.dict -artifact_prefix="$dir/findings-$fuzzer/" \
    "$dir/corpus-$fuzzer" "${seeds[@]}" >"$dir/long-$fuzzer.log" 2>&1 &
  pids+=($!)
done
status=0
for i in 0 1; do
  wait "${pids[$i]}" || status=1
done

total=0
for fuzzer in logic_fuzzer logic_fuzzer_x87; do
  log="$dir/long-$fuzzer.log"
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  total=$((total + ${runs:-0}))
  echo "== $fuzzer"
  echo "executions: ${runs:-none}"
  grep -E '^#[0-9]+ +DONE' "$log" | tail -n1 | sed -E 's/^#[0-9]+ +DONE +/coverage: /'
  echo "findings: $(find "$dir/findings-$fuzzer" -type f | wc -l)"
  grep -E '^oracle:' "$log" | tail -n1
  echo "functions of the logic reached (edges covered/instrumented):"
  grep -E '^COVERED_FUNC' "$log" | grep -E ' [^ ]*logic/[A-Za-z]+\.cpp:' |
    sed -E 's/^COVERED_FUNC: hits: [0-9]+ edges: ([0-9]+\/[0-9]+) (.*) [^ ]*(logic\/[^ ]*)$/  \1 \2/' |
    sed -E 's/\(std::[^)]*\)/(...)/; s/\[abi:cxx11\]//'
  for wanted in ClockSettingsFromLocale ClockTimeToText SplitClockTime TextToClockTime CalculateTrip; do
    grep -qE "^COVERED_FUNC.* quillfen::$wanted(\[abi:cxx11\])?\(" "$log" || { echo "NOT REACHED: $wanted"; status=1; }
  done
  cut=$(sed -nE 's/^oracle: ([0-9]+) cut texts.*/\1/p' "$log" | tail -n1)
  ((${cut:-0} > 0)) || { echo "NOT REACHED: the 256-byte cut"; status=1; }
  echo "lines of the logic never reached:"
  awk '/^(COVERED|UNCOVERED)_FUNC/ {logic = $0 ~ / [^ ]*logic\/[A-Za-z]+\.cpp:/}
       logic && /UNCOVERED_PC: .*logic\/[A-Za-z]+\.cpp:[1-9]/ {sub(/.*logic\//, "logic/"); print}' "$log" |
    sort -u -t: -k1,1 -k2,2n | while IFS=: read -r file line; do
      printf '  %s:%s %s\n' "$file" "$line" "$(sed -n "${line}p" "$file" | sed 's/^ *//')"
    done
  [[ -z "$(find "$dir/findings-$fuzzer" -type f)" ]] || status=1
done
echo "== executions, both builds: $total"
exit $status
