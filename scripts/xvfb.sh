# Sourced by the scripts: starts a private virtual X display and exports DISPLAY for it.
# The server is stopped when the calling script exits.
start_xvfb() {
    local display_file
    display_file=$(mktemp)
    # -noreset: an X server resets itself whenever its last client leaves, and refuses
    # connections while it does; tests that follow one another would find it doing so.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$display_file" \
        >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
        [ -s "$display_file" ] && break
        sleep 0.1
    done
    if [ ! -s "$display_file" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$(head -n1 "$display_file")"
    export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
    rm -f "$display_file"
    for _ in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && break
        sleep 0.1
    done
    trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
}
