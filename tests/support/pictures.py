"""Pictures as the desktop tests read them, without an imaging library: an RGB PNG as
zeltoria-lab writes it, a PPM, an X window through xwd (its colour map at 8 bits), a crop."""
import struct
import subprocess
import zlib


def png_rgb(path):
    """The RGB bytes of an 8-bit RGB or RGBA PNG, as zeltoria-lab writes them."""
    data = open(path, "rb").read()
    at, chunks = 8, {}
    idat = b""
    while at < len(data):
        n = struct.unpack(">I", data[at:at + 4])[0]
        kind, body = data[at + 4:at + 8], data[at + 8:at + 8 + n]
        if kind == b"IDAT":
            idat += body
        chunks.setdefault(kind, body)
        at += 12 + n
    w, h, depth, colour = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    bpp = {2: 3, 6: 4}[colour]
    raw = zlib.decompress(idat)
    stride = w * bpp
    rows, previous = [], bytearray(stride)
    for y in range(h):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = previous[i]
            c = previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    rgb = bytearray()
    for line in rows:
        for i in range(w):
            rgb += line[i * bpp:i * bpp + 3]
    return w, h, bytes(rgb)


def ppm_rgb(path):
    data = open(path, "rb").read()
    magic, w, h, top, rest = data.split(maxsplit=4)
    return int(w), int(h), rest


def xwd_rgb(window, env=None):
    """A window's pixels as the X server shows them, through its own colour map at 8 bits."""
    data = subprocess.run(["xwd", "-silent", "-id", window], env=env, capture_output=True).stdout
    fields = struct.unpack(">25I", data[:100])
    header_size, depth, width, height = fields[0], fields[3], fields[4], fields[5]
    bytes_per_line, ncolors = fields[12], fields[19]
    colors = {}
    at = header_size
    for _ in range(ncolors):
        pixel, red, green, blue = struct.unpack(">IHHH", data[at:at + 10])
        colors[pixel] = bytes([red >> 8, green >> 8, blue >> 8])
        at += 12
    rgb = bytearray()
    for y in range(height):
        row = data[at + y * bytes_per_line:at + (y + 1) * bytes_per_line]
        if depth == 8:
            for i in range(width):
                rgb += colors[row[i]]
        else:
            for i in range(width):
                b, g, r = row[4 * i], row[4 * i + 1], row[4 * i + 2]
                rgb += bytes([r, g, b])
    return width, height, bytes(rgb)


def crop(picture, left, top, w, h):
    pw, ph, rgb = picture
    out = bytearray()
    for y in range(top, top + h):
        out += rgb[(y * pw + left) * 3:(y * pw + left + w) * 3]
    return w, h, bytes(out)
