#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window on the built-in virtual lens.
# Extra arguments go to the program (for example --simulate=prime-z).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
scripts/build.sh default
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run.sh: no display to open the window on; run it in a desktop session," \
       "or headless with: xvfb-run scripts/run.sh (Debian package xvfb)" >&2
  exit 1
fi
args=("$@")
[ ${#args[@]} -gt 0 ] || args=(--simulate)
exec build/default/src/app/kelvara-lens-utility "${args[@]}"
