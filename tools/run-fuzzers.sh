#!/usr/bin/env bash
# Builds the libFuzzer targets in fuzz/ with clang and runs each of them:
#   bash tools/run-fuzzers.sh [seconds per target (30)] [build dir (build-fuzz)]
# The committed corpus in fuzz/corpus/<target>/ (seeds, and every input that
# ever failed) is replayed first and never written to; new inputs go to a
# scratch directory. An input that fails is copied into the corpus, so that
# it stays a regression input once the fault is fixed.
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
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for target in "${targets[@]}"; do
  mkdir -p "$work/$target" "$top/fuzz/corpus/$target"
  log="$work/$target.log"
  if ! SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=offscreen "$build/fuzz/fuzz_$target" -max_total_time="$seconds" \
      -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=4200 -artifact_prefix="$work/$target-" \
      "$work/$target" "$top/fuzz/corpus/$target" >"$log" 2>&1; then
    status=1
    tail -n 60 "$log"
    for artifact in "$work/$target"-*; do
      [ -e "$artifact" ] && cp "$artifact" "$top/fuzz/corpus/$target/$(basename "$artifact" | sed "s/^$target-//")"
    done
    echo "fuzz_$target FAILED; the input is kept in fuzz/corpus/$target/"
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "fuzz_$target: ${runs:-0} inputs in $seconds s"
done
exit $status
