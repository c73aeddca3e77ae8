"""Animated sheets: the explosion fireball (sprite 10) and the fire of a hit
ground site (sprite 15)."""

import numpy as np

from .common import SS, downsample, finish, ramp, value_noise

FIRE = [
    (0.00, (110, 14, 4)),
    (0.18, (190, 40, 8)),
    (0.40, (245, 104, 16)),
    (0.62, (255, 170, 40)),
    (0.82, (255, 232, 120)),
    (1.00, (255, 255, 236)),
]

EXP_CELL = 128
EXP_GROW = 9          # frames 0..8; 9..16 repeat 7..0


def _to_rgb(heat, alpha):
    col = ramp(heat, FIRE)
    c = downsample(col * alpha[..., None])
    a = downsample(alpha)
    c = np.where(a[..., None] > 1e-6, c / np.maximum(a[..., None], 1e-6), 0)
    return finish(c, a)


def _sparks(heat, alpha, rng, count, r0, r1, size):
    """Bright sparks with short radial streaks between radii r0 and r1 (4x
    units) around the centre of a square canvas."""
    n = heat.shape[0]
    c = n / 2.0
    ys, xs = np.mgrid[0:n, 0:n].astype(np.float32) + 0.5
    for _ in range(count):
        ang = rng.uniform(0, 2 * np.pi)
        dist = rng.uniform(r0, r1)
        px, py = c + np.cos(ang) * dist, c + np.sin(ang) * dist
        # streak pointing back towards the centre
        ux, uy = np.cos(ang), np.sin(ang)
        rx, ry = xs - px, ys - py
        along = rx * ux + ry * uy
        across = -rx * uy + ry * ux
        length = size * rng.uniform(2.0, 4.0)
        t = np.clip(-along / length, 0, 1)
        inside = (along <= size) & (along >= -length)
        w = size * (1 - 0.7 * t)
        v = np.clip(1 - np.abs(across) / np.maximum(w, 1e-3), 0, 1) * inside
        v = v * (1 - t) + np.exp(-(rx * rx + ry * ry) / (size * size)) * 0.8
        heat[:] = np.maximum(heat, np.clip(v, 0, 1) * rng.uniform(0.75, 1.0))
        alpha[:] = np.maximum(alpha, np.clip(v * 2.5, 0, 1))


def _fireball(k, base_noise, fine_noise, puff_noise):
    """Frame k (0..8) of the explosion at 4x."""
    n = EXP_CELL * SS
    rng = np.random.default_rng(500 + k)
    heat = np.zeros((n, n), np.float32)
    alpha = np.zeros((n, n), np.float32)
    if k == 0:
        _sparks(heat, alpha, rng, 9, 3 * SS, 16 * SS, 1.3 * SS)
        return heat, alpha
    t = (k - 1) / 7.0
    radius = (9 + 51 * t ** 0.85) * SS
    ys, xs = np.mgrid[0:n, 0:n].astype(np.float32) + 0.5
    c = n / 2.0
    dx, dy = xs - c, ys - c
    r = np.sqrt(dx * dx + dy * dy)
    # billowing edge: the same cloud pattern scaled with the ball, so the
    # ball grows rather than boils from frame to frame
    scale = radius / (60 * SS)
    sx = np.clip((dx / scale + c).astype(np.int32), 0, n - 1)
    sy = np.clip((dy / scale + c).astype(np.int32), 0, n - 1)
    billow = base_noise[sy, sx]
    detail = fine_noise[k * 40:k * 40 + n, k * 24:k * 24 + n]
    puffs = puff_noise[sy, sx]
    edge = radius * (0.82 + 0.30 * billow + 0.06 * detail)
    u = r / edge                                     # 0 centre, 1 edge
    core = np.clip(1 - u, 0, 1)
    # hot centre, cooler billows towards the rim; the grown ball is redder
    heat = (core ** 0.6 * (1.15 - 0.3 * t) - 0.45 * (puffs - 0.5) * (0.4 + t)
            + 0.25 * (detail - 0.5) + 0.12 * (1 - t))
    heat = np.clip(heat, 0, 1)
    heat = np.where(u < 1, np.maximum(heat, 0.08), 0)
    alpha = np.clip((1 - u) * radius / (2.5 * SS), 0, 1)
    if k <= 4:
        _sparks(heat, alpha, rng, 10 - k, radius * 0.9, radius * 1.35 + 4 * SS, 1.2 * SS)
    return heat.astype(np.float32), alpha.astype(np.float32)


