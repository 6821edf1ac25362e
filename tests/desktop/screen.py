"""What the screenshots of a compositor's window show: boxes of pixels that
differ from the backdrop, of a message box's face colour, or from an earlier
screenshot, and where the pointer's tip stands. Boxes are (x, y, w, h)."""

import ctypes
import ctypes.util
from dataclasses import dataclass

FACE = bytes([239, 239, 239])  # a message box's window colour
_NONZERO = bytes([0] + [1] * 255)  # translate: any byte but 0 counts


@dataclass
class Shot:
    width: int
    height: int
    rgb: bytes

    def save(self, path):
        path.write_bytes(b"P6 %d %d 255\n" % (self.width, self.height) + self.rgb)
        return path

    def differs(self, other):
        """One byte a pixel: 1 where other's pixel is not the same."""
        changed = _int(self.rgb) ^ _int(other.rgb)
        return _any_channel(changed.to_bytes(len(self.rgb), "big").translate(_NONZERO))

    def matches(self, colour):
        """One byte a pixel: 1 where the pixel is colour."""
        hit = -1
        for c in range(3):
            table = bytes(int(v == colour[c]) for v in range(256))
            hit &= _int(self.rgb[c::3].translate(table))
        return hit.to_bytes(self.width * self.height, "big")


def _int(data):
    return int.from_bytes(data, "big")


def _any_channel(per_byte):
    hit = _int(per_byte[0::3]) | _int(per_byte[1::3]) | _int(per_byte[2::3])
    return hit.to_bytes(len(per_byte) // 3, "big")


class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


_X11 = ctypes.CDLL(ctypes.util.find_library("X11"))
_X11.XOpenDisplay.restype = ctypes.c_void_p
_X11.XOpenDisplay.argtypes = [ctypes.c_char_p]
_X11.XCloseDisplay.argtypes = [ctypes.c_void_p]
_X11.XGetImage.restype = ctypes.POINTER(_XImage)
_X11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                           ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
_X11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]


def grab(display, window, width, height):
    """A screenshot of X window `window` (its top left width x height). Read
    straight from the server: ImageMagick's import takes seconds at scale 2,
    long enough to miss a splash."""
    dpy = _X11.XOpenDisplay(display.encode())
    assert dpy, f"cannot open {display}"
    try:
        image = _X11.XGetImage(dpy, int(window), 0, 0, width, height, ~0, 2)  # ZPixmap
        assert image, f"no image of window {window}"
        try:
            i = image.contents
            assert i.bits_per_pixel == 32 and i.byte_order == 0, "not a 24-bit LSB-first screen"
            stride = i.bytes_per_line
            rows = ctypes.string_at(i.data, stride * height)
        finally:
            _X11.XDestroyImage(image)
    finally:
        _X11.XCloseDisplay(dpy)
    bgrx = rows if stride == 4 * width else b"".join(
        rows[y * stride:y * stride + 4 * width] for y in range(height))
    rgb = bytearray(3 * width * height)
    rgb[0::3], rgb[1::3], rgb[2::3] = bgrx[2::4], bgrx[1::4], bgrx[0::4]
    return Shot(width, height, bytes(rgb))


def _box(mask, w, h, least):
    ys = [y for y in range(h) if mask[y * w:(y + 1) * w].count(1) >= least]
    xs = [x for x in range(w) if mask[x::w].count(1) >= least]
    if ys and xs:
        return (xs[0], ys[0], xs[-1] - xs[0] + 1, ys[-1] - ys[0] + 1)
    return None


def frame(shot, scale):
    """What differs from the backdrop, the colour of the top left pixel, in
    rows and columns longer than the pointer: between two windows the pointer
    alone is no window."""
    backdrop = shot.rgb[0:3]
    mask = shot.matches(backdrop).translate(bytes([1, 0]) + bytes(254))
    return _box(mask, shot.width, shot.height, 40 * scale)


def boxes(shot, scale):
    """Rows and columns with many pixels of a message box's face."""
    return _box(shot.matches(FACE), shot.width, shot.height, 60 * scale)


def moved(shot, ref, scale):
    """Rows and columns where many pixels changed since ref."""
    return _box(shot.differs(ref), shot.width, shot.height, 40 * scale)


def tip(shot, without, x, y, scale):
    """The topmost pixel near (x, y) that `without` does not show, from (x, y):
    the top of a pointer there."""
    mask, w, r = shot.differs(without), shot.width, 40 * scale
    left, right = max(0, x - r), min(w, x + r)
    for row in range(max(0, y - r), min(shot.height, y + r)):
        line = mask[row * w + left:row * w + right]
        if 1 in line:
            first, last = line.index(1), len(line) - 1 - line[::-1].index(1)
            return ((first + last) // 2 + left - x, row - y)
    return None


def centred_within(box, outer, scale):
    """Whether box lies inside outer, centred across it within 4 pixels a scale."""
    bx, by, bw, bh = box
    ox, oy, ow, oh = outer
    inside = bx >= ox and by >= oy and bx + bw <= ox + ow and by + bh <= oy + oh
    return inside and abs((2 * bx + bw) - (2 * ox + ow)) <= 8 * scale
