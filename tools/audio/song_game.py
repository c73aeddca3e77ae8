"""The in-game music: driving, in E minor at 140 BPM.

Kick, snare, hi-hats and cymbals from noise, an eighth-note saw bass, a
sixteenth-note pluck arpeggio, pads and a bright square lead with a short
echo. Every pattern is four bars of 16 rows.

Form: intro (drums, pluck, bass) - groove - A - A' - B - B' - half-time
bridge - build-up - A doubled - A' - B - B' - turnaround; the song then
loops back to the groove.
"""

from . import instruments as inst
from .compose import new_pattern
from .xm import Module

BPM = 140
SPEED = 6
BAR = 16

KICK, SNARE, HAT, CYMBAL, BASS, LEAD, LEAD_ECHO = 0, 1, 2, 3, 4, 5, 6
PLUCK = [7, 8]
PAD_A = [9, 10, 11]
PAD_B = [12, 13, 14]
DOUBLE = 15

VOICING = {
    "Em": ["E4", "G4", "B4"], "C": ["E4", "G4", "C5"], "D": ["F#4", "A4", "D5"],
    "B": ["F#4", "B4", "D#5"], "Am": ["E4", "A4", "C5"],
}
PLUCK_POOL = {
    "Em": ["B3", "E4", "G4", "B4"], "C": ["C4", "E4", "G4", "C5"],
    "D": ["D4", "F#4", "A4", "D5"], "B": ["B3", "D#4", "F#4", "B4"],
    "Am": ["A3", "C4", "E4", "A4"],
}
ROOT = {"Em": 28, "C": 24, "D": 26, "B": 23, "Am": 33}  # E-2, C-2, D-2, B-1, A-2 as XM notes
FIFTH_UP = 7

PROGRESSIONS = {
    "A": ["Em", "C", "D", "B"],
    "B1": ["Am", "Em", "C", "D"],
    "B2": ["Am", "Em", "C", "B"],
    "bridge1": ["C", "D", "Em", "Em"],
    "bridge2": ["C", "D", "B", "B"],
}

# Drum bars: one character per row.
KICK_ROCK = "X.....x.X.x....."
KICK_FOUR = "X...X...X...X..."
KICK_HALF = "X.........x....."
SNARE_BACK = "....X.......X..."
SNARE_HALF = "........X......."
HAT_EIGHTS = "x.o.x.o.x.o.x.o."
HAT_OFFBEAT = "o.X.o.X.o.X.o.X."
HAT_QUARTERS = "x...x...x...x..."
FILL_SHORT = "....X...x.x.xXXX"
FILL_LONG = "X.x.x.X.xxxxXXXX"

PLUCK_ORDER = [0, 1, 2, 3, 1, 2, 3, 2]

TUNE_A1 = ("E5:4 G5:2 B5:4 A5:2 G5:2 F#5:2 | E5:6 G5:2 E5:2 D5:2 C5:2 D5:2 | "
           "F#5:4 A5:2 D6:4 C6:2 B5:2 A5:2 | B5:8 A5:2 G5:2 F#5:4")
TUNE_A2 = ("E5:4 G5:2 B5:4 A5:2 G5:2 B5:2 | C6:6 B5:2 G5:2 E5:2 G5:2 A5:2 | "
           "F#5:4 D5:2 A5:4 F#5:2 G5:2 A5:2 | B5:6 A5:2 G5:2 F#5:2 D#5:3 -:1")
TUNE_B1 = ("A5:6 C6:2 E6:4 D6:2 C6:2 | B5:8 G5:4 E5:4 | "
           "E5:2 G5:2 C6:4 B5:2 C6:2 D6:4 | D6:8 C6:4 A5:4")
TUNE_B2 = ("A5:6 C6:2 E6:4 D6:2 C6:2 | B5:6 C6:2 B5:4 G5:4 | "
           "E5:4 G5:2 C6:2 B5:4 A5:4 | B5:10 -:2 F#5:2 A5:2")
