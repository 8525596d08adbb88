#!/usr/bin/env bash
# Installs what is missing, builds the Linux and the Windows program, and runs the whole test
# suite: the Linux build natively, the Windows build under Wine.
set -uo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh test || exit 1
jobs=$(nproc)

echo "=== Linux build ==="
cmake --preset linux && cmake --build --preset linux -j "$jobs" || exit 1
ctest --preset linux -j "$jobs"
linux=$?

echo "=== Linux build with AddressSanitizer and UndefinedBehaviorSanitizer: the asset tool ==="
cmake --preset linux-asan &&
    cmake --build --preset linux-asan -j "$jobs" --target dot3bump-assets cube_variants \
        dot3bump_data_files || exit 1
ctest --preset linux-asan -L tool
asan=$?

echo "=== Windows build (MinGW-w64, tested under Wine) ==="
for tool in x86_64-w64-mingw32-g++-posix wine wineboot; do
    if ! command -v "$tool" >/dev/null; then
        echo "*** THE WINDOWS TESTS CANNOT RUN: $tool is not installed. ***" >&2
        exit 1
    fi
done
cmake --preset windows && cmake --build --preset windows -j "$jobs" || exit 1
source tests/e2e/wine_env.sh
wine_env_init "$(mktemp -d)" || exit 1
trap wine_env_cleanup EXIT
ctest --preset windows -j "$jobs"
windows=$?

[ $linux -eq 0 ] || echo "*** Linux tests failed ***" >&2
[ $asan -eq 0 ] || echo "*** Linux sanitizer tests failed ***" >&2
[ $windows -eq 0 ] || echo "*** Windows tests failed ***" >&2
[ $linux -eq 0 ] && [ $asan -eq 0 ] && [ $windows -eq 0 ]
