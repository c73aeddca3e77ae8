"""Sprite 11: a city of towers under a glass dome (94x87)."""

import numpy as np

from .common import SS, downsample, finish, lerp, mask_canvas, rgb, to_float

W, H = 94, 87
CX, BASE_Y = 47.0, 78.0          # dome centre on its base line
RX, RY = 46.0, 76.0              # dome half axes


def _tower(col, alpha, rng, x0, w, top, bottom, tone, depth):
    """Paint one tower (4x canvas units) with lit faces, windows and roof."""
    ys, xs = np.mgrid[0:col.shape[0], 0:col.shape[1]]
    s = SS
    X0, X1 = int(x0 * s), int((x0 + w) * s)
    T, B = int(top * s), int(bottom * s)
    side = int(max(1, w * 0.35) * s)             # the shaded right face
    face = tone * (1.0 - 0.35 * depth)
    for x in range(X0, X1):
        k = (x - X0) / max(X1 - X0 - 1, 1)
        lit = 1.15 - 0.25 * k if x < X1 - side else 0.62 - 0.1 * k
        col[T:B, x] = np.clip(face * lit, 0, 1)
        alpha[T:B, x] = 1.0
    # vertical gradient: a little lighter towards the top (sky glow)
    g = np.linspace(1.12, 0.85, max(B - T, 1))[:, None, None]
    col[T:B, X0:X1] *= g
    # windows: rows every 3 px, columns every 2 px
    win_on = rgb((255, 226, 130)), rgb((190, 240, 255)), rgb((255, 250, 220))
    wy = top + 2.0
    while wy < bottom - 1.5:
        wx = x0 + 1.0
        while wx < x0 + w - 1.2:
            if rng.random() < 0.62:
                c = win_on[rng.integers(0, 3)] * (1.0 - 0.4 * depth)
                if wx >= x0 + w - w * 0.35:
                    c = c * 0.75
                col[int(wy * s):int((wy + 1.2) * s), int(wx * s):int((wx + 1.0) * s)] = c
            wx += 2.0
        wy += 3.0
    # roof: a spire with a red beacon on some towers, a ledge on others
    kind = rng.integers(0, 3)
    mid = x0 + w / 2.0
    if kind == 0:
        a0, a1 = int((mid - 0.4) * s), int((mid + 0.4) * s)
        st = int((top - 7) * s)
        col[st:T, a0:a1] = rgb((200, 205, 215)) * (1 - 0.3 * depth)
        alpha[st:T, a0:a1] = 1.0
        col[st - s:st + s // 2, a0 - s // 2:a1 + s // 2] = rgb((255, 60, 50))
        alpha[st - s:st + s // 2, a0 - s // 2:a1 + s // 2] = 1.0
    elif kind == 1:
        for i in range(int(w * s / 2)):
            y = int(T - i * 0.9)
            col[y, X0 + i:X1 - i] = np.clip(face * 1.1, 0, 1)
            alpha[y, X0 + i:X1 - i] = 1.0
    else:
        col[T - s:T, X0 - s // 2:X1 + s // 2] = np.clip(face * 1.3, 0, 1)
        alpha[T - s:T, X0 - s // 2:X1 + s // 2] = 1.0


def city():
    s = SS
    h, w = H * s, W * s
    ys, xs = np.mgrid[0:h, 0:w].astype(np.float32) + 0.5
    dx = (xs - CX * s) / (RX * s)
    dy = (ys - BASE_Y * s) / (RY * s)
    r = np.sqrt(dx * dx + np.minimum(dy, 0) ** 2)
    inside = (r <= 1.0) & (ys <= BASE_Y * s)

    # glass interior: deep teal, lighter near the ground
    col = lerp(rgb((18, 40, 70)), rgb((40, 84, 110)), np.clip(ys / h, 0, 1)[..., None])
    col = np.broadcast_to(col, (h, w, 3)).copy()

    # towers, back row first
    rng = np.random.default_rng(1103)
    tcol = np.zeros((h, w, 3), np.float32)
    talpha = np.zeros((h, w), np.float32)
    tones = [rgb((150, 170, 200)), rgb((175, 180, 205)), rgb((130, 160, 185)),
             rgb((190, 195, 210)), rgb((160, 150, 190))]
    rows = [
        # (x, width, top) back row
        [(8, 8, 44), (17, 7, 30), (26, 9, 20), (38, 7, 12), (47, 8, 24),
         (57, 9, 16), (68, 7, 28), (77, 8, 40)],
        # front row, lower and brighter
        [(4, 9, 58), (13, 8, 46), (22, 10, 36), (33, 8, 30), (42, 11, 22),
         (54, 8, 34), (63, 10, 40), (74, 8, 50), (83, 7, 60)],
    ]
    for depth, row in ((0.55, rows[0]), (0.0, rows[1])):
        for x0, tw, top in row:
            _tower(tcol, talpha, rng, x0, tw, top, BASE_Y + 1, tones[rng.integers(0, 5)], depth)
    col = np.where((talpha > 0)[..., None], tcol, col)

    # a glowing ground level between the towers
    glow = np.exp(-((BASE_Y * s - ys) / (5 * s)) ** 2)
    col = col + (glow * 0.35)[..., None] * rgb((255, 200, 120)) * (talpha < 0.5)[..., None]

    # the dome glass: fresnel rim, faint struts and a curved highlight
    fres = np.clip((r - 0.72) / 0.28, 0, 1) ** 2
    col = lerp(col, rgb((150, 220, 255)), (fres * 0.55)[..., None])
    ang = np.arctan2(-dy, dx)
    struts = (np.abs(np.sin(ang * 9)) < 0.05) | (np.abs(np.sin(np.arcsin(np.clip(-dy, 0, 1)) * 10)) < 0.06)
    col = lerp(col, rgb((170, 230, 255)), (struts * 0.18)[..., None])
    hl = np.exp(-((r - 0.84) / 0.05) ** 2) * np.clip(np.cos((ang - 2.2) * 1.7), 0, 1)
    col = col + (hl * 0.75)[..., None]
    hl2 = np.exp(-((r - 0.62) / 0.03) ** 2) * np.clip(np.cos((ang - 2.0) * 3.0), 0, 1)
    col = col + (hl2 * 0.35)[..., None]
    edge = np.exp(-((r - 0.985) / 0.018) ** 2)
    col = lerp(col, rgb((210, 245, 255)), (edge * 0.8)[..., None])
    alpha = inside.astype(np.float32)

    # metal foundation ring under the dome
    img, d = mask_canvas(W, H)
    d.polygon([(0, (BASE_Y - 1) * s), (w - 1, (BASE_Y - 1) * s),
               (w - 3 * s, h - 1), (3 * s, h - 1)], fill=255)
    base_a = to_float(img)
    t = np.clip((ys - (BASE_Y - 1) * s) / ((H - BASE_Y + 1) * s), 0, 1)
    base_c = lerp(rgb((190, 196, 206)), rgb((80, 86, 100)), t[..., None])
    lights = (((xs / s).astype(np.int32) % 8) == 3) & (ys > (BASE_Y + 2) * s) & (ys < (BASE_Y + 3.5) * s)
    base_c = np.where(lights[..., None], rgb((120, 230, 255)), base_c)
    col = np.where((base_a > 0)[..., None], base_c, col)
    alpha = np.maximum(alpha, base_a)

    c = downsample(np.clip(col, 0, 1) * alpha[..., None])
    a = downsample(alpha)
    c = np.where(a[..., None] > 1e-6, c / np.maximum(a[..., None], 1e-6), 0)
    return finish(c, a)
