#!/usr/bin/env bash
# Makes the help's pictures from the real windows: the window check saves every window and
# dialog it opens, the examples' play test saves the main window at each slide, and the ones the
# help pages show are copied to help/images/ (made smaller with pngquant when it is installed).
# Run it after a build with the tests (scripts/build.sh -DPELVAR_BUILD_TESTS=ON) and commit what
# changes.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${PELVAR_BUILD_DIR:-$root/build}"
images="$root/help/images"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/windows" "$work/examples" "$images"

export QT_QPA_PLATFORM=offscreen QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox
PELVAR_TEST_SHOTS="$work/windows" "$build/tests/app.ui.WindowSanityTest" >"$work/windows.log" 2>&1 ||
    { cat "$work/windows.log"; exit 1; }
PELVAR_EXAMPLE_SHOTS="$work/examples" "$build/tests/app.ui.ExamplesPlayTest" >"$work/examples.log" 2>&1 ||
    { cat "$work/examples.log"; exit 1; }

# The picture saved by a test, under the name the help uses.
pick() {
    local from="$work/$1" to="$images/$2"
    [ -f "$from" ] || { echo "help-screenshots: $1 was not saved" >&2; exit 1; }
    if command -v pngquant >/dev/null; then
        pngquant --force --skip-if-larger --quality 70-95 --output "$to" -- "$from" || cp "$from" "$to"
    else
        cp "$from" "$to"
    fi
}

pick "examples/Esquelet1 03.png" finestra-principal.png
pick "windows/La finestra principal amb una pregunta de botons.png" pregunta-de-botons.png
pick "windows/Editor de paraules i significats.png" editor-de-paraules.png
pick "windows/Editor de taules d'imatges i sons, fila 1.png" editor-d-imatges.png
pick "windows/Opcions de mode de presentació.png" mode-de-presentacio.png
pick "windows/Aspectes interiors, imatge 1.png" pagina-de-la-imatge.png
pick "windows/Benvinguda i instal·lació d'exemples.png" benvinguda.png
pick "windows/Opcions de l'administrador.png" opcions-administrador.png
pick "examples/Capitals 02.png" exemple-capitals.png
pick "examples/Fada 03.png" exemple-fada.png
ls -l "$images"
