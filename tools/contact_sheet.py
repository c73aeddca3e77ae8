#!/usr/bin/python3
"""Lay out every picture in assets/ on one sheet, docs/assets.png, with the
number or name of each beside it.  Small pictures are enlarged with
nearest-neighbour scaling; long frame strips are wrapped frame by frame.

Usage:  /usr/bin/python3 tools/contact_sheet.py
"""

import os

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(ROOT, "assets")
OUT = os.path.join(ROOT, "docs", "assets.png")
SHEET_W = 1360
GROUND = (128, 128, 128)
GAP = 14

NAMES = [
    "LetterFont", "DigitFont", "MessageFont", "CursorBright", "CursorDim",
    "TargetMarker", "CannonTexture", "ShellTexture0", "ShellTexture1",
    "GroundStrip", "ExplosionSheet", "CityImage", "TitleLogo0", "TitleLogo1",
    "TitleLogo2", "SiteFireSheet", "AmmoRound", "Meteor0", "Meteor1",
    "Meteor2", "Meteor3", "Meteor4", "Meteor5",
]
FRAME_W = {10: 128, 15: 160}


def label_font():
    return ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 12)


def scale_for(img):
    w, h = img.size
    if max(w, h) <= 40:
        return 4
    if max(w, h) <= 64:
        return 3
    if max(w, h) <= 100:
        return 2
    return 1


def pieces(img, frame_w, max_w):
    """Split a wide strip into rows of whole frames no wider than max_w."""
    if img.width <= max_w:
        return [img]
    step = frame_w or img.width
    per_row = max(1, max_w // step)
    out = []
    for x in range(0, img.width, per_row * step):
        out.append(img.crop((x, 0, min(x + per_row * step, img.width), img.height)))
    return out


def entries():
    items = []
    sprite_dir = os.path.join(ASSETS, "sprites")
    for name in sorted(os.listdir(sprite_dir)):
        sid = int(name.split(".")[0])
        img = Image.open(os.path.join(sprite_dir, name)).convert("RGB")
        label = "%02d %s %dx%d" % (sid, NAMES[sid] if sid < len(NAMES) else "", img.width, img.height)
        items.append((label, img, FRAME_W.get(sid)))
    for rel in ("launcher/button.png", "launcher/backdrop.png", "launcher/mask.png", "icon.png"):
        path = os.path.join(ASSETS, rel)
        if os.path.exists(path):
            img = Image.open(path).convert("RGB")
            items.append(("%s %dx%d" % (rel, img.width, img.height), img, None))
    return items


def main():
    fnt = label_font()
    placed, x, y, row_h = [], GAP, GAP, 0
    for label, img, frame_w in entries():
        s = scale_for(img)
        parts = pieces(img, frame_w, SHEET_W - 2 * GAP)
        tw = int(fnt.getlength(label))
        for i, part in enumerate(parts):
            big = part.resize((part.width * s, part.height * s), Image.NEAREST)
            w = max(big.width, tw if i == 0 else 0)
            h = big.height + (16 if i == 0 else 0)
            if x + w > SHEET_W - GAP:
                x, y, row_h = GAP, y + row_h + GAP, 0
            placed.append((x, y, label if i == 0 else None, big))
            x += w + GAP
            row_h = max(row_h, h)
    height = y + row_h + GAP
    sheet = Image.new("RGB", (SHEET_W, height), GROUND)
    d = ImageDraw.Draw(sheet)
    for x, y, label, big in placed:
        top = y
        if label:
            d.text((x, y), label, font=fnt, fill=(255, 255, 255))
            top += 16
        sheet.paste(big, (x, top))
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    sheet = sheet.quantize(256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    sheet.save(OUT, optimize=True)
    print("%s: %dx%d, %d bytes" % (OUT, sheet.width, sheet.height, os.path.getsize(OUT)))


if __name__ == "__main__":
    main()
