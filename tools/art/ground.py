"""Sprite 9: the rocky hills along the bottom of the screen (640x95), with
the two gun emplacements in the lower corners."""

import numpy as np

from .common import (SS, downsample, finish, lerp, over, ramp, rgb,
                     value_noise)

W, H = 640, 95

# Hill line (y of the ridge, strip coordinates) at chosen x positions.  The
# left city stands in the low valley around x 100, the middle city on the
# saddle around x 320, the right city on the shoulder right of the peak.
RIDGE = [
    (0, 22), (20, 24), (36, 28), (46, 36), (56, 54), (70, 64), (100, 66), (130, 63),
    (145, 60), (160, 50), (180, 38), (200, 31), (220, 29), (240, 34),
    (258, 41), (275, 44), (300, 46), (330, 45), (355, 42), (368, 32),
    (380, 17), (395, 10), (410, 6), (430, 9), (450, 5), (470, 3), (490, 8),
    (505, 12), (518, 17), (528, 29), (540, 37), (560, 40), (580, 38),
    (595, 31), (610, 26), (640, 24),
]

# Gun emplacements: the barrels turn about strip points (9, 6) and (629, 14);
# each mound's top sits three pixels below its pivot.
BUNKERS = [(9.0, 6.0), (629.0, 14.0)]
BUNKER_RX, BUNKER_RY, BUNKER_DROP = 31.0, 22.0, 3.0


def smooth_line(points, n, scale):
    xs = np.array([p[0] for p in points], np.float32) * scale
    ys = np.array([p[1] for p in points], np.float32) * scale
    x = np.arange(n, dtype=np.float32) + 0.5
    line = np.interp(x, xs, ys)
    # soften the corners of the polyline with a small moving average
    k = int(6 * scale)
    ker = np.ones(2 * k + 1, np.float32) / (2 * k + 1)
    pad = np.pad(line, k, mode="edge")
    return np.convolve(pad, ker, mode="valid")


