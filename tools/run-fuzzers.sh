#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang and runs each of them:
#   bash tools/run-fuzzers.sh [seconds per target (30)] [build dir (build-fuzz)]
# fuzz/corpus/<target>/ holds the seeds; fuzz/corpus/regressions/<target>/
# every input that ever failed. The regressions are replayed one by one
# first, then each target fuzzes from its seeds for the given time; new
# inputs go to a scratch directory, and one that fails is added to the
# regressions, so that it stays a regression input once the fault is fixed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-30}
build=${2:-$top/build-fuzz}
targets=(settings_store text_helpers wav_file)

CC=clang CXX=clang++ cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Fuzz -DCMAKE_CXX_FLAGS_FUZZ="-O1 -g1" \
  -DHORAVOX_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target "${targets[@]/#/fuzz_}" >/dev/null

# SDL reserves a WAV chunk's declared size before reading it, up to 4 GiB for
# a few bytes of file; the reservation is never touched, so a single
# allocation may pass 2 GiB while the memory really used stays limited.
options=(-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=4200)
export SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in "${targets[@]}"; do
  program="$build/fuzz/fuzz_$target"
  regressions="$top/fuzz/corpus/regressions/$target"
  mkdir -p "$work/$target" "$regressions"
  log="$work/$target.log"
  replayed=$(find "$regressions" -type f | wc -l)
  # AddressSanitizer takes its time over the 2.8 GB reservation of one of them.
  if [ "$replayed" -gt 0 ] && ! "$program" "${options[@]}" -timeout=300 "$regressions"/* >"$log" 2>&1; then
    status=1
    tail -n 60 "$log"
    echo "fuzz_$target FAILED on an input in fuzz/corpus/regressions/$target/"
    continue
  fi
  # A fixed seed: the same inputs in the same order on every run, so the test
  # command passes or fails on the code, not on the draw; longer runs go further.
  if ! "$program" "${options[@]}" -seed=1 -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$work/$target-" "$work/$target" "$top/fuzz/corpus/$target" >"$log" 2>&1; then
    status=1
    tail -n 60 "$log"
    for artifact in "$work/$target"-*; do
      [ -e "$artifact" ] && cp "$artifact" "$regressions/$(basename "$artifact" | sed "s/^$target-//")"
    done
    echo "fuzz_$target FAILED; the input is kept in fuzz/corpus/regressions/$target/"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "fuzz_$target: $replayed regression inputs replayed, ${runs:-0} inputs run in $seconds s"
done
exit $status
