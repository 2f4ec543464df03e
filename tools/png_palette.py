"""Rewrites a browser's screenshot (8-bit RGB or RGBA PNG) as a 256-colour palette PNG.

A page of flat colours loses nothing visible and shrinks to about half. The 256 most used colours
form the palette; every other colour takes the nearest of them.
"""
import struct
import zlib
from collections import Counter

SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {2: 3, 6: 4}
PALETTE_SIZE = 256


def read_chunks(data):
    if not data.startswith(SIGNATURE):
        raise ValueError("not a PNG file")
    at = len(SIGNATURE)
    while at + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        yield kind, data[at + 8:at + 8 + length]
        at += 12 + length


def paeth(left, up, up_left):
    estimate = left + up - up_left
    distances = (abs(estimate - left), abs(estimate - up), abs(estimate - up_left))
    return (left, up, up_left)[distances.index(min(distances))]


def unfilter(raw, width, height, channels):
    """The image's rows of bytes with each row's filter undone."""
    stride = width * channels
    rows, previous, at = [], bytearray(stride), 0
    for _ in range(height):
        kind, row = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up_left = previous[i - channels] if i >= channels else 0
            predictor = (0, left, previous[i], (left + previous[i]) // 2,
                         paeth(left, previous[i], up_left))[kind]
            row[i] = (row[i] + predictor) & 0xFF
        rows.append(row)
        previous = row
    return rows


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda index: sum((a - b) ** 2 for a, b in zip(colour, palette[index])))


def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def to_palette(path):
    with open(path, "rb") as file:
        chunks = list(read_chunks(file.read()))
    width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    if depth != 8 or colour_type not in CHANNELS or interlace:
        raise ValueError(f"{path}: only 8-bit RGB or RGBA without interlacing is read")
    channels = CHANNELS[colour_type]
    raw = zlib.decompress(b"".join(body for kind, body in chunks if kind == b"IDAT"))
    pixels = [[tuple(row[x:x + 3]) for x in range(0, len(row), channels)]
              for row in unfilter(raw, width, height, channels)]
    counts = Counter(colour for row in pixels for colour in row)
    palette = [colour for colour, _ in counts.most_common(PALETTE_SIZE)]
    index_of = {colour: index for index, colour in enumerate(palette)}
    for colour in counts:
        if colour not in index_of:
            index_of[colour] = nearest(colour, palette)
    image = b"".join(b"\0" + bytes(index_of[colour] for colour in row) for row in pixels)
    header = struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)
    with open(path, "wb") as file:
        file.write(SIGNATURE + chunk(b"IHDR", header)
                   + chunk(b"PLTE", b"".join(bytes(colour) for colour in palette))
                   + chunk(b"IDAT", zlib.compress(image, 9)) + chunk(b"IEND", b""))
