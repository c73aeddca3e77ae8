"""Shared drawing helpers for the picture generators.

Everything works on float numpy arrays in the 0..1 range and is drawn at
SS times the final size, then box-filtered down.  Black (0, 0, 0) is the
only transparent colour of the game, so `finish` turns every pixel that
would vanish in a 16-bit screen format into either pure black or a colour
safely above the cut-off.
"""

import os
import struct

import numpy as np
from PIL import Image, ImageDraw, ImageFont

SS = 4  # supersampling factor
FONT_DIR = "/usr/share/fonts/truetype/dejavu"

# A visible pixel keeps its brightest channel at least this high (out of 255),
# which stays clear of the 16-bit truncation (red/blue < 8 and green < 4).
MIN_VISIBLE = 16


def font(name, size):
    return ImageFont.truetype(os.path.join(FONT_DIR, name), size)


# ---------------------------------------------------------------- canvases

def mask_canvas(w, h, scale=SS):
    """A black 'L' image at `scale` times (w, h) plus its drawer."""
    img = Image.new("L", (w * scale, h * scale), 0)
    return img, ImageDraw.Draw(img)


def to_float(img):
    return np.asarray(img, dtype=np.float32) / 255.0


def downsample(arr, s=SS):
    """Box-filter an (H*s, W*s[, C]) array down by s."""
    h, w = arr.shape[0] // s, arr.shape[1] // s
    if arr.ndim == 2:
        return arr[: h * s, : w * s].reshape(h, s, w, s).mean(axis=(1, 3))
    c = arr.shape[2]
    return arr[: h * s, : w * s].reshape(h, s, w, s, c).mean(axis=(1, 3))


def box_blur(a, r, passes=3):
    """Approximate Gaussian blur with repeated box filters of radius r."""
    r = int(r)
    if r <= 0:
        return a
    out = a.astype(np.float32)
    for _ in range(passes):
        for axis in (0, 1):
            pad = [(0, 0)] * out.ndim
            pad[axis] = (r + 1, r)
            p = np.pad(out, pad, mode="edge")
            c = np.cumsum(p, axis=axis, dtype=np.float64)
            n = out.shape[axis]
            hi = np.take(c, np.arange(2 * r + 1, 2 * r + 1 + n), axis=axis)
            lo = np.take(c, np.arange(0, n), axis=axis)
            out = ((hi - lo) / (2 * r + 1)).astype(np.float32)
    return out


def value_noise(w, h, cell, seed, octaves=4, persistence=0.5):
    """Smooth fractal noise in 0..1, size (h, w); `cell` is the largest
    feature size in pixels."""
    rng = np.random.default_rng(seed)
    total = np.zeros((h, w), np.float32)
    amp, norm = 1.0, 0.0
    for _ in range(octaves):
        gw = max(2, int(np.ceil(w / cell)) + 2)
        gh = max(2, int(np.ceil(h / cell)) + 2)
        grid = rng.random((gh, gw)).astype(np.float32)
        img = Image.fromarray(grid, "F").resize(
            (int(gw * cell), int(gh * cell)), Image.BICUBIC)
        total += amp * np.asarray(img, np.float32)[:h, :w]
        norm += amp
        amp *= persistence
        cell = max(1.0, cell / 2.0)
    total /= norm
    lo, hi = total.min(), total.max()
    return (total - lo) / max(hi - lo, 1e-6)


def lerp(a, b, t):
    t = np.asarray(t, np.float32)
    return np.asarray(a, np.float32) + (np.asarray(b, np.float32) - np.asarray(a, np.float32)) * t


def ramp(t, stops):
    """Map t (array, 0..1) through colour stops [(pos, (r, g, b)), ...]
    given in 0..255; returns float RGB in 0..1."""
    t = np.clip(np.asarray(t, np.float32), 0.0, 1.0)
    pos = np.array([p for p, _ in stops], np.float32)
    cols = np.array([c for _, c in stops], np.float32) / 255.0
    out = np.empty(t.shape + (3,), np.float32)
    for ch in range(3):
        out[..., ch] = np.interp(t, pos, cols[:, ch])
    return out


