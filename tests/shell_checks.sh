# Sourced by the shell tests: a scratch directory removed on exit, and
# expect(), which counts failures; a test ends with `exit $((failures > 0))`.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect() {  # description, expected, actual
    if [ "$2" != "$3" ]; then
        printf 'FAIL: %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}
