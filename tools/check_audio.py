#!/usr/bin/python3
"""Checks the generated sound effects and music modules.

- every effect is a 44-byte-header PCM WAVE, mono, 8-bit unsigned, 11025 Hz,
  with the exact data size the game expects, starting and ending at silence,
  audible and not clipped;
- every module is a valid XM 1.04 that libxmp loads, plays at least 60 s
  before it repeats, is audible near its start and its middle, and does not
  clip; 25 s of each is rendered to /tmp/skyward-<name>.wav for inspection;
- the generators, run again into a temporary directory, give the same bytes.

Usage: /usr/bin/python3 tools/check_audio.py   (exit status 1 on any failure)
"""

import os
import struct
import subprocess
import sys
import tempfile
import wave

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from audio import libxmp  # noqa: E402

TOOLS = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(TOOLS)
SOUNDS = {"00.wav": 6334, "01.wav": 5217, "02.wav": 28916, "03.wav": 24709}
MODULES = ["intro.xm", "game.xm"]
MIN_SECONDS = 60.0
MAX_MODULE_BYTES = 600 * 1024

failures = []


def check(condition, message):
    print(("ok    " if condition else "FAIL  ") + message)
    if not condition:
        failures.append(message)


def check_wave(path, size):
    name = os.path.basename(path)
    with open(path, "rb") as f:
        raw = f.read()
    check(len(raw) == 44 + size, f"{name}: file is 44 + {size} bytes (got {len(raw)})")
    if len(raw) < 44:
        return
    riff, riff_size, wave_tag, fmt_tag, fmt_size = struct.unpack("<4sI4s4sI", raw[:20])
    fmt = struct.unpack("<HHIIHH", raw[20:36])
    data_tag, data_size = struct.unpack("<4sI", raw[36:44])
    check(riff == b"RIFF" and wave_tag == b"WAVE" and riff_size == len(raw) - 8,
          f"{name}: RIFF/WAVE header, RIFF size {riff_size}")
    check(fmt_tag == b"fmt " and fmt_size == 16, f"{name}: 16-byte 'fmt ' chunk right after WAVE")
    check(fmt == (1, 1, 11025, 11025, 1, 8), f"{name}: PCM mono 11025 Hz 8-bit {fmt}")
    check(data_tag == b"data" and data_size == size,
          f"{name}: 'data' chunk right after 'fmt ', {data_size} bytes")
    samples = np.frombuffer(raw[44:], dtype=np.uint8).astype(np.int32) - 128
    if len(samples) == 0:
        return
    rms = np.sqrt(np.mean(samples.astype(np.float64) ** 2)) / 128.0
    peak = np.abs(samples).max()
    clipped = np.count_nonzero((samples <= -128) | (samples >= 127))
    check(abs(samples[0]) <= 2 and np.all(samples[-8:] == 0),
          f"{name}: starts near 128 ({samples[0] + 128}) and ends at 128")
    check(0.05 < rms and 64 <= peak and clipped == 0,
          f"{name}: RMS {rms:.3f}, byte range {samples.min() + 128}..{samples.max() + 128}, "
          f"{clipped} clipped samples")


def rms_db(block):
    rms = np.sqrt(np.mean(block ** 2)) if len(block) else 0.0
    return 20 * np.log10(rms + 1e-12)


def write_wav(path, stereo, rate):
    with wave.open(path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes((np.clip(stereo, -1, 1) * 32767).astype("<i2").tobytes())


def check_module(path):
    name = os.path.basename(path)
    with open(path, "rb") as f:
        head = f.read(64)
    size = os.path.getsize(path)
    check(head[:17] == b"Extended Module: " and head[37] == 0x1A
          and struct.unpack("<H", head[58:60])[0] == 0x0104,
          f"{name}: 'Extended Module: ' header, version 0x0104")
    check(size < MAX_MODULE_BYTES, f"{name}: {size} bytes")

    player = libxmp.Player(path)
    try:
        check(player.test_result == 0 and "Fast Tracker" in player.format,
              f"{name}: libxmp identifies it as '{player.format}'")
        check(player.load_result == 0 and player.started, f"{name}: xmp_load_module and start")
        if not player.started:
            return
        durations = player.module_info()
        seconds = durations[0] / 1000.0 if durations else 0.0
        total = player.frame_info().total_time / 1000.0
        check(seconds >= MIN_SECONDS and total >= MIN_SECONDS,
              f"{name}: plays {seconds:.1f} s before it repeats (frame info {total:.1f} s)")

        rate = player.rate
        opening = player.render(25.0)
        write_wav(f"/tmp/skyward-{os.path.splitext(name)[0]}.wav", opening, rate)
        start_db = rms_db(opening[: 5 * rate])
        whole_db = rms_db(opening)
        peak = np.abs(opening).max() if len(opening) else 0.0
        player.seek(seconds * 500.0)
        middle = player.render(5.0)
        middle_db = rms_db(middle)
        check(len(opening) == 25 * rate, f"{name}: rendered 25 s")
        check(start_db > -35.0, f"{name}: first 5 s at {start_db:.1f} dBFS RMS")
        check(middle_db > -35.0, f"{name}: 5 s from the middle at {middle_db:.1f} dBFS RMS")
        check(-26.0 < whole_db < -10.0 and peak < 0.95,
              f"{name}: first 25 s at {whole_db:.1f} dBFS RMS, peak {peak:.2f}")
    finally:
        player.close()


def check_reproducible():
    with tempfile.TemporaryDirectory() as tmp:
        for tool, folder, names in (("make_sounds.py", "sounds", SOUNDS),
                                    ("make_music.py", "music", MODULES)):
            out = os.path.join(tmp, folder)
            subprocess.run([sys.executable, os.path.join(TOOLS, tool), out], check=True,
                           stdout=subprocess.DEVNULL)
            for name in names:
                with open(os.path.join(out, name), "rb") as fresh, \
                        open(os.path.join(ROOT, "assets", folder, name), "rb") as kept:
                    check(fresh.read() == kept.read(),
                          f"{folder}/{name}: regenerated file is byte-identical")


def main():
    for name, size in SOUNDS.items():
        check_wave(os.path.join(ROOT, "assets", "sounds", name), size)
    for name in MODULES:
        check_module(os.path.join(ROOT, "assets", "music", name))
    check_reproducible()
    print(f"{len(failures)} failure(s)")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
