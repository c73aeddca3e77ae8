"""Sampled instruments for the tracker modules, synthesised here.

Tonal samples are built on a period grid: the fundamental lasts exactly
`period` samples, so every harmonic and every detuned layer (detuned by whole
cycles per loop) repeats exactly after one loop. That gives click-free loops
without crossfading. The XM sample rate that makes note C-4 sound as C4 is
then period * 261.63 Hz.
"""

import math

import numpy as np

from . import dsp
from .xm import Envelope, Instrument, Sample

C4_HZ = 261.6255653


def note_hz(semitones_from_c4):
    return C4_HZ * 2.0 ** (semitones_from_c4 / 12.0)


def ticks(ms, bpm):
    """Milliseconds to tracker ticks at a given BPM (one tick is 2.5/bpm s)."""
    return max(0, int(round(ms / (2500.0 / bpm))))


def release_envelope(bpm, attack_ms, release_ms, sustain=64, decay_ms=0, peak=64):
    """Attack (-> peak), optional decay to sustain, hold until key-off, release."""
    points = [(0, 0 if attack_ms > 0 else peak)]
    t = ticks(attack_ms, bpm)
    if attack_ms > 0:
        t = max(1, t)
        points.append((t, peak))
    if decay_ms > 0:
        t += max(1, ticks(decay_ms, bpm))
        points.append((t, sustain))
    sustain_index = len(points) - 1
    level = points[-1][1]
    t1 = t + max(1, ticks(release_ms * 0.3, bpm))
    points.append((t1, int(level * 0.4)))
    t2 = t + max(2, ticks(release_ms, bpm))
    points.append((t2, 0))
    return Envelope(points, sustain=sustain_index)


def additive_loop(period, loop_cycles, harmonics, detunes=((0, 1.0),),
                  attack_cycles=0, boost=None, boost_time=0.1, design_rate=None,
                  limit=0.22, seed=0, random_phase=True):
    """Periodic tone: `harmonics[h-1]` is the steady amplitude of harmonic h.

    `detunes` lists layers as (cycles per loop added, gain[, lowest harmonic]).
    Layers that leave out the low harmonics thicken the tone without the slow
    swelling that detuned fundamentals would beat into it.

    `boost` (same length) adds extra amplitude during the attack part, fading
    to zero well before the loop starts. Returns (data, loop_start, loop_length).
    """
    gen = dsp.rng(seed)
    loop_len = period * loop_cycles
    attack = period * attack_cycles
    n = attack + loop_len
    k = np.arange(n, dtype=np.float64)
    boost_env = None
    if boost is not None and attack > 0:
        rate = design_rate or 16744.0
        t = k / rate
        fade_to_zero = np.clip(1.0 - k / attack, 0.0, 1.0) ** 2
        boost_env = np.exp(-t / boost_time) * fade_to_zero
    out = np.zeros(n)
    for voice in detunes:
        detune, gain = voice[0], voice[1]
        lowest = voice[2] if len(voice) > 2 else 1
        freq = (loop_cycles + detune) / loop_len
        phases = gen.random(len(harmonics)) * 2 * math.pi if random_phase else np.zeros(len(harmonics))
        for h, amp in enumerate(harmonics, start=1):
            if h < lowest:
                continue
            if h * freq > limit:
                break
            extra = boost[h - 1] if boost is not None else 0.0
            if amp == 0 and extra == 0:
                continue
            wave = np.sin(2 * math.pi * h * freq * k + phases[h - 1])
            level = amp if boost_env is None else amp + extra * boost_env
            out += gain * level * wave
    return out, attack, loop_len


def looped_sample(name, period, data, loop_start, loop_length, peak=0.9, volume=64):
    data = dsp.normalise(data, peak)
    return Sample(data, period * C4_HZ, loop_start=loop_start,
                  loop_length=loop_length, volume=volume, name=name)


def one_shot_sample(name, rate, data, peak=0.9, volume=64, fade_out=0.01):
    data = dsp.fade(dsp.normalise(data, peak), rate, 0.0005, fade_out)
    return Sample(data, rate, volume=volume, name=name)


# ---------------------------------------------------------------- tonal voices

def saw_spectrum(count, rolloff, odd_weight=1.0, even_weight=1.0, slope=4):
    amps = []
    for h in range(1, count + 1):
        weight = odd_weight if h % 2 else even_weight
        amps.append(weight / h / (1.0 + (h / rolloff) ** slope))
    return amps


