#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang, libFuzzer, ASan and UBSan) and runs each
# for SECONDS (default 20) from its seed corpus, which fuzz_seeds writes afresh with the
# program's own encoders. Prints each target's executions per second; exits
# non-zero on any finding (crash, leak, sanitizer report, time-out) and keeps the input
# that caused it under build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"

scripts/build.sh fuzz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=build/fuzz/findings
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
export QT_QPA_PLATFORM=offscreen

failed=()
build/fuzz/tests/fuzz/fuzz_seeds "$work/seeds"
for seeds in "$work"/seeds/*/; do
  target=$(basename "$seeds")
  mkdir -p "$work/$target" "$findings"
  cp "$seeds"* "$work/$target/"
  log="$work/$target.log"
  if build/fuzz/tests/fuzz/"$target" -max_total_time="$seconds" -timeout=10 \
       -print_final_stats=1 -artifact_prefix="$findings/$target-" "$work/$target" >"$log" 2>&1; then
    status=ok
  else
    status=FINDING
    failed+=("$target")
  fi
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
  printf '%-26s %-8s %8s exec/s\n' "$target" "$status" "${rate:-?}"
  if [ "$status" != ok ]; then
    grep -E 'ERROR|SUMMARY|runtime error|Test unit written' "$log" | head -n 20 >&2 || tail -n 30 "$log" >&2
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]} (inputs under $findings)" >&2
  exit 1
fi
