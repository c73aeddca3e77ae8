"""The launcher dialog of the real program: the check boxes as the settings
file sets them, toggling, the start button, the close request, dragging the
dialog by its face, the tooltip, and the choices written at the end."""

import os
import unittest

from PIL import Image

from xsession import GAME_TITLE, LAUNCHER_TITLE, START_BUTTON, XSession, wait_for

# The check boxes, 15 x 15, and the white face inside their 2-pixel edges.
BOXES = [(55, 81), (55, 104), (55, 127)]
TOOLTIP_PAPER = (255, 255, 225)
# A point of the dialog's face away from the gadgets.
FACE = (150, 60)


def settings(full_screen, use_audio, use_music, hi_score=4855):
    return (f"[Game Data]\r\nHiScore = {hi_score}\r\nFullScreen = {full_screen}\r\n"
            f"UseAudio = {use_audio}\r\nUseMusic = {use_music}\r\n").encode()


class Launcher:
    """The dialog of one running program, read from screenshots."""

    def __init__(self, x):
        self.x = x
        self.window = x.wait_window(LAUNCHER_TITLE)

    def origin(self):
        return self.x.window_geometry(self.window)[:2]

    def picture(self):
        path = os.path.join(self.x.tmp, "shot.png")
        self.x.screenshot(path)
        ox, oy = self.origin()
        with Image.open(path) as shot:
            return shot.convert("RGB").crop((ox, oy, ox + 310, oy + 205))

    def box_states(self):
        """Checked (True) or unchecked (False) for each box; None for a box
        that looks like neither."""
        picture = self.picture()
        states = []
        for bx, by in BOXES:
            face = [picture.getpixel((bx + 2 + i, by + 2 + j)) for i in range(11) for j in range(11)]
            ink = sum(1 for p in face if max(p) < 64)
            white = sum(1 for p in face if p == (255, 255, 255))
            states.append(True if ink >= 20 else False if white == len(face) else None)
        return states

    def wait_boxes(self, expected):
        wait_for(lambda: self.box_states() == expected, 20, what=f"boxes {expected}")

    def tooltip_pixels(self):
        return sum(1 for p in self.picture().getdata() if p == TOOLTIP_PAPER)

    def click(self, point):
        ox, oy = self.origin()
        self.x.click(ox + point[0], oy + point[1])

    def click_box(self, index):
        bx, by = BOXES[index]
        self.click((bx + 7, by + 7))


def file_bytes(game):
    with open(os.path.join(game, "Skyward.dat"), "rb") as f:
        return f.read()


class LauncherTest(unittest.TestCase):
    def test_boxes_start_checked_toggle_and_the_start_button_starts_the_game(self):
        with XSession() as x:
            game = x.program_copy(None)
            proc = x.start(game)
            dialog = Launcher(x)
            dialog.wait_boxes([True, True, True])
            # The window takes the outline of the dialog's picture.
            shape = x.run(["xwininfo", "-shape", "-id", str(dialog.window)])
            self.assertIn("Window shape extents:", shape)
            self.assertNotIn("Window shape extents:  310x205+0+0", shape)
            for index in range(3):
                dialog.click_box(index)
            dialog.wait_boxes([False, False, False])
            dialog.click_box(1)
            dialog.wait_boxes([False, True, False])
            dialog.click_box(1)
            dialog.wait_boxes([False, False, False])
            self.assertEqual(x.find_windows(GAME_TITLE), [])
            self.assertIsNone(proc.poll())
            dialog.click(START_BUTTON)
            window = x.wait_window(GAME_TITLE)
            self.assertEqual(x.window_geometry(window)[2:], (640, 480))  # windowed
            self.assertEqual(x.find_windows(LAUNCHER_TITLE), [])
            x.key("Escape")
            self.assertEqual(x.wait_exit(proc), 0)
            self.assertEqual(file_bytes(game), settings(0, 0, 0))

    def test_non_zero_value_shows_checked_and_is_written_back_as_1(self):
        with XSession(1024, 768) as x:
            game = x.program_copy(settings(2, 0, 0, hi_score=321))
            proc = x.start(game)
            dialog = Launcher(x)
            dialog.wait_boxes([True, False, False])
            dialog.click(START_BUTTON)
            window = x.wait_window(GAME_TITLE)
            wait_for(lambda: x.window_geometry(window)[2:] == (1024, 768), 20,
                     what="the full-screen game")
            x.key("Escape")
            self.assertEqual(x.wait_exit(proc), 0)
            self.assertEqual(file_bytes(game), settings(1, 0, 0, hi_score=321))

    def test_close_request_starts_the_game_with_the_boxes_as_they_are(self):
        with XSession() as x:
            game = x.program_copy(settings(1, 0, 0))
            proc = x.start(game)
            dialog = Launcher(x)
            dialog.wait_boxes([True, False, False])
            dialog.click_box(0)
            dialog.click_box(2)
            dialog.wait_boxes([False, False, True])
            x.close_window(dialog.window)
            window = x.wait_window(GAME_TITLE)
            self.assertEqual(x.window_geometry(window)[2:], (640, 480))
            x.key("Escape")
            self.assertEqual(x.wait_exit(proc), 0)
            # The music box was checked when the dialog closed; whether the
            # music could play decides the value written.
            self.assertRegex(file_bytes(game),
                             rb"^\[Game Data\]\r\nHiScore = 4855\r\nFullScreen = 0\r\n"
                             rb"UseAudio = 0\r\nUseMusic = [01]\r\n$")

    def test_dragging_the_face_moves_the_dialog(self):
        with XSession() as x:
            proc = x.start(x.program_copy(settings(1, 0, 0)))
            dialog = Launcher(x)
            dialog.wait_boxes([True, False, False])
            ox, oy = dialog.origin()
            x.drag(ox + FACE[0], oy + FACE[1], ox + FACE[0] - 120, oy + FACE[1] + 90)
            wait_for(lambda: dialog.origin() == (ox - 120, oy + 90), 20,
                     what="the dialog at its new place")
            # The boxes still work where the dialog now stands, and a press on
            # a box does not move the dialog.
            dialog.click_box(1)
            dialog.wait_boxes([True, True, False])
            self.assertEqual(dialog.origin(), (ox - 120, oy + 90))
            self.assertIsNone(proc.poll())
            x.click_start_button()
            x.wait_window(GAME_TITLE)
            x.key("Escape")
            self.assertEqual(x.wait_exit(proc), 0)

    def test_tooltip_shows_while_the_pointer_rests_on_the_start_button(self):
        with XSession() as x:
            proc = x.start(x.program_copy(settings(1, 0, 0)))
            dialog = Launcher(x)
            dialog.wait_boxes([True, False, False])
            self.assertEqual(dialog.tooltip_pixels(), 0)
            ox, oy = dialog.origin()
            x.move(ox + START_BUTTON[0], oy + START_BUTTON[1])
            wait_for(lambda: dialog.tooltip_pixels() > 1000, 20, what="the tooltip")
            x.move(ox + FACE[0], oy + FACE[1])
            wait_for(lambda: dialog.tooltip_pixels() == 0, 20, what="the tooltip to go")
            dialog.click(START_BUTTON)
            x.wait_window(GAME_TITLE)
            x.key("Escape")
            self.assertEqual(x.wait_exit(proc), 0)


if __name__ == "__main__":
    unittest.main()
