"""The music library in the real program: a missing library leaves the game
silent without a word, a broken one is reported in an "Error" box, and either
way the music is switched off and saved so. The real library plays the intro
on the attract pages into SDL's disk sound device, and P pauses and resumes
it."""

import array
import os
import unittest

from xsession import GAME_TITLE, XSession, wait_for

WINDOWED = "[Game Data]\r\nHiScore = 4855\r\nFullScreen = 0\r\nUseAudio = 1\r\nUseMusic = 1\r\n"
BUILD_DIR = os.environ.get("SKYWARD_BUILD_DIR", "")
BYTES_PER_SECOND = 44100 * 2 * 2  # 16-bit stereo
LOUD_PEAK = 500


def stand_in_library(variant):
    return os.path.join(BUILD_DIR, "tests", "music", f"libfake_bassmod_{variant}.so")


def saved_settings(game):
    with open(os.path.join(game, "Skyward.dat"), "rb") as f:
        return f.read()


def samples(path, start):
    """The 16-bit samples of the disk sound file from byte start on."""
    with open(path, "rb") as f:
        f.seek(start)
        data = f.read()
    data = data[:len(data) // 2 * 2]
    return array.array("h", data)


def size(path):
    return os.path.getsize(path) if os.path.exists(path) else 0


class MusicTest(unittest.TestCase):
    def run_and_quit(self, x, proc):
        x.wait_window(GAME_TITLE)
        x.key("Escape")
        self.assertEqual(x.wait_exit(proc), 0)

    def test_without_the_library_the_game_runs_silently_and_saves_music_off(self):
        with XSession() as x:
            game = x.program_copy(WINDOWED, with_music_library=False)
            proc = x.start_game(game)
            x.wait_window(GAME_TITLE)
            self.assertEqual(x.tree_windows("Error"), [])
            self.run_and_quit(x, proc)
            self.assertIn(b"\r\nUseMusic = 0\r\n", saved_settings(game))

    def test_a_broken_library_is_reported_then_the_game_runs_with_music_off(self):
        for variant in ("missing_entry", "init_fails"):
            with self.subTest(variant), XSession() as x:
                game = x.program_copy(WINDOWED, with_music_library=False,
                                      extra=[(stand_in_library(variant), "libbassmod.so")])
                proc = x.start_game(game)
                # The box comes before the game window opens.
                wait_for(lambda: x.tree_windows("Error"), 30, what="the Error box")
                self.assertEqual(x.find_windows(GAME_TITLE), [])
                x.dismiss_message_box()
                self.run_and_quit(x, proc)
                self.assertIn(b"\r\nUseMusic = 0\r\n", saved_settings(game))

    def test_the_intro_plays_pauses_on_p_and_resumes_on_the_second_p(self):
        with XSession() as x:
            game = x.program_copy(WINDOWED)
            sound = os.path.join(x.tmp, "sound.raw")
            proc = x.start_game(game, env={"SDL_AUDIODRIVER": "disk",
                                           "SDL_DISKAUDIOFILE": sound})
            x.wait_window(GAME_TITLE)

            def heard_from(start):
                return max(map(abs, samples(sound, start)), default=0)

            def seconds_after(start, seconds):
                wait_for(lambda: size(sound) >= start + seconds * BYTES_PER_SECOND, 30,
                         what="the sound device to play on")
                return size(sound)

            wait_for(lambda: heard_from(0) >= LOUD_PEAK, 30, what="the intro music")
            x.key("p")
            # A buffer mixed before the pause may still reach the file.
            quiet_from = seconds_after(size(sound), 0.3)
            seconds_after(quiet_from, 1.5)
            self.assertEqual(heard_from(quiet_from), 0, "music heard during the pause")
            x.key("p")
            resumed = size(sound)
            wait_for(lambda: heard_from(resumed) >= LOUD_PEAK, 30, what="the music to go on")
            x.key("Escape")
            self.assertEqual(x.wait_exit(proc), 0)
            self.assertIn(b"\r\nUseMusic = 1\r\n", saved_settings(game))
            self.assertEqual(x.tree_windows("Error"), [])


if __name__ == "__main__":
    unittest.main()