def pad(name, bpm, rolloff=5.0, attack_ms=700, release_ms=1400, seed=11):
    """Warm chorus pad: five detuned band-limited saws, slow swell."""
    amps = saw_spectrum(40, rolloff, even_weight=0.8)
    amps[0] *= 1.3
    detunes = ((0, 1.0), (-3, 0.6, 2), (-1, 0.7, 2), (2, 0.7, 3), (4, 0.5, 3))
    data, start, length = additive_loop(64, 512, amps, detunes, seed=seed)
    sample = looped_sample(name, 64, data, start, length)
    env = release_envelope(bpm, attack_ms, release_ms)
    return Instrument(name, sample, env, fadeout=256)


def glass_lead(name, bpm, seed=12):
    """Soft flute-like lead with a breathy start and gentle vibrato."""
    amps = [1.0, 0.32, 0.18, 0.07, 0.05, 0.02]
    data, start, length = additive_loop(32, 256, amps, ((0, 1.0), (1, 0.3, 2)),
                                        attack_cycles=48,
                                        boost=[0.0, 0.3, 0.4, 0.3, 0.2, 0.1],
                                        boost_time=0.05, design_rate=32 * note_hz(12),
                                        seed=seed)
    gen = dsp.rng(seed + 1)
    breath = dsp.svf(gen.standard_normal(start), 3000.0, 16744.0, q=0.8, mode="band")
    breath *= np.exp(-np.arange(start) / 700.0) * np.clip(1.0 - np.arange(start) / start, 0, 1)
    data[:start] += 0.25 * breath
    sample = looped_sample(name, 32, data, start, length)
    env = release_envelope(bpm, 90, 600, sustain=52, decay_ms=200)
    return Instrument(name, sample, env, fadeout=512, vibrato=(0, 40, 4, 10))


def soft_bass(name, bpm, seed=13):
    """Round sine bass with a little warmth and a soft pluck."""
    amps = [1.0, 0.28, 0.10, 0.04]
    data, start, length = additive_loop(256, 64, amps, attack_cycles=8,
                                        boost=[0.0, 0.35, 0.25, 0.15],
                                        boost_time=0.08, design_rate=256 * note_hz(-24),
                                        seed=seed, random_phase=False)
    sample = looped_sample(name, 256, data, start, length)
    env = release_envelope(bpm, 15, 400, sustain=48, decay_ms=600)
    return Instrument(name, sample, env, fadeout=384)


def saw_bass(name, bpm, seed=21):
    """Punchy saw bass: bright pluck that settles to a rounder tone."""
    amps = saw_spectrum(60, 7.0)
    amps[0] *= 1.5
    boost = [a * 1.6 * min(1.0, h / 3.0) for h, a in enumerate(saw_spectrum(60, 30.0), start=1)]
    data, start, length = additive_loop(256, 64, amps, ((0, 1.0), (1, 0.5, 3)),
                                        attack_cycles=10, boost=boost, boost_time=0.06,
                                        design_rate=256 * note_hz(-24), seed=seed,
                                        random_phase=False)
    sample = looped_sample(name, 256, data, start, length)
    env = release_envelope(bpm, 0, 120, sustain=54, decay_ms=250)
    return Instrument(name, sample, env, fadeout=1024)


def square_lead(name, bpm, seed=22):
    """Bright lead: mostly odd harmonics, two layers, delayed vibrato."""
    amps = saw_spectrum(48, 11.0, odd_weight=1.0, even_weight=0.35)
    boost = saw_spectrum(48, 20.0, odd_weight=0.5, even_weight=0.5)
    data, start, length = additive_loop(64, 256, amps, ((0, 1.0), (1, 0.4, 2), (-2, 0.3, 3)),
                                        attack_cycles=24, boost=boost, boost_time=0.04,
                                        design_rate=64 * note_hz(12), seed=seed)
    sample = looped_sample(name, 64, data, start, length)
    env = release_envelope(bpm, 8, 220, sustain=50, decay_ms=300)
    return Instrument(name, sample, env, fadeout=768, vibrato=(0, 60, 5, 12))


