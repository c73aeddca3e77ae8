"""Pictures of the settings dialog (start button, backdrop, window outline)
and the program icon."""

import numpy as np
from PIL import Image, ImageFilter

from . import ground, title
from .common import (SS, box_blur, downsample, font, lerp, mask_canvas,
                     over, ramp, rgb, settle_dark, shade_bevel, text_mask,
                     to_float, value_noise)

DLG_W, DLG_H = 310, 205
BOXES = [(55, 81), (55, 104), (55, 127)]
BOX = 15
LABELS = ["Full Screen", "Sound FX", "Music Track"]
START = (231, 69, 52, 76)
BUTTON_W, BUTTON_H = 61, 90


def _unpremul(col, alpha):
    c = downsample(col * alpha[..., None])
    a = downsample(alpha)
    return np.where(a[..., None] > 1e-6, c / np.maximum(a[..., None], 1e-6), 0), a


def stone(w, h, seed, light=1.0):
    """Grey stone texture (final size, float RGB)."""
    n1 = value_noise(w, h, 18, seed, octaves=5)
    n2 = value_noise(w, h, 4, seed + 1, octaves=2)
    veins = np.abs(value_noise(w, h, 26, seed + 2, octaves=4) - 0.5)
    t = 0.42 + 0.35 * (n1 - 0.5) + 0.18 * (n2 - 0.5)
    t = t * (0.8 + 0.2 * np.clip(veins / 0.05, 0, 1))
    col = ramp(t * light, [(0.0, (54, 56, 62)), (0.5, (128, 130, 136)), (1.0, (196, 198, 204))])
    gy, gx = np.gradient(n1 * 30)
    col = col * (1.0 + np.clip(-0.25 * gx - 0.25 * gy, -0.2, 0.2))[..., None]
    return np.clip(col, 0, 1).astype(np.float32)