def rgb(c):
    return np.array(c, np.float32) / 255.0


# ---------------------------------------------------------------- finishing

def finish(colour, alpha):
    """Combine straight colour (H, W, 3, 0..1) with coverage alpha (H, W)
    over black into uint8 RGB.  Pixels that are mostly covered but too dark
    are lifted to MIN_VISIBLE; faint edge pixels that would turn into the
    transparent colour anyway become pure black."""
    alpha = np.clip(alpha, 0.0, 1.0)
    out = np.clip(colour, 0.0, 1.0) * alpha[..., None] * 255.0
    out = np.round(out)
    return settle_dark(out, alpha >= 0.5)


def settle_dark(out, keep):
    """out: float/int RGB 0..255.  Near-black pixels where `keep` is true
    are scaled up to MIN_VISIBLE, the others become black."""
    out = np.asarray(out, np.float32).copy()
    mx = out.max(axis=2)
    dark = mx < MIN_VISIBLE
    lift = dark & keep
    drop = dark & ~keep
    out[drop] = 0
    if lift.any():
        m = np.maximum(mx[lift], 1.0)[:, None]
        base = out[lift]
        scaled = base * (MIN_VISIBLE / m)
        scaled[mx[lift] < 1.0] = [MIN_VISIBLE, MIN_VISIBLE, MIN_VISIBLE]
        out[lift] = np.round(scaled)
    return np.clip(out, 0, 255).astype(np.uint8)


def over(dst_col, dst_a, src_col, src_a):
    """Porter-Duff 'over' with straight colours; returns (colour, alpha)."""
    src_a = np.clip(src_a, 0, 1)[..., None]
    da = np.clip(dst_a, 0, 1)[..., None]
    out_a = src_a + da * (1 - src_a)
    num = src_col * src_a + dst_col * da * (1 - src_a)
    col = np.where(out_a > 1e-6, num / np.maximum(out_a, 1e-6), 0.0)
    return col.astype(np.float32), out_a[..., 0].astype(np.float32)


# ---------------------------------------------------------------- writers

def _ensure_dir(path):
    d = os.path.dirname(path)
    if d:
        os.makedirs(d, exist_ok=True)


def save_rgb_png(path, arr):
    _ensure_dir(path)
    Image.fromarray(np.asarray(arr, np.uint8), "RGB").save(path, optimize=False)


def quantize(arrays, colours=255):
    """Quantize one or more uint8 RGB arrays with one shared palette.
    Index 0 is pure black and used only for black pixels; every other
    entry is kept at or above MIN_VISIBLE.  Returns (palette (256, 3),
    [index arrays])."""
    flat = np.concatenate([a.reshape(-1, 3) for a in arrays], axis=0)
    nonblack = flat.any(axis=1)
    cols = flat[nonblack]
    if len(cols) == 0:
        pal = np.zeros((1, 3), np.uint8)
        uniq = np.zeros((0, 3), np.uint8)
        uidx = np.zeros(0, np.int64)
        inv = np.zeros(0, np.int64)
    else:
        uniq, inv = np.unique(cols, axis=0, return_inverse=True)
        inv = inv.reshape(-1)
        if len(uniq) <= colours:
            pal = uniq
            uidx = np.arange(len(uniq))
        else:
            img = Image.fromarray(cols.reshape(1, -1, 3), "RGB")
            q = img.quantize(colours, method=Image.Quantize.MEDIANCUT,
                             kmeans=3, dither=Image.Dither.NONE)
            raw = np.array(q.getpalette()[: colours * 3], np.uint8).reshape(-1, 3)
            used = np.unique(np.asarray(q).reshape(-1))
            pal = raw[used]
            # nearest palette entry for every distinct colour
            uidx = np.empty(len(uniq), np.int64)
            pf = pal.astype(np.int32)
            for s in range(0, len(uniq), 4096):
                u = uniq[s:s + 4096].astype(np.int32)
                d = ((u[:, None, :] - pf[None, :, :]) ** 2).sum(axis=2)
                uidx[s:s + 4096] = d.argmin(axis=1)
        pal = settle_dark(pal[None].astype(np.float32),
                          np.ones((1, len(pal)), bool))[0]
    full = np.zeros((256, 3), np.uint8)
    full[1:1 + len(pal)] = pal[: 255]
    idx = np.zeros(len(flat), np.uint8)
    if len(cols):
        idx[nonblack] = (uidx[inv] + 1).astype(np.uint8)
    out, pos = [], 0
    for a in arrays:
        n = a.shape[0] * a.shape[1]
        out.append(idx[pos:pos + n].reshape(a.shape[0], a.shape[1]))
        pos += n
    return full, out


