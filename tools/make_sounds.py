#!/usr/bin/python3
"""Writes the game's four sound effects to assets/sounds/00.wav .. 03.wav.

Usage: /usr/bin/python3 tools/make_sounds.py [output directory]
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from audio import sfx, wav  # noqa: E402


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "sounds")
    os.makedirs(out_dir, exist_ok=True)
    for name, make in sfx.EFFECTS:
        signal = make()
        path = os.path.join(out_dir, name)
        wav.write(path, signal)
        print(f"{path}: {len(signal)} samples")


if __name__ == "__main__":
    main()
