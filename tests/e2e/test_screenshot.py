"""F12 in the real program writes "screen.bmp" beside it: a 640 x 480 24-bit
bitmap of what the window shows, replaced by the next F12."""

import os
import time
import unittest

from PIL import Image, ImageChops

from xsession import GAME_TITLE, XSession, wait_for

WINDOWED = "[Game Data]\r\nHiScore = 4855\r\nFullScreen = 0\r\nUseAudio = 0\r\nUseMusic = 0\r\n"
SIZE = 921654


class ScreenshotTest(unittest.TestCase):
    def test_f12_saves_what_the_window_shows_and_replaces_it(self):
        with XSession() as x:
            game = x.program_copy(WINDOWED)
            proc = x.start_game(game)
            window = x.wait_window(GAME_TITLE)
            time.sleep(1)  # past the first frames
            path = os.path.join(game, "screen.bmp")
            x.key("F12")
            wait_for(lambda: os.path.exists(path) and os.path.getsize(path) == SIZE, 20,
                     what="screen.bmp")
            shot = x.screenshot(os.path.join(x.tmp, "root.png"))
            wx, wy = x.window_origin(window)
            with Image.open(path) as saved, Image.open(shot) as root:
                self.assertEqual((saved.size, saved.mode), ((640, 480), "RGB"))
                # The score line at the top stands still while the pages
                # below it move on; only a twinkling star may differ there.
                shown = root.convert("RGB").crop((wx, wy, wx + 640, wy + 60))
                diff = ImageChops.difference(saved.convert("RGB").crop((0, 0, 640, 60)), shown)
                changed = sum(1 for v in diff.convert("L").getdata() if v > 24)
                self.assertLess(changed, 100)
                lit = sum(1 for v in shown.convert("L").getdata() if v > 64)
                self.assertGreater(lit, 2000)  # the score line is there to compare
            first = os.stat(path).st_mtime_ns
            time.sleep(0.05)
            x.key("F12")
            wait_for(lambda: os.stat(path).st_mtime_ns > first, 20, what="a new screen.bmp")
            wait_for(lambda: os.path.getsize(path) == SIZE, 20, what="the whole file")
            x.key("Escape")
            self.assertEqual(x.wait_exit(proc), 0)


if __name__ == "__main__":
    unittest.main()
