#!/usr/bin/env bash
# Configures and builds one preset (default: "default"), through ccache where it is
# installed; paths inside the clone are hashed relative to it, so another clone of the
# same sources finds the same cache.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
if command -v ccache >/dev/null; then
  export CMAKE_CXX_COMPILER_LAUNCHER="${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}"
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
cmake --preset "$preset" --no-warn-unused-cli >/dev/null
cmake --build --preset "$preset"
