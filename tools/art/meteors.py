"""Sprites 17..22: six falling boulders, three large and three small."""

import numpy as np

from .common import (SS, downsample, finish, lerp, mask_canvas, ramp, rgb,
                     to_float, value_noise)

# (width, height, tone, seed) for kinds 0..5
ROCKS = [
    (63, 55, "ochre", 1701),
    (50, 49, "red", 1802),
    (49, 46, "sand", 1903),
    (32, 28, "red", 2004),
    (25, 25, "sand", 2105),
    (25, 23, "ochre", 2206),
]

TONES = {
    "ochre": [(0.0, (74, 44, 18)), (0.45, (168, 112, 44)), (0.8, (222, 170, 86)), (1.0, (250, 220, 150))],
    "red": [(0.0, (72, 30, 20)), (0.45, (156, 72, 46)), (0.8, (212, 124, 86)), (1.0, (246, 186, 150))],
    "sand": [(0.0, (84, 66, 42)), (0.45, (176, 150, 104)), (0.8, (226, 204, 156)), (1.0, (252, 240, 210))],
}


def boulder(w, h, tone, seed):
    rng = np.random.default_rng(seed)
    W, H = w * SS, h * SS
    ys, xs = np.mgrid[0:H, 0:W].astype(np.float32) + 0.5
    cx, cy = W / 2.0, H / 2.0
    rx, ry = (w / 2.0 - 1.2) * SS, (h / 2.0 - 1.2) * SS
    dx, dy = (xs - cx) / rx, (ys - cy) / ry
    ang = np.arctan2(dy, dx)
    # angular outline: radii picked at a ring of vertices, joined linearly
    nv = int(rng.integers(8, 11))
    va = np.sort((np.arange(nv) + rng.uniform(-0.3, 0.3, nv)) * 2 * np.pi / nv)
    vr = rng.uniform(0.76, 1.0, nv)
    img, d = mask_canvas(w, h)
    d.polygon([(cx + np.cos(a) * rr * rx, cy + np.sin(a) * rr * ry) for a, rr in zip(va, vr)],
              fill=255)
    poly = to_float(img)
    va = np.concatenate([va - 2 * np.pi, va, va + 2 * np.pi])
    vr = np.concatenate([vr, vr, vr])
    r_edge = np.interp(ang, va, vr).astype(np.float32)
    r = np.sqrt(dx * dx + dy * dy)
    r_edge = np.minimum(r_edge, 0.995)
    alpha = poly

    # pseudo-sphere normal plus bumps
    u = np.clip(r / r_edge, 0, 1)
    nz = np.sqrt(np.clip(1 - u * u, 0, 1))
    nx, ny = dx / np.maximum(r, 1e-3) * u, dy / np.maximum(r, 1e-3) * u
    bumps = value_noise(W, H, max(6, w / 3) * SS, seed + 1, octaves=4)
    gy, gx = np.gradient(bumps)
    nx = nx - gx * 9.0 * SS / 4
    ny = ny - gy * 9.0 * SS / 4
    # chunky facets: each cell of a Voronoi split gets its own tilt
    npts = int(6 + w / 5)
    px = cx + rng.uniform(-1, 1, npts) * rx
    py = cy + rng.uniform(-1, 1, npts) * ry
    tilt = rng.normal(0, 0.34, (npts, 2))
    d2 = (xs[..., None] - px) ** 2 + (ys[..., None] - py) ** 2
    near = d2.argmin(axis=2)
    nx = nx + tilt[near, 0]
    ny = ny + tilt[near, 1]
    part = np.sort(d2, axis=2)
    seam = np.clip((np.sqrt(part[..., 1]) - np.sqrt(part[..., 0])) / (1.2 * SS), 0, 1)
    # craters: dark bowls lit on the side away from the light
    for _ in range(int(2 + w / 12)):
        ccx = cx + rng.uniform(-0.55, 0.55) * rx
        ccy = cy + rng.uniform(-0.55, 0.55) * ry
        cr = rng.uniform(0.09, 0.2) * min(rx, ry)
        ddx, ddy = (xs - ccx) / cr, (ys - ccy) / cr
        d = np.sqrt(ddx * ddx + ddy * ddy)
        bowl = np.clip(1 - d, 0, 1)
        nx = nx + ddx * bowl * 0.9
        ny = ny + ddy * bowl * 0.9
        rim = np.exp(-((d - 1.05) / 0.18) ** 2)
        nx = nx - ddx * rim * 0.25
        ny = ny - ddy * rim * 0.25
    norm = np.sqrt(nx * nx + ny * ny + nz * nz) + 1e-6
    lx, ly, lz = -0.55, -0.65, 0.52
    lam = np.clip((nx * lx + ny * ly + nz * lz) / norm, 0, 1)
    grain = value_noise(W, H, 2 * SS, seed + 2, octaves=2)
    t = np.clip(0.04 + 1.0 * lam ** 1.3 + 0.14 * (grain - 0.5), 0, 1)
    t = t * (0.75 + 0.25 * seam)
    col = ramp(t, TONES[tone])
    # a warm glow on the underside from the plunge through the air
    glow = np.clip(dy, 0, 1) ** 2 * np.clip(u - 0.55, 0, 1) * 1.8
    col = lerp(col, rgb((255, 120, 40)), (np.clip(glow, 0, 0.25))[..., None])
    c = downsample(col * alpha[..., None])
    a = downsample(alpha)
    c = np.where(a[..., None] > 1e-6, c / np.maximum(a[..., None], 1e-6), 0)
    return finish(c, a)


def meteors():
    return [boulder(*rock) for rock in ROCKS]
