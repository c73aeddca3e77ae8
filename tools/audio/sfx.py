"""The four sound effects, synthesised at 11025 Hz.

Each function returns exactly the number of samples the game expects; the
last samples fade to silence so the sound never ends on a click.
"""

import math

import numpy as np

from . import dsp
from .wav import RATE

LENGTHS = {"explosion": 6334, "shot": 5217, "fanfare": 28916, "site_hit": 24709}


def _finish(signal, peak, fade_in=0.001, fade_out=0.03):
    # Content below ~40 Hz only costs headroom on small speakers.
    signal = dsp.highpass(signal, 40.0, RATE)
    signal = dsp.normalise(signal, peak)
    return dsp.fade(signal, RATE, fade_in, fade_out)


def _noise_clicks(n, gen, density, start, band, length=0.006):
    """Sparse crackles: short band-passed noise ticks at random times.

    `density` is an array of expected clicks per second over the sound.
    """
    out = np.zeros(n)
    click_n = dsp.seconds(length, RATE)
    chance = density / RATE
    hits = np.nonzero(gen.random(n) < chance)[0]
    for pos in hits:
        if pos < start:
            continue
        size = int(click_n * (0.5 + gen.random()))
        tick = gen.standard_normal(size) * np.exp(-np.arange(size) / (size / 4.0))
        dsp.place(out, int(pos), tick * (0.3 + 0.7 * gen.random()))
    return dsp.svf(out, band, RATE, q=0.9, mode="band")


def explosion():
    """A punchy burst: a falling low thump under a noisy, darkening roar."""
    n = LENGTHS["explosion"]
    gen = dsp.rng(1001)
    t = dsp.time_axis(n, RATE)

    thump_freq = 52.0 + 90.0 * np.exp(-t / 0.07)
    thump = dsp.oscillator(thump_freq, RATE) * dsp.decay(n, RATE, 0.16, attack=0.003)

    noise = gen.standard_normal(n)
    cutoff = 250.0 + 3800.0 * np.exp(-t / 0.09)
    roar = dsp.svf(noise, cutoff, RATE, q=0.8)
    roar_env = 0.65 * np.exp(-t / 0.045) + 0.5 * np.exp(-t / 0.24)
    roar *= roar_env * np.clip(t / 0.002, 0.0, 1.0)

    rumble = dsp.svf(dsp.brown_noise(n, gen), 180.0, RATE) * dsp.decay(n, RATE, 0.25, 0.01)

    density = 260.0 * np.exp(-t / 0.08)
    crackle = _noise_clicks(n, gen, density, dsp.seconds(0.02, RATE), 2500.0)
    crackle *= np.exp(-t / 0.12)

    mix = 1.0 * thump + 1.3 * roar + 0.8 * rumble + 0.7 * crackle
    mix = dsp.soft_clip(dsp.normalise(mix, 1.0), 1.8)
    return _finish(mix, 0.94, fade_out=0.06)


def shot():
    """A cannon shot: a short deep thump and click, then a receding whoosh."""
    n = LENGTHS["shot"]
    gen = dsp.rng(1002)
    t = dsp.time_axis(n, RATE)

    thump_freq = 55.0 + 150.0 * np.exp(-t / 0.025)
    thump = dsp.oscillator(thump_freq, RATE) * dsp.decay(n, RATE, 0.05, attack=0.002)

    click = gen.standard_normal(n) * np.exp(-t / 0.004)
    click = dsp.svf(click, 3000.0, RATE, q=0.7)

    centre = 450.0 + 2200.0 * np.exp(-t / 0.12)
    whoosh = dsp.svf(gen.standard_normal(n), centre, RATE, q=1.6, mode="band")
    swell = np.clip((t - 0.01) / 0.04, 0.0, 1.0) * np.exp(-np.clip(t - 0.05, 0, None) / 0.13)
    whoosh *= swell

    whistle_freq = 380.0 + 900.0 * np.exp(-t / 0.1)
    whistle = dsp.oscillator(whistle_freq, RATE, "triangle")
    whistle *= 0.12 * np.clip((t - 0.015) / 0.03, 0.0, 1.0) * np.exp(-t / 0.12)

    mix = 1.0 * thump + 0.45 * click + 0.9 * whoosh + whistle
    mix = dsp.soft_clip(dsp.normalise(mix, 1.0), 1.5)
    return _finish(mix, 0.9, fade_out=0.05)


def _brass(freq_hz, length, rate, sustain_to, gen):
    """One brass note: bright saw with an opening filter, scoop and vibrato."""
    n = dsp.seconds(length, rate)
    t = dsp.time_axis(n, rate)
    scoop = 2.0 ** (-0.4 / 12.0 * np.exp(-t / 0.025))
    vib_depth = 0.006 * np.clip((t - 0.25) / 0.4, 0.0, 1.0)
    vibrato = 1.0 + vib_depth * np.sin(2 * math.pi * 5.6 * t + gen.random() * 6.28)
    freq = freq_hz * scoop * vibrato
    bright = 2.0 + 7.0 * (1.0 - np.exp(-t / 0.05)) - 2.0 * np.clip((t - 0.3) / 1.5, 0, 1)
    tone = dsp.band_limited_saw(freq, rate, brightness=bright, phase=gen.random() * 6.28)
    env = dsp.adsr(n, rate, 0.012, 0.12, 0.78, sustain_to, 0.05)
    return tone * env


