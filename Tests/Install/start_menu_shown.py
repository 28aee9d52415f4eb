"""Whether a screenshot from `xwd -root` shows the game's start menu; saves it as a PNG to look at.

Usage: start_menu_shown.py SCREEN.xwd OUT.png  (exit status 0 when the menu shows)
"""
import struct
import sys
import zlib
from collections import Counter

GREY = (70, 70, 70)  # the game's clear colour; a window not yet drawn is black


def read_xwd(path):
    """Width, height and the RGB bytes of a 24-bit TrueColor dump, as Xvfb makes them."""
    with open(path, "rb") as dump:
        data = dump.read()
    header = struct.unpack(">25I", data[:100])
    size, width, height, byte_order, bits, line, masks, colours = (
        header[0], header[4], header[5], header[7], header[11], header[12], header[14:17], header[19])
    if bits != 32 or masks != (0xFF0000, 0xFF00, 0xFF):
        sys.exit(f"unexpected screen format: {bits} bits per pixel, masks {masks}")
    start = size + 12 * colours
    pixels = b"".join(data[start + y * line:start + y * line + width * 4] for y in range(height))
    red, green, blue = (2, 1, 0) if byte_order == 0 else (1, 2, 3)  # LSBFirst: B G R x
    rgb = bytearray(width * height * 3)
    for channel, offset in enumerate((red, green, blue)):
        rgb[channel::3] = pixels[offset::4]
    return width, height, bytes(rgb)


def write_png(path, width, height, rgb):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    rows = b"".join(b"\0" + rgb[y * width * 3:(y + 1) * width * 3] for y in range(height))
    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(rows, 1)) + chunk(b"IEND", b""))


width, height, rgb = read_xwd(sys.argv[1])
write_png(sys.argv[2], width, height, rgb)
colours = Counter(zip(rgb[0::3], rgb[1::3], rgb[2::3]))
everything = width * height
drawn = everything - colours[GREY] - colours[(0, 0, 0)]
# Mostly the grey background, with buttons and text drawn on it.
sys.exit(0 if colours[GREY] > everything / 2 and drawn > everything / 50 else 1)
