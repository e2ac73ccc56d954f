# Sourced by the tests that need an X display of their own.

# Runs a command on an Xvfb of its own. The server picks a free display
# number itself (-displayfd): two `xvfb-run -a` starting at once can pick the
# same number, and then one test finds no display.
#   run_on_own_display COMMAND [ARGUMENTS...]
run_on_own_display() {
    local display_file xvfb status=0
    display_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.05; done
    if [ ! -s "$display_file" ]; then
        kill "$xvfb" 2>/dev/null
        rm -f "$display_file"
        echo "FAIL: no X server could be started" >&2
        return 1
    fi
    DISPLAY=":$(cat "$display_file")" "$@" || status=$?
    kill "$xvfb" 2>/dev/null
    wait "$xvfb" 2>/dev/null
    rm -f "$display_file"
    return "$status"
}

# Starts an X client in the background and sets `started` to its process;
# again, up to three times, when it ended at once unable to connect to the
# display. Now and then one of the two accessibility checks' clocks, started
# beside the other's on a new Xvfb, is refused so while the server answers
# before and after (about one run in twenty of the two side by side).
#   start_x_client COMMAND [ARGUMENTS...]
start_x_client() {
    local errors
    errors=$(mktemp)
    for _ in 1 2 3; do
        : >"$errors"
        "$@" 2> >(tee -a "$errors" >&2) &
        started=$!
        for _ in $(seq 20); do
            kill -0 "$started" 2>/dev/null || break
            sleep 0.1
        done
        kill -0 "$started" 2>/dev/null && break
        wait "$started" 2>/dev/null || true
        sleep 0.1
        grep -q "could not connect to display" "$errors" || break
        echo "the clock could not connect to the display; started again" >&2
    done
    rm -f "$errors"
}
