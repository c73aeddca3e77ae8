"""The attract-screen music: calm and spacey, in A minor at 84 BPM.

Slow chorus pads on two alternating channel sets, broken-chord glass bells
with a dotted echo, a round bass and a soft flute-like lead with its own
echo. Every pattern is four bars of 16 rows.

Form: opening (pads alone) - A - A with tune - A with answer - B - bridge -
A with tune - close on the dominant, which leads back to the opening.
"""

from . import instruments as inst
from .compose import new_pattern
from .xm import Module

BPM = 84
SPEED = 6
BAR = 16

PAD_A = [0, 1, 2, 3]
PAD_B = [4, 5, 6, 7]
BELLS = [8, 9, 10]
BELL_ECHO = [11, 12]
BASS = 13
LEAD = 14
LEAD_ECHO = 15

PAD_PANS = [0x40, 0xC0, 0x60, 0xA0]

# Four-voice pad chords (the bass adds the root).
VOICING = {
    "Am9": ["C4", "E4", "G4", "B4"],
    "Fmaj9": ["C4", "E4", "G4", "A4"],
    "Cmaj7": ["B3", "E4", "G4", "C5"],
    "Gadd9": ["B3", "D4", "G4", "A4"],
    "Dm9": ["C4", "E4", "F4", "A4"],
    "E7sus4": ["B3", "D4", "E4", "A4"],
    "E7": ["B3", "D4", "E4", "G#4"],
    "Em7": ["B3", "D4", "E4", "G4"],
}

# Bell notes for the broken chords, low to high.
BELL_POOL = {
    "Am9": ["A4", "E5", "G5", "B5", "C6"],
    "Fmaj9": ["F4", "C5", "E5", "G5", "A5"],
    "Cmaj7": ["C5", "E5", "G5", "B5", "D6"],
    "Gadd9": ["G4", "D5", "A5", "B5", "D6"],
    "Dm9": ["D5", "F5", "A5", "C6", "E6"],
    "E7sus4": ["E5", "A5", "B5", "D6", "E6"],
    "E7": ["E5", "G#5", "B5", "D6", "E6"],
    "Em7": ["E5", "G5", "B5", "D6", "E6"],
}

BASS_NOTE = {"Am9": "A2", "Fmaj9": "F2", "Cmaj7": "C3", "Gadd9": "G2", "Dm9": "D3",
             "E7sus4": "E2", "E7": "E2", "Em7": "E2"}
FIFTH = {"Am9": "E2", "Fmaj9": "C3", "Cmaj7": "G2", "Gadd9": "D3", "Dm9": "A2",
         "E7sus4": "B2", "E7": "B2", "Em7": "B2"}

PROGRESSIONS = {
    "A": ["Am9", "Fmaj9", "Cmaj7", "Gadd9"],
    "B": ["Dm9", "Am9", "Fmaj9", "E7sus4"],
    "bridge": ["Fmaj9", "Gadd9", "Em7", "Am9"],
    "close": ["Dm9", "Fmaj9", "E7sus4", "E7"],
}

ARP_RISE = [0, 1, 2, 3, 4, 3, 2, 1]
ARP_WEAVE = [0, 2, 1, 3, 2, 4, 3, 1]
ARP_SPARSE = [4, 2, 3, 1]

TUNE_1 = ("E5:6 D5:2 E5:4 G5:4 | A5:8 G5:4 E5:4 | G5:6 E5:2 D5:4 C5:4 | D5:12 -:4")
TUNE_2 = ("E5:6 D5:2 E5:4 G5:4 | C6:8 B5:4 A5:4 | G5:6 A5:2 G5:4 E5:4 | A5:8 G5:4 B5:4")
TUNE_B = ("A5:4 C6:4 E6:6 D6:2 | C6:8 B5:4 A5:4 | A5:4 G5:4 F5:4 E5:4 | A5:8 G#5:6 -:2")
TUNE_BRIDGE = ("C6:12 B5:2 A5:2 | B5:12 A5:2 G5:2 | G5:8 E5:4 D5:4 | E5:14 -:2")
TUNE_CLOSE = ("F5:4 A5:4 C6:8 | A5:8 G5:8 | E5:4 A5:12 | G#5:12 -:4")


