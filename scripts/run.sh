#!/usr/bin/env bash
# Installs what is missing, builds, and talks to the built-in virtual lens.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
scripts/build.sh default
exec build/default/src/cli/kelvara-lens-cli --simulate probe "$@"
