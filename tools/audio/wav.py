"""RIFF WAVE writer for the game's effects: PCM, mono, 8-bit unsigned."""

import struct

import numpy as np

RATE = 11025


def to_unsigned_bytes(signal):
    """Map -1..1 to unsigned 8-bit with 128 as silence."""
    values = np.round(np.clip(signal, -1.0, 1.0) * 127.0) + 128.0
    return values.astype(np.uint8).tobytes()


def wave_bytes(signal, rate=RATE):
    data = to_unsigned_bytes(signal)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    # No pad byte after an odd-sized data chunk: the game's loader takes the
    # file as exactly a 44-byte header followed by the data.
    return b"RIFF" + struct.pack("<I", len(body)) + body


def write(path, signal, rate=RATE):
    with open(path, "wb") as out:
        out.write(wave_bytes(signal, rate))
