"""Reading and writing 8-bit PNG images with the standard library.

Images are held as Image objects: width, height and one bytearray of RGBA
pixels, row by row. Images are read through ImageMagick and written
here as RGB or RGBA PNGs with fixed settings, so regenerating gives the same
bytes.
"""

import struct
import subprocess
import zlib


class Image:
    def __init__(self, width, height, pixels=None, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        if pixels is None:
            pixels = bytearray(bytes(fill) * (width * height))
        assert len(pixels) == width * height * 4
        self.pixels = pixels

    def get(self, x, y):
        i = (y * self.width + x) * 4
        return tuple(self.pixels[i:i + 4])

    def set(self, x, y, rgba):
        i = (y * self.width + x) * 4
        self.pixels[i:i + 4] = bytes(rgba)

    def crop(self, left, top, right, bottom):
        out = Image(right - left, bottom - top)
        w = (right - left) * 4
        for y in range(top, bottom):
            src = (y * self.width + left) * 4
            dst = (y - top) * w
            out.pixels[dst:dst + w] = self.pixels[src:src + w]
        return out

    def paste(self, other, left, top):
        """Copies `other` over this image (no blending), clipped to the image."""
        for y in range(other.height):
            ty = top + y
            if ty < 0 or ty >= self.height:
                continue
            x0 = max(0, left)
            x1 = min(self.width, left + other.width)
            if x1 <= x0:
                continue
            src = (y * other.width + (x0 - left)) * 4
            dst = (ty * self.width + x0) * 4
            n = (x1 - x0) * 4
            self.pixels[dst:dst + n] = other.pixels[src:src + n]

    def copy(self):
        return Image(self.width, self.height, bytearray(self.pixels))


def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, image, alpha=False):
    """Writes `image` as an RGB PNG (alpha dropped) or an RGBA PNG."""
    channels = 4 if alpha else 3
    raw = bytearray()
    px = image.pixels
    for y in range(image.height):
        raw.append(0)
        row = px[y * image.width * 4:(y + 1) * image.width * 4]
        if alpha:
            raw += row
        else:
            rgb = bytearray(image.width * 3)
            rgb[0::3] = row[0::4]
            rgb[1::3] = row[1::4]
            rgb[2::3] = row[2::4]
            raw += rgb
    header = struct.pack(">IIBBBBB", image.width, image.height, 8, 6 if alpha else 2, 0, 0, 0)
    data = b"\x89PNG\r\n\x1a\n" + _chunk(b"IHDR", header) + _chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + \
        _chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def read_image(path, convert="/usr/bin/convert"):
    """Reads any image ImageMagick reads (PNG, JPEG, ...) as RGBA."""
    size = subprocess.run([convert, path, "-format", "%w %h", "info:"], check=True, capture_output=True,
                          text=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    raw = subprocess.run([convert, path, "-depth", "8", "rgba:-"], check=True, capture_output=True).stdout
    return Image(width, height, bytearray(raw))
