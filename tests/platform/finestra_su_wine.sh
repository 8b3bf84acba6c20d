#!/usr/bin/env bash
# The Windows program's own window and message box, under Wine on a virtual
# screen. Started as from the desktop (`start` gives it a console of its
# own), a run that ends in code 1250 shows the wait window, 280 by 179
# pixels, and a message box; one press of Enter closes the box, and the
# program ends with status 1 having written no binary file. What each
# window says is read from a picture of it: "Attendere" in the wait window,
# "Errore n. 1250" in the box.
# Usage: finestra_su_wine.sh WINE ERRORE_IN_FINESTRA.exe
set -euo pipefail
wine=$1 programma=$(realpath "$2")
for strumento in Xvfb xdotool xwd xwdtopnm tesseract; do
    if ! command -v $strumento >/dev/null; then
        echo "skipped: $strumento is not installed"
        exit 77
    fi
done
# Windows go to the desktop of the Wine session, which keeps the display it
# began with: a session the other tests began without one must end first
# (the test runs alone), and this one before its screen goes, or the
# session's end would break the programs the next tests start.
wineserver="$(dirname "$wine")/wineserver"
"$wineserver" -w
lavoro=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$lavoro/display" 2>/dev/null &
xvfb=$!
trap '"$wineserver" -w; kill $xvfb; rm -rf "$lavoro"' EXIT
until [ -s "$lavoro/display" ]; do sleep 0.1; done
export DISPLAY=:$(cat "$lavoro/display") WINEDEBUG=-all
mkdir "$lavoro/uscita"
stato=0
"$wine" start /wait /unix "$programma" "$lavoro/uscita" >/dev/null 2>&1 &
corsa=$!

finestre=()
for _ in $(seq 300); do
    mapfile -t finestre < <(xdotool search --onlyvisible --name '^compattatore$' 2>/dev/null || true)
    [ ${#finestre[@]} -ge 2 ] && break
    sleep 0.1
done
if [ ${#finestre[@]} -lt 2 ]; then
    echo "the wait window and the box did not both appear: ${#finestre[@]} window(s)"
    kill $corsa 2>/dev/null || true
    exit 1
fi
attesa="" scatola=""
for f in "${finestre[@]}"; do
    if xdotool getwindowgeometry "$f" | grep -q 'Geometry: 280x179'; then attesa=$f; else scatola=$f; fi
done
[ -n "$attesa" ] || { echo "no window of 280 by 179 pixels"; kill $corsa 2>/dev/null || true; exit 1; }

# The window's text as OCR reads it: grey, four times the size (the system
# font is small), then black on white, which reads better than anti-aliased
# grey.
testo() {
    xwd -silent -id "$1" | xwdtopnm 2>/dev/null | ppmtopgm | pamscale 4 | pamthreshold -simple -threshold 0.6 |
        pamtopnm | pnmtopng >"$lavoro/finestra.png"
    tesseract "$lavoro/finestra.png" - --psm 6 -l eng 2>/dev/null
}
# A window just shown may not be painted yet: its text is read again for a while.
dice() {
    local letto=""
    for _ in $(seq 20); do
        letto=$(testo "$1")
        grep -q "$2" <<<"$letto" && return 0
        sleep 0.25
    done
    echo "the ${3} does not say \"$2\"; read: $letto"
    kill $corsa 2>/dev/null || true
    exit 1
}
dice "$attesa" 'Attendere' "wait window"
dice "$scatola" 'Errore n\. 1250' "message box"
xdotool windowactivate --sync "$scatola" 2>/dev/null || true
xdotool key --window "$scatola" Return
wait $corsa || stato=$?
[ "$stato" = 1 ] || { echo "exit status $stato after the box, not 1"; exit 1; }
if ls "$lavoro/uscita" | grep -q '\.\(dat\|sim\)$'; then
    echo "binary files written: $(ls "$lavoro/uscita")"
    exit 1
fi
