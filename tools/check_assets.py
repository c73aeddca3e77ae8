#!/usr/bin/python3
"""Verify the pictures in assets/ against the format rules the game's
loader and drawing code rely on.  Prints every violation and exits with
status 1 if there was any, 0 otherwise.

Usage:  /usr/bin/python3 tools/check_assets.py [assets-dir]
"""

import os
import struct
import sys
import zlib

import numpy as np
from PIL import Image

RGB, PALETTE, GRAY = 2, 3, 0

# SpriteId -> (file, storage, width, height)
SPRITES = {
    0: ("00.png", RGB, 650, 30),
    1: ("01.png", RGB, 220, 44),
    2: ("02.png", RGB, 924, 20),
    3: ("03.png", PALETTE, 32, 32),
    4: ("04.png", PALETTE, 32, 32),
    5: ("05.png", PALETTE, 32, 32),
    6: ("06.bmp", "bmp", 32, 32),
    7: ("07.bmp", "bmp", 32, 32),
    8: ("08.bmp", "bmp", 32, 32),
    9: ("09.png", RGB, 640, 95),
    10: ("10.png", PALETTE, 2176, 128),
    11: ("11.png", RGB, 94, 87),
    12: ("12.png", PALETTE, 390, 85),
    13: ("13.png", PALETTE, 390, 85),
    14: ("14.png", PALETTE, 390, 85),
    15: ("15.png", PALETTE, 2560, 150),
    16: ("16.png", PALETTE, 10, 15),
    17: ("17.png", PALETTE, 63, 55),
    18: ("18.png", PALETTE, 50, 49),
    19: ("19.png", PALETTE, 49, 46),
    20: ("20.png", PALETTE, 32, 28),
    21: ("21.png", PALETTE, 25, 25),
    22: ("22.png", PALETTE, 25, 23),
}
OTHERS = {
    "launcher/button.png": (PALETTE, 61, 90),
    "launcher/backdrop.png": (PALETTE, 310, 205),
    "launcher/mask.png": ((GRAY, PALETTE), 310, 205),
    "icon.png": (PALETTE, 32, 32),
}

errors = []


def fail(name, msg):
    errors.append("%s: %s" % (name, msg))


# ------------------------------------------------------------ file formats

def check_png(path, name, colour_types, w, h):
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        fail(name, "not a PNG file")
        return False
    pos, chunks = 8, []
    while pos + 8 <= len(data):
        length, ctype = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        crc = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]
        if zlib.crc32(ctype + body) & 0xFFFFFFFF != crc:
            fail(name, "bad CRC in chunk %r" % ctype)
        chunks.append((ctype, body))
        pos += 12 + length
    types = [c for c, _ in chunks]
    if not types or types[0] != b"IHDR" or types[-1] != b"IEND":
        fail(name, "chunk order broken: %r" % types)
        return False
    iw, ih, depth, ctype, comp, filt, interlace = struct.unpack(">IIBBBBB", chunks[0][1])
    if (iw, ih) != (w, h):
        fail(name, "size %dx%d, expected %dx%d" % (iw, ih, w, h))
    if depth != 8:
        fail(name, "bit depth %d, expected 8" % depth)
    if not isinstance(colour_types, tuple):
        colour_types = (colour_types,)
    if ctype not in colour_types:
        fail(name, "colour type %d, expected %s" % (ctype, colour_types))
    if interlace != 0 or comp != 0 or filt != 0:
        fail(name, "interlaced or unusual compression/filter")
    if b"tRNS" in types:
        fail(name, "has a tRNS chunk")
    if ctype == PALETTE and b"PLTE" not in types:
        fail(name, "palette image without PLTE")
    return True


