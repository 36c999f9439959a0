#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: The ポムル developers
"""Checks the rendered pictures and icons in this folder (Python standard library only).

- each GIF has its exact size, a palette of at most 256 colours and exactly one
  transparent palette index, whose entry is the light-yellow box colour and which is
  used by the corner pixels (the background);
- the window icon and the theme icons have their exact sizes, and the pixel-art ones
  use at most 16 colours.
Exits with status 1 and a list of problems if anything is off.
"""
import struct
import sys
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
BOX_YELLOW = bytes((255, 255, 192))
GIFS = {"girl.gif": (173, 190), "boy.gif": (226, 239), "children.gif": (213, 227)}
THEME_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
PIXEL_ART = {"icon16.png"} | {f"icons/hicolor/{n}x{n}/apps/pomuru.png" for n in (16, 22, 24, 32)}


def lzw_decode(data, min_code_size):
    """Decodes GIF LZW image data into a list of palette indices."""
    clear, end = 1 << min_code_size, (1 << min_code_size) + 1
    size, table, prev, out = min_code_size + 1, None, None, []
    bitpos, nbits = 0, len(data) * 8
    value = int.from_bytes(data, "little")
    while bitpos + size <= nbits:
        code = (value >> bitpos) & ((1 << size) - 1)
        bitpos += size
        if code == clear:
            table = [[i] for i in range(clear)] + [None, None]
            size, prev = min_code_size + 1, None
            continue
        if code == end:
            break
        if prev is None:
            entry = table[code]
        elif code < len(table):
            entry = table[code]
            table.append(prev + entry[:1])
        else:
            entry = prev + prev[:1]
            table.append(entry)
        out.extend(entry)
        prev = entry
        if len(table) == (1 << size) and size < 12:
            size += 1
    return out


def check_gif(path, want, problems):
    d = path.read_bytes()
    if d[:6] not in (b"GIF87a", b"GIF89a"):
        problems.append(f"{path.name}: not a GIF")
        return
    w, h, flags = struct.unpack("<HHB", d[6:11])
    if (w, h) != want:
        problems.append(f"{path.name}: size {w}x{h}, expected {want[0]}x{want[1]}")
    if not flags & 0x80:
        problems.append(f"{path.name}: no global palette")
        return
    ncolours = 2 ** ((flags & 7) + 1)
    palette = [d[13 + 3 * k:16 + 3 * k] for k in range(ncolours)]
    i, transparent, frames, pixels = 13 + 3 * ncolours, [], 0, None
    while d[i] != 0x3B:
        if d[i] == 0x21:  # extension
            if d[i + 1] == 0xF9 and d[i + 3] & 1:
                transparent.append(d[i + 6])
            i += 2
            while d[i]:
                i += d[i] + 1
            i += 1
        elif d[i] == 0x2C:  # image
            frames += 1
            if d[i + 9] & 0x80:
                problems.append(f"{path.name}: has a local palette")
            mcs, i = d[i + 10], i + 11
            chunks = []
            while d[i]:
                chunks.append(d[i + 1:i + 1 + d[i]])
                i += d[i] + 1
            i += 1
            pixels = lzw_decode(b"".join(chunks), mcs)
        else:
            problems.append(f"{path.name}: unexpected block {d[i]:#x}")
            return
    if frames != 1 or len(transparent) != 1:
        problems.append(f"{path.name}: {frames} frames, {len(transparent)} transparent indices; want 1 and 1")
        return
    t = transparent[0]
    if palette[t] != BOX_YELLOW:
        problems.append(f"{path.name}: transparent entry is {palette[t].hex()}, expected ffffc0")
    used = set(pixels)
    if len(used) > 256:
        problems.append(f"{path.name}: {len(used)} colours")
    opaque_yellow = [k for k in used if k != t and palette[k] == BOX_YELLOW]
    if opaque_yellow:
        problems.append(f"{path.name}: an opaque colour equals the transparent one")
    for x, y in ((0, 0), (w - 1, 0)):
        if pixels[y * w + x] != t:
            problems.append(f"{path.name}: background corner ({x},{y}) is not transparent")
    share = pixels.count(t) / len(pixels)
    if not 0.1 < share < 0.8:
        problems.append(f"{path.name}: {share:.0%} transparent, picture looks empty or unframed")


def png_info(path):
    """Returns (width, height, colour type, number of distinct RGBA pixels) of a PNG."""
    d = path.read_bytes()
    assert d[:8] == b"\x89PNG\r\n\x1a\n", path
    i, idat, plte, trns = 8, b"", b"", b""
    while i < len(d):
        n, kind = struct.unpack(">I4s", d[i:i + 8])
        body = d[i + 8:i + 8 + n]
        if kind == b"IHDR":
            w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            plte = body
        elif kind == b"tRNS":
            trns = body
        elif kind == b"IDAT":
            idat += body
        i += 12 + n
    assert depth == 8 and interlace == 0, f"{path}: unsupported depth/interlace"
    bpp = {2: 3, 3: 1, 6: 4}[ctype]
    raw, stride = zlib.decompress(idat), w * bpp
    rows, prev, pos = [], bytearray(stride), 0
    for _ in range(h):
        ftype, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for x in range(stride):
            a = line[x - bpp] if x >= bpp else 0
            b, c = prev[x], prev[x - bpp] if x >= bpp else 0
            if ftype == 1:
                line[x] = (line[x] + a) & 255
            elif ftype == 2:
                line[x] = (line[x] + b) & 255
            elif ftype == 3:
                line[x] = (line[x] + (a + b) // 2) & 255
            elif ftype == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        prev = line
    colours = set()
    for line in rows:
        for x in range(w):
            if ctype == 3:
                k = line[x]
                colours.add(plte[3 * k:3 * k + 3] + bytes([trns[k] if k < len(trns) else 255]))
            elif ctype == 2:
                colours.add(line[3 * x:3 * x + 3] + b"\xff")
            else:
                colours.add(line[4 * x:4 * x + 4])
    return w, h, ctype, colours


def check_icons(problems):
    names = ["icon16.png"] + [f"icons/hicolor/{n}x{n}/apps/pomuru.png" for n in THEME_SIZES]
    for name in names:
        path = HERE / name
        if not path.exists():
            problems.append(f"{name}: missing")
            continue
        n = 16 if name == "icon16.png" else int(name.split("/")[2].split("x")[0])
        w, h, _, colours = png_info(path)
        if (w, h) != (n, n):
            problems.append(f"{name}: size {w}x{h}, expected {n}x{n}")
        opaque = {c[:3] for c in colours if c[3] == 255}
        if bytes((255, 255, 0)) not in opaque or bytes((0, 128, 0)) not in opaque:
            problems.append(f"{name}: missing the yellow or the dark green")
        if name in PIXEL_ART and len(colours) > 16:
            problems.append(f"{name}: {len(colours)} colours in pixel art, at most 16 allowed")
    if not (HERE / "icons/hicolor/scalable/apps/pomuru.svg").exists():
        problems.append("scalable icon missing")


def main():
    problems = []
    for name, size in GIFS.items():
        check_gif(HERE / name, size, problems)
    check_icons(problems)
    for p in problems:
        print("FAIL:", p)
    if not problems:
        print("all pictures and icons look right")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
