"""The three glyph sheets: HUD letters, HUD digits and the message font."""

import numpy as np
from PIL import Image, ImageFilter

from .common import (SS, box_blur, finish, font, mask_canvas, ramp, rgb,
                     shade_bevel, text_mask, to_float)

# Chrome: sky blue on top, white in the middle, gold below the horizon line.
CHROME = [
    (0.00, (70, 150, 255)),
    (0.22, (120, 195, 255)),
    (0.46, (250, 252, 255)),
    (0.52, (255, 246, 210)),
    (0.55, (255, 205, 80)),
    (0.78, (240, 165, 30)),
    (1.00, (170, 95, 20)),
]
CHROME_EDGE = (22, 34, 96)

EMBER = [
    (0.00, (255, 96, 16)),
    (0.45, (255, 150, 30)),
    (1.00, (255, 226, 90)),
]
EMBER_EDGE = (96, 30, 8)


def _dilate(mask_img, px):
    """Grow an 'L' mask by px pixels (square structuring element)."""
    return mask_img.filter(ImageFilter.MaxFilter(2 * px + 1))


def _glyph_cell(ink, cw, ch, box, stops, edge, edge_px=1, shine=0.25):
    """Place a 4x ink mask (PIL 'L') into a cell of cw x ch pixels.
    box = (x0, y0, x1, y1) in pixels gives the area the ink fills
    (its height exactly, its width at most), centred horizontally."""
    x0, y0, x1, y1 = box
    bw, bh = (x1 - x0) * SS, (y1 - y0) * SS
    iw, ih = ink.size
    new_w = min(bw, max(1, round(iw * bh / ih)))
    ink = ink.resize((new_w, bh), Image.LANCZOS)
    cell = Image.new("L", (cw * SS, ch * SS), 0)
    left = round((cw * SS - new_w) / 2)
    cell.paste(ink, (left, y0 * SS))
    grown = _dilate(cell, edge_px * SS)
    a_in = to_float(cell)
    a_all = to_float(grown)
    ys = (np.arange(ch * SS, dtype=np.float32) - y0 * SS) / (bh - 1)
    grad = ramp(np.repeat(ys[:, None], cw * SS, axis=1), stops)
    light = shade_bevel(a_in, SS * 1.5, depth=1.5)
    grad = np.clip(grad * (1.0 + shine * light[..., None]), 0, 1)
    col = grad * a_in[..., None] + rgb(edge) * (1 - a_in[..., None])
    col_s = _down_premul(col, a_all)
    return col_s


def _down_premul(col, alpha):
    """Downsample a straight-colour layer with alpha; returns (col, alpha)."""
    from .common import downsample
    pre = downsample(col * alpha[..., None])
    a = downsample(alpha)
    c = np.where(a[..., None] > 1e-6, pre / np.maximum(a[..., None], 1e-6), 0)
    return c, a


def letter_font():
    """Sprite 0: A..Z, 25x30 cells, bold sans capitals in chrome."""
    cw, ch = 25, 30
    fnt = font("DejaVuSansCondensed-Bold.ttf", 40 * SS)
    cols, alphas = [], []
    for i in range(26):
        m = text_mask(chr(65 + i), fnt, SS)
        # condense a little more, then cap the width so neighbours at an
        # advance of 20 keep a gap
        w = round(m.size[0] * 0.86)
        m = m.resize((max(1, w), m.size[1]), Image.LANCZOS)
        c, a = _glyph_cell(m, cw, ch, (4, 4, 21, 26), CHROME, CHROME_EDGE)
        cols.append(c)
        alphas.append(a)
    return finish(np.concatenate(cols, axis=1), np.concatenate(alphas, axis=1))


def digit_font():
    """Sprite 1: 0..9, 22x44 cells, tall serif figures in chrome."""
    cw, ch = 22, 44
    fnt = font("DejaVuSerifCondensed-Bold.ttf", 60 * SS)
    cols, alphas = [], []
    for i in range(10):
        m = text_mask(chr(48 + i), fnt, SS)
        c, a = _glyph_cell(m, cw, ch, (3, 4, 19, 40), CHROME, CHROME_EDGE)
        cols.append(c)
        alphas.append(a)
    return finish(np.concatenate(cols, axis=1), np.concatenate(alphas, axis=1))


