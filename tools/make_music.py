#!/usr/bin/python3
"""Writes the two tracker modules, assets/music/intro.xm and game.xm.

Usage: /usr/bin/python3 tools/make_music.py [output directory]
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from audio import song_game, song_intro  # noqa: E402

SONGS = [("intro.xm", song_intro), ("game.xm", song_game)]


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "music")
    os.makedirs(out_dir, exist_ok=True)
    for name, song in SONGS:
        module = song.build()
        path = os.path.join(out_dir, name)
        module.save(path)
        print(f"{path}: {os.path.getsize(path)} bytes, {len(module.orders)} positions")


if __name__ == "__main__":
    main()