def save_palette_png(path, index, palette):
    """8-bit palette PNG with all 256 entries (never 1/2/4-bit)."""
    _ensure_dir(path)
    img = Image.fromarray(np.asarray(index, np.uint8), "P")
    img.putpalette(np.asarray(palette, np.uint8).reshape(-1).tolist())
    img.save(path, bits=8, optimize=False)


def save_palette_pngs(paths, arrays):
    pal, idxs = quantize(arrays)
    for p, i in zip(paths, idxs):
        save_palette_png(p, i, pal)


def save_gray_png(path, arr):
    _ensure_dir(path)
    Image.fromarray(np.asarray(arr, np.uint8), "L").save(path, optimize=False)


def save_bmp24(path, arr, pad_to=3128):
    """Uncompressed 24-bit bottom-up BMP; padded with zero bytes after the
    pixel rows up to `pad_to` bytes."""
    _ensure_dir(path)
    arr = np.asarray(arr, np.uint8)
    h, w, _ = arr.shape
    row_bytes = w * 3
    stride = (row_bytes + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = arr[y, :, ::-1].tobytes()
        rows.append(row + b"\0" * (stride - row_bytes))
    pixels = b"".join(rows)
    size = max(54 + len(pixels), pad_to)
    header = b"BM" + struct.pack("<IHHI", size, 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    data = header + info + pixels
    data += b"\0" * (size - len(data))
    with open(path, "wb") as f:
        f.write(data)


# ---------------------------------------------------------------- text

def text_mask(text, fnt, scale=1, stroke=0):
    """Render text into a tight 'L' mask (ink bounding box, not advance)."""
    x0, y0, x1, y1 = fnt.getbbox(text, stroke_width=stroke)
    img = Image.new("L", (x1 - x0 + 2 * scale, y1 - y0 + 2 * scale), 0)
    d = ImageDraw.Draw(img)
    d.text((-x0 + scale, -y0 + scale), text, font=fnt, fill=255,
           stroke_width=stroke, stroke_fill=255)
    bb = img.getbbox()
    return img.crop(bb) if bb else img


def fit_mask(mask, w, h):
    """Resize an 'L' mask to exactly (w, h) (LANCZOS), returns float array."""
    return to_float(mask.resize((w, h), Image.LANCZOS)).clip(0, 1)


def shade_bevel(alpha, radius, light=(-0.6, -0.8), depth=2.0):
    """Lighting term (-1..1) for a bevelled shape from its coverage mask."""
    hgt = box_blur(alpha, radius)
    gy, gx = np.gradient(hgt)
    gx *= depth * radius
    gy *= depth * radius
    nz = 1.0
    norm = np.sqrt(gx * gx + gy * gy + nz * nz)
    lx, ly = light
    lz = 0.6
    ln = np.sqrt(lx * lx + ly * ly + lz * lz)
    dot = (-gx * lx - gy * ly + nz * lz) / (norm * ln)
    flat = lz / ln
    return (dot - flat).astype(np.float32)