def explosion_sheet():
    """Sprite 10: 17 frames of 128x128; frame 16-k is frame k."""
    n = EXP_CELL * SS
    base_noise = value_noise(n, n, 30 * SS, 4242, octaves=4)
    puff_noise = value_noise(n, n, 22 * SS, 4244, octaves=3)
    fine_noise = value_noise(n + 400, n + 400, 10 * SS, 4243, octaves=3)
    grow = [_to_rgb(*_fireball(k, base_noise, fine_noise, puff_noise)) for k in range(EXP_GROW)]
    frames = grow + grow[-2::-1]
    assert len(frames) == 17
    return np.concatenate(frames, axis=1)


FIRE_W, FIRE_H = 160, 150
# flame height (pixels) and base width per frame: a low blaze, a tall column
# in frames 9 and 10, then a collapse to a small flame
FIRE_HEIGHT = [34, 46, 60, 74, 88, 102, 116, 128, 139, 148, 148, 128, 100, 72, 48, 28]
FIRE_BASE = [70, 80, 90, 100, 108, 116, 124, 130, 136, 140, 140, 130, 112, 92, 70, 46]


def _site_fire(k, noise_a, noise_b):
    h, w = FIRE_H * SS, FIRE_W * SS
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32) + 0.5
    height = FIRE_HEIGHT[k] * SS
    half = FIRE_BASE[k] * SS / 2.0
    up = (h - ys) / height                        # 0 at the bottom edge
    # the noise fields are taller than a cell and scroll up frame by frame
    scroll = (15 - k) * 12 * SS
    na = noise_a[ys.astype(np.int32) + scroll, xs.astype(np.int32)]
    nb = noise_b[ys.astype(np.int32) + scroll * 2, xs.astype(np.int32)]
    # sway grows with height; tongues split the upper part
    sway = (na - 0.5) * 60 * SS * np.clip(up, 0, 1) ** 1.3
    x = np.abs(xs + sway - w / 2.0)
    lick = np.clip(up, 0, 1)
    width = half * np.clip(1 - up, 0, 1) ** 0.55 * (1.0 - 0.5 * lick + (nb - 0.5) * (0.4 + 1.4 * lick))
    body = np.clip(1 - x / np.maximum(width, 1e-3), 0, 1)
    tongues = np.clip(1.25 - up * (1.35 - 0.9 * nb), 0, 1)
    heat = body ** 0.8 * tongues
    # hottest low in the middle, a darker red towards the tips
    heat = heat * (0.42 + 0.5 * np.clip(1 - up, 0, 1) ** 0.9) + 0.12 * (na - 0.5) * body
    heat = np.clip(heat, 0, 1)
    alpha = np.clip(heat * 7.0, 0, 1)
    heat = np.clip(heat * 1.1, 0, 1)
    # the bed of embers along the bottom edge
    bed = (ys > h - 4 * SS) & (np.abs(xs - w / 2.0) < half * 0.92)
    heat = np.where(bed, np.maximum(heat, 0.35 + 0.3 * nb), heat)
    alpha = np.where(bed, 1.0, alpha)
    rng = np.random.default_rng(900 + k)
    # rising sparks above the big flames
    for _ in range(int(4 + FIRE_HEIGHT[k] / 18)):
        px = w / 2.0 + rng.normal(0, half * 0.45)
        py = h - height * rng.uniform(0.5, 1.0)
        rr = (xs - px) ** 2 + (ys - py) ** 2
        s = np.exp(-rr / (1.1 * SS) ** 2)
        heat = np.maximum(heat, s * 0.9)
        alpha = np.maximum(alpha, np.clip(s * 3, 0, 1))
    return heat.astype(np.float32), alpha.astype(np.float32)


def site_fire_sheet():
    """Sprite 15: 16 frames of 160x150, each resting on the bottom edge."""
    h, w = FIRE_H * SS, FIRE_W * SS
    noise_a = value_noise(w, h + 15 * 12 * SS, 40 * SS, 777, octaves=4)
    noise_b = value_noise(w, h + 15 * 24 * SS, 14 * SS, 778, octaves=3)
    frames = [_to_rgb(*_site_fire(k, noise_a, noise_b)) for k in range(16)]
    return np.concatenate(frames, axis=1)
