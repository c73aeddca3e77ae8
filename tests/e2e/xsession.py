"""A private X desktop for end-to-end tests: Xvfb with the openbox window
manager, a copy of the program directory, and helpers that drive the real
program with xdotool and wait by polling for what they expect."""

import os
import shutil
import signal
import subprocess
import tempfile
import time

PROGRAM_DIR = os.environ.get("SKYWARD_PROGRAM_DIR", "")
GAME_TITLE = "SKYWARD - Perimeter Sky Watch"
LAUNCHER_TITLE = "Game Settings"
# The launcher's start button, 52 x 76 at (231, 69) of the dialog: its middle.
START_BUTTON = (231 + 26, 69 + 38)


def wait_for(predicate, timeout=30.0, interval=0.1, what="condition"):
    """Polls predicate until it returns a true value; fails after timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


class XSession:
    """Xvfb + openbox on a free display; use as a context manager."""

    def __init__(self, width=1024, height=768):
        self.width, self.height = width, height
        self.procs = []
        self.tmp = tempfile.mkdtemp(prefix="skyward-e2e-")

    def __enter__(self):
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
             f"{self.width}x{self.height}x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.procs.append(xvfb)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = f":{number}"
        self.env = dict(os.environ, DISPLAY=self.display, SDL_VIDEODRIVER="x11",
                        SDL_AUDIODRIVER=os.environ.get("SKYWARD_AUDIODRIVER", "dummy"))
        wm = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        self.procs.append(wm)
        wait_for(self._wm_ready, 20, what="the window manager")
        return self

    def _wm_ready(self):
        out = self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
        return "window id" in out

    def __exit__(self, *exc):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.send_signal(signal.SIGTERM)
                try:
                    proc.wait(10)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)

    def run(self, args, check=True):
        result = subprocess.run(args, env=self.env, capture_output=True, text=True)
        if check and result.returncode != 0:
            raise AssertionError(f"{args} failed: {result.stderr}")
        return result.stdout

    # The program -----------------------------------------------------------

    def program_copy(self, settings=None, with_music_library=True, extra=()):
        """A fresh copy of the program directory; settings is the text of
        Skyward.dat (None: no file)."""
        target = os.path.join(self.tmp, f"game{len(os.listdir(self.tmp))}")
        os.makedirs(target)
        for name in os.listdir(PROGRAM_DIR):
            if name in ("Skyward.dat", "screen.bmp"):
                continue
            if name.startswith("libbassmod") and not with_music_library:
                continue
            source = os.path.join(PROGRAM_DIR, name)
            if os.path.isfile(source):
                shutil.copy2(source, target)
        for source, name in extra:
            shutil.copy2(source, os.path.join(target, name))
        if settings is not None:
            with open(os.path.join(target, "Skyward.dat"), "wb") as f:
                f.write(settings.encode() if isinstance(settings, str) else settings)
        return target

    def start(self, directory, env=None):
        """Starts the program of a program directory copy."""
        with open(os.path.join(directory, "stdout.log"), "w") as log:
            proc = subprocess.Popen([os.path.join(directory, "skyward")], cwd=self.tmp,
                                    env=dict(self.env, **(env or {})), stdout=log,
                                    stderr=subprocess.STDOUT)
        self.procs.append(proc)
        return proc

    def wait_exit(self, proc, timeout=30):
        try:
            return proc.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"program did not exit within {timeout} s")

    # Windows and input -----------------------------------------------------

    def find_windows(self, name):
        out = self.run(["xdotool", "search", "--onlyvisible", "--name", f"^{name}$"], check=False)
        return [int(w) for w in out.split()]

    def wait_window(self, name, timeout=30):
        return wait_for(lambda: self.find_windows(name), timeout, what=f"window '{name}'")[0]

    def window_geometry(self, window):
        """(x, y, width, height) of a window's client area on the screen."""
        out = self.run(["xdotool", "getwindowgeometry", "--shell", str(window)])
        values = dict(line.split("=", 1) for line in out.split())
        return (int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"]))

    def window_origin(self, window):
        """Screen position of a window's client area as the X server has it
        (for a decorated window xdotool's position can be off by the frame)."""
        out = self.run(["xwininfo", "-id", str(window)])
        values = dict(line.strip().split(":", 1) for line in out.splitlines()
                      if line.strip().startswith("Absolute upper-left"))
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]))

    def key(self, name, hold_ms=60):
        self.run(["xdotool", "keydown", name])
        time.sleep(hold_ms / 1000)
        self.run(["xdotool", "keyup", name])

    def move(self, x, y):
        self.run(["xdotool", "mousemove", str(x), str(y)])

    def click(self, x, y, button=1, hold_ms=60):
        self.move(x, y)
        time.sleep(0.05)
        self.run(["xdotool", "mousedown", str(button)])
        time.sleep(hold_ms / 1000)
        self.run(["xdotool", "mouseup", str(button)])

    def drag(self, x0, y0, x1, y1, steps=10):
        """Left button down at (x0, y0), moved in steps to (x1, y1), released."""
        self.move(x0, y0)
        time.sleep(0.05)
        self.run(["xdotool", "mousedown", "1"])
        for i in range(1, steps + 1):
            time.sleep(0.03)
            self.move(x0 + (x1 - x0) * i // steps, y0 + (y1 - y0) * i // steps)
        time.sleep(0.1)
        self.run(["xdotool", "mouseup", "1"])

    def click_start_button(self, timeout=30):
        """Waits for the launcher dialog and clicks its start button."""
        dialog = self.wait_window(LAUNCHER_TITLE, timeout)
        x, y, _, _ = self.window_geometry(dialog)
        self.click(x + START_BUTTON[0], y + START_BUTTON[1])
        return dialog

    def start_game(self, directory, env=None):
        """Starts the program and goes past the launcher with its start button."""
        proc = self.start(directory, env)
        self.click_start_button()
        return proc

    def close_window(self, window):
        """A close request, as the window manager's close box sends it."""
        self.run(["wmctrl", "-i", "-c", hex(window)], check=False)

    def screenshot(self, path):
        self.run(["import", "-window", "root", path])
        return path

    def window_tree(self):
        return self.run(["xwininfo", "-root", "-tree"], check=False)

    def tree_windows(self, name):
        """Ids of the windows named name anywhere in the window tree (the
        message boxes, which xdotool's search does not find)."""
        ids = []
        for line in self.window_tree().splitlines():
            fields = line.strip().split(" ", 1)
            if len(fields) == 2 and fields[1].startswith(f'"{name}":'):
                ids.append(int(fields[0], 16))
        return ids

    def dismiss_message_box(self, name="Error", timeout=30):
        """Waits for a message box, gives it the focus and presses Return."""
        box = wait_for(lambda: self.tree_windows(name), timeout, what=f"message box '{name}'")[0]
        self.run(["xdotool", "windowfocus", "--sync", str(box)], check=False)
        self.key("Return")
        wait_for(lambda: box not in self.tree_windows(name), timeout,
                 what=f"message box '{name}' to close")
        return box
