#!/usr/bin/env bash
# Photographs the desktop program's windows under Wine on a virtual X display (Xvfb
# with the Openbox window manager, so that windows have their frames) and writes
# the PNGs to build/screenshots/. Usage: scripts/screenshots.sh
# Builds what it needs first; installs the packages a fresh Debian/Ubuntu lacks.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

. scripts/install-packages.sh cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine64 \
  xvfb openbox imagemagick xdotool x11-utils

cmake --preset windows >/dev/null
cmake --build --preset windows --target renamora_screenshots Renamora

out="$root/build/screenshots"
exchange="$out/exchange"
demo="$out/Holiday photos"
rm -rf "$exchange" "$demo"
mkdir -p "$exchange" "$demo/Day 1" "$demo/Day 2" "$demo/Raw files"
# A folder such as a camera leaves: numbered pictures of several sizes, a clip and notes.
for i in 0412 0413 0414 0415 0416 0417 0418 0419; do
  head -c $(( 1800000 + 10#$i * 911 )) /dev/zero > "$demo/IMG_$i.JPG"
done
head -c 48000000 /dev/zero > "$demo/MOV_0420.MP4"
printf 'Beach, then the old town.\r\n' > "$demo/notes.txt"
# The new-name history the editor shows (the exchange folder is the data folder).
printf 'Holiday_$$$\r\nBeach_$$\r\n_edited\r\nIMG_\r\n' > "$exchange/Newname.txt"
touch -d '2026-07-14 09:12:44' "$demo"/IMG_041[2-5].JPG
touch -d '2026-07-15 18:03:10' "$demo"/IMG_041[6-9].JPG "$demo/MOV_0420.MP4"

# A prefix of its own that draws on X (the test prefix uses the null driver).
export WINEPREFIX="$root/build/windows/wineprefix-x11" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
display=:77
Xvfb "$display" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY="$display"
cleanup() {
  /usr/lib/wine/wineserver64 -k >/dev/null 2>&1 || true
  kill "$wm" "$xvfb" >/dev/null 2>&1 || true
}
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
# The pointer rests in the screen's corner: over a control it would bring up its tip.
xdotool mousemove 0 0 >/dev/null 2>&1 || true
trap cleanup EXIT
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver64 -p
# The first start makes the prefix (about half a minute).
/usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 || true

winpath() { printf 'Z:%s' "$(printf '%s' "$1" | tr '/' '\\')"; }
/usr/lib/wine/wine64 build/windows/renamora_screenshots.exe "$(winpath "$exchange")" "$(winpath "$demo")" \
  </dev/null >/dev/null 2>&1 &
driver=$!

# Each window the driver shows: photograph it with its frame, then let it go on.
while kill -0 "$driver" 2>/dev/null; do
  for ready in "$exchange"/*.ready; do
    [ -e "$ready" ] || continue
    name=$(basename "$ready" .ready)
    title=$(cat "$ready")
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then
      import -silent -frame -window "$id" "$out/$name.png"
    else
      import -silent -window root "$out/$name.png"
    fi
    echo "$out/$name.png"
    rm -f "$ready"
    touch "$exchange/$name.done"
  done
  sleep 0.2
done
wait "$driver"