TUNE_BRIDGE1 = "G5:12 E5:4 | F#5:12 A5:4 | B5:20 A5:4 G5:4 F#5:3 -:1"
TUNE_BRIDGE2 = "E5:4 G5:4 C6:4 E6:4 | F#5:4 A5:4 D6:4 F#6:4 | B5:4 D#6:4 F#6:8 | F#6:12 -:4"
TUNE_TURN = "B5:8 G5:8 | E6:8 C6:8 | D6:8 A5:8 | B5:8 D#6:4 F#6:3 -:1"


def _bars(text):
    return text.replace("|", " ")


def _make_instruments(module):
    return {
        "kick": module.add_instrument(inst.kick("Kick")),
        "snare": module.add_instrument(inst.snare("Snare")),
        "hat": module.add_instrument(inst.hihat("Closed hat", 0.09, 0.022, 33)),
        "open": module.add_instrument(inst.hihat("Open hat", 0.45, 0.13, 34)),
        "crash": module.add_instrument(inst.crash("Crash")),
        "bass": module.add_instrument(inst.saw_bass("Saw bass", BPM)),
        "lead": module.add_instrument(inst.square_lead("Square lead", BPM)),
        "pluck": module.add_instrument(inst.pluck("Pluck")),
        "pad": module.add_instrument(inst.pad("String pad", BPM, rolloff=8.0,
                                              attack_ms=180, release_ms=500, seed=24)),
    }


class Section:
    """Collects the parts of one four-bar pattern."""

    def __init__(self, module, ins, progression):
        self.module = module
        self.ins = ins
        self.chords = PROGRESSIONS[progression]
        self.pattern, self.w = new_pattern(module, rows=4 * BAR)

    def drums(self, kick=None, snare=None, hats=None, last_snare=None, crash=True,
              open_hat=True, snare_bars=None, kick_bars=None):
        w, ins = self.w, self.ins
        for bar in range(4):
            row = bar * BAR
            k = kick_bars[bar] if kick_bars else kick
            s = snare_bars[bar] if snare_bars else snare
            if bar == 3 and last_snare:
                s = last_snare
            if k:
                w.drums(KICK, ins["kick"], k, row, {"X": 54, "x": 44})
            if s:
                w.drums(SNARE, ins["snare"], s, row, {"X": 64, "x": 48, "o": 26})
            if hats:
                w.drums(HAT, ins["hat"], hats, row, {"X": 60, "x": 50, "o": 32}, pan=0xA0)
        if crash:
            w.note(0, CYMBAL, "C-4", ins["crash"], 40, 0x60)
        if open_hat:
            w.note(3 * BAR + 14, CYMBAL, "C-4", ins["open"], 26, 0xA0)

    def bass(self, style="drive", from_bar=0):
        steps = {
            "drive": [(0, 0, 64), (2, 0, 52), (4, 12, 58), (6, 0, 52),
                      (8, 0, 62), (10, 0, 52), (12, 12, 58), (14, 0, 52)],
            "fifths": [(0, 0, 64), (2, 0, 52), (4, 12, 58), (6, 0, 52),
                       (8, 0, 62), (10, 12, 54), (12, FIFTH_UP, 56), (14, 12, 52)],
            "half": [(0, 0, 64), (6, 0, 50), (8, 12, 56)],
        }[style]
        for bar, name in enumerate(self.chords):
            if bar < from_bar:
                continue
            for row, offset, vol in steps:
                self.w.note(bar * BAR + row, BASS, ROOT[name] + offset, self.ins["bass"], vol, 0x80)

    def plucks(self, vol=18, from_row=0, step=1):
        pools = [(bar * BAR, PLUCK_POOL[name]) for bar, name in enumerate(self.chords)]
        self.w.arpeggio(PLUCK, self.ins["pluck"], pools, PLUCK_ORDER, step, vol,
                        [0x48, 0xB8], accent=8, start=from_row)

    def pads(self, vol=20):
        changes = [(bar * BAR, VOICING[name]) for bar, name in enumerate(self.chords)]
        self.w.chords([PAD_A, PAD_B], self.ins["pad"], changes, vol, [0x50, 0xB0, 0x80])

    def lead(self, tune, vol=56, double=False):
        self.w.line(LEAD, self.ins["lead"], _bars(tune), vol=vol, pan=0x78)
        self.w.echo(LEAD, LEAD_ECHO, 3, 0.35, pans=0xC8)
        if double:
            self.w.line(DOUBLE, self.ins["lead"], _bars(tune), vol=vol * 0.6, pan=0x50,
                        transpose=-12)

    def done(self):
        return self.module.add_pattern(self.pattern)