def rocket(w, h, cx, top, length, flame=True):
    """A red-and-white rocket pointing up on a w x h canvas; positions in
    pixels.  Returns 4x (colour, alpha)."""
    s = SS
    W, H = w * s, h * s
    col = np.zeros((H, W, 3), np.float32)
    alpha = np.zeros((H, W), np.float32)
    cx *= s
    top *= s
    L = length * s
    bw = L * 0.13                               # body half width
    xs = np.arange(W, dtype=np.float32) + 0.5
    tcol = np.clip(np.abs(xs - cx) / bw, 0, 1)
    shade = (0.45 + 0.65 * np.sqrt(1 - tcol ** 2) * (1 - 0.3 * (xs - cx) / bw)
             + 0.5 * np.exp(-(((xs - cx) / bw + 0.4) / 0.2) ** 2))
    shade = np.clip(shade, 0.3, 1.4)[None, :, None]
    white = rgb((236, 238, 244))
    red = rgb((214, 30, 28))

    def layer(draw_fn, colour):
        nonlocal col, alpha
        img, d = mask_canvas(w, h)
        draw_fn(d)
        a = to_float(img)
        c = np.broadcast_to(colour, (H, W, 3)) * shade
        col, alpha = over(col, alpha, np.clip(c, 0, 1), a)

    body_top, body_bot = top + L * 0.30, top + L * 0.80
    # flame first, behind the nozzle
    if flame:
        img, d = mask_canvas(w, h)
        ft = body_bot + L * 0.05
        d.polygon([(cx - bw * 0.7, ft), (cx + bw * 0.7, ft), (cx + bw * 0.25, ft + L * 0.2),
                   (cx, ft + L * 0.27), (cx - bw * 0.25, ft + L * 0.2)], fill=255)
        fa = to_float(img)
        fa = box_blur(fa, s)
        ys = np.arange(H, dtype=np.float32)[:, None]
        heat = np.clip(1 - (ys - ft) / (L * 0.27), 0, 1) * np.clip(1 - np.abs(xs - cx)[None, :] / (bw * 0.8), 0, 1)
        fc = ramp(heat * 1.6, [(0, (220, 60, 10)), (0.5, (255, 170, 40)), (1, (255, 250, 210))])
        col, alpha = over(col, alpha, fc, np.clip(fa * 1.4, 0, 1))
    # fins
    layer(lambda d: d.polygon([(cx - bw, body_bot - L * 0.22), (cx - bw * 2.3, body_bot + L * 0.02),
                               (cx - bw * 2.3, body_bot + L * 0.09), (cx - bw, body_bot)], fill=255), red)
    layer(lambda d: d.polygon([(cx + bw, body_bot - L * 0.22), (cx + bw * 2.3, body_bot + L * 0.02),
                               (cx + bw * 2.3, body_bot + L * 0.09), (cx + bw, body_bot)], fill=255), red)
    # body, nose cone and nozzle
    layer(lambda d: d.rectangle([cx - bw, body_top, cx + bw, body_bot], fill=255), white)
    layer(lambda d: d.pieslice([cx - bw, top, cx + bw, top + 2 * (body_top - top)], 180, 360,
                               fill=255), red)
    layer(lambda d: d.rectangle([cx - bw, body_top - 1, cx + bw, body_top + L * 0.04], fill=255),
          white * 0.92)
    layer(lambda d: d.rectangle([cx - bw, body_top + L * 0.25, cx + bw, body_top + L * 0.30],
                                fill=255), red)
    layer(lambda d: d.polygon([(cx - bw * 0.6, body_bot), (cx + bw * 0.6, body_bot),
                               (cx + bw * 0.8, body_bot + L * 0.06),
                               (cx - bw * 0.8, body_bot + L * 0.06)], fill=255), rgb((110, 112, 122)))
    # centre fin seen edge-on
    layer(lambda d: d.rectangle([cx - bw * 0.18, body_bot - L * 0.12, cx + bw * 0.18, body_bot + L * 0.08],
                                fill=255), red * 0.8)
    # porthole
    img, d = mask_canvas(w, h)
    py = body_top + L * 0.12
    d.ellipse([cx - bw * 0.5, py - bw * 0.5, cx + bw * 0.5, py + bw * 0.5], fill=255)
    pa = to_float(img)
    ring = to_float(img.filter(ImageFilter.MaxFilter(2 * max(1, int(bw * 0.15)) + 1)))
    col, alpha = over(col, alpha, np.broadcast_to(rgb((90, 92, 104)), (H, W, 3)), ring)
    ys = np.arange(H, dtype=np.float32)[:, None]
    glass = lerp(rgb((150, 220, 255)), rgb((30, 70, 150)),
                 np.clip((ys - (py - bw * 0.5)) / bw, 0, 1)[..., None] * np.ones((1, W, 1)))
    col, alpha = over(col, alpha, glass, pa)
    return col, alpha


def start_button():
    """Launcher image 0: the rocket on a block of grey stone, 61x90."""
    w, h = BUTTON_W, BUTTON_H
    base = stone(w, h, 3101)
    # bevel around the block
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32)
    edge = np.minimum.reduce([xs, ys, w - 1 - xs, h - 1 - ys])
    bevel = np.where(edge < 3, np.where((xs < w - 1 - ys * w / h), 1.25, 0.6), 1.0)
    base = np.clip(base * bevel[..., None], 0, 1)
    # soft shadow of the rocket on the stone
    rc, ra = rocket(w, h, w / 2.0, 10, 62)
    c, a = _unpremul(rc, ra)
    sh = box_blur(np.roll(np.roll(a, 2, axis=0), 2, axis=1), 2)
    base = base * (1 - 0.5 * sh[..., None])
    out = base * (1 - a[..., None]) + c * a[..., None]
    return settle_dark(np.round(np.clip(out, 0, 1) * 255), np.ones((h, w), bool))