def bell(name, design_note=12, length_s=1.8, seed=14):
    """Glassy bell: a few partials, the upper ones inharmonic and short."""
    period = 32
    rate = period * note_hz(design_note)
    n = dsp.seconds(length_s, rate)
    t = dsp.time_axis(n, rate)
    f0 = rate / period
    partials = [(1.0, 1.0, 0.6), (2.0, 0.35, 0.35), (3.0, 0.12, 0.2),
                (4.2, 0.18, 0.12), (5.4, 0.08, 0.08), (6.8, 0.05, 0.05)]
    out = np.zeros(n)
    for ratio, amp, tau in partials:
        out += amp * np.sin(2 * math.pi * f0 * ratio * t) * np.exp(-t / tau)
    out *= np.clip(t / 0.002, 0.0, 1.0)
    data = dsp.fade(dsp.normalise(out, 0.9), rate, 0.0, 0.15)
    return Instrument(name, Sample(data, period * C4_HZ, name=name))


def pluck(name, length_s=0.32, seed=23):
    """Short bright pluck for fast arpeggios."""
    period = 64
    rate = period * note_hz(12)
    n = dsp.seconds(length_s, rate)
    t = dsp.time_axis(n, rate)
    f0 = rate / period
    out = np.zeros(n)
    for h in range(1, 40):
        if h * f0 > 0.3 * rate:
            break
        rolloff = 1.0 + (h / (2.0 + 14.0 * np.exp(-t / 0.05))) ** 4
        amp = (1.0 if h % 2 else 0.6) / h
        out += amp / rolloff * np.sin(2 * math.pi * f0 * h * t)
    out *= np.exp(-t / 0.12) * np.clip(t / 0.001, 0, 1)
    data = dsp.fade(dsp.normalise(out, 0.9), rate, 0.0, 0.03)
    return Instrument(name, Sample(data, period * C4_HZ, name=name))


# ---------------------------------------------------------------------- drums

DRUM_RATE = 22050.0


def kick(name, seed=31):
    n = dsp.seconds(0.42, DRUM_RATE)
    t = dsp.time_axis(n, DRUM_RATE)
    gen = dsp.rng(seed)
    freq = 48.0 + 110.0 * np.exp(-t / 0.035)
    body = dsp.oscillator(freq, DRUM_RATE) * np.exp(-t / 0.16)
    click = dsp.svf(gen.standard_normal(n), 2500.0, DRUM_RATE, q=0.7) * np.exp(-t / 0.004)
    data = dsp.soft_clip(body + 0.35 * click, 1.5)
    return Instrument(name, one_shot_sample(name, DRUM_RATE, data, fade_out=0.05))


def snare(name, seed=32):
    n = dsp.seconds(0.3, DRUM_RATE)
    t = dsp.time_axis(n, DRUM_RATE)
    gen = dsp.rng(seed)
    tone = dsp.oscillator(185.0 + 60.0 * np.exp(-t / 0.01), DRUM_RATE) * np.exp(-t / 0.05)
    noise = dsp.svf(gen.standard_normal(n), 5000.0, DRUM_RATE, q=0.6)
    noise = dsp.highpass(noise, 900.0, DRUM_RATE) * np.exp(-t / 0.09)
    data = 0.7 * tone + 1.0 * noise
    return Instrument(name, one_shot_sample(name, DRUM_RATE, data, fade_out=0.04))


def hihat(name, length_s, tau, seed):
    rate = 32000.0
    n = dsp.seconds(length_s, rate)
    t = dsp.time_axis(n, rate)
    gen = dsp.rng(seed)
    noise = gen.standard_normal(n)
    # A few square-ish partials make the noise sound metallic.
    for f in (3150.0, 4430.0, 5210.0, 6880.0):
        noise += 0.5 * np.sign(np.sin(2 * math.pi * f * t))
    data = dsp.svf(noise, 7500.0, rate, q=0.9, mode="high") * np.exp(-t / tau)
    data *= np.clip(t / 0.0008, 0, 1)
    return Instrument(name, one_shot_sample(name, rate, data, fade_out=min(0.03, length_s / 4)))


def crash(name, seed=35):
    rate = 25000.0
    n = dsp.seconds(1.3, rate)
    t = dsp.time_axis(n, rate)
    gen = dsp.rng(seed)
    noise = gen.standard_normal(n)
    for f in (2710.0, 3960.0, 5030.0, 6120.0, 7390.0):
        noise += 0.3 * np.sign(np.sin(2 * math.pi * f * t + gen.random() * 6.28))
    data = dsp.svf(noise, 4000.0, rate, q=0.7, mode="high")
    data *= 0.7 * np.exp(-t / 0.45) + 0.3 * np.exp(-t / 0.08)
    return Instrument(name, one_shot_sample(name, rate, data, fade_out=0.3))