def build():
    module = Module("Skyward - Skyfall", 16, SPEED, BPM)
    ins = _make_instruments(module)

    def section(progression):
        return Section(module, ins, progression)

    intro = section("A")
    intro.drums(kick=KICK_FOUR, hats="..x...x...x...x.", last_snare=FILL_SHORT, crash=False)
    intro.bass("drive", from_bar=2)
    intro.plucks(vol=18)

    groove = section("A")
    groove.drums(KICK_ROCK, SNARE_BACK, HAT_EIGHTS)
    groove.bass("drive")
    groove.plucks()
    groove.pads()

    def a_part(tune, double=False, fill=None):
        s = section("A")
        s.drums(KICK_ROCK, SNARE_BACK, HAT_EIGHTS, last_snare=fill)
        s.bass("drive")
        s.plucks(vol=16)
        s.pads(vol=16)
        s.lead(tune, double=double)
        return s.done()

    def b_part(progression, tune, fill=None):
        s = section(progression)
        s.drums(KICK_FOUR, SNARE_BACK, HAT_OFFBEAT, last_snare=fill)
        s.bass("fifths")
        s.plucks(vol=16)
        s.pads(vol=20)
        s.lead(tune)
        return s.done()

    bridge1 = section("bridge1")
    bridge1.drums(KICK_HALF, SNARE_HALF, HAT_QUARTERS, open_hat=False)
    bridge1.bass("half")
    bridge1.plucks(vol=24, step=2)
    bridge1.pads(vol=26)
    bridge1.lead(TUNE_BRIDGE1, vol=50)

    bridge2 = section("bridge2")
    bridge2.drums(hats=HAT_EIGHTS, crash=False, open_hat=False,
                  kick_bars=[KICK_FOUR] * 4,
                  snare_bars=["....o.......o...", "o...o...o...o...",
                              "x.x.x.x.x.x.x.x.", "xxxxxxxxXXXXXXXX"])
    bridge2.bass("drive")
    bridge2.plucks(vol=20)
    bridge2.pads(vol=24)
    bridge2.lead(TUNE_BRIDGE2, vol=48)

    turn = section("A")
    turn.drums(KICK_ROCK, SNARE_BACK, HAT_EIGHTS, last_snare=FILL_LONG)
    turn.bass("drive")
    turn.plucks()
    turn.pads(vol=22)
    turn.lead(TUNE_TURN, vol=50)

    p_intro = intro.done()
    p_groove = groove.done()
    p_a1 = a_part(TUNE_A1)
    p_a2 = a_part(TUNE_A2, fill=FILL_SHORT)
    p_b1 = b_part("B1", TUNE_B1)
    p_b2 = b_part("B2", TUNE_B2, fill=FILL_SHORT)
    p_bridge1 = bridge1.done()
    p_bridge2 = bridge2.done()
    p_a1_double = a_part(TUNE_A1, double=True)
    p_turn = turn.done()
    module.orders = [p_intro, p_groove, p_a1, p_a2, p_b1, p_b2, p_bridge1, p_bridge2,
                     p_a1_double, p_a2, p_b1, p_b2, p_turn]
    module.restart = 1
    return module
