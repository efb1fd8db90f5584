#!/usr/bin/env bash
# Times a real `renamora-cli rename` with a HEAD insert over N files in one folder
# against a raw rename loop (bench/raw_rename.c) over the same number of files, in
# the same run, and prints the ratios. Two baselines: the loop in the order the
# directory returns its entries (ext4: hash order, kind to its lookups), and the
# loop in name order, the order in which a renamer that numbers files must go.
# Run by hand: scripts/bench-cli.sh [N] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
n=${1:-100000}
rounds=${2:-3}
. scripts/install-packages.sh cmake ninja-build g++ bc libgtest-dev libgmock-dev googletest
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

ratios=(); sortedRatios=()
for round in $(seq 1 "$rounds"); do
  make_files "$work/raw"; make_files "$work/sorted"; make_files "$work/cli"
  # Each step starts with nothing left to write back, so no step pays for the
  # journal commit of another's renames (the CLI's fsync of its undo log would
  # otherwise commit the raw loops' renames as well).
  sync; t0=$(now); "$work/raw_rename" "$work/raw" "x" >/dev/null; t1=$(now)
  sync; t2=$(now); "$work/raw_rename" "$work/sorted" "x" sorted >/dev/null; t3=$(now)
  sync; t4=$(now); "$cli" rename --data-folder "$work/data" --head 'x' --yes --format tsv "$work/cli" >/dev/null; t5=$(now)
  raw=$(echo "$t1 - $t0" | bc -l); sorted=$(echo "$t3 - $t2" | bc -l); run=$(echo "$t5 - $t4" | bc -l)
  ratio=$(echo "$run / $raw" | bc -l); sortedRatio=$(echo "$run / $sorted" | bc -l)
  printf 'round %d: raw %.3f s, raw in name order %.3f s, renamora-cli %.3f s, ratios %.3f and %.3f\n' \
    "$round" "$raw" "$sorted" "$run" "$ratio" "$sortedRatio"
  ratios+=("$ratio"); sortedRatios+=("$sortedRatio")
  rm -rf "$work/raw" "$work/sorted" "$work/cli" "$work/data"
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {printf "%.3f", a[int((NR+1)/2)]}'; }
echo "median ratio over $rounds rounds: $(median "${ratios[@]}") against the raw loop," \
  "$(median "${sortedRatios[@]}") against the raw loop in name order"
