#!/usr/bin/env bash
# Builds Veyra a second time, in build-asan/ beside build/, under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test there. The first error a sanitizer finds ends its
# test with a failure. Run ./test.sh (or scripts/setup.sh) first: it installs what the build needs.
#
#   VEYRA_ASAN_BUILD_DIR   the build folder (default: build-asan/ in the source tree)
#   VEYRA_ASAN_TIMEOUT     seconds one test may take under the sanitizers (default 600)
#   CMAKE_CXX_COMPILER_LAUNCHER, CMAKE_C_COMPILER_LAUNCHER
#                          read by CMake at the first configuration, e.g. =ccache for your own runs
# Arguments are passed on to ctest (e.g. -R ChartWindow).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${VEYRA_ASAN_BUILD_DIR:-$here/build-asan}"

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
if [ ! -f "$build/build.ninja" ]; then
    # -O1 keeps the sanitized build and its tests quick enough and the stack traces readable.
    cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g -DNDEBUG" \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g -DNDEBUG" \
        -DCMAKE_C_FLAGS="$sanitizers" -DCMAKE_CXX_FLAGS="$sanitizers" \
        -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DCMAKE_SHARED_LINKER_FLAGS="$sanitizers" \
        -DCMAKE_MODULE_LINKER_FLAGS="$sanitizers"
fi

# The build itself runs sanitized programs (the rule database's builder, the tests' listing), so the
# options hold from here on. A leak fails its test too.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout "${VEYRA_ASAN_TIMEOUT:-600}" "$@"