def _bar_text(text):
    return text.replace("|", " ")


def _make_instruments(module):
    return {
        "pad": module.add_instrument(inst.pad("Nebula pad", BPM, rolloff=5.5)),
        "bell": module.add_instrument(inst.bell("Glass bell", design_note=12, length_s=1.8)),
        "bass": module.add_instrument(inst.soft_bass("Round bass", BPM)),
        "lead": module.add_instrument(inst.glass_lead("Glass flute", BPM)),
    }


def _section(module, ins, progression, arp=ARP_RISE, arp_step=2, arp_from=0,
             bass="walk", bass_from=0, tune=None, pad_vol=25, bell_vol=40):
    chords = PROGRESSIONS[progression]
    pattern, w = new_pattern(module, rows=4 * BAR)
    changes = [(bar * BAR, VOICING[name]) for bar, name in enumerate(chords)]
    w.chords([PAD_A, PAD_B], ins["pad"], changes, pad_vol, PAD_PANS)
    if chords[-1] == "E7sus4":
        # The suspension resolves halfway through the last bar.
        w.glide(3 * BAR + 8, PAD_B[3], "G#4")
    if arp is not None:
        pools = [(bar * BAR, BELL_POOL[name]) for bar, name in enumerate(chords)]
        if chords[-1] == "E7sus4":
            pools.append((3 * BAR + 8, BELL_POOL["E7"]))
        w.arpeggio(BELLS, ins["bell"], pools, arp, arp_step, bell_vol, [0x58, 0xA8, 0x80],
                   accent=6, start=arp_from)
        w.echo(BELLS, BELL_ECHO, 3, 0.42, pans=[0xD8, 0x28])
    if bass is not None:
        for bar, name in enumerate(chords):
            row = bar * BAR
            if row < bass_from:
                continue
            if bass == "walk":
                w.note(row, BASS, BASS_NOTE[name], ins["bass"], 52, 0x80)
                w.note(row + 10, BASS, FIFTH[name], ins["bass"], 38, 0x80)
                w.note(row + 12, BASS, BASS_NOTE[name], ins["bass"], 44, 0x80)
            else:
                w.note(row, BASS, BASS_NOTE[name], ins["bass"], 50, 0x80)
    if tune is not None:
        w.line(LEAD, ins["lead"], _bar_text(tune), vol=60, pan=0x70)
        w.echo(LEAD, LEAD_ECHO, 3, 0.4, pans=0xB8)
    return module.add_pattern(pattern)


def build():
    module = Module("Skyward - Starlight", 16, SPEED, BPM)
    ins = _make_instruments(module)
    opening = _section(module, ins, "A", arp=ARP_SPARSE, arp_step=4, arp_from=BAR,
                       bass="hold", bass_from=2 * BAR, bell_vol=30)
    plain = _section(module, ins, "A")
    tune_1 = _section(module, ins, "A", arp=ARP_WEAVE, tune=TUNE_1)
    tune_2 = _section(module, ins, "A", tune=TUNE_2)
    part_b = _section(module, ins, "B", arp=ARP_WEAVE, tune=TUNE_B)
    bridge = _section(module, ins, "bridge", arp=ARP_SPARSE, arp_step=4, tune=TUNE_BRIDGE,
                      bass="hold", pad_vol=27)
    close = _section(module, ins, "close", arp=ARP_RISE, tune=TUNE_CLOSE, bass="hold")
    module.orders = [opening, plain, tune_1, tune_2, part_b, bridge, tune_1, close]
    module.restart = 0
    return module
