#!/usr/bin/env bash
# Builds Pelvar with warnings as errors and runs every test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELVAR_BUILD_DIR:-$root/build}"
"$root/scripts/build.sh" -DPELVAR_WERROR=ON -DPELVAR_BUILD_TESTS=ON
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
