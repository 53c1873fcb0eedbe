#!/usr/bin/env bash
# Counts the Wine server requests a program makes from its start to its first idle
# moment, a figure that does not depend on the machine's load. Run inside
# wine-bench.sh:
#   server-requests.sh BUILD_DIR PROGRAM.exe...
# Each program is started once to warm up and then five times; prints the median of
# the five for each. The idle moment is the one that wakes WaitForInputIdle: the first
# time a thread of the program waits on its own message queue for anything but the
# reply to a message it sent.
set -euo pipefail

build=$1
shift
bench="$build/benchmarks/windows/program_bench.exe"
trace=$(mktemp)
server=""
finish() {
  [[ -n "$server" ]] && { wineserver -k >/dev/null 2>&1 || true; wait "$server" 2>/dev/null || true; }
  rm -f "$trace"
}
trap finish EXIT

# The trace goes to the server's standard error, so this script starts the server of
# its own prefix itself, with every request traced.
wineserver -k >/dev/null 2>&1 || true
wineserver -f -p -d1 2>"$trace" &
server=$!
names=()
for exe in "$@"; do
  path="Z:$(realpath "$exe")"
  wine "$bench" launch "${path//\//\\}" 6
  names+=("$(basename "$exe" .exe)")
done
wineserver -k >/dev/null 2>&1 || true
wait "$server" 2>/dev/null || true
server=""

awk -v names="${names[*]}" '
function field(text, key) {
  if (!match(text, key "=[0-9a-f]+")) return ""
  return substr(text, RSTART + length(key) + 1, RLENGTH - length(key) - 1)
}
function idle(p) { done[p] = total[p]; order[p] = ++idles }
{
  tid = substr($0, 1, 4)
  rest = substr($0, 7)
  request = rest ~ /^[a-z0-9_]+\( /
  if (request && rest ~ /^init_(first_)?thread\( /) {
    delete proc[tid]; delete queue[tid]; mask[tid] = ""
    if (rest ~ /^init_thread/ && (tid in created)) proc[tid] = created[tid]
  }
  if (rest ~ /^new_process\( / && match(rest, /[A-Za-z0-9_]+\.exe/)) {
    command[tid] = substr(rest, RSTART, RLENGTH - 4)
  } else if (rest ~ /^new_process\(\) = 0 /) {
    name[field(rest, "pid")] = command[tid]
  } else if (rest ~ /^init_first_thread\(\) = 0 /) {
    proc[tid] = field(rest, "pid")
    total[proc[tid]]++  # its own request, read before the thread was known
  } else if (rest ~ /^new_thread\(\) = 0 / && (tid in proc)) {
    created[field(rest, "tid")] = proc[tid]
  } else if (rest ~ /^get_msg_queue\(\) = 0 /) {
    queue[tid] = field(rest, "handle")
  }
  if (!(tid in proc)) next
  p = proc[tid]
  if (p in done) next
  if (request) {
    total[p]++
    if (rest ~ /^set_queue_mask\( /) mask[tid] = field(rest, "wake_mask")
    if (rest ~ /^get_message\( /) {
      asked[tid] = field(rest, "wake_mask"); thread_only[tid] = rest ~ /get_win=ffffffff/
    }
    # A wait on the queue signals the idle event unless it waits for QS_SMRESULT (8000).
    if (rest ~ /^select\( / && (tid in queue) && match(rest, /handles=\{[0-9a-f,]*\}/)) {
      handles = "," substr(rest, RSTART + 9, RLENGTH - 10) ","
      if (index(handles, "," queue[tid] ",") && substr(mask[tid], 5, 1) !~ /[89a-f]/) idle(p)
    }
  } else if (rest ~ /^get_message\(\) = PENDING/) {
    mask[tid] = asked[tid]
    if (thread_only[tid]) idle(p)
  }
}
END {
  n = split(names, wanted, " ")
  for (i = 1; i <= n; i++) {
    count = 0
    for (k = 1; k <= idles; k++)
      for (p in order)
        if (order[p] == k && name[p] == wanted[i]) runs[++count] = done[p]
    line = ""
    m = 0
    for (k = 2; k <= count; k++) {  # the first start warms up
      line = line " " runs[k]
      sorted[++m] = runs[k]
    }
    for (a = 2; a <= m; a++)
      for (b = a; b > 1 && sorted[b - 1] > sorted[b]; b--) {
        t = sorted[b]; sorted[b] = sorted[b - 1]; sorted[b - 1] = t
      }
    printf "server_requests %s median=%d runs=%s\n", wanted[i], sorted[int((m + 1) / 2)], substr(line, 2)
  }
}' "$trace"
