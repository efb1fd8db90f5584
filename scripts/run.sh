#!/usr/bin/env bash
# Builds Renamora.exe and starts it under Wine. With a display ($DISPLAY set) the
# program opens as a window; without one it runs on a virtual display and its
# windows are photographed into build/screenshots/ (the paths are printed).
# Installs what a fresh Debian/Ubuntu machine lacks. Usage: scripts/run.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ -z "${DISPLAY:-}" ]; then
  echo "== No display: showing the windows on a virtual one and photographing them"
  exec scripts/screenshots.sh
fi

. scripts/install-packages.sh cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine64
echo "== Building Renamora.exe (the first build takes a few minutes)"
cmake --preset windows >/dev/null
cmake --build --preset windows --target Renamora
# A prefix that draws on the display (the tests' prefix uses Wine's null driver).
export WINEPREFIX="$root/build/windows/wineprefix-x11" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
echo "== Starting Renamora.exe under Wine (its first start sets up the Wine prefix)"
exec /usr/lib/wine/wine64 build/windows/Renamora.exe
