#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh test
cmake --preset linux
cmake --build --preset linux -j "$(nproc)"
ctest --preset linux -j "$(nproc)"
