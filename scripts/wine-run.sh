#!/usr/bin/env bash
# Runs one Windows executable under Wine with the project's private prefix. The test
# script keeps one wineserver alive for the whole run, so each start is cheap.
set -e
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX="${RENAMORA_WINEPREFIX:-$here/../build/windows/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
exec /usr/lib/wine/wine64 "$@"
