#!/usr/bin/env bash
# Regenerates resources/generated/ (the .ico files and end.wav) from the SVG sources in
# resources/icons/. The outputs are committed, so a build needs none of these tools; the
# script is deterministic, so a rerun without source changes leaves git clean.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# shellcheck source-path=SCRIPTDIR source=install-packages.sh
source "$root/scripts/install-packages.sh" librsvg2-bin imagemagick sox python3

icons="$root/resources/icons"
out="$root/resources/generated"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# The sizes Windows asks for at 100% to 200% scaling (small icons, toolbar glyphs at
# 32 px and their scaled forms); the program icon also carries 256 for Explorer's
# large views.
glyphSizes=(16 20 24 32 40 48 64)
appSizes=("${glyphSizes[@]}" 256)

# Every entry is a 32-bit RGBA PNG: Windows Vista and later (and Wine) read PNG entries at
# any size, and PNG keeps the committed files small where 32-bit BMP entries would
# weigh about ten times as much.
render() { # svg size png
  rsvg-convert -w "$2" -h "$2" "$1" -o "$work/raw.png"
  convert "$work/raw.png" -strip +set date:create +set date:modify \
    -define png:exclude-chunks=date,time,tIME -define png:compression-level=9 \
    -define png:compression-filter=5 "PNG32:$3"
}

make_icon() { # name sizes...
  local name="$1"; shift
  local pngs=()
  for s in "$@"; do
    render "$icons/$name.svg" "$s" "$work/$name-$s.png"
    pngs+=("$work/$name-$s.png")
  done
  python3 "$root/scripts/pack-ico.py" "$out/$name.ico" "${pngs[@]}"
}

make_icon App "${appSizes[@]}"
for name in Remove Replace Insert Change Extension Save Undo Exit Folder Files Delete Tools \
            About FAQ FolderUp FolderBack Access OK Preview Back Home; do
  make_icon "$name" "${glyphSizes[@]}"
done

# The end-of-run chime: two bell-like notes (C6, then E6 a little later), each a sine
# with a soft octave overtone and a decaying tail, mixed to one short mono clip.
# -R seeds sox's generators with a fixed value and -D turns dither off, so the bytes repeat.
note() { # freq delay out
  sox -R -D -n -r 22050 -c 1 -b 16 "$work/f.wav" synth 0.55 sine "$1" fade l 0.004 0.55 0.52 vol 0.42
  sox -R -D -n -r 22050 -c 1 -b 16 "$work/o.wav" synth 0.35 sine "$(python3 -c "print($1*2)")" \
    fade l 0.004 0.35 0.33 vol 0.1
  sox -R -D -m "$work/f.wav" "$work/o.wav" -b 16 "$work/n.wav"
  sox -R -D "$work/n.wav" "$3" pad "$2"
}
note 1046.5 0 "$work/a.wav"
note 1318.5 0.16 "$work/b.wav"
sox -R -D -m "$work/a.wav" "$work/b.wav" -r 22050 -c 1 -b 16 "$out/end.wav" norm -3

ls -l "$out"
