#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a temporary root and checks the
# installed programs: `tarvos --version`, the dependencies dpkg-shlibdeps computed, and one start
# on a fresh HOME under the X display in DISPLAY, against the installed recorded network. The
# data files must go to the per-user data folder, the window must appear with the class the
# launcher entry names, and SIGTERM must end it with squawk.txt written.
#   packaging/test-installed.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
tmp=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$(ls "$tmp"/pkg/tarvos_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6network6 libc6 qt6-qpa-plugins; do
    [[ $depends == *"$lib"* ]] || fail "Depends lacks $lib"
done
root="$tmp/root"
dpkg-deb -x "$deb" "$root"
for f in usr/bin/tarvos usr/bin/tarvos-netsim usr/share/applications/tarvos.desktop \
    usr/share/icons/hicolor/scalable/apps/tarvos.svg usr/share/icons/hicolor/48x48/apps/tarvos.png \
    usr/share/man/man1/tarvos.1.gz usr/share/man/man1/tarvos-netsim.1.gz \
    usr/share/doc/tarvos/changelog.gz usr/share/tarvos/netsim/upd.txt; do
    [ -e "$root/$f" ] || fail "the package lacks $f"
done
metainfo=$(ls "$root"/usr/share/metainfo/*.metainfo.xml) || fail "the package lacks the metainfo"

version=$("$root/usr/bin/tarvos" --version)
[ "$version" = "Tarvos V7.4" ] || fail "tarvos --version printed '$version'"

# The start gets an X display of its own, as a fresh desktop session has one: what other tests
# left on the shared display cannot reach it. Without Xvfb, the display in DISPLAY is used.
# -noreset: otherwise the server resets itself when xdpyinfo, its last client, leaves, and the
# program's connection right after would be refused.
if command -v Xvfb >/dev/null; then
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$tmp/display" \
        >/dev/null 2>&1 &
    pids+=($!)
    for _ in $(seq 1 100); do [ -s "$tmp/display" ] && break; sleep 0.1; done
    [ -s "$tmp/display" ] && export DISPLAY=":$(head -n1 "$tmp/display")"
    for _ in $(seq 1 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
    echo "no X display: the start was not tried"
    exit 77
fi

# The installed recorded network on a free port, so that the start never leaves the machine.
"$root/usr/bin/tarvos-netsim" >"$tmp/netsim.out" 2>&1 &
pids+=($!)
for _ in $(seq 1 100); do grep -q '^metar-noaa=' "$tmp/netsim.out" && break; sleep 0.1; done
grep -q "serving $root/usr/share/tarvos/netsim" "$tmp/netsim.out" ||
    fail "tarvos-netsim does not serve the installed recordings: $(cat "$tmp/netsim.out")"

export HOME="$tmp/home"
mkdir -p "$HOME"
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_CACHE_HOME WINEPREFIX
data="$HOME/.local/share/Tarvos"
mkdir -p "$data"
grep -E '^(status|update|ipecho|metar-network|metar-noaa|airports)=' "$tmp/netsim.out" >"$data/network.txt"

QT_QPA_PLATFORM=xcb "$root/usr/bin/tarvos" >"$tmp/tarvos.out" 2>&1 &
pid=$!
pids+=("$pid")
wid=""
for _ in $(seq 1 300); do
    wid=$(xdotool search --onlyvisible --pid "$pid" --name '^Tarvos V7\.4$' 2>/dev/null | head -n1) &&
        [ -n "$wid" ] && break
    kill -0 "$pid" 2>/dev/null || { cat "$tmp/tarvos.out"; fail "tarvos ended at start"; }
    sleep 0.1
done
[ -n "$wid" ] || fail "no window appeared"
wmclass=$(grep -o 'StartupWMClass=.*' "$root/usr/share/applications/tarvos.desktop" | cut -d= -f2)
xprop -id "$wid" WM_CLASS | grep -q "\"$wmclass\"" ||
    fail "WM_CLASS $(xprop -id "$wid" WM_CLASS) does not name $wmclass"
sleep 1
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
[ "$status" -eq 0 ] || { cat "$tmp/tarvos.out"; fail "tarvos exited with $status after SIGTERM"; }

[ -f "$data/squawk.txt" ] || fail "no squawk.txt in $data: $(ls -a "$data")"
[ "$(wc -l <"$data/squawk.txt")" -eq 4 ] || fail "squawk.txt is not four lines"
[ -z "$(ls "$root/usr/bin" | grep -v '^tarvos')" ] || fail "data files in the program's folder"
echo "installed package works: $(basename "$deb"), metainfo $(basename "$metainfo")"
