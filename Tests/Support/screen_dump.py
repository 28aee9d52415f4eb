"""The X server's screen as `xwd -root` dumps it, read into RGB bytes, and a PNG writer to look at it."""
import struct
import zlib


def read_xwd(path):
    """Width, height and the RGB bytes of a dump of 24-bit colour, as Xvfb makes them."""
    with open(path, "rb") as dump:
        data = dump.read()
    header = struct.unpack(">25I", data[:100])
    size, width, height, byte_order, bits, line, masks, colours = (
        header[0], header[4], header[5], header[7], header[11], header[12], header[14:17], header[19])
    if bits not in (24, 32) or masks != (0xFF0000, 0xFF00, 0xFF):
        raise ValueError(f"unexpected screen format: {bits} bits per pixel, colour masks {masks}")
    # Xvfb dumps 32 bits a pixel, or 24 once a client has asked for such a visual.
    step = bits // 8
    start = size + 12 * colours
    pixels = b"".join(data[start + y * line:start + y * line + width * step] for y in range(height))
    red, green, blue = (2, 1, 0) if byte_order == 0 else (step - 3, step - 2, step - 1)
    rgb = bytearray(width * height * 3)
    for channel, offset in enumerate((red, green, blue)):
        rgb[channel::3] = pixels[offset::step]
    return width, height, bytes(rgb)


def write_png(path, width, height, rgb):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    rows = b"".join(b"\0" + rgb[y * width * 3:(y + 1) * width * 3] for y in range(height))
    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(rows, 1)) + chunk(b"IEND", b""))