def _outline():
    """4x coverage of the dialog's outline: a stone panel with rounded
    corners, the title standing up from its top edge, rocky ground below."""
    s = SS
    img, d = mask_canvas(DLG_W, DLG_H)
    d.rounded_rectangle([4 * s, 30 * s, (DLG_W - 4) * s - 1, 176 * s], radius=16 * s, fill=255)
    return to_float(img)


def _ground_lines(n):
    top = ground.smooth_line([(0, 170), (30, 158), (60, 164), (100, 156), (150, 166),
                              (200, 158), (240, 168), (275, 156), (310, 164)], n, SS) \
        + ground.jagged(n, 61, 1.6, SS)
    bottom = ground.smooth_line([(0, 188), (20, 198), (60, 202), (110, 199), (160, 203),
                                 (210, 200), (260, 203), (290, 197), (310, 186)], n, SS) \
        + ground.jagged(n, 62, 1.2, SS)
    return top, np.minimum(bottom, DLG_H * SS - 2)


def backdrop_and_mask():
    """Launcher image 1 (310x205) and the window outline mask (white =
    inside)."""
    s = SS
    W, H = DLG_W * s, DLG_H * s
    ys, xs = np.mgrid[0:H, 0:W].astype(np.float32) + 0.5

    panel_a = _outline()
    # stone panel with a bevelled rim
    st = np.asarray(Image.fromarray((stone(DLG_W, DLG_H, 2207) * 255).astype(np.uint8))
                    .resize((W, H), Image.BICUBIC), np.float32) / 255.0
    light = shade_bevel(panel_a, 3 * s, depth=3.0)
    col = np.clip(st * (1.0 + 1.4 * light[..., None]), 0, 1)
    # a dark line just inside the outline keeps the edge crisp
    inner = to_float(Image.fromarray((panel_a * 255).astype(np.uint8)).filter(
        ImageFilter.MinFilter(2 * s + 1)))
    col = lerp(col, rgb((34, 34, 40)), np.clip(panel_a - inner, 0, 1)[..., None])
    alpha = panel_a.copy()

    # recessed wells for the check boxes: flat, plain
    for bx, by in BOXES:
        x0, y0, x1, y1 = (bx - 3) * s, (by - 3) * s, (bx + BOX + 3) * s, (by + BOX + 3) * s
        col[y0:y1, x0:x1] = rgb((62, 64, 70))
        col[y0:y0 + s, x0:x1] = rgb((40, 42, 46))
        col[y0:y1, x0:x0 + s] = rgb((40, 42, 46))
        col[y1 - s:y1, x0:x1] = rgb((170, 172, 178))
        col[y0:y1, x1 - s:x1] = rgb((170, 172, 178))
        col[y0 + s:y1 - s, x0 + s:x1 - s] = rgb((96, 98, 104))

    # a dark recess behind the start button
    bx, by, bw, bh = START
    img, d = mask_canvas(DLG_W, DLG_H)
    d.rounded_rectangle([(bx - 8) * s, (by - 10) * s, (bx + bw + 8) * s, (by + bh + 10) * s],
                        radius=6 * s, fill=255)
    well = to_float(img)
    wl = shade_bevel(well, 2 * s, light=(0.6, 0.8), depth=3.0)
    col = lerp(col, np.clip(rgb((70, 72, 78)) * (1 + 0.8 * wl[..., None]), 0, 1), well[..., None])

    # hills along the bottom, in front of the panel
    top, bottom = _ground_lines(W)
    hc, ha = ground.rock_layer(top, 71, (130, 84, 50), (64, 40, 26), (210, 154, 100),
                               size=(DLG_W, DLG_H))
    ha = ha * np.clip(bottom[None, :] - ys + 0.5, 0, 1)
    ground.boulders(hc, ha, 72, 10, (168, 200))
    col, alpha = over(col, alpha, hc, ha)

    # rocket on the right, the same picture the start button shows
    btn = start_button().astype(np.float32) / 255.0
    big = np.asarray(Image.fromarray((btn * 255).astype(np.uint8)).resize(
        (BUTTON_W * s, BUTTON_H * s), Image.NEAREST), np.float32) / 255.0
    ox, oy = (bx + bw // 2 - BUTTON_W // 2) * s, (by + bh // 2 - BUTTON_H // 2) * s
    col[oy:oy + BUTTON_H * s, ox:ox + BUTTON_W * s] = big

    # the gold title, standing up from the panel's top edge
    frames = title.logo(1, 196, 48, pad=2)
    tc, ta = frames
    tcb = np.asarray(Image.fromarray((tc * 255).astype(np.uint8)).resize((196 * s, 48 * s), Image.BICUBIC),
                     np.float32) / 255.0
    tab = np.asarray(Image.fromarray((ta * 255).astype(np.uint8)).resize((196 * s, 48 * s), Image.BICUBIC),
                     np.float32) / 255.0
    lx, ly = 10 * s, 6 * s
    sub_c = col[ly:ly + 48 * s, lx:lx + 196 * s]
    sub_a = alpha[ly:ly + 48 * s, lx:lx + 196 * s]
    # drop shadow on the stone
    sh = box_blur(np.roll(np.roll(tab, 3 * s, axis=0), 3 * s, axis=1), 2 * s)
    sub_c[:] = sub_c * (1 - 0.55 * sh[..., None] * sub_a[..., None])
    nc, na = over(sub_c, sub_a, tcb, tab)
    col[ly:ly + 48 * s, lx:lx + 196 * s] = nc
    alpha[ly:ly + 48 * s, lx:lx + 196 * s] = na

    # caption and the three labels
    col = _text(col, "Perimeter Sky Watch", "DejaVuSans-BoldOblique.ttf", 10, (22, 56),
                (255, 214, 120), centre_y=False)
    for (bx0, by0), label in zip(BOXES, LABELS):
        col = _text(col, label, "DejaVuSans-Bold.ttf", 13, (bx0 + BOX + 9, by0 + BOX / 2.0),
                    (255, 255, 255))

    c, a = _unpremul(np.clip(col, 0, 1), alpha)
    mask = (a >= 0.5)
    out = np.round(np.clip(c, 0, 1) * 255 * mask[..., None])
    img = settle_dark(out, mask)
    return img, (mask * 255).astype(np.uint8)


def _text(col, text, face, size, pos, colour, centre_y=True):
    """Draw text with a dark drop shadow onto a 4x colour layer; pos is the
    left edge and the vertical centre (or top) in pixels."""
    s = SS
    fnt = font(face, size * s)
    m = text_mask(text, fnt)
    a = to_float(m)
    h, w = a.shape
    # centre on the cap height, not the descenders
    cap = to_float(text_mask(text.upper().replace("Q", "O"), fnt)).shape[0]
    x0 = int(pos[0] * s)
    y0 = int(pos[1] * s - cap / 2.0) if centre_y else int(pos[1] * s)
    for dx, dy, c, k in ((s, s, (20, 20, 24), 0.8), (0, 0, colour, 1.0)):
        sub = col[y0 + dy:y0 + dy + h, x0 + dx:x0 + dx + w]
        aa = a[: sub.shape[0], : sub.shape[1]] * k
        sub[:] = sub * (1 - aa[..., None]) + rgb(c) * aa[..., None]
    return col


def icon():
    """Program icon, 32x32: a domed city under a night sky, with a shell
    streaking up from it."""
    w = 32
    s = SS
    W = w * s
    ys, xs = np.mgrid[0:W, 0:W].astype(np.float32) + 0.5
    cx = cy = W / 2.0
    r = np.sqrt((xs - cx) ** 2 + (ys - cy) ** 2) / (15.6 * s)
    disc = np.clip((1 - r) * 15.6 * s / 1.5, 0, 1)
    sky = ramp(ys / W, [(0, (18, 24, 70)), (0.6, (50, 40, 110)), (1, (120, 60, 90))])
    col, alpha = sky, disc
    # a few stars
    rng = np.random.default_rng(3232)
    for _ in range(5):
        sx, sy = rng.uniform(5, 20) * s, rng.uniform(4, 13) * s
        st = np.exp(-((xs - sx) ** 2 + (ys - sy) ** 2) / (0.5 * s) ** 2)
        col = col + st[..., None] * 0.9
    # ground
    gnd = np.clip(ys - (25.5 * s + 1.5 * s * np.sin(xs / s * 0.5)), 0, 1)
    col = lerp(col, ramp((ys - 25 * s) / (7 * s), [(0, (170, 110, 60)), (1, (90, 56, 30))]), gnd[..., None])
    # dome with towers
    dcx, dbase, drx, dry = 15.5 * s, 27 * s, 11.5 * s, 12 * s
    dome_r = np.sqrt(((xs - dcx) / drx) ** 2 + np.minimum(ys - dbase, 0) ** 2 / dry ** 2)
    dome = np.clip((1 - dome_r) * drx / 1.5, 0, 1) * (ys < dbase + 0.5 * s)
    dc = lerp(rgb((20, 46, 90)), rgb((40, 90, 130)), np.clip((ys - 15 * s) / (12 * s), 0, 1)[..., None])
    for tx, tw, tt in ((7.5, 3, 22), (11, 3, 18), (14.5, 3, 15.5), (18, 3, 19), (21.5, 2.5, 22.5)):
        m = (xs >= tx * s) & (xs < (tx + tw) * s) & (ys >= tt * s)
        lit = np.where((xs[m] - tx * s) < tw * s * 0.5, 1.0, 0.72)[..., None]
        dc[m] = rgb((200, 215, 240)) * lit
        win = m & (((ys / s).astype(np.int32) % 3) == 1) & (np.abs(xs - (tx + tw / 2) * s) < 0.5 * s)
        dc[win] = rgb((255, 220, 110))
    rim = np.exp(-((dome_r - 0.94) / 0.06) ** 2)
    dc = lerp(dc, rgb((180, 240, 255)), rim[..., None] * 0.9)
    hl = np.exp(-((dome_r - 0.78) / 0.05) ** 2) * np.clip((dcx - xs) / drx, 0, 1) * (ys < 22 * s)
    dc = lerp(dc, rgb((235, 250, 255)), hl[..., None] * 0.8)
    col = lerp(col, dc, dome[..., None])
    # shell trail from the dome up to the right, with a bright head
    ax, ay, bx, by = 21 * s, 16 * s, 26.5 * s, 6 * s
    vx, vy = bx - ax, by - ay
    ln = np.hypot(vx, vy)
    t = np.clip(((xs - ax) * vx + (ys - ay) * vy) / (ln * ln), 0, 1)
    dist = np.hypot(xs - (ax + t * vx), ys - (ay + t * vy))
    trail = np.clip(1.2 - dist / (0.4 * s + 1.1 * s * t), 0, 1) * np.clip(t * 1.5, 0, 1)
    col = lerp(col, ramp(t, [(0, (255, 120, 40)), (1, (255, 230, 140))]), trail[..., None])
    head = np.exp(-((xs - bx) ** 2 + (ys - by) ** 2) / (1.7 * s) ** 2)
    col = lerp(col, rgb((255, 255, 240)), np.clip(head * 1.6, 0, 1)[..., None])
    # gold rim of the badge
    ring = np.exp(-((r - 0.96) / 0.035) ** 2)
    col = lerp(col, rgb((240, 190, 70)), ring[..., None])
    c, a = _unpremul(np.clip(col, 0, 1), alpha)
    out = np.round(np.clip(c, 0, 1) * a[..., None] * 255)
    return settle_dark(out, a >= 0.5)
