#!/usr/bin/env bash
# Measures the main window over a folder of N files under Wine (default 100,000):
# listing to a painted list against a raw FindFirstFileW loop in the same process,
# sorting by size and date, the working set, and how soon a double-click on a
# subfolder during the listing lists it. Usage: scripts/bench-listing.sh [N] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
n=${1:-100000}
rounds=${2:-5}
cmake --preset windows >/dev/null
cmake --build --preset windows --target renamora_bench_listing >/dev/null
folder=$(mktemp -d /tmp/renamora-listing-XXXXXX)
trap 'rm -rf "$folder"' EXIT
mkdir "$folder/sub"
touch "$folder/sub/one.txt"
python3 - "$folder" "$n" <<'PY'
import os, sys
folder, n = sys.argv[1], int(sys.argv[2])
for i in range(n):
    with open(os.path.join(folder, "IMG_%06d.JPG" % i), "wb") as f:
        f.write(b"x" * (i * 37 % 5000))
PY
export WINEPREFIX="${RENAMORA_WINEPREFIX:-$root/build/windows/wineprefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }
/usr/lib/wine/wine64 build/windows/renamora_bench_listing.exe "$(winpath "$folder")" "$(winpath "$folder/sub")" \
  "$rounds" </dev/null
