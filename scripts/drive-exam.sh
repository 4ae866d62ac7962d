#!/bin/bash
# Drives the real program from outside, as a viewer would, on an exam it has never seen: a
# virtual screen (Xvfb) with a window manager, keys and mouse clicks sent with xdotool, and the
# results file it writes compared byte for byte with the expected one. Screenshots of each step
# are left in the work folder. Needs the packages of scripts/setup.sh and a built program.
#   scripts/drive-exam.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin=${1:-$here/build}/bin/pelvar
work=$(mktemp -d /tmp/pelvar-drive.XXXXXX)
display=:$((90 + RANDOM % 100))
mkdir -p "$work/list" "$work/config" "$work/results" "$work/shots"
cp "$here/samples/mapa.png" "$here/samples/formes.png" "$here/samples/grafic.png" "$work/list/"

python3 - "$work" <<'PY'
import base64, sys
work = sys.argv[1]
lines = [("", "", "Prova", "d'examen"),
         ("mapa.png", "XP", "Capital d'Itàlia?", "*Roma|París|Londres"),
         ("formes.png", "XP", "Ciutat?", "&Girona"),
         ("grafic.png", "XP", "Quants?", "Un//<1|Dos//<2|Tres//<3")]
with open(f"{work}/list/prova.sal", "wb") as f:
    for l in lines:
        f.write("\t".join(list(l) + ["", ""]).encode("cp1252") + b"\r\n")
with open(f"{work}/list/prova.ini", "w") as f:
    f.write("[PresSort]\r\nShowingModel=2\r\n[AloneAnswer]\r\nByInput=1\r\nWithMask=1\r\n"
            "ChangeIncorrectChar=1\r\nCheckAtEnd=0\r\nMaxIncorrections=2\r\n")
with open(f"{work}/config/pelvar.ini", "w") as f:
    f.write("[WriteResults]\r\nWrite=1\r\nDir=%s\r\nSalPath=0\r\nDuration=0\r\nTime=0\r\n"
            % base64.b64encode(f"{work}/results".encode()).decode())
PY

Xvfb "$display" -screen 0 1280x800x24 </dev/null >/dev/null 2>&1 &
xvfb=$!
trap 'kill $app $wm $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
openbox </dev/null >/dev/null 2>&1 &
wm=$!
sleep 0.5
(cd "$work/list" && PELVAR_CONFIG_DIR="$work/config" AUDPLUG_PCM=null "$bin" /A:Maria --play prova.sal \
    </dev/null >"$work/pelvar.log" 2>&1) &
app=$!
sleep 3

n=0
step() { sleep 0.7; n=$((n + 1)); ffmpeg -loglevel error -y -f x11grab -video_size 1280x800 -i "$display" \
    -frames:v 1 "$work/shots/$n.png" </dev/null; }
xdotool search --sync --onlyvisible --name "Barra=" windowfocus </dev/null; step
xdotool key space </dev/null; step                   # title -> first question
xdotool key Tab Down </dev/null; step                # keyboard: onto "París"
xdotool key space </dev/null; step                   # wrong: the correct answer is shown
xdotool key Return </dev/null; step                  # close it -> typed answer "G*****"
xdotool type --delay 120 irx </dev/null; step        # "x" is corrected to "o": one mistake
xdotool type --delay 120 na </dev/null; xdotool key Return </dev/null; step
xdotool mousemove 640 788 click 1 </dev/null; step  # the mouse: "Dos", worth 2 of 3
xdotool key Return </dev/null; step                  # close the mark
kill $app 2>/dev/null || true

expected=$(mktemp)
python3 - "$expected" <<'PY'
import datetime, sys
msg = ("S'ha obtingut la puntuació de 2,7\r\n= nota (sobre 10): 5,3\r\n"
       "Representa 53% de la puntuació màxima (5,0)\r\nCorrectes: 2, incorrectes: 1, total: 3")
text = datetime.date.today().strftime("%d/%m/%Y") + "\r\n\r\nprova\r\n\r\n" + msg + "\r\n\r\n"
open(sys.argv[1], "wb").write(text.encode("cp1252"))
PY
if cmp -s "$expected" "$work/results/Maria.txt"; then
    echo "drive-exam: the results file is as expected (screenshots in $work/shots)"
else
    echo "drive-exam: the results file differs (screenshots in $work/shots)" >&2
    cat -A "$work/results/Maria.txt" >&2 || true
    exit 1
fi
