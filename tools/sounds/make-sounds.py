#!/usr/bin/env python3
"""Writes the drills' two sounds, data/sounds/key.wav and miss.wav, as 16-bit mono PCM.

The sounds are synthesised here from plain formulas, so they are the game's own and every run
writes the same bytes (the noise comes from a fixed linear congruential generator, not from
a random library whose sequence may change).

    tools/sounds/make-sounds.py [OUTPUT_FOLDER]     (default: data/sounds beside this tool)
"""
import math
import os
import struct
import sys
import wave

RATE = 22050  # enough for a click and a low buzz, and half the size of 44.1 kHz


def lcg_noise(seed):
    """White noise in -1..1 from a 32-bit linear congruential generator (Numerical Recipes)."""
    state = seed
    while True:
        state = (1664525 * state + 1013904223) & 0xFFFFFFFF
        yield (state >> 8) / float(1 << 23) - 1.0


def key_click():
    """A soft, short key click: a few milliseconds of band-limited noise over a 2.2 kHz ping,
    both dying away fast, 35 ms in all."""
    n = int(RATE * 0.035)
    noise = lcg_noise(20260601)
    out, low = [], 0.0
    for i in range(n):
        t = i / RATE
        # One-pole low-pass takes the hiss off the noise: a tick, not a hiss.
        low += 0.35 * (next(noise) - low)
        body = math.exp(-t / 0.0025) * low * 0.9
        ping = math.exp(-t / 0.006) * math.sin(2 * math.pi * 2200 * t) * 0.35
        out.append((body + ping) * 0.45)
    return out


def miss_buzz():
    """The miss: two short falling low tones (330 Hz, then 247 Hz) with a soft square edge,
    clearly unlike the click, 190 ms in all."""
    out = []
    for freq, length in ((330.0, 0.08), (247.0, 0.11)):
        n = int(RATE * length)
        for i in range(n):
            t = i / RATE
            # Odd harmonics in falling strength: a muted square wave.
            wave_ = sum(math.sin(2 * math.pi * freq * k * t) / k for k in (1, 3, 5, 7))
            attack = min(1.0, t / 0.004)
            release = min(1.0, (length - t) / 0.012)
            out.append(wave_ * attack * release * 0.28)
    return out


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, round(s * 32767)))) for s in samples)
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "data", "sounds")
    os.makedirs(folder, exist_ok=True)
    write_wav(os.path.join(folder, "key.wav"), key_click())
    write_wav(os.path.join(folder, "miss.wav"), miss_buzz())


if __name__ == "__main__":
    main()
