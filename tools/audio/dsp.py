"""Small signal-processing kit shared by the effect and instrument synths.

All signals are float64 numpy arrays in roughly -1..1. Filters that must run
sample by sample are plain Python loops; the signals here are short.
"""

import math

import numpy as np


def rng(seed):
    return np.random.default_rng(seed)


def seconds(n_seconds, rate):
    return int(round(n_seconds * rate))


def time_axis(n, rate):
    return np.arange(n) / rate


def as_array(value, n):
    arr = np.asarray(value, dtype=np.float64)
    if arr.ndim == 0:
        return np.full(n, float(arr))
    return arr


def exp_sweep(start, end, n):
    """Exponential glide from start to end over n samples."""
    return start * (end / start) ** (np.arange(n) / max(1, n - 1))


def oscillator(freq, rate, shape="sine", phase=0.0):
    """Phase-accumulating oscillator; freq may vary per sample."""
    freq = np.asarray(freq, dtype=np.float64)
    ph = phase + 2.0 * math.pi * np.cumsum(freq) / rate
    if shape == "sine":
        return np.sin(ph)
    if shape == "triangle":
        return 2.0 / math.pi * np.arcsin(np.sin(ph))
    raise ValueError(shape)


def band_limited_saw(freq, rate, harmonics=None, brightness=None, phase=0.0):
    """Sawtooth built from harmonics below the Nyquist limit.

    `brightness` (per sample or scalar) is the harmonic number around which the
    spectrum rolls off, a smooth low-pass that can open and close over time.
    """
    freq = np.asarray(freq, dtype=np.float64)
    n = freq.size
    ph = phase + 2.0 * math.pi * np.cumsum(freq) / rate
    top = harmonics or int(0.45 * rate / max(1.0, float(freq.min())))
    out = np.zeros(n)
    bright = None if brightness is None else as_array(brightness, n)
    for h in range(1, top + 1):
        amp = np.where(h * freq < 0.45 * rate, 1.0 / h, 0.0)
        if bright is not None:
            amp = amp / (1.0 + (h / bright) ** 4)
        out += amp * np.sin(h * ph)
    return out * (2.0 / math.pi)


def svf(x, cutoff, rate, q=0.707, mode="low"):
    """Zero-delay state-variable filter with a per-sample cutoff."""
    n = len(x)
    cut = np.clip(as_array(cutoff, n), 10.0, 0.49 * rate)
    g_all = np.tan(math.pi * cut / rate)
    k = 1.0 / q
    out = np.empty(n)
    ic1 = ic2 = 0.0
    xs = x.tolist()
    gs = g_all.tolist()
    want = {"low": 0, "band": 1, "high": 2}[mode]
    for i in range(n):
        g = gs[i]
        a1 = 1.0 / (1.0 + g * (g + k))
        a2 = g * a1
        a3 = g * a2
        v3 = xs[i] - ic2
        v1 = a1 * ic1 + a2 * v3
        v2 = ic2 + a2 * ic1 + a3 * v3
        ic1 = 2.0 * v1 - ic1
        ic2 = 2.0 * v2 - ic2
        if want == 0:
            out[i] = v2
        elif want == 1:
            out[i] = v1
        else:
            out[i] = xs[i] - k * v1 - v2
    return out


def one_pole_lowpass(x, cutoff, rate):
    a = math.exp(-2.0 * math.pi * cutoff / rate)
    out = np.empty(len(x))
    y = 0.0
    for i, v in enumerate(x.tolist()):
        y = (1.0 - a) * v + a * y
        out[i] = y
    return out


def highpass(x, cutoff, rate):
    return x - one_pole_lowpass(x, cutoff, rate)


def brown_noise(n, generator, rate=11025.0):
    """Integrated white noise, kept centred by removing its slow drift."""
    white = generator.standard_normal(n)
    walk = np.cumsum(white)
    walk -= one_pole_lowpass(walk, 5.0, rate)
    return walk / (np.abs(walk).max() + 1e-9)


def decay(n, rate, tau, attack=0.0):
    """Exponential decay with time constant tau, optional linear attack."""
    t = time_axis(n, rate)
    env = np.exp(-t / tau)
    if attack > 0:
        env *= np.clip(t / attack, 0.0, 1.0)
    return env


def adsr(n, rate, attack, decay_time, sustain, release_at, release):
    """Attack/decay/sustain envelope, released at `release_at` seconds."""
    t = time_axis(n, rate)
    env = np.where(t < attack, t / max(attack, 1e-9),
                   sustain + (1.0 - sustain) * np.exp(-(t - attack) / max(decay_time, 1e-9)))
    after = t >= release_at
    if release_at < t[-1] + 1.0 / rate:
        level = np.interp(release_at, t, env)
        env = np.where(after, level * np.exp(-(t - release_at) / release), env)
    return env


def fade(x, rate, fade_in=0.002, fade_out=0.02):
    x = x.copy()
    n_in = max(1, seconds(fade_in, rate))
    n_out = max(1, seconds(fade_out, rate))
    x[:n_in] *= np.linspace(0.0, 1.0, n_in)
    x[-n_out:] *= np.linspace(1.0, 0.0, n_out) ** 2
    return x


def soft_clip(x, drive):
    return np.tanh(drive * x) / math.tanh(drive)


def normalise(x, peak):
    top = np.abs(x).max()
    return x * (peak / top) if top > 0 else x


def place(target, start, signal):
    """Add signal into target from sample `start`, cut at the end of target."""
    if start >= len(target):
        return
    end = min(len(target), start + len(signal))
    target[start:end] += signal[:end - start]
