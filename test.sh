#!/usr/bin/env bash
# Installs what is missing, builds Veyra and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/setup.sh"
build="${VEYRA_BUILD_DIR:-$here/build}"
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
