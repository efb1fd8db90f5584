#!/usr/bin/env bash
# Measures a rename run from the edit window under Wine: an insert edit (HEAD "x")
# over a folder of N files (default 10,000) with the progress window, from the
# Rename click until the edit window has closed, against a raw MoveFileW loop giving
# the same files the same names in the same process. Usage: scripts/bench-edit-run.sh [N] [rounds]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
n=${1:-10000}
rounds=${2:-5}
cmake --preset windows >/dev/null
cmake --build --preset windows --target renamora_bench_edit_run >/dev/null
folder=$(mktemp -d /tmp/renamora-edit-run-XXXXXX)
home=$(mktemp -d /tmp/renamora-edit-run-home-XXXXXX)
trap 'rm -rf "$folder" "$home"' EXIT
python3 - "$folder" "$n" <<'PY'
import os, sys
folder, n = sys.argv[1], int(sys.argv[2])
for i in range(n):
    open(os.path.join(folder, "IMG_%06d.JPG" % i), "wb").close()
PY
export WINEPREFIX="${RENAMORA_WINEPREFIX:-$root/build/windows/wineprefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }
# Output to a file: Wine's background services keep a pipe open until the server ends.
out=$(mktemp /tmp/renamora-edit-run-out-XXXXXX)
status=0
/usr/lib/wine/wine64 build/windows/renamora_bench_edit_run.exe "$(winpath "$folder")" "$(winpath "$home")" \
  "$rounds" </dev/null >"$out" 2>&1 || status=$?
cat "$out"
rm -f "$out"
exit "$status"
