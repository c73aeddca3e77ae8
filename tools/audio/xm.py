"""Writer for Extended Module (XM, version 0x0104) tracker files.

Only the parts of the format the music generator needs: linear frequency
table, packed patterns, one sample per instrument, volume envelopes,
automatic vibrato and delta-encoded 8- or 16-bit sample data.
"""

import struct

import numpy as np

KEY_OFF = 97
ROWS_MAX = 256
BASE_RATE = 8363.0  # playback rate of a sample at note C-4 with no transposition


def note_number(name):
    """'C-4', 'C#4', 'Db4' or 'C4' -> XM note number (C-0 is 1, C-4 is 49)."""
    letters = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
    semis = letters[name[0].upper()]
    rest = name[1:]
    if rest.startswith("#"):
        semis += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        semis -= 1
        rest = rest[1:]
    elif rest.startswith("-"):
        rest = rest[1:]
    number = int(rest) * 12 + semis + 1
    if not 1 <= number <= 96:
        raise ValueError("note out of range: " + name)
    return number


def transpose_for_rate(rate):
    """Relative note and finetune that make note C-4 play a sample at `rate` Hz."""
    semis = 12.0 * np.log2(rate / BASE_RATE)
    relative = int(np.floor(semis + 0.5))
    finetune = int(round((semis - relative) * 128.0))
    finetune = max(-128, min(127, finetune))
    if not -96 <= relative <= 95:
        raise ValueError("sample rate out of range")
    return relative, finetune


class Sample:
    """One sample: float data in -1..1, stored as 8- or 16-bit."""

    def __init__(self, data, rate, loop_start=None, loop_length=0, volume=64,
                 panning=128, sixteen_bit=True, name=""):
        self.data = np.asarray(data, dtype=np.float64)
        self.rate = rate
        self.loop_start = loop_start
        self.loop_length = loop_length
        self.volume = volume
        self.panning = panning
        self.sixteen_bit = sixteen_bit
        self.name = name

    def quantised(self):
        clipped = np.clip(self.data, -1.0, 1.0)
        if self.sixteen_bit:
            return np.round(clipped * 32767.0).astype(np.int64)
        return np.round(clipped * 127.0).astype(np.int64)

    def header_and_body(self):
        values = self.quantised()
        width = 2 if self.sixteen_bit else 1
        deltas = np.diff(values, prepend=0)
        if self.sixteen_bit:
            body = (deltas & 0xFFFF).astype("<u2").tobytes()
        else:
            body = (deltas & 0xFF).astype("u1").tobytes()
        relative, finetune = transpose_for_rate(self.rate)
        loop_type = 0
        loop_start = loop_length = 0
        if self.loop_start is not None and self.loop_length > 0:
            loop_type = 1
            loop_start = self.loop_start * width
            loop_length = self.loop_length * width
            if self.loop_start + self.loop_length > len(values):
                raise ValueError("loop past the end of sample " + self.name)
        kind = loop_type | (0x10 if self.sixteen_bit else 0)
        header = struct.pack("<IIIBbBBbB22s", len(values) * width, loop_start,
                             loop_length, self.volume, finetune, kind,
                             self.panning, relative, 0,
                             self.name.encode("ascii")[:22])
        return header, body


class Envelope:
    """Volume envelope: points of (tick, level 0..64), optional sustain point."""

    def __init__(self, points, sustain=None):
        if not 1 <= len(points) <= 12:
            raise ValueError("an envelope has 1 to 12 points")
        self.points = points
        self.sustain = sustain

    def pack(self):
        raw = b"".join(struct.pack("<HH", x, y) for x, y in self.points)
        return raw.ljust(48, b"\0")


class Instrument:
    def __init__(self, name, sample, envelope=None, fadeout=0,
                 vibrato=(0, 0, 0, 0)):
        """vibrato = (waveform, sweep, depth, rate) of the automatic vibrato."""
        self.name = name
        self.sample = sample
        self.envelope = envelope
        self.fadeout = fadeout
        self.vibrato = vibrato

    def pack(self):
        env = self.envelope
        env_points = env.pack() if env else b"\0" * 48
        env_count = len(env.points) if env else 0
        env_sustain = env.sustain if env and env.sustain is not None else 0
        env_type = 0
        if env:
            env_type = 1 | (2 if env.sustain is not None else 0)
        head = struct.pack("<I22sBH", 263, self.name.encode("ascii")[:22], 0, 1)
        head += struct.pack("<I", 40)
        head += bytes(96)  # every key plays sample 0
        head += env_points + bytes(48)
        head += struct.pack("<BBBBBBBBBB", env_count, 0, env_sustain, 0, 0,
                            0, 0, 0, env_type, 0)
        head += struct.pack("<BBBB", *self.vibrato)
        head += struct.pack("<H", self.fadeout)
        head += bytes(22)
        assert len(head) == 263
        sample_header, body = self.sample.header_and_body()
        return head + sample_header + body


class Cell:
    __slots__ = ("note", "instrument", "volume", "effect", "param")

    def __init__(self):
        self.note = 0
        self.instrument = 0
        self.volume = 0
        self.effect = 0
        self.param = 0

    def pack(self):
        fields = (self.note, self.instrument, self.volume, self.effect, self.param)
        if all(fields):
            return bytes(fields)
        flags = 0x80
        out = bytearray()
        for bit, value in enumerate(fields):
            if value:
                flags |= 1 << bit
                out.append(value)
        return bytes([flags]) + bytes(out)


class Pattern:
    def __init__(self, channels, rows=64):
        if not 1 <= rows <= ROWS_MAX:
            raise ValueError("bad row count")
        self.channels = channels
        self.rows = rows
        self.cells = [[Cell() for _ in range(channels)] for _ in range(rows)]

    def cell(self, row, channel):
        return self.cells[row][channel]

    def pack(self):
        data = b"".join(c.pack() for row in self.cells for c in row)
        return struct.pack("<IBHH", 9, 0, self.rows, len(data)) + data


class Module:
    def __init__(self, name, channels, speed, bpm):
        if channels % 2 or not 2 <= channels <= 32:
            raise ValueError("XM wants an even channel count from 2 to 32")
        self.name = name
        self.channels = channels
        self.speed = speed
        self.bpm = bpm
        self.patterns = []
        self.instruments = []
        self.orders = []
        self.restart = 0

    def add_instrument(self, instrument):
        self.instruments.append(instrument)
        return len(self.instruments)  # XM instrument numbers start at 1

    def add_pattern(self, pattern):
        self.patterns.append(pattern)
        return len(self.patterns) - 1

    def pack(self):
        if not self.orders:
            raise ValueError("empty order list")
        head = b"Extended Module: "
        head += self.name.encode("ascii")[:20].ljust(20, b" ")
        head += b"\x1a" + b"Skyward music tool".ljust(20, b" ")
        head += struct.pack("<HI", 0x0104, 276)
        head += struct.pack("<HHHHHHHH", len(self.orders), self.restart,
                            self.channels, len(self.patterns),
                            len(self.instruments), 1, self.speed, self.bpm)
        head += bytes(self.orders).ljust(256, b"\0")
        assert len(head) == 336
        body = b"".join(p.pack() for p in self.patterns)
        body += b"".join(i.pack() for i in self.instruments)
        return head + body

    def save(self, path):
        with open(path, "wb") as out:
            out.write(self.pack())
