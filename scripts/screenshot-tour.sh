#!/usr/bin/env bash
# Opens the strip board of a running console, types one departure into it and saves a picture
# of the window: ./scripts/screenshot-tour.sh out.png (with DISPLAY set).
set -euo pipefail
out=$1
wid=$(xdotool search --sync --name "^Tarvos V7.4$" | head -n1)
# Positions in pixels inside the window (15 twips to the pixel).
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; sleep 0.3; }
# The first METAR arrives half a second after start and makes tl.txt and then rwy.txt, which a
# note each announces (at an airport that rwy.txt does not know, one more tells that its runways
# were added, and one that ICAO.txt was made): close the notes, then fetch again so that the
# runways are chosen from the new file.
closeNotes() {
    for note in $(xdotool search --name "^Tarvos$" 2>/dev/null); do
        xdotool windowfocus --sync "$note" key Return 2>/dev/null || true
    done
    sleep 0.3
}
for _ in 1 2 3 4; do closeNotes; done
click 300 11            # AutoAtis
sleep 1
click 367 11            # DEP: open the strip board
click 80 124            # Callsign of the first strip
xdotool type --delay 80 "dlh"
sleep 0.5
xdotool key Return      # the note that airlines.txt was created
sleep 0.3
click 80 124
xdotool type --delay 80 "dlh123"
click 200 124           # Dest
xdotool type --delay 80 "EDDF"
click 280 124           # via
xdotool type --delay 80 "b5l"
sleep 0.5
xdotool key Return      # the note that shortcut.txt was created, if the via field knows it
sleep 0.3
click 280 124
xdotool key ctrl+a BackSpace
xdotool type --delay 80 "b5l"
xdotool type --delay 80 "a"      # the focus is in Squawk after the shortcut
click 80 152            # Callsign of the second strip
xdotool type --delay 80 "cfg440"
click 662 124           # Fa: the first strip is cleared (red), the clearance is on the clipboard
sleep 0.5
import -window "$wid" "$out"