# 5x7 block designs for character codes 48..89 (code 64 is a full stop).
BLOCKS = {
    "0": "01110 10001 10011 10101 11001 10001 01110",
    "1": "00100 01100 00100 00100 00100 00100 01110",
    "2": "01110 10001 00001 00110 01000 10000 11111",
    "3": "11110 00001 00001 01110 00001 00001 11110",
    "4": "00010 00110 01010 10010 11111 00010 00010",
    "5": "11111 10000 11110 00001 00001 10001 01110",
    "6": "00110 01000 10000 11110 10001 10001 01110",
    "7": "11111 00001 00010 00100 01000 01000 01000",
    "8": "01110 10001 10001 01110 10001 10001 01110",
    "9": "01110 10001 10001 01111 00001 00010 01100",
    ":": "00000 01100 01100 00000 01100 01100 00000",
    ";": "00000 01100 01100 00000 01100 00100 01000",
    "<": "00010 00100 01000 10000 01000 00100 00010",
    "=": "00000 00000 11111 00000 11111 00000 00000",
    ">": "01000 00100 00010 00001 00010 00100 01000",
    "?": "01110 10001 00001 00010 00100 00000 00100",
    "@": "00000 00000 00000 00000 00000 01100 01100",
    "A": "01110 10001 10001 11111 10001 10001 10001",
    "B": "11110 10001 10001 11110 10001 10001 11110",
    "C": "01110 10001 10000 10000 10000 10001 01110",
    "D": "11110 10001 10001 10001 10001 10001 11110",
    "E": "11111 10000 10000 11110 10000 10000 11111",
    "F": "11111 10000 10000 11110 10000 10000 10000",
    "G": "01110 10001 10000 10111 10001 10001 01111",
    "H": "10001 10001 10001 11111 10001 10001 10001",
    "I": "01110 00100 00100 00100 00100 00100 01110",
    "J": "00111 00010 00010 00010 00010 10010 01100",
    "K": "10001 10010 10100 11000 10100 10010 10001",
    "L": "10000 10000 10000 10000 10000 10000 11111",
    "M": "10001 11011 10101 10101 10001 10001 10001",
    "N": "10001 10001 11001 10101 10011 10001 10001",
    "O": "01110 10001 10001 10001 10001 10001 01110",
    "P": "11110 10001 10001 11110 10000 10000 10000",
    "Q": "01110 10001 10001 10001 10101 10010 01101",
    "R": "11110 10001 10001 11110 10100 10010 10001",
    "S": "01111 10000 10000 01110 00001 00001 11110",
    "T": "11111 00100 00100 00100 00100 00100 00100",
    "U": "10001 10001 10001 10001 10001 10001 01110",
    "V": "10001 10001 10001 10001 10001 01010 00100",
    "W": "10001 10001 10001 10101 10101 10101 01010",
    "X": "10001 10001 01010 00100 01010 10001 10001",
    "Y": "10001 10001 01010 00100 00100 00100 00100",
}


def _block_mask(pattern, cw, ch, box):
    """4x mask of a 5x7 block glyph filling box, with softened corners."""
    x0, y0, x1, y1 = box
    rows = pattern.split()
    img, d = mask_canvas(cw, ch)
    cell_w = (x1 - x0) * SS / 5.0
    cell_h = (y1 - y0) * SS / 7.0
    for r, row in enumerate(rows):
        for c, bit in enumerate(row):
            if bit == "1":
                d.rectangle([round(x0 * SS + c * cell_w), round(y0 * SS + r * cell_h),
                             round(x0 * SS + (c + 1) * cell_w) - 1,
                             round(y0 * SS + (r + 1) * cell_h) - 1], fill=255)
    a = to_float(img)
    soft = box_blur(a, 2)
    # threshold the blurred blocks: outer corners round off, inner corners
    # fill in a little, giving chunky letters with soft corners
    a = np.clip((soft - 0.5) * 4 + 0.5, 0, 1)
    return Image.fromarray((a * 255).astype(np.uint8), "L")


def message_font():
    """Sprite 2: codes 48..89, 22x20 cells, orange-to-gold block letters."""
    cw, ch = 22, 20
    box = (3, 2, 19, 18)
    cols, alphas = [], []
    for code in range(48, 90):
        m = _block_mask(BLOCKS[chr(code)], cw, ch, box)
        grown = _dilate(m, SS)
        a_in = to_float(m)
        a_all = to_float(grown)
        ys = (np.arange(ch * SS, dtype=np.float32) - box[1] * SS) / ((box[3] - box[1]) * SS)
        grad = ramp(np.repeat(ys[:, None], cw * SS, axis=1), EMBER)
        light = shade_bevel(a_in, SS, depth=1.2)
        grad = np.clip(grad * (1.0 + 0.3 * light[..., None]), 0, 1)
        col = grad * a_in[..., None] + rgb(EMBER_EDGE) * (1 - a_in[..., None])
        c, a = _down_premul(col, a_all)
        cols.append(c)
        alphas.append(a)
    return finish(np.concatenate(cols, axis=1), np.concatenate(alphas, axis=1))
