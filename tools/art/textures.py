"""The 32x32 rotated textures: the cannon barrel and the two shell frames."""

import numpy as np

from .common import SS, downsample, finish, mask_canvas, over, ramp, rgb, to_float

N = 32


def _cylinder(xs, cx, half, base, shine=0.55):
    """Colour of a vertical cylinder of the given half width at columns xs
    (4x units), lit from the upper left."""
    t = np.clip((xs - cx) / half, -1, 1)
    diffuse = np.sqrt(np.clip(1 - t * t, 0, 1))
    light = 0.30 + 0.70 * diffuse * (1 - 0.35 * t)
    hl = np.exp(-((t + 0.38) / 0.18) ** 2) * shine
    return np.clip(base[None, :] * light[:, None] + hl[:, None], 0, 1)


def _layer(shape_fn, colour_fn):
    img, d = mask_canvas(N, N)
    shape_fn(d)
    a = to_float(img)
    return colour_fn(a.shape), a


def cannon_barrel():
    """Sprite 6: a grey gun barrel on the vertical axis with yellow bands and
    white end caps; the picture's centre is the pivot."""
    H = W = N * SS
    cx = W / 2.0
    col = np.zeros((H, W, 3), np.float32)
    alpha = np.zeros((H, W), np.float32)
    xs = np.arange(W, dtype=np.float32) + 0.5
    steel = rgb((150, 158, 172))
    yellow = rgb((250, 204, 40))
    white = rgb((250, 250, 250))

    def section(y0, y1, half, base, shine=0.55):
        nonlocal col, alpha
        y0, y1 = int(y0 * SS), int(y1 * SS)
        c = _cylinder(xs, cx, half * SS, base, shine)
        a = (np.abs(xs - cx) <= half * SS).astype(np.float32)
        layer_c = np.zeros_like(col)
        layer_a = np.zeros_like(alpha)
        layer_c[y0:y1] = c[None]
        layer_a[y0:y1] = a[None]
        col, alpha = over(col, alpha, layer_c, layer_a)

    # muzzle half (shows above the emplacement)
    section(3, 17, 3.5, steel)
    section(1, 3.5, 4.5, white, 0.3)             # muzzle cap
    section(7, 9, 4.0, yellow, 0.35)             # band
    section(12.5, 14, 4.0, yellow, 0.35)         # band
    # breech half, thicker
    section(16, 29, 5.0, steel * 0.92)
    section(19, 21, 5.5, yellow, 0.35)
    section(24, 26, 5.5, yellow, 0.35)
    section(28.5, 31, 5.5, white, 0.3)           # breech cap
    # a dark bore line down the middle of the muzzle cap
    bore = (np.abs(xs - cx) <= 1.0 * SS)[None, :] & (np.arange(H)[:, None] < 2 * SS) \
        & (np.arange(H)[:, None] >= 1 * SS)
    col[bore] = rgb((70, 72, 80))
    c = downsample(col * alpha[..., None])
    a = downsample(alpha)
    c = np.where(a[..., None] > 1e-6, c / np.maximum(a[..., None], 1e-6), 0)
    return finish(c, a)


