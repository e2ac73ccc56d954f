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
