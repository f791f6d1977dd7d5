#!/usr/bin/env python3
"""Writes the chat's default sounds, Sounds/NewUser.wav and Sounds/NewMessage.wav.

Each sound is a couple of soft bell-like notes: a sine with a little of its octave and a
slightly detuned upper partial, a short attack and an exponential decay, faded to silence at
the end so that nothing clicks. The output is 16-bit PCM mono at 22050 Hz and depends on
nothing but this script, so running it again gives the same bytes.

Usage: scripts/make-sounds.py [OUTPUT_FOLDER]   (default: Sounds/ beside scripts/)
"""
import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 0.45  # of full scale: a notice, not an alarm


def note(freq, start, decay, length, octave=0.25, shimmer=0.08):
    """One struck note: (start time, a function of the time since the start)."""
    attack = 0.006

    def sample(t):
        if t < 0 or t >= length:
            return 0.0
        env = min(1.0, t / attack) * math.exp(-t / decay)
        w = 2 * math.pi * freq * t
        tone = (math.sin(w) + octave * math.sin(2 * w) * math.exp(-t / (decay * 0.4))
                + shimmer * math.sin(2.76 * w) * math.exp(-t / (decay * 0.25)))
        return env * tone

    return start, sample


def render(notes, duration):
    count = int(duration * RATE)
    fade = int(0.04 * RATE)
    raw = []
    for i in range(count):
        t = i / RATE
        raw.append(sum(f(t - s) for s, f in notes))
    top = max(abs(v) for v in raw) or 1.0
    out = bytearray()
    for i, v in enumerate(raw):
        gain = PEAK / top
        if i >= count - fade:
            gain *= (count - 1 - i) / fade
        out += struct.pack('<h', int(round(v * gain * 32767)))
    return bytes(out)


SOUNDS = {
    # Someone came in: a warm rising fifth, G4 then D5.
    'NewUser.wav': ([note(392.00, 0.00, 0.22, 0.85, octave=0.2, shimmer=0.05),
                     note(587.33, 0.14, 0.26, 0.71, octave=0.2, shimmer=0.05)], 0.85),
    # A message: a brighter, quicker pair, C6 then E6.
    'NewMessage.wav': ([note(1046.50, 0.00, 0.12, 0.55),
                        note(1318.51, 0.09, 0.15, 0.46)], 0.55),
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(os.path.join(here, '..', 'Sounds'))
    os.makedirs(folder, exist_ok=True)
    for name, (notes, duration) in SOUNDS.items():
        path = os.path.join(folder, name)
        with wave.open(path, 'wb') as w:
            w.setnchannels(1)
            w.setsampwidth(2)
            w.setframerate(RATE)
            w.writeframes(render(notes, duration))
        print(path)


if __name__ == '__main__':
    main()
