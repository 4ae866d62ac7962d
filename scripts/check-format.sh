#!/usr/bin/env bash
# Fails when a C++ file of ours differs from what clang-format (Debian 12's, version 14) makes of
# it with the committed .clang-format. `scripts/check-format.sh --fix` rewrites them instead.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
clang-format --dry-run --Werror "${files[@]}"
echo "check-format: ${#files[@]} files follow .clang-format"
