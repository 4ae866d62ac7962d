#!/usr/bin/env bash
# Builds Pelvar when needed and plays the bundled sample presentation.
# Usage: scripts/run.sh [pelvar arguments]   (default: --play Mostra.sal)
# The program runs from inside samples/, where the sample's bare file names resolve.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELVAR_BUILD_DIR:-$root/build}"
# The build is incremental: nothing is recompiled when the sources have not changed.
"$root/scripts/build.sh"
cd "$root/samples"
if [ "$#" -eq 0 ]; then
  set -- --play Mostra.sal
fi
exec "$build/bin/pelvar" "$@"
