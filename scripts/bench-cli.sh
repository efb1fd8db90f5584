#!/usr/bin/env bash
# Times a real `renamora-cli rename` with a HEAD insert over N files in one folder
# against a raw rename loop (bench/raw_rename.c) over the same number of files, in
# the same run, and prints the ratio. Run by hand: scripts/bench-cli.sh [N] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
n=${1:-100000}
rounds=${2:-3}
cmake --preset native >/dev/null
cmake --build --preset native --target renamora-cli >/dev/null
cli="$(pwd)/build/native/renamora-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc -O2 -o "$work/raw_rename" bench/raw_rename.c

make_files() {
  mkdir -p "$1"
  (cd "$1" && seq -f "IMG_%06g.jpg" 1 "$n" | xargs touch)
}
now() { date +%s.%N; }

ratios=()
for round in $(seq 1 "$rounds"); do
  make_files "$work/raw"; make_files "$work/cli"
  sync
  t0=$(now); "$work/raw_rename" "$work/raw" "x" >/dev/null; t1=$(now)
  "$cli" rename --data-folder "$work/data" --head 'x' --yes --format tsv "$work/cli" >/dev/null; t2=$(now)
  raw=$(echo "$t1 - $t0" | bc -l); run=$(echo "$t2 - $t1" | bc -l)
  ratio=$(echo "$run / $raw" | bc -l)
  printf 'round %d: raw %.3f s, renamora-cli %.3f s, ratio %.3f\n' "$round" "$raw" "$run" "$ratio"
  ratios+=("$ratio")
  rm -rf "$work/raw" "$work/cli"
done
printf '%s\n' "${ratios[@]}" | sort -n | awk '{a[NR]=$1} END {printf "median ratio over %d rounds: %.3f\n", NR, a[int((NR+1)/2)]}'
