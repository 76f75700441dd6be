#!/usr/bin/env bash
# Compares the window with an empty Qt Quick Controls window, offscreen:
#  (a) time from launch to the first frame (median of several runs): at the first launch,
#      which opens on the start page, and at a later one, which opens on the connect page,
#  (b) peak resident memory: the utility after connecting to the virtual lens, the empty
#      window after its first frame,
#  (c) the GUI thread's longest stall during a firmware update through the window.
# Aims: (a) within 1.5x the empty window's, (b) within 1.5x, (c) no stall over 50 ms.
# The virtual lens runs as its own process (kelvara-lens-sim), as a dock would be outside the
# program: its pseudo-terminal and update server are not counted against the window.
# usage: bench/bench_window.sh [BUILD_DIR]   (default build/default)
set -euo pipefail

build=$(realpath "${1:-build/default}")
utility="$build/src/app/kelvara-lens-utility"
empty="$build/bench/bench_empty_window"
stall="$build/bench/bench_window_stall"
sim="$build/sim/kelvara-lens-sim"
for program in "$utility" "$empty" "$stall" "$sim"; do
  [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 1; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 1; }

runs=${RUNS:-9}
export QT_QPA_PLATFORM=offscreen QT_QUICK_BACKEND=software
# Preferences, the window's frame, backups and logs go to a scratch place, not the user's.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" XDG_STATE_HOME="$scratch/state"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

"$sim" --link "$scratch/tty" --http-port 0 --no-stdin >"$scratch/sim.out" 2>&1 &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 100); do
  grep -q '^update server: ' "$scratch/sim.out" && break
  sleep 0.05
done
server=$(sed -n 's/^update server: //p' "$scratch/sim.out")
[ -n "$server" ] || { echo "the virtual lens did not start:" >&2; cat "$scratch/sim.out" >&2; exit 1; }
lens=(--port "$scratch/tty" --server "$server")

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

# Milliseconds from launch to the first frame reported by the program.
first_frame_ms() {
  local start out
  start=$(date +%s%N)
  out=$(KELVARA_BENCH_EXIT=first-frame "$@" 2>&1 >/dev/null | grep '^first-frame-ns ')
  echo $(( (${out#first-frame-ns } - start) / 1000000 ))
}

# Peak resident memory in KiB of one run.
peak_kib() {
  /usr/bin/time -f '%M' -o "$scratch/peak" "$@" >/dev/null 2>&1
  cat "$scratch/peak"
}

collect() {
  local what=$1; shift
  for _ in $(seq "$runs"); do "$what" "$@"; done | median
}

# One run each first, so that both start from warm file caches.
first_frame_ms "$empty" >/dev/null
first_frame_ms "$utility" "${lens[@]}" >/dev/null

empty_ms=$(collect first_frame_ms "$empty")
text_ms=$(collect first_frame_ms "$empty" --with-text)
utility_ms=$(collect first_frame_ms "$utility" "${lens[@]}")
# A user who put the start page away.
mkdir -p "$scratch/later/Kelvara"
printf '[General]\nshowStartPage=true\n' >"$scratch/later/Kelvara/LensUtility.conf"
later_ms=$(XDG_CONFIG_HOME="$scratch/later" collect first_frame_ms "$utility" "${lens[@]}")
empty_kib=$(KELVARA_BENCH_EXIT=first-frame collect peak_kib "$empty")
utility_kib=$(KELVARA_BENCH_EXIT=connected collect peak_kib "$utility" "${lens[@]}")

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
printf '%-44s %12s %14s %7s %6s\n' "" "utility" "empty window" "ratio" "aim"
printf '%-44s %9s ms %11s ms %6sx %5sx\n' "(a) launch to first frame (median of $runs)" \
  "$utility_ms" "$empty_ms" "$(ratio "$utility_ms" "$empty_ms")" "1.5"
printf '%-44s %9s ms %11s ms %6sx %5sx\n' "    the same, start page put away" \
  "$later_ms" "$empty_ms" "$(ratio "$later_ms" "$empty_ms")" "1.5"
# Not an aim: what a page with nothing but a title, a paragraph, a check box and a button
# costs against the same empty window, the least any first page of text pays.
printf '%-44s %9s ms %11s ms %6sx\n' "    a window with two labels and two controls" \
  "$text_ms" "$empty_ms" "$(ratio "$text_ms" "$empty_ms")"
printf '%-44s %8s KiB %10s KiB %6sx %5sx\n' "(b) peak memory (connected / first frame)" \
  "$utility_kib" "$empty_kib" "$(ratio "$utility_kib" "$empty_kib")" "1.5"
"$stall"
