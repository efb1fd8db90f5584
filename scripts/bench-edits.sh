#!/usr/bin/env bash
# Times two edits of `renamora-cli rename` over N files in one folder against a raw
# rename loop (bench/raw_rename.c) over the same number of files, in the same run:
# `--new-name same` (every item wants one name, so all but the first are numbered)
# and `--case upper` (a change of letter case only). Prints each round's times and
# ratios, then the medians. Run by hand: scripts/bench-edits.sh [N] [rounds]
# EDITS="same" (or "case") measures one of the two only.
set -euo pipefail
cd "$(dirname "$0")/.."
n=${1:-20000}
rounds=${2:-5}
. scripts/install-packages.sh cmake ninja-build g++ bc libgtest-dev libgmock-dev googletest
cmake --preset native >/dev/null
cmake --build --preset native --target renamora-cli >/dev/null
edits=${EDITS:-same case}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A copy: a build during the measurement must not change the program measured.
cp build/native/renamora-cli "$work/renamora-cli"
cli="$work/renamora-cli"
cc -O2 -o "$work/raw_rename" bench/raw_rename.c

# Lower-case names, so that the case edit changes every one of them.
make_files() {
  mkdir -p "$1"
  (cd "$1" && seq -f "img_%06g.jpg" 1 "$n" | xargs touch)
}
now() { date +%s.%N; }
seconds() { echo "$2 - $1" | bc -l; }

raws=(); sames=(); cases=(); sameRatios=(); caseRatios=()
for round in $(seq 1 "$rounds"); do
  make_files "$work/raw"
  # Each step starts with nothing left to write back, so that no step pays for the
  # journal commit of another's renames.
  sync; t0=$(now); "$work/raw_rename" "$work/raw" "x" >/dev/null; t1=$(now)
  raw=$(seconds "$t0" "$t1"); raws+=("$raw")
  line=$(printf 'round %d: raw %.3f s' "$round" "$raw")
  for edit in $edits; do
    make_files "$work/$edit"
    flags=(--new-name same); pattern='same*'
    if [ "$edit" = case ]; then flags=(--case upper); pattern='IMG_*'; fi
    sync; t2=$(now)
    "$cli" rename --data-folder "$work/data" "${flags[@]}" --yes --format tsv "$work/$edit" >/dev/null; t3=$(now)
    # A run that left files behind would measure less work than the raw loop did.
    renamed=$(find "$work/$edit" -mindepth 1 -maxdepth 1 -name "$pattern" | wc -l)
    if [ "$renamed" -ne "$n" ]; then
      echo "round $round: $edit renamed only $renamed of $n files" >&2
      exit 1
    fi
    time=$(seconds "$t2" "$t3"); ratio=$(echo "$time / $raw" | bc -l)
    if [ "$edit" = case ]; then cases+=("$time"); caseRatios+=("$ratio"); else sames+=("$time"); sameRatios+=("$ratio"); fi
    line+=$(printf ', %s %.3f s (ratio %.3f)' "${flags[*]}" "$time" "$ratio")
    rm -rf "$work/$edit" "$work/data"
  done
  echo "$line"
  rm -rf "$work/raw"
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {printf "%.3f", a[int((NR+1)/2)]}'; }
summary="N=$n, $rounds rounds, medians: raw $(median "${raws[@]}") s"
if [ ${#sames[@]} -gt 0 ]; then
  summary+=", --new-name same $(median "${sames[@]}") s (ratio $(median "${sameRatios[@]}"))"
fi
if [ ${#cases[@]} -gt 0 ]; then
  summary+=", --case upper $(median "${cases[@]}") s (ratio $(median "${caseRatios[@]}"))"
fi
echo "$summary"
