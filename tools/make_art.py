#!/usr/bin/python3
"""Regenerate every picture of the game into assets/.

Run from anywhere:  /usr/bin/python3 tools/make_art.py
The output is deterministic: running it twice gives byte-identical files.
"""

import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from art import (city, effects, fonts, ground, hud, launcher,  # noqa: E402
                 meteors, textures, title)
from art.common import (finish, save_bmp24, save_gray_png,  # noqa: E402
                        save_palette_png, save_palette_pngs, save_rgb_png,
                        quantize)

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SPRITES = os.path.join(ROOT, "assets", "sprites")
LAUNCHER = os.path.join(ROOT, "assets", "launcher")


def sprite(n, ext="png"):
    return os.path.join(SPRITES, "%02d.%s" % (n, ext))


def title_pictures():
    """The three title pictures with one shared outline: a pixel is drawn
    in all three or in none, so cycling them only moves the shimmer."""
    imgs = [finish(c, a) for c, a in title.title_frames()]
    keep = np.logical_and.reduce([i.any(axis=2) for i in imgs])
    return [np.where(keep[..., None], i, 0).astype(np.uint8) for i in imgs]


def main():
    save_rgb_png(sprite(0), fonts.letter_font())
    save_rgb_png(sprite(1), fonts.digit_font())
    save_rgb_png(sprite(2), fonts.message_font())
    save_palette_pngs([sprite(3)], [hud.cross_hair(hud.WHITE)])
    save_palette_pngs([sprite(4)], [hud.cross_hair(hud.GREY)])
    save_palette_pngs([sprite(5)], [hud.target_marker()])
    save_bmp24(sprite(6, "bmp"), textures.cannon_barrel())
    save_bmp24(sprite(7, "bmp"), textures.shell(0))
    save_bmp24(sprite(8, "bmp"), textures.shell(1))
    save_rgb_png(sprite(9), ground.ground_strip())
    save_palette_pngs([sprite(10)], [effects.explosion_sheet()])
    save_rgb_png(sprite(11), city.city())
    save_palette_pngs([sprite(12), sprite(13), sprite(14)], title_pictures())
    save_palette_pngs([sprite(15)], [effects.site_fire_sheet()])
    save_palette_pngs([sprite(16)], [hud.ammo_round()])
    for k, rock in enumerate(meteors.meteors()):
        save_palette_pngs([sprite(17 + k)], [rock])

    save_palette_pngs([os.path.join(LAUNCHER, "button.png")], [launcher.start_button()])
    face, mask = launcher.backdrop_and_mask()
    save_palette_pngs([os.path.join(LAUNCHER, "backdrop.png")], [face])
    save_gray_png(os.path.join(LAUNCHER, "mask.png"), mask)
    pal, (idx,) = quantize([launcher.icon()])
    save_palette_png(os.path.join(ROOT, "assets", "icon.png"), idx, pal)


if __name__ == "__main__":
    main()
