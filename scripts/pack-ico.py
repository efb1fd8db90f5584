"""Packs square PNG images into one .ico file, one directory entry per PNG, in the
order given (Windows picks the best size itself)."""
import struct
import sys


def PngSize(data: bytes) -> tuple[int, int]:
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("not a PNG")
    return struct.unpack(">II", data[16:24])


def Main(out: str, pngs: list[str]) -> None:
    images = [open(p, "rb").read() for p in pngs]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for data in images:
        width, height = PngSize(data)
        if width > 256 or height > 256:
            raise SystemExit(f"too large for an icon entry: {width}x{height}")
        # 256 is written as 0: the directory has one byte per dimension.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(images))


if __name__ == "__main__":
    if len(sys.argv) < 3:
        raise SystemExit("usage: pack-ico.py OUT.ico IMAGE.png...")
    Main(sys.argv[1], sys.argv[2:])
