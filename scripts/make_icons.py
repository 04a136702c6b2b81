#!/usr/bin/env python3
"""Draws Velmora's icon, a yellow sun, as 16-colour palette PNGs of 16, 32, 48 and 256 pixels
for the desktop, and as ui/icon_images.h, the same images as C++ arrays that the window uses
directly, with no image file to decode at start-up: 16 and 32 pixels a byte a pixel, 48 and 256
pixels packed two to a byte.

Run it from the repository root after changing the drawing; the files it writes are committed.
"""
import math
import shutil
import struct
import subprocess
import zlib

# Sixteen entries: transparent, then the disc's yellows and the rays' oranges, each at four
# coverages so that the edges stay smooth within the sixteen colours.
DISC = (255, 214, 0)
DISC_LIGHT = (255, 240, 140)
RAY = (255, 150, 0)
RIM = (214, 110, 0)
LEVELS = (64, 128, 192, 255)
PALETTE = [(0, 0, 0, 0)]
for colour in (DISC, RAY, RIM):
    PALETTE += [colour + (a,) for a in LEVELS]
PALETTE += [DISC_LIGHT + (255,), DISC_LIGHT + (160,), RAY + (32,)]
assert len(PALETTE) <= 16

RAYS = 8


def shade(x, y):
    """Colour of the point (x, y) in a unit square centred on the origin, or None."""
    r = math.hypot(x, y)
    if r < 0.27:
        # A lighter spot up and to the left makes the disc read as a ball of light.
        return DISC_LIGHT if math.hypot(x + 0.09, y + 0.09) < 0.11 else DISC
    if r < 0.31:
        return RIM
    angle = math.atan2(y, x) % (2 * math.pi / RAYS) - math.pi / RAYS
    half_width = 0.13 * (0.48 - r) / 0.12  # rays taper to a point
    if 0.35 < r < 0.48 and abs(angle) * r < half_width:
        return RAY
    return None


def render(size):
    samples = 4 if size > 16 else 6
    rows = []
    for py in range(size):
        row = bytearray([0])  # PNG filter byte: none
        for px in range(size):
            counts = {}
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) / size - 0.5
                    y = (py + (sy + 0.5) / samples) / size - 0.5
                    colour = shade(x, y)
                    counts[colour] = counts.get(colour, 0) + 1
            covered = samples * samples - counts.pop(None, 0)
            if covered == 0:
                row.append(0)
                continue
            colour = max(counts, key=counts.get)
            alpha = 255 * covered / (samples * samples)
            row.append(nearest(colour, alpha))
        rows.append(bytes(row))
    return b"".join(rows)


def nearest(colour, alpha):
    def distance(entry):
        r, g, b, a = entry
        return sum((p - q) ** 2 for p, q in zip((r, g, b), colour)) + 2 * (a - alpha) ** 2

    return min(range(1, len(PALETTE)), key=lambda i: distance(PALETTE[i]))


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(size):
    header = struct.pack(">IIBBBBB", size, size, 4, 3, 0, 0, 0)  # 4-bit palette
    pixels = render(size)
    packed = bytearray()
    stride = size + 1
    for y in range(size):
        line = pixels[y * stride + 1 : (y + 1) * stride]
        packed.append(0)
        for i in range(0, size, 2):
            hi = line[i]
            lo = line[i + 1] if i + 1 < size else 0
            packed.append(hi << 4 | lo)
    plte = b"".join(bytes(c[:3]) for c in PALETTE)
    trns = bytes(c[3] for c in PALETTE)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"PLTE", plte) +
            chunk(b"tRNS", trns) + chunk(b"IDAT", zlib.compress(bytes(packed), 9)) +
            chunk(b"IEND", b""))


def header():
    lines = [
        "#pragma once",
        "",
        "// Written by scripts/make_icons.py: the window icon, a yellow sun, as 16-colour images.",
        "",
        "#include <array>",
        "#include <cstdint>",
        "",
        "namespace icon_images {",
        "",
        "// ARGB colours, as QRgb holds them.",
        f"inline constexpr std::array<std::uint32_t, {len(PALETTE)}> kPalette = {{",
    ]
    for r, g, b, a in PALETTE:
        lines.append(f"    0x{a:02x}{r:02x}{g:02x}{b:02x},")
    lines.append("};")
    for size in (16, 32):
        pixels = render(size)
        stride = size + 1
        lines += ["", f"// {size} x {size} indices into kPalette, row by row.",
                  f"inline constexpr std::array<std::uint8_t, {size * size}> kSun{size} = {{"]
        for y in range(size):
            row = pixels[y * stride + 1:(y + 1) * stride]
            lines.append("    " + ", ".join(str(v) for v in row) + ",")
        lines.append("};")
    for size in (48, 256):
        pixels = render(size)
        stride = size + 1
        packed = []
        for y in range(size):
            row = pixels[y * stride + 1:(y + 1) * stride]
            packed += [row[i] << 4 | row[i + 1] for i in range(0, size, 2)]
        lines += ["", f"// {size} x {size} indices into kPalette, row by row, two to a byte, the left"
                  " one in the high half.",
                  f"inline constexpr std::array<std::uint8_t, {size * size // 2}> kSun{size}Packed = {{"]
        for i in range(0, len(packed), 24):
            lines.append("    " + ", ".join(str(v) for v in packed[i:i + 24]) + ",")
        lines.append("};")
    lines += ["", "} // namespace icon_images", ""]
    return "\n".join(lines)


if __name__ == "__main__":
    for size in (16, 32, 48, 256):
        with open(f"ui/icons/velmora-{size}.png", "wb") as f:
            f.write(png(size))
    with open("ui/icon_images.h", "w") as f:
        f.write(header())
    if shutil.which("clang-format"):
        subprocess.run(["clang-format", "-i", "ui/icon_images.h"], check=True)
