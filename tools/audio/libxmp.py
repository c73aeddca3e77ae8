"""Minimal ctypes binding of libxmp, used to load and render our modules."""

import ctypes
import ctypes.util

import numpy as np

XMP_END = 1


class FrameInfo(ctypes.Structure):
    _fields_ = [(name, ctypes.c_int) for name in (
        "pos", "pattern", "row", "num_rows", "frame", "speed", "bpm", "time",
        "total_time", "frame_time")] + [
        ("buffer", ctypes.c_void_p),
        ("buffer_size", ctypes.c_int), ("total_size", ctypes.c_int),
        ("volume", ctypes.c_int), ("loop_count", ctypes.c_int),
        ("virt_channels", ctypes.c_int), ("virt_used", ctypes.c_int),
        ("sequence", ctypes.c_int),
        ("channel_info", ctypes.c_ubyte * (64 * 24 + 64)),  # 64 channel records
    ]


class Sequence(ctypes.Structure):
    _fields_ = [("entry_point", ctypes.c_int), ("duration", ctypes.c_int)]


class ModuleInfo(ctypes.Structure):
    _fields_ = [("md5", ctypes.c_ubyte * 16), ("vol_base", ctypes.c_int),
                ("mod", ctypes.c_void_p), ("comment", ctypes.c_char_p),
                ("num_sequences", ctypes.c_int),
                ("seq_data", ctypes.POINTER(Sequence))]


class TestInfo(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char * 64), ("type", ctypes.c_char * 64)]


def _library():
    path = ctypes.util.find_library("xmp") or "libxmp.so.4"
    lib = ctypes.CDLL(path)
    lib.xmp_create_context.restype = ctypes.c_void_p
    lib.xmp_load_module.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
    lib.xmp_start_player.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
    lib.xmp_play_buffer.argtypes = [ctypes.c_void_p, ctypes.c_void_p,
                                    ctypes.c_int, ctypes.c_int]
    lib.xmp_get_frame_info.argtypes = [ctypes.c_void_p, ctypes.POINTER(FrameInfo)]
    lib.xmp_get_module_info.argtypes = [ctypes.c_void_p, ctypes.POINTER(ModuleInfo)]
    lib.xmp_channel_mute.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
    lib.xmp_seek_time.argtypes = [ctypes.c_void_p, ctypes.c_int]
    lib.xmp_test_module.argtypes = [ctypes.c_char_p, ctypes.POINTER(TestInfo)]
    for name in ("xmp_end_player", "xmp_release_module", "xmp_free_context"):
        getattr(lib, name).argtypes = [ctypes.c_void_p]
        getattr(lib, name).restype = None
    return lib


class Player:
    """One loaded module in a libxmp context, rendering 16-bit stereo."""

    def __init__(self, path, rate=44100):
        self.lib = _library()
        self.rate = rate
        test = TestInfo()
        self.test_result = self.lib.xmp_test_module(path.encode(), ctypes.byref(test))
        self.format = test.type.decode("latin-1")
        self.ctx = self.lib.xmp_create_context()
        self.load_result = self.lib.xmp_load_module(self.ctx, path.encode())
        self.started = False
        if self.load_result == 0:
            self.started = self.lib.xmp_start_player(self.ctx, rate, 0) == 0

    def module_info(self):
        info = ModuleInfo()
        self.lib.xmp_get_module_info(self.ctx, ctypes.byref(info))
        durations = [info.seq_data[i].duration for i in range(info.num_sequences)]
        return durations

    def frame_info(self):
        info = FrameInfo()
        self.lib.xmp_get_frame_info(self.ctx, ctypes.byref(info))
        return info

    def seek(self, ms):
        return self.lib.xmp_seek_time(self.ctx, int(ms))

    def solo(self, channels, count=64):
        """Mutes every channel except those listed."""
        for ch in range(count):
            self.lib.xmp_channel_mute(self.ctx, ch, 0 if ch in channels else 1)

    def render(self, seconds, loops=0):
        """Render up to `seconds` of audio as float stereo (n, 2) in -1..1.

        With loops=1 rendering stops where the module first reaches its end.
        """
        frames = int(seconds * self.rate)
        chunk = 4096
        buf = ctypes.create_string_buffer(chunk * 4)
        parts = []
        done = 0
        while done < frames:
            n = min(chunk, frames - done)
            if self.lib.xmp_play_buffer(self.ctx, buf, n * 4, loops) != 0:
                break
            parts.append(np.frombuffer(buf.raw[:n * 4], dtype="<i2").copy())
            done += n
        if not parts:
            return np.zeros((0, 2))
        return np.concatenate(parts).reshape(-1, 2) / 32768.0

    def close(self):
        if self.started:
            self.lib.xmp_end_player(self.ctx)
        if self.load_result == 0:
            self.lib.xmp_release_module(self.ctx)
        self.lib.xmp_free_context(self.ctx)
