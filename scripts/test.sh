#!/usr/bin/env bash
# Installs what is missing, then builds and runs the whole suite three times: in the
# normal build (warnings are errors), under AddressSanitizer+UBSan and under
# ThreadSanitizer; then each fuzz target for 10 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
jobs=$(nproc)
for preset in default asan tsan; do
  echo "== $preset"
  scripts/build.sh "$preset"
  if [ "$preset" = default ]; then
    cmake --build --preset default --target benchmarks all_qmllint
  fi
  ctest --preset "$preset" -j "$jobs"
done
scripts/fuzz.sh 10
# The Debian package, built from a clean copy of the sources; KELVARA_PACKAGE=0 skips it.
if [ "${KELVARA_PACKAGE:-1}" != 0 ]; then
  echo "== package"
  scripts/package.sh
fi