def check_bmp(path, name):
    with open(path, "rb") as f:
        data = f.read()
    if len(data) not in (3126, 3128):
        fail(name, "file size %d, expected 3126 or 3128" % len(data))
    if data[:2] != b"BM" or len(data) < 54:
        fail(name, "not a BMP file")
        return
    size, _, _, offset = struct.unpack("<IHHI", data[2:14])
    hsize, bw, bh, planes, bpp, comp = struct.unpack("<IiiHHI", data[14:34])
    if size != len(data):
        fail(name, "size field %d but file has %d bytes" % (size, len(data)))
    if offset != 54 or hsize != 40:
        fail(name, "header is not the plain 54-byte layout")
    if (bw, bh) != (32, 32):
        fail(name, "size %dx%d, expected 32x32 bottom-up" % (bw, bh))
    if bpp != 24 or comp != 0 or planes != 1:
        fail(name, "not uncompressed 24-bit")


def pixels(path):
    return np.asarray(Image.open(path).convert("RGB"), np.int32)


# ------------------------------------------------------------ picture rules

def visible(img):
    return img.any(axis=2)


def check_16bit(name, img):
    """A visible pixel must not turn into the transparent 0 in RGB565."""
    bad = visible(img) & (img[..., 0] < 8) & (img[..., 1] < 4) & (img[..., 2] < 8)
    if bad.any():
        y, x = np.argwhere(bad)[0]
        fail(name, "%d near-black pixels vanish in 16-bit, first at (%d, %d)"
             % (bad.sum(), x, y))


def expected_cross(plus):
    img = np.zeros((32, 32, 3), np.int32)
    brackets(img, 0, 31, 8, (255, 255, 255))
    img[15:17, 13:19] = plus
    img[13:19, 15:17] = plus
    return img


def brackets(img, lo, hi, arm, colour):
    for y in (lo, hi):
        for x in (lo, hi):
            sx = 1 if x == lo else -1
            sy = 1 if y == lo else -1
            for i in range(arm):
                img[y, x + sx * i] = colour
                img[y + sy * i, x] = colour


def check_cursor(name, img, expected):
    if not np.array_equal(img, expected):
        diff = np.argwhere((img != expected).any(axis=2))
        fail(name, "%d pixels differ from the required pattern, first at (x %d, y %d)"
             % (len(diff), diff[0][1], diff[0][0]))


def check_glyphs(name, img, cw, count):
    for i in range(count):
        cell = img[:, i * cw:(i + 1) * cw]
        if not visible(cell).any():
            fail(name, "glyph cell %d is empty" % i)
        if visible(cell[:, :1]).any() or visible(cell[:, -1:]).any():
            fail(name, "glyph %d touches the side of its cell" % i)


def bbox(mask):
    ys, xs = np.nonzero(mask)
    if len(xs) == 0:
        return None
    return xs.min(), ys.min(), xs.max(), ys.max()


def check_explosion(name, img):
    frames = [img[:, i * 128:(i + 1) * 128] for i in range(17)]
    for k in range(8):
        if not np.array_equal(frames[k], frames[16 - k]):
            fail(name, "frame %d differs from frame %d" % (16 - k, k))
    counts = [visible(f).sum() for f in frames]
    if not all(counts[k] < counts[k + 1] for k in range(1, 8)):
        fail(name, "frames 1..8 do not grow: %s" % counts[:9])
    if counts[0] == 0 or counts[0] >= counts[1]:
        fail(name, "frame 0 should be a few sparks")
    for k, f in enumerate(frames[:9]):
        b = bbox(visible(f))
        if b is None:
            fail(name, "frame %d is empty" % k)
            continue
        cx, cy = (b[0] + b[2]) / 2.0, (b[1] + b[3]) / 2.0
        if abs(cx - 63.5) > 6 or abs(cy - 63.5) > 6:
            fail(name, "frame %d is not centred (%.1f, %.1f)" % (k, cx, cy))
    b = bbox(visible(frames[8]))
    if b and (b[2] - b[0] < 100 or b[3] - b[1] < 100):
        fail(name, "the full fireball (frame 8) should fill most of the cell")


