#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (address and undefined-behaviour
# sanitizers over the whole engine) and runs each for SECONDS (default 5) on a
# temporary copy of its seed corpus, so the committed corpus never grows.
# Fails when a fuzzer finds a crash, a broken property or a sanitizer report.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

seconds=${1:-5}
case "$seconds" in
  '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;;
esac

. scripts/install-packages.sh clang libclang-rt-14-dev cmake ninja-build

build="$root/build/fuzz"
echo "== Fuzz build ($build)"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DRENAMORA_FUZZ=ON -DRENAMORA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target renamora_fuzzers -j "$(nproc)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Crash inputs and logs of failed fuzzers are kept here for a look afterwards.
findings="$build/findings"
mkdir -p "$findings"

export ASAN_OPTIONS="abort_on_error=1:detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"

echo "== Fuzzing, $seconds s each"
failed=0
for source in fuzz/*Fuzzer.cpp; do
  binary="$build/fuzz/$(basename "$source" .cpp)"
  name=$(basename "$source" Fuzzer.cpp)
  corpus="$work/$name"
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$name" ] && cp -R "fuzz/corpus/$name/." "$corpus/"
  log="$work/$name.log"
  rc=0
  "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" "$corpus" >"$log" 2>&1 || rc=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  # A sanitizer report that did not end the run still fails it.
  if [ $rc -ne 0 ] || grep -qE '^(==[0-9]+==ERROR|SUMMARY: (Address|UndefinedBehavior|Leak)Sanitizer)|runtime error:' "$log"; then
    failed=1
    cp "$log" "$findings/$name.log"
    printf '%-18s FAILED after %s runs (exit %s); log: %s\n' "$name" "${runs:-?}" "$rc" "$findings/$name.log"
    grep -E 'broken promise|ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -n 8 | sed 's/^/    /'
  else
    printf '%-18s ok, %s runs in %s s\n' "$name" "${runs:-?}" "$seconds"
  fi
done
exit $failed
