#!/usr/bin/env bash
# Measures a preview under Wine: an insert edit's preview with a row limit (default
# 1,000) over a folder of N files (default 10,000), the engine's run and the preview
# window's list filled and painted, against a raw FindFirstFileW loop in the same
# process. Usage: scripts/bench-preview.sh [N] [rounds] [limit]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
n=${1:-10000}
rounds=${2:-5}
limit=${3:-1000}
cmake --preset windows >/dev/null
cmake --build --preset windows --target renamora_bench_preview >/dev/null
folder=$(mktemp -d /tmp/renamora-preview-XXXXXX)
data=$(mktemp -d /tmp/renamora-preview-data-XXXXXX)
trap 'rm -rf "$folder" "$data"' EXIT
python3 - "$folder" "$n" <<'PY'
import os, sys
folder, n = sys.argv[1], int(sys.argv[2])
for i in range(n):
    open(os.path.join(folder, "IMG_%06d.JPG" % i), "wb").close()
PY
export WINEPREFIX="${RENAMORA_WINEPREFIX:-$root/build/windows/wineprefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }
# Output to a file: Wine's background services keep a pipe open until the server ends.
out=$(mktemp /tmp/renamora-preview-out-XXXXXX)
/usr/lib/wine/wine64 build/windows/renamora_bench_preview.exe "$(winpath "$folder")" "$(winpath "$data")" \
  "$rounds" "$limit" </dev/null >"$out" 2>&1
cat "$out"
rm -f "$out"