def check_fire(name, img):
    tops = []
    for k in range(16):
        f = img[:, k * 160:(k + 1) * 160]
        v = visible(f)
        if not v[-1].any():
            fail(name, "frame %d does not rest on the bottom edge" % k)
        b = bbox(v)
        tops.append(150 if b is None else b[1])
    heights = [150 - t for t in tops]
    if not all(heights[k] <= heights[k + 1] for k in range(9)):
        fail(name, "flames do not grow up to frame 9: %s" % heights)
    if min(heights[9], heights[10]) < 140:
        fail(name, "frames 9 and 10 should fill the cell: %s" % heights[9:11])
    if heights[0] > 60 or heights[15] > 45:
        fail(name, "first and last frames should be small flames: %s" % heights)
    if not all(heights[k] >= heights[k + 1] for k in range(10, 15)):
        fail(name, "flames do not die down after frame 10: %s" % heights)


def column_tops(img):
    v = visible(img)
    return np.where(v.any(axis=0), v.argmax(axis=0), img.shape[0])


def check_ground(name, img):
    v = visible(img)
    tops = column_tops(img)
    for x in range(img.shape[1]):
        if not v[tops[x]:, x].all():
            fail(name, "hole under the hill line in column %d" % x)
            break
    if not (tops[380:521] < 20).all():
        fail(name, "hill line not near the top between x 380 and 520")
    if not ((tops[60:141] >= 55) & (tops[60:141] <= 75)).all():
        fail(name, "hill line not about 65 down between x 60 and 140")
    # emplacement tops just below the barrel pivots (strip (9,6), (629,14))
    for px, py in ((9, 6), (629, 14)):
        t = tops[px]
        if not py < t <= py + 6:
            fail(name, "emplacement at x %d tops out at %d, pivot at %d" % (px, t, py))


def check_titles(names, imgs):
    masks = [visible(i) for i in imgs]
    if not (np.array_equal(masks[0], masks[1]) and np.array_equal(masks[1], masks[2])):
        fail(names[0], "the three title pictures differ in outline, not only in shimmer")
    for a in range(3):
        for b in range(a + 1, 3):
            if np.array_equal(imgs[a], imgs[b]):
                fail(names[b], "title pictures %s and %s are identical" % (names[a], names[b]))
    b = bbox(masks[0])
    if b is None or b[2] - b[0] < 370 or b[3] - b[1] < 70:
        fail(names[0], "title does not fill the picture")


def check_texture_pair(name, a, b):
    if np.array_equal(a, b):
        fail(name, "the two shell pictures are identical")
    elif not np.array_equal(a[:22], b[:22]):
        fail(name, "the shell pictures differ above the flame")


