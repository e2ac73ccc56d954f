#!/usr/bin/env bash
# Builds the whole suite once more with AddressSanitizer and
# UndefinedBehaviorSanitizer in its own build directory and runs it with leak
# detection. Part of the test command; also on its own:
#   bash tools/run-sanitized-tests.sh [build dir [ctest arguments]]   (default: build-asan)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build-asan}
[ $# -gt 0 ] && shift

# Unoptimised enough to keep stack traces whole, optimised enough to run the
# suite quickly; line tables only, which is all a report needs.
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS_SANITIZE="-O1 -g1" \
  -DHORAVOX_SANITIZE=ON -DHORAVOX_WERROR=ON >/dev/null
cmake --build "$build" -j2

# The suppressions are read by every test program, also those run as an
# unprivileged user, who may not reach the source tree.
suppressions=$(mktemp /tmp/horavox-lsan-XXXXXX.supp)
trap 'rm -f "$suppressions"' EXIT
cp "$top/tools/lsan.supp" "$suppressions"
chmod 644 "$suppressions"

# The directory chooser's error for an unreadable directory reaches the
# top-level handler by unwinding through Qt's mouse-event handling, which
# skips Qt's own clean-up of the event (a few hundred bytes per error).
# LeakSanitizer reports that; the test runs without leak detection until
# errors stop crossing Qt's frames.
unwinds_through_qt='^gui_tests_unprivileged_unreadable_directory$'

cd "$build"
export LSAN_OPTIONS=suppressions=$suppressions:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
status=0
ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1 \
  ctest --output-on-failure -j2 -E "$unwinds_through_qt" "$@" || status=1
ASAN_OPTIONS=detect_leaks=0:check_initialization_order=1:detect_stack_use_after_return=1 \
  ctest --output-on-failure -R "$unwinds_through_qt" --no-tests=ignore "$@" || status=1
exit $status
