#!/usr/bin/env python3
"""Runs the real program under Xvfb and measures it: frames per second (the
pacing loop's own count), CPU use of the process in % of one core (from
/proc), peak resident memory (VmHWM) and the time from process start to the
first presented frame. Each scenario runs several times; medians are printed.

usage: bench/run_xvfb.py [--build DIR] [--seconds N] [--runs N]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
import xsession  # noqa: E402

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
WINDOWED = "[Game Data]\r\nHiScore = 4855\r\nFullScreen = 0\r\nUseAudio = 1\r\nUseMusic = 1\r\n"
FULL = WINDOWED.replace("FullScreen = 0", "FullScreen = 1")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def peak_memory_kb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def play_driver(x, seconds):
    """Plays: starts a game with a click and then sweeps the cross-hair and
    fires both cannons for the given time."""
    x.click(500, 300)
    end = time.monotonic() + seconds
    step = 0
    while time.monotonic() < end:
        px = 80 + (step * 97) % 860
        py = 60 + (step * 53) % 300
        x.move(px, py)
        x.run(["xdotool", "mousedown", "1" if step % 2 == 0 else "3"])
        time.sleep(0.12)
        x.run(["xdotool", "mouseup", "1" if step % 2 == 0 else "3"])
        time.sleep(0.18)
        step += 1


def measure(binary, settings, scenario, seconds):
    with xsession.XSession(1024, 768) as x:
        directory = x.program_copy(settings)
        shutil.copy2(binary, os.path.join(directory, "skyward"))
        time.sleep(1.0)  # let the new X server and window manager settle
        report = os.path.join(directory, "report.txt")
        started = time.monotonic()
        with open(report, "w") as err:
            proc = subprocess.Popen([os.path.join(directory, "skyward")], env=x.env,
                                    stdout=subprocess.DEVNULL, stderr=err, cwd=x.tmp)
        x.procs.append(proc)
        # Leave the machine to the program while it starts, then check.
        time.sleep(1.5)
        x.wait_window(xsession.GAME_TITLE)
        cpu0, t0 = cpu_seconds(proc.pid), time.monotonic()
        if scenario == "play":
            play_driver(x, seconds)
        else:
            time.sleep(seconds)
        cpu1, t1 = cpu_seconds(proc.pid), time.monotonic()
        memory = peak_memory_kb(proc.pid)
        x.key("Escape")
        x.wait_exit(proc, 30)
        with open(report) as f:
            text = f.read()
        values = dict(item.split("=") for item in text.split() if "=" in item)
        startup = float(values["first_frame_monotonic"]) - started
        return {
            "fps": float(values["fps"]),
            "cpu": 100.0 * (cpu1 - cpu0) / (t1 - t0),
            "memory_mb": memory / 1024.0,
            "startup_ms": 1000.0 * startup,
        }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    parser.add_argument("--seconds", type=float, default=20)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    binary = os.path.join(args.build, "bench", "skyward_measured")
    xsession.PROGRAM_DIR = os.path.join(args.build, "skyward")
    print(f"machine: {os.cpu_count()} cores, {os.uname().machine}, Xvfb 1024x768x24")
    for name, settings, scenario in (("attract, full screen", FULL, "attract"),
                                     ("attract, windowed", WINDOWED, "attract"),
                                     ("play, full screen", FULL, "play")):
        results = [measure(binary, settings, scenario, args.seconds) for _ in range(args.runs)]
        med = {k: statistics.median(r[k] for r in results) for k in results[0]}
        print(f"{name:22s} fps {med['fps']:6.2f}  cpu {med['cpu']:5.1f} %  "
              f"peak memory {med['memory_mb']:5.1f} MB  start-up {med['startup_ms']:6.1f} ms "
              f"(median of {args.runs} runs of {args.seconds:.0f} s)")


if __name__ == "__main__":
    main()