def jagged(n, seed, amp, scale):
    """Rocky unevenness of a ridge line: sharp small steps plus drift."""
    rng = np.random.default_rng(seed)
    coarse = value_noise(n, 1, 18 * scale, seed, octaves=5)[0] - 0.5
    steps = np.repeat(rng.random(n // (3 * scale) + 2) - 0.5, 3 * scale)[:n]
    return (coarse * 2.2 + steps * 0.5) * amp * scale


def ridge_line():
    """The main hill line at 4x resolution (one value per 4x column)."""
    n = W * SS
    line = smooth_line(RIDGE, n, SS) + jagged(n, 91, 2.0, SS)
    x = (np.arange(n) + 0.5) / SS
    # hold the required heights: near the top over the peak, low in the
    # valley of the left city
    peak = (x >= 378) & (x <= 522)
    line[peak] = np.minimum(line[peak], 17.0 * SS)
    valley = (x >= 58) & (x <= 142)
    line[valley] = np.clip(line[valley], 61.0 * SS, 68.0 * SS)
    return line


def rock_layer(line, seed, base, dark, light, size=(W, H)):
    """Colour and coverage (4x) of one band of rock below `line` (one value
    per 4x column) on a canvas of `size` pixels."""
    w, h = size[0] * SS, size[1] * SS
    ys = np.arange(h, dtype=np.float32)[:, None] + 0.5
    cover = np.clip(ys - line[None, :] + 0.5, 0, 1)
    depth = (ys - line[None, :]) / SS           # pixels below the ridge
    # bumpy rock surface lit from the upper left
    bumps = value_noise(w, h, 26 * SS, seed, octaves=6, persistence=0.55)
    cracks = value_noise(w, h, 10 * SS, seed + 1, octaves=3)
    gy, gx = np.gradient(bumps * 60.0)
    lam = np.clip(0.55 - 0.55 * gx - 0.75 * gy, 0, 1.4)
    # slope of the ridge: faces rising to the right catch the light
    slope = np.gradient(line) * -1.0
    face = np.clip(0.5 + 1.2 * slope, 0, 1)[None, :] * np.exp(-depth / 18.0)
    t = np.clip(0.25 + 0.45 * lam + 0.35 * face - 0.006 * depth, 0, 1)
    col = ramp(t, [(0.0, dark), (0.5, base), (1.0, light)])
    # strata and cracks
    strata = 0.5 + 0.5 * np.sin((ys / SS) * 0.9 + bumps * 9.0 + (np.arange(w)[None, :] / SS) * 0.05)
    col *= (0.9 + 0.1 * strata)[..., None]
    ridged = np.abs(cracks - 0.5)
    col *= (0.55 + 0.45 * np.clip(ridged / 0.06, 0, 1))[..., None]
    blotch = value_noise(w, h, 40 * SS, seed + 2, octaves=3)
    col = lerp(col, col.mean(axis=2, keepdims=True) * rgb((1.0, 0.95, 0.9)),
               (np.clip(blotch - 0.55, 0, 1) * 1.4)[..., None])
    # rim light along the ridge
    rim = np.exp(-np.maximum(depth, 0) / 1.2) * 0.35
    col = col + rim[..., None] * rgb((255, 210, 160))
    return np.clip(col, 0, 1).astype(np.float32), cover.astype(np.float32)


def boulders(col, alpha, seed, count, band):
    """Scatter shaded boulders whose bottoms lie within band (y0, y1)."""
    rng = np.random.default_rng(seed)
    h, w = alpha.shape
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32) + 0.5
    for _ in range(count):
        cx = rng.uniform(0, w / SS) * SS
        r = rng.uniform(2.0, 5.5) * SS
        cy = rng.uniform(*band) * SS - r * 0.6
        x0, x1 = int(max(cx - 2 * r, 0)), int(min(cx + 2 * r, w))
        y0, y1 = int(max(cy - 2 * r, 0)), int(min(cy + 2 * r, h))
        if x1 <= x0 or y1 <= y0:
            continue
        sx, sy = xs[y0:y1, x0:x1], ys[y0:y1, x0:x1]
        dx, dy = (sx - cx) / (r * 1.4), (sy - cy) / (r * 0.85)
        ang = np.arctan2(dy, dx)
        lumpy = 1 + 0.12 * np.sin(3 * ang + rng.uniform(0, 6)) + 0.08 * np.sin(5 * ang + rng.uniform(0, 6))
        d2 = (dx * dx + dy * dy) * lumpy
        inside = np.clip((1 - d2) * r * 0.5, 0, 1) * alpha[y0:y1, x0:x1]
        nz = np.sqrt(np.clip(1 - d2, 0, 1))
        lit = np.clip(0.35 + 0.75 * (-0.55 * dx - 0.6 * dy + 0.55 * nz), 0.15, 1.2)
        tone = rgb((150, 104, 70)) * rng.uniform(0.8, 1.15)
        c = np.clip(tone[None, None, :] * lit[..., None], 0, 1)
        # contact shadow to the lower right
        sh = np.exp(-(((sx - cx - 0.6 * r) / (r * 1.4)) ** 2 + ((sy - cy - 0.8 * r) / (r * 0.6)) ** 2))
        sh = sh * alpha[y0:y1, x0:x1] * (1 - inside) * 0.45
        col[y0:y1, x0:x1] *= (1 - sh)[..., None]
        col[y0:y1, x0:x1] = col[y0:y1, x0:x1] * (1 - inside[..., None]) + c * inside[..., None]


def _bunker(col, alpha, px, py):
    """Concrete dome under the barrel pivot (px, py), strip pixels."""
    h, w = alpha.shape
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32) + 0.5
    cx, top = px * SS, (py + BUNKER_DROP) * SS
    rx, ry = BUNKER_RX * SS, BUNKER_RY * SS
    cy = top + ry
    dx, dy = (xs - cx) / rx, (ys - cy) / ry
    d2 = dx * dx + np.minimum(dy, 0) ** 2
    cover = np.clip((1 - np.sqrt(d2)) * ry * 0.5, 0, 1)
    cover *= np.clip(cy + 1.5 * SS - ys, 0, 1)
    nz = np.sqrt(np.clip(1 - d2, 0, 1))
    lit = np.clip(0.30 + 0.8 * (-0.5 * dx - 0.65 * np.minimum(dy, 0) + 0.6 * nz), 0.2, 1.25)
    conc = value_noise(w, h, 6 * SS, 17, octaves=3)
    base = rgb((150, 150, 142)) * (0.88 + 0.2 * conc)[..., None]
    c = base * lit[..., None]
    # armour plates: concentric seams and a row of rivets
    ring = np.sqrt(dx * dx + np.minimum(dy, 0) ** 2)
    for rr in (0.42, 0.78):
        seam = np.exp(-((ring - rr) * ry / (0.5 * SS)) ** 2)
        c *= (1 - 0.45 * seam)[..., None]
    # turret ring the barrel turns on
    tr = np.exp(-(((xs - cx) / (9 * SS)) ** 2 + ((ys - top - 1.5 * SS) / (2.2 * SS)) ** 2) ** 2)
    c = lerp(c, rgb((60, 62, 66)), (tr * 0.9)[..., None])
    # yellow and dark hazard stripes around the foot
    foot = (ys > cy - 0.22 * ry) & (ys < cy - 0.08 * ry)
    stripe = (((xs + ys) / (3 * SS)).astype(np.int32) % 2) == 0
    haz = np.where(stripe, 1.0, 0.0)
    hazc = lerp(rgb((70, 60, 30)), rgb((240, 190, 40)), haz[..., None]) * lit[..., None]
    c = np.where(foot[..., None], hazc, c)
    col[:] = col * (1 - cover[..., None]) + np.clip(c, 0, 1) * cover[..., None]
    alpha[:] = np.maximum(alpha, cover)


def ground_strip():
    line = ridge_line()
    n = W * SS
    back_c, back_a = rock_layer(line, 3, (118, 74, 44), (58, 36, 24), (196, 140, 92))
    # the dark hollow under the ridge, so the front bands stand out
    mid_line = np.maximum(line + 12 * SS, smooth_line(
        [(0, 36), (30, 44), (60, 76), (140, 74), (200, 56), (260, 62), (330, 60), (380, 44),
         (450, 36), (520, 44), (580, 56), (640, 48)], n, SS)) + jagged(n, 5, 1.5, SS)
    mid_c, mid_a = rock_layer(mid_line, 7, (140, 90, 52), (70, 44, 28), (214, 160, 104))
    front_line = np.maximum(mid_line + 8 * SS, smooth_line(
        [(0, 78), (90, 86), (160, 80), (240, 83), (320, 78), (420, 82), (500, 76),
         (580, 84), (640, 80)], n, SS)) + jagged(n, 11, 1.2, SS)
    front_c, front_a = rock_layer(front_line, 13, (156, 100, 58), (78, 50, 30), (226, 174, 116))

    col = back_c * 0.9
    alpha = back_a
    # shade the back range where the next band overlaps it
    for px, py in BUNKERS:
        _bunker(col, alpha, px, py)
    col, alpha = over(col, alpha, mid_c, mid_a)
    col, alpha = over(col, alpha, front_c, front_a)
    boulders(col, alpha, 21, 26, (40, 94))
    c = downsample(col * alpha[..., None])
    a = downsample(alpha)
    c = np.where(a[..., None] > 1e-6, c / np.maximum(a[..., None], 1e-6), 0)
    return finish(c, a)
