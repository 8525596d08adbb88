#!/usr/bin/env bash
# Installs what is missing, builds the Linux and the Windows program, and runs the whole test
# suite: the Linux build natively, again under the sanitizers, and the Windows build under Wine.
# Every build is tried and its result printed at the end, also when another one cannot be made.
set -uo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh test || exit 1
jobs=$(nproc)
summary=()
status=0

# run_build NAME PRESET: configures, builds and tests one preset, with the extra arguments in the
# arrays configure_args, build_args and ctest_args, and records the outcome under NAME.
run_build() {
    local name=$1 preset=$2 start=$SECONDS outcome
    echo "=== $name ==="
    if ! cmake --preset "$preset" "${configure_args[@]}" ||
        ! cmake --build --preset "$preset" -j "$jobs" "${build_args[@]}"; then
        outcome="NOT BUILT"
    elif ! ctest --preset "$preset" -j "$jobs" "${ctest_args[@]}"; then
        outcome="FAILED (the failing tests are listed above)"
    else
        outcome="passed"
    fi
    [ "$outcome" = passed ] || status=1
    summary+=("$name: $outcome in $((SECONDS - start)) s")
    [ "$outcome" != "NOT BUILT" ]
}

# A contributor's desktop names a display, which changes what the GL tests' processes allocate:
# the sanitizer build's GL tier runs once more with a virtual display in DISPLAY.
gl_tier_with_a_display() {
    local start=$SECONDS work outcome=passed previous=${DISPLAY-}
    work=$(mktemp -d)
    echo "=== The sanitizer build's GL tests with a display named ==="
    source tools/virtual_display.sh
    if ! start_virtual_display "$work"; then
        outcome="NOT RUN (no virtual display)"
    elif ! ctest --preset linux-asan -j "$jobs" -L gl; then
        outcome="FAILED (the failing tests are listed above)"
    fi
    stop_virtual_display
    rm -rf "$work"
    if [ -n "$previous" ]; then export DISPLAY=$previous; else unset DISPLAY; fi
    [ "$outcome" = passed ] || status=1
    summary+=("Sanitizers, GL tests with a display named: $outcome in $((SECONDS - start)) s")
}

configure_args=() build_args=() ctest_args=()
linux_built=
run_build "Linux" linux && linux_built=yes

run_build "Linux under AddressSanitizer and UndefinedBehaviorSanitizer" linux-asan &&
    gl_tier_with_a_display

# The Windows tests compare GDI's bitmaps and the Windows pictures with the Linux build's.
configure_args=() build_args=() ctest_args=()
if [ -n "$linux_built" ]; then
    configure_args=(-DDOT3BUMP_LINUX_ASSETS_TOOL="$PWD/build/linux/dot3bump-assets"
        -DDOT3BUMP_LINUX_E2E_ARTIFACTS="$PWD/build/linux/tests/e2e/artifacts")
fi
missing=
for tool in x86_64-w64-mingw32-g++-posix wine wineboot; do
    command -v "$tool" >/dev/null || missing+=" $tool"
done
if [ -n "$missing" ]; then
    summary+=("Windows: NOT BUILT:$missing not installed")
    status=1
else
    run_build "Windows (MinGW-w64, tested under Wine)" windows
fi

echo "=== Results ==="
printf '%s\n' "${summary[@]}"
exit $status
