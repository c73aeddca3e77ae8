"""Pixel-exact HUD pictures: the two cross-hairs, the target marker and the
ammunition icon."""

import numpy as np

WHITE = (255, 255, 255)
GREY = (175, 175, 175)
RED = (255, 0, 0)


def _brackets(img, lo, hi, arm, colour):
    """Corner brackets of the square lo..hi (inclusive), arms `arm` long."""
    for y0, dy in ((lo, 1), (hi, -1)):
        for x0, dx in ((lo, 1), (hi, -1)):
            for i in range(arm):
                img[y0, x0 + dx * i] = colour
                img[y0 + dy * i, x0] = colour


def cross_hair(plus_colour):
    """Sprites 3 and 4: white brackets at the picture's corners and a plus
    sign over columns and rows 13..18 with 2-pixel arms."""
    img = np.zeros((32, 32, 3), np.uint8)
    _brackets(img, 0, 31, 8, WHITE)
    img[15:17, 13:19] = plus_colour
    img[13:19, 15:17] = plus_colour
    return img


def target_marker():
    """Sprite 5: red brackets of the centred 16x16 square (8..23) with
    3-pixel arms and a 4x4 red dot in the middle."""
    img = np.zeros((32, 32, 3), np.uint8)
    _brackets(img, 8, 23, 3, RED)
    img[14:18, 14:18] = RED
    return img


def ammo_round():
    """Sprite 16: an upright cartridge on a bevelled blue tile, 10x15,
    without a single black pixel."""
    w, h = 10, 15
    img = np.zeros((h, w, 3), np.float32)
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32)
    base = np.array([44, 78, 178], np.float32)
    img[:] = base * (1.08 - 0.25 * ys[..., None] / h)
    # bevel: light top/left, dark bottom/right
    img[0, :] = (120, 160, 240)
    img[:, 0] = (96, 136, 226)
    img[h - 1, :] = (22, 36, 104)
    img[:, w - 1] = (26, 42, 112)
    img[0, 0] = (150, 186, 250)
    img[h - 1, w - 1] = (18, 30, 90)
    # cartridge: columns 3..6, shaded across like a cylinder
    shade = np.array([1.25, 1.08, 0.86, 0.62], np.float32)
    copper = np.array([222, 120, 58], np.float32)
    brass = np.array([236, 188, 72], np.float32)
    crimp = np.array([150, 104, 38], np.float32)
    rim = np.array([196, 148, 52], np.float32)

    def band(row, cols, colour):
        for i, c in enumerate(cols):
            k = shade[min(i * 4 // len(cols), 3)] if len(cols) >= 4 else shade[i + 1]
            img[row, c] = np.minimum(colour * k, 255)

    band(1, [4, 5], copper * 1.1)
    band(2, [3, 4, 5, 6], copper * 1.05)
    for r in (3, 4, 5):
        band(r, [3, 4, 5, 6], copper)
    band(6, [3, 4, 5, 6], crimp)
    for r in range(7, 13):
        band(r, [3, 4, 5, 6], brass)
    band(13, [2, 3, 4, 5, 6, 7], rim)
    # a glint on the bullet and a shadow to the right of the case
    img[2, 4] = (255, 214, 170)
    img[8, 3] = (255, 246, 196)
    for r in range(3, 13):
        img[r, 7] = img[r, 7] * 0.7
    out = np.clip(np.round(img), 0, 255).astype(np.uint8)
    # no pixel may turn into the transparent colour
    assert (out.max(axis=2) >= 16).all()
    return out
