#!/usr/bin/env bash
# The main job, end to end on a fresh Debian/Ubuntu machine: builds renamora-cli,
# makes a demo folder of camera-style names, previews a numbering edit, runs it,
# lowers the extensions, and undoes the last run, printing the folder as it goes.
# Usage: scripts/demo.sh [folder]   (default: a new temporary folder)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev googletest)
. scripts/install-packages.sh "${packages[@]}"

echo "== Building renamora-cli (the first build takes a few minutes; ninja shows each step)"
cmake --preset native >/dev/null
cmake --build --preset native --target renamora-cli
cli="$(pwd)/build/native/renamora-cli"

demo="${1:-$(mktemp -d)/Holiday}"
data="$(dirname "$demo")/renamora-data"
mkdir -p "$demo" "$data"
for i in 0007 0008 0009 0010 0011; do printf 'photo %s\n' "$i" > "$demo/IMG_$i.JPG"; done
printf 'clip\n' > "$demo/MVI_0012.MOV"

show() { echo "-- $demo:"; (cd "$demo" && ls -1); echo; }
run() { echo "\$ renamora-cli $*"; "$cli" --data-folder "$data" "$@" || echo "(exit status $?)"; echo; }

show
run preview --new-name '%%_$$$' --yes "$demo"
run rename --new-name '%%_$$$' --yes "$demo"
show
run rename --set EditRequest.Mode=extension --set ExtensionOptions.ExtensionKind=ConvertExtensionCase --yes "$demo"
show
run undo --yes
show
echo "== The data folder (settings, undo log, history) is $data"