def fanfare():
    """A bright two-voice brass call ending on a held major chord."""
    n = LENGTHS["fanfare"]
    gen = dsp.rng(1003)
    out = np.zeros(n)
    hz = {"C4": 261.63, "E4": 329.63, "G4": 392.00, "C5": 523.25, "E5": 659.26,
          "G5": 783.99, "D5": 587.33, "B4": 493.88, "C3": 130.81, "G3": 196.00}
    # (start, length held, notes)
    calls = [
        (0.00, 0.10, ["G4", "E4"]),
        (0.13, 0.10, ["G4", "E4"]),
        (0.26, 0.10, ["G4", "E4"]),
        (0.39, 0.30, ["C5", "G4"]),
        (0.74, 0.12, ["G4", "E4"]),
        (0.90, 0.12, ["C5", "G4"]),
        (1.06, 1.38, ["C4", "G4", "C5", "E5", "G5"]),
    ]
    final = calls[-1][0]
    for start, held, notes in calls:
        body = 0.12 + held + 0.25
        for name in notes:
            note = _brass(hz[name], body, RATE, held, gen)
            level = 0.8 if start < final else 0.55
            dsp.place(out, dsp.seconds(start, RATE), level * note)
    # A timpani roll under the final chord gives it weight.
    t = dsp.time_axis(n, RATE)
    for k, hit in enumerate([1.06, 1.18, 1.30]):
        local = np.clip(t - hit, 0.0, None)
        drum = np.sin(2 * math.pi * (65.4 + 8.0 * np.exp(-local / 0.05)) * local)
        drum *= np.exp(-local / 0.35) * (t >= hit) * (0.55 if k == 0 else 0.3)
        out += drum
    shimmer = dsp.svf(gen.standard_normal(n), 4000.0, RATE, q=0.7, mode="high")
    out += 0.08 * shimmer * np.clip((t - final) / 0.01, 0, 1) * np.exp(-np.clip(t - final, 0, None) / 0.5)
    out = dsp.soft_clip(dsp.normalise(out, 1.0), 1.2)
    return _finish(out, 0.9, fade_out=0.12)


def site_hit():
    """A heavy impact: deep blast, long rumble, then crackling fire and debris."""
    n = LENGTHS["site_hit"]
    gen = dsp.rng(1004)
    t = dsp.time_axis(n, RATE)

    boom_freq = 44.0 + 70.0 * np.exp(-t / 0.12)
    boom = dsp.oscillator(boom_freq, RATE) * dsp.decay(n, RATE, 0.45, attack=0.004)

    blast = dsp.svf(gen.standard_normal(n), 180.0 + 3000.0 * np.exp(-t / 0.12), RATE, q=0.8)
    blast *= 0.9 * np.exp(-t / 0.07) + 0.35 * np.exp(-t / 0.5)

    rumble = dsp.svf(dsp.brown_noise(n, gen), 150.0, RATE, q=1.2)
    rumble = dsp.highpass(rumble, 45.0, RATE)
    wobble = 1.0 + 0.3 * np.sin(2 * math.pi * 3.1 * t) * np.sin(2 * math.pi * 0.7 * t + 1.0)
    rumble *= wobble * dsp.decay(n, RATE, 0.9, attack=0.03)

    flicker = dsp.one_pole_lowpass(gen.standard_normal(n), 8.0, RATE)
    flicker = 0.6 + 0.4 * flicker / (np.abs(flicker).max() + 1e-9)
    fire = dsp.svf(gen.standard_normal(n), 700.0, RATE, q=1.0, mode="band")
    fire *= flicker * np.clip((t - 0.1) / 0.4, 0.0, 1.0) * np.exp(-t / 2.0)

    density = 25.0 + 110.0 * np.exp(-t / 0.6)
    crackle = _noise_clicks(n, gen, density, dsp.seconds(0.08, RATE), 2200.0, 0.005)
    crackle *= np.exp(-t / 1.6)

    debris = np.zeros(n)
    for _ in range(9):
        at = 0.12 + gen.random() * 0.9
        size = dsp.seconds(0.08, RATE)
        local = dsp.time_axis(size, RATE)
        knock = np.sin(2 * math.pi * (160 + 260 * gen.random()) * local)
        knock *= np.exp(-local / 0.02) * (0.3 + 0.5 * gen.random())
        dsp.place(debris, dsp.seconds(at, RATE), knock)

    mix = 1.0 * boom + 1.0 * blast + 0.9 * rumble + 0.6 * fire + 1.2 * crackle + 0.5 * debris
    mix = dsp.soft_clip(dsp.normalise(mix, 1.0), 2.0)
    return _finish(mix, 0.95, fade_out=0.3)


EFFECTS = [("00.wav", explosion), ("01.wav", shot), ("02.wav", fanfare),
           ("03.wav", site_hit)]
