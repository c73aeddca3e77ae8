"""cmake --install lays out a program folder, a menu entry and the icon; the
game runs from that folder and keeps its settings there."""

import os
import subprocess
import unittest

from xsession import GAME_TITLE, XSession

BUILD_DIR = os.environ.get("SKYWARD_BUILD_DIR", "")


class InstallTest(unittest.TestCase):
    def test_installed_game_runs_from_its_folder(self):
        with XSession() as x:
            prefix = os.path.join(x.tmp, "prefix")
            subprocess.run(["cmake", "--install", BUILD_DIR, "--prefix", prefix], check=True,
                           capture_output=True)
            folder = os.path.join(prefix, "lib", "skyward")
            self.assertEqual(sorted(os.listdir(folder)),
                             ["game.xm", "intro.xm", "libbassmod.so", "skyward"])
            with open(os.path.join(prefix, "share", "applications", "skyward.desktop")) as f:
                entry = f.read()
            self.assertIn(f"Exec={folder}/skyward\n", entry)
            self.assertTrue(os.path.isfile(os.path.join(
                prefix, "share", "icons", "hicolor", "32x32", "apps", "skyward.png")))

            # Started from elsewhere, as a menu would start it.
            proc = subprocess.Popen([os.path.join(folder, "skyward")], cwd="/", env=x.env,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
            x.procs.append(proc)
            x.click_start_button()
            x.wait_window(GAME_TITLE)
            x.key("Escape")
            self.assertEqual(x.wait_exit(proc), 0)
            with open(os.path.join(folder, "Skyward.dat"), "rb") as f:
                self.assertEqual(f.read(), b"[Game Data]\r\nHiScore = 4855\r\nFullScreen = 1\r\n"
                                           b"UseAudio = 1\r\nUseMusic = 1\r\n")


if __name__ == "__main__":
    unittest.main()
