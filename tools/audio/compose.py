"""Helpers for writing tracker patterns from note text, chords and grooves.

Note text: space-separated tokens `NOTE:ROWS`, e.g. "E5:4 G5:2 -:2 B5:8".
`-` is a rest (the previous note is released), `=` holds the previous note
on. The length may be omitted and then repeats the previous one.
"""

from . import xm

EFFECT_PAN = 0x8
EFFECT_PORTA = 0x3


def parse_line(text):
    events = []
    length = 4
    for token in text.split():
        name, _, size = token.partition(":")
        if size:
            length = int(size)
        events.append((name, length))
    return events


def shift(note_name, semitones):
    return xm.note_number(note_name) + semitones


class Writer:
    """Writes notes into one pattern of a module."""

    def __init__(self, pattern, volumes_default=48):
        self.pattern = pattern
        self.default_volume = volumes_default

    @property
    def rows(self):
        return self.pattern.rows

    def note(self, row, ch, note, ins, vol=None, pan=None, effect=0, param=0):
        if not 0 <= row < self.rows:
            return
        cell = self.pattern.cell(row, ch)
        cell.note = note if isinstance(note, int) else xm.note_number(note)
        cell.instrument = ins
        cell.volume = 0x10 + max(0, min(64, int(round(vol if vol is not None else self.default_volume))))
        if effect or param:
            cell.effect, cell.param = effect, param
        elif pan is not None:
            cell.effect, cell.param = EFFECT_PAN, pan

    def off(self, row, ch):
        if 0 <= row < self.rows and self.pattern.cell(row, ch).note == 0:
            self.pattern.cell(row, ch).note = xm.KEY_OFF

    def line(self, ch, ins, text, start=0, vol=None, pan=None, transpose=0,
             release=True, accents=None):
        """Writes a melody; notes with an envelope are keyed off at rests."""
        row = start
        for index, (name, length) in enumerate(parse_line(text)):
            if name == "-":
                if release:
                    self.off(row, ch)
            elif name != "=":
                level = vol
                if accents and index in accents:
                    level = min(64, (vol or self.default_volume) + accents[index])
                self.note(row, ch, shift(name, transpose), ins, level, pan)
            row += length
        if row > self.rows:
            raise ValueError(f"line runs {row - self.rows} rows past the pattern: {text}")
        return row

    def drums(self, ch, ins, text, start=0, volumes=None, step=1, pan=None):
        """One character per `step` rows: X loud, x normal, o soft, . nothing."""
        levels = volumes or {"X": 64, "x": 46, "o": 24}
        row = start
        for char in text.replace(" ", "").replace("|", ""):
            if char in levels:
                self.note(row, ch, "C-4", ins, levels[char], pan)
            row += step
        return row

    def chords(self, sets, ins, changes, vol, pans):
        """Pads on two alternating channel sets so each chord's release rings
        under the next chord's swell.

        `changes` is a list of (row, [note names]); `sets` is two lists of
        channels. Set 0 plays the even chords, set 1 the odd ones.
        """
        for index, (row, notes) in enumerate(changes):
            mine = sets[index % 2]
            other = sets[(index + 1) % 2]
            for ch in other:
                self.off(row, ch)
            for voice, ch in enumerate(mine):
                if voice < len(notes):
                    self.note(row, ch, notes[voice], ins, vol, pans[voice % len(pans)])
                else:
                    self.off(row, ch)

    def glide(self, row, ch, note, speed=0x08):
        """Slides the note playing on `ch` to a new pitch (tone portamento)."""
        cell = self.pattern.cell(row, ch)
        cell.note = xm.note_number(note)
        cell.effect, cell.param = EFFECT_PORTA, speed

    def arpeggio(self, channels, ins, changes, order, step, vol, pans, accent=0,
                 start=0, end=None):
        """Broken chords: `changes` is a list of (row, [note pool]); notes from
        the pool are played in `order` every `step` rows, alternating over
        `channels` so each note keeps ringing while the next one starts."""
        end = self.rows if end is None else end
        count = 0
        for index, (row, pool) in enumerate(changes):
            stop = changes[index + 1][0] if index + 1 < len(changes) else end
            position = 0
            while row < stop:
                if row >= start:
                    ch = channels[count % len(channels)]
                    pitch = pool[order[position % len(order)] % len(pool)]
                    level = vol + (accent if position % len(order) == 0 else 0)
                    self.note(row, ch, pitch, ins, level, pans[count % len(pans)])
                    count += 1
                position += 1
                row += step

    def echo(self, sources, targets, delay, scale, pans=None, transpose=0):
        """Copies the notes of channels `sources` onto `targets` (taken in
        turn), `delay` rows later and quieter: a tempo-locked echo."""
        sources = [sources] if isinstance(sources, int) else sources
        targets = [targets] if isinstance(targets, int) else targets
        pans = pans if isinstance(pans, list) else [pans]
        count = 0
        for row in range(self.rows - delay):
            for src in sources:
                cell = self.pattern.cell(row, src)
                if cell.note == 0:
                    continue
                if cell.note == xm.KEY_OFF:
                    if len(targets) == 1:
                        self.off(row + delay, targets[0])
                    continue
                level = ((cell.volume - 0x10) if cell.volume else self.default_volume) * scale
                self.note(row + delay, targets[count % len(targets)], cell.note + transpose,
                          cell.instrument, level, pans[count % len(pans)])
                count += 1


def new_pattern(module, rows=64, default_volume=48):
    pattern = xm.Pattern(module.channels, rows)
    return pattern, Writer(pattern, default_volume)
