#!/usr/bin/env bash
# Builds and tests Renamora: installs what a fresh Debian/Ubuntu machine lacks, builds
# the native and the Windows presets, runs the native tests (also under the address
# and undefined-behaviour sanitizers), each fuzzer briefly, then the Windows tests
# under Wine. Usage: scripts/test.sh [--native]   (--native: Linux builds and tests only)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

native_only=0
[ "${1:-}" = "--native" ] && native_only=1

packages=(cmake ninja-build g++ libgtest-dev libgmock-dev googletest)
[ $native_only = 1 ] || packages+=(g++-mingw-w64-x86-64-posix wine64)
. scripts/install-packages.sh "${packages[@]}"

werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
jobs=$(nproc)

echo "== Native build"
cmake --preset native -DRENAMORA_WERROR=$werror >/dev/null
cmake --build --preset native -j "$jobs"
echo "== Native tests"
native_rc=0
ctest --preset native -j "$jobs" || native_rc=$?

echo "== Native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
# No -Werror here: GCC 12 gives false -Wrestrict warnings with the sanitizers on.
sanitize_rc=0
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize -j "$jobs"
ctest --preset sanitize -j "$jobs" || sanitize_rc=$?

echo "== Fuzzers, a few seconds each on their seed corpus"
fuzz_rc=0
bash scripts/fuzz.sh "${RENAMORA_FUZZ_SECONDS:-5}" || fuzz_rc=$?

if [ $native_only = 1 ]; then
  [ $native_rc = 0 ] && [ $sanitize_rc = 0 ] && [ $fuzz_rc = 0 ]
  exit
fi

echo "== Windows build"
cmake --preset windows -DRENAMORA_WERROR=$werror >/dev/null
cmake --build --preset windows -j "$jobs"

echo "== Windows tests under Wine"
export RENAMORA_WINEPREFIX="$root/build/windows/wineprefix"
export WINEPREFIX="$RENAMORA_WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
# One wineserver for the whole run: each test process then starts in milliseconds.
/usr/lib/wine/wineserver64 -p
trap '/usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true' EXIT
# Boot the prefix (and start Wine's background services) with their output going
# nowhere: services started by a test process would inherit its output pipe, and
# CTest would wait for that pipe until the wineserver ends.
if [ ! -d "$WINEPREFIX/drive_c/windows" ]; then
  /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true
fi
# The window tests need no X server: Wine's null graphics driver gives them real
# windows and controls that draw nowhere. The prefix's desktop process reads the
# setting when it starts, so the server starts again after it is set.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1 || true
/usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true
/usr/lib/wine/wineserver64 -w >/dev/null 2>&1 || true
/usr/lib/wine/wineserver64 -p
/usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
windows_rc=0
ctest --preset windows -j "$jobs" || windows_rc=$?

[ $native_rc = 0 ] && [ $sanitize_rc = 0 ] && [ $fuzz_rc = 0 ] && [ $windows_rc = 0 ]
