#!/usr/bin/env bash
# Installs what is missing, builds Veyra and starts it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/setup.sh"
build="${VEYRA_BUILD_DIR:-$here/build}"
cmake --build "$build"
exec "$build/bin/veyra" "$@"
