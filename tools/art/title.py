"""The gold SKYWARD title (sprites 12, 13, 14) with a travelling glint."""

import numpy as np
from PIL import Image, ImageFilter

from .common import (SS, downsample, font, lerp, ramp, rgb, shade_bevel,
                     text_mask, to_float)

GOLD = [
    (0.00, (255, 248, 196)),
    (0.30, (255, 214, 80)),
    (0.52, (214, 136, 24)),
    (0.56, (160, 92, 16)),
    (0.62, (236, 168, 44)),
    (0.85, (255, 222, 110)),
    (1.00, (200, 130, 30)),
]
EDGE = (70, 34, 8)
DEPTH = (120, 62, 12)

# where the glint crosses the word in each of the three pictures (0..1)
GLINT_POS = (0.12, 0.5, 0.88)


def _shape(w, h, text, pad):
    """4x masks of the letters, the extruded depth and the outline."""
    fnt = font("DejaVuSans-Bold.ttf", 120 * SS)
    m = text_mask(text, fnt, SS)
    iw, ih = (w - 2 * pad) * SS, (h - 2 * pad) * SS
    depth = max(1, round(h / 28))
    m = m.resize((iw - depth * SS, ih - depth * SS), Image.LANCZOS)
    letters = Image.new("L", (w * SS, h * SS), 0)
    letters.paste(m, (pad * SS, pad * SS))
    extr = Image.new("L", (w * SS, h * SS), 0)
    for i in range(1, depth * SS + 1):
        extr.paste(255, (pad * SS + i, pad * SS + i), m)
    solid = Image.fromarray(np.maximum(np.asarray(letters), np.asarray(extr)))
    grown = solid.filter(ImageFilter.MaxFilter(2 * max(1, round(h / 40)) * SS + 1))
    return to_float(letters), to_float(extr), to_float(grown), (pad, ih)


def logo(frame, w=390, h=85, text="SKYWARD", pad=3):
    """Float colour and alpha (final size) of one glitter picture."""
    letters, extr, grown, (pad, ih) = _shape(w, h, text, pad)
    H, W = letters.shape
    ys, xs = np.mgrid[0:H, 0:W].astype(np.float32) + 0.5
    t = (ys - pad * SS) / ih
    col = ramp(t, GOLD)
    light = shade_bevel(letters, SS * h / 40.0, depth=2.2)
    col = np.clip(col * (1.0 + 0.45 * light[..., None]), 0, 1)
    # glint: a slanted band of white light plus a four-point sparkle
    p = GLINT_POS[frame]
    gx = p * W + (ys - H / 2) * 0.45
    band = np.exp(-((xs - gx) / (0.035 * W)) ** 2)
    col = lerp(col, rgb((255, 255, 240)), (band * 0.85 * letters)[..., None])
    sx, sy = p * W, H * 0.32
    dx, dy = np.abs(xs - sx), np.abs(ys - sy)
    star = np.exp(-(dx / (0.6 * SS)) ** 2 - (dy / (h * 0.28 * SS)) ** 2) + \
        np.exp(-(dy / (0.6 * SS)) ** 2 - (dx / (h * 0.28 * SS)) ** 2) + \
        np.exp(-(dx * dx + dy * dy) / (2.5 * SS) ** 2)
    star = np.clip(star, 0, 1) * grown
    # darker metal on the extruded sides, a dark outline around everything
    side = lerp(rgb(DEPTH), rgb((200, 120, 30)), np.clip(1 - t, 0, 1)[..., None] * 0.4)
    out = rgb(EDGE)[None, None, :] * np.ones_like(col)
    out = lerp(out, side, extr[..., None])
    out = lerp(out, col, letters[..., None])
    out = lerp(out, rgb((255, 255, 255)), star[..., None])
    alpha = grown
    c = downsample(out * alpha[..., None])
    a = downsample(alpha)
    c = np.where(a[..., None] > 1e-6, c / np.maximum(a[..., None], 1e-6), 0)
    return c.astype(np.float32), a.astype(np.float32)


def title_frames(w=390, h=85):
    """The three glitter pictures; they share one outline, so only the
    shimmer changes when they are cycled."""
    return [logo(i, w, h) for i in range(3)]