def check_launcher(root):
    face = pixels(os.path.join(root, "launcher/backdrop.png"))
    mask_img = Image.open(os.path.join(root, "launcher/mask.png"))
    mask = np.asarray(mask_img.convert("L"), np.int32)
    n = "launcher/mask.png"
    if not set(np.unique(mask)) <= {0, 255}:
        fail(n, "mask holds values other than 0 and 255")
    inside = mask == 255
    if inside.all() or not inside.any():
        fail(n, "mask is not a shape")
    for x, y in ((0, 0), (309, 0), (0, 204), (309, 204)):
        if inside[y, x]:
            fail(n, "corner (%d, %d) is inside: the outline should not be a rectangle" % (x, y))
    rows = [tuple(np.nonzero(inside[y])[0][[0, -1]]) if inside[y].any() else None
            for y in range(205)]
    if len(set(r for r in rows if r)) < 3:
        fail(n, "outline is rectangular")
    if visible(face)[~inside].any():
        fail("launcher/backdrop.png", "not black outside the window outline")
    gadgets = [(55, 81, 15, 15), (55, 104, 15, 15), (55, 127, 15, 15), (231, 69, 52, 76)]
    for x, y, w, h in gadgets:
        if not inside[y:y + h, x:x + w].all():
            fail(n, "gadget at (%d, %d) is not inside the window" % (x, y))
    # labels: white pixels right of each box
    for _, y, _, _ in gadgets[:3]:
        strip = face[y - 2:y + 17, 72:200]
        white = (strip.min(axis=2) > 220).sum()
        if white < 20:
            fail("launcher/backdrop.png", "no white label right of the box at y %d" % y)
        if not inside[y:y + 15, 72:150].all():
            fail(n, "label right of the box at y %d is outside the window" % y)
    btn = pixels(os.path.join(root, "launcher/button.png"))
    mid = btn[7:83, 4:56]
    red = ((mid[..., 0] > 150) & (mid[..., 1] < 90) & (mid[..., 2] < 90)).sum()
    white = (mid.min(axis=2) > 200).sum()
    if red < 30 or white < 30:
        fail("launcher/button.png", "the middle 52x76 should show a red and white rocket")


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "assets")
    imgs = {}
    for sid, (fname, kind, w, h) in SPRITES.items():
        path = os.path.join(root, "sprites", fname)
        name = "sprites/" + fname
        if not os.path.exists(path):
            fail(name, "missing")
            continue
        if kind == "bmp":
            check_bmp(path, name)
        elif not check_png(path, name, kind, w, h):
            continue
        img = pixels(path)
        if img.shape[:2] != (h, w):
            continue
        imgs[sid] = img
        check_16bit(name, img)
    for rel, (kinds, w, h) in OTHERS.items():
        path = os.path.join(root, rel)
        if not os.path.exists(path):
            fail(rel, "missing")
            continue
        check_png(path, rel, kinds, w, h)
        if rel != "launcher/mask.png":
            check_16bit(rel, pixels(path))
    with open(os.path.join(root, "icon.png"), "rb") as f:
        data = f.read()
    i = data.find(b"PLTE")
    if i < 0 or struct.unpack(">I", data[i - 4:i])[0] != 256 * 3:
        fail("icon.png", "palette should hold 256 colours")

    if len(imgs) == len(SPRITES):
        check_glyphs("sprites/00.png", imgs[0], 25, 26)
        check_glyphs("sprites/01.png", imgs[1], 22, 10)
        check_glyphs("sprites/02.png", imgs[2], 22, 42)
        check_cursor("sprites/03.png", imgs[3], expected_cross((255, 255, 255)))
        check_cursor("sprites/04.png", imgs[4], expected_cross((175, 175, 175)))
        marker = np.zeros((32, 32, 3), np.int32)
        brackets(marker, 8, 23, 3, (255, 0, 0))
        marker[14:18, 14:18] = (255, 0, 0)
        check_cursor("sprites/05.png", imgs[5], marker)
        if not visible(imgs[6]).any():
            fail("sprites/06.bmp", "empty barrel")
        check_texture_pair("sprites/08.bmp", imgs[7], imgs[8])
        check_ground("sprites/09.png", imgs[9])
        check_explosion("sprites/10.png", imgs[10])
        check_titles(["sprites/12.png", "sprites/13.png", "sprites/14.png"],
                     [imgs[12], imgs[13], imgs[14]])
        check_fire("sprites/15.png", imgs[15])
        if not visible(imgs[16]).all():
            fail("sprites/16.png", "the ammunition icon has black pixels")
        for sid in range(17, 23):
            m = visible(imgs[sid])
            if m.sum() < 0.4 * m.size:
                fail("sprites/%02d.png" % sid, "boulder too small")
            if m[0].all() or m[:, 0].all() or m[0, 0]:
                fail("sprites/%02d.png" % sid, "boulder touches its edges: no black around it")
        if not visible(imgs[11]).any():
            fail("sprites/11.png", "empty city")
    if os.path.exists(os.path.join(root, "launcher/mask.png")):
        check_launcher(root)

    for e in errors:
        print("FAIL " + e)
    print("%d problem(s) found" % len(errors) if errors else "all pictures pass")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
