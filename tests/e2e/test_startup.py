"""The real program starts under a desktop, goes past the launcher dialog,
shows its window and ends with exit code 0 on Escape and on a close
request."""

import os
import unittest

from xsession import GAME_TITLE, XSession, wait_for

WINDOWED = "[Game Data]\r\nHiScore = 4855\r\nFullScreen = 0\r\nUseAudio = 1\r\nUseMusic = 1\r\n"
FULL = WINDOWED.replace("FullScreen = 0", "FullScreen = 1")


class StartupTest(unittest.TestCase):
    def test_escape_ends_windowed_game_with_exit_code_0(self):
        with XSession() as x:
            game = x.program_copy(WINDOWED)
            proc = x.start_game(game)
            window = x.wait_window(GAME_TITLE)
            _, _, width, height = x.window_geometry(window)
            self.assertEqual((width, height), (640, 480))
            x.key("Escape")
            self.assertEqual(x.wait_exit(proc), 0)
            with open(os.path.join(game, "Skyward.dat"), "rb") as f:
                self.assertIn(b"\r\nFullScreen = 0\r\n", f.read())

    def test_close_request_ends_windowed_game(self):
        with XSession() as x:
            proc = x.start_game(x.program_copy(WINDOWED))
            window = x.wait_window(GAME_TITLE)
            x.close_window(window)
            self.assertEqual(x.wait_exit(proc), 0)

    def test_full_screen_covers_the_desktop_and_ends_on_escape_and_close(self):
        with XSession(1024, 768) as x:
            proc = x.start_game(x.program_copy(FULL))
            window = x.wait_window(GAME_TITLE)
            wait_for(lambda: x.window_geometry(window)[2:] == (1024, 768), 20,
                     what="a desktop-size window")
            x.key("Escape")
            self.assertEqual(x.wait_exit(proc), 0)
            proc = x.start_game(x.program_copy(FULL))
            window = x.wait_window(GAME_TITLE)
            x.close_window(window)
            self.assertEqual(x.wait_exit(proc), 0)


if __name__ == "__main__":
    unittest.main()
