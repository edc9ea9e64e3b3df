#!/usr/bin/env bash
# Installs the Debian packages Veyra needs (only what is missing) and configures the build tree.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev libsqlite3-dev
          libgtest-dev libgmock-dev libbenchmark-dev libicu-dev libnova-dev fonts-noto-cjk
          libgl-dev qt6-translations-l10n)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

build="${VEYRA_BUILD_DIR:-$here/build}"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${VEYRA_BUILD_TYPE:-RelWithDebInfo}"
fi