def _rocket_body():
    """Colour and alpha (4x) of the white rocket with red fins, no flame."""
    W = N * SS
    cx = W / 2.0
    xs = np.arange(W, dtype=np.float32) + 0.5
    col = np.zeros((W, W, 3), np.float32)
    alpha = np.zeros((W, W), np.float32)
    white = rgb((238, 240, 246))
    red = rgb((225, 36, 30))

    # fins: two side fins and a centre fin seen edge-on
    img, d = mask_canvas(N, N)
    s = SS
    d.polygon([(cx - 2.5 * s, 15 * s), (cx - 6.5 * s, 21 * s), (cx - 6.5 * s, 23.5 * s),
               (cx - 2.5 * s, 21.5 * s)], fill=255)
    d.polygon([(cx + 2.5 * s, 15 * s), (cx + 6.5 * s, 21 * s), (cx + 6.5 * s, 23.5 * s),
               (cx + 2.5 * s, 21.5 * s)], fill=255)
    fin_a = to_float(img)
    shade = np.clip(1.15 - (xs - (cx - 7 * s)) / (14 * s) * 0.5, 0.6, 1.2)
    fin_c = np.broadcast_to(red, (W, W, 3)) * shade[None, :, None]
    col, alpha = over(col, alpha, fin_c, fin_a)

    # body: a cylinder from y 8 to 22 with an ogive nose from y 3
    img, d = mask_canvas(N, N)
    d.rectangle([cx - 2.5 * s, 8 * s, cx + 2.5 * s - 1, 22 * s], fill=255)
    d.pieslice([cx - 2.5 * s, 3 * s, cx + 2.5 * s, 13 * s], 180, 360, fill=255)
    body_a = to_float(img)
    body_c = np.broadcast_to(_cylinder(xs, cx, 2.5 * s, white, 0.35)[None], (W, W, 3)).copy()
    # red nose tip and a red stripe
    ys = np.arange(W)[:, None]
    nose = (ys < 6 * s) & np.ones((1, W), bool)
    stripe = (ys >= 11 * s) & (ys < 12.5 * s) & np.ones((1, W), bool)
    redc = _cylinder(xs, cx, 2.5 * s, red, 0.3)
    body_c[nose | stripe] = np.broadcast_to(redc[None], (W, W, 3))[nose | stripe]
    col, alpha = over(col, alpha, body_c, body_a)

    # centre fin, edge-on
    img, d = mask_canvas(N, N)
    d.rectangle([cx - 0.6 * s, 17 * s, cx + 0.6 * s, 24 * s], fill=255)
    col, alpha = over(col, alpha, np.broadcast_to(red * 0.8, (W, W, 3)).copy(), to_float(img))

    # nozzle
    img, d = mask_canvas(N, N)
    d.polygon([(cx - 1.8 * s, 22 * s), (cx + 1.8 * s, 22 * s), (cx + 2.2 * s, 24 * s),
               (cx - 2.2 * s, 24 * s)], fill=255)
    noz_c = np.broadcast_to(_cylinder(xs, cx, 2.2 * s, rgb((120, 122, 132)), 0.3)[None],
                            (W, W, 3)).copy()
    col, alpha = over(col, alpha, noz_c, to_float(img))
    return col, alpha


def _flame(length, wobble):
    """Flame layer (4x) below the nozzle; `length` in pixels."""
    W = N * SS
    cx = W / 2.0 + wobble * SS
    ys, xs = np.mgrid[0:W, 0:W].astype(np.float32) + 0.5
    top = 23.5 * SS
    t = (ys - top) / (length * SS)              # 0 at nozzle, 1 at tip
    width = 2.4 * SS * np.sqrt(np.clip(1 - t, 0, 1)) * (0.7 + 0.6 * np.clip(1 - t, 0, 1))
    d = np.abs(xs - (W / 2.0 + (cx - W / 2.0) * t)) / np.maximum(width, 1e-3)
    inside = (t >= 0) & (t <= 1) & (d <= 1)
    heat = np.clip((1 - d) * (1 - 0.8 * t) * 1.6, 0, 1)
    colour = ramp(heat, [(0.0, (200, 40, 10)), (0.35, (255, 120, 20)),
                         (0.7, (255, 220, 80)), (1.0, (255, 255, 230))])
    a = np.where(inside, np.clip((1 - d) * 3, 0, 1), 0).astype(np.float32)
    return colour, a


def shell(phase):
    """Sprites 7 and 8: the same rocket, with a long or a short flame."""
    length, wobble = ((7.5, -0.3), (5.5, 0.4))[phase]
    body_c, body_a = _rocket_body()
    fl_c, fl_a = _flame(length, wobble)
    col, alpha = over(fl_c, fl_a, body_c, body_a)
    c = downsample(col * alpha[..., None])
    a = downsample(alpha)
    c = np.where(a[..., None] > 1e-6, c / np.maximum(a[..., None], 1e-6), 0)
    return finish(c, a)
