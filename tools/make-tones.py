#!/usr/bin/env python3
"""Writes the twelve touch-tone clips the speaker dialer plays.

Each is a RIFF WAVE file: a LIST chunk naming the key, a "fmt " chunk (PCM,
mono, 11025 samples a second, 16 bits) and a "data" chunk holding the key's
two frequencies summed, each at about half of full scale, from phase zero,
with no fade.  Keys 4 and 5 are 661 samples long, all others 881.

Usage: make-tones.py OUTPUT_FOLDER   (writes tone0.wav .. tone11.wav)
"""
import math
import os
import struct
import sys

RATE = 11025
# index: (key, low Hz, high Hz, samples)
TONES = [
    ("0", 941, 1336, 881), ("1", 697, 1209, 881), ("2", 697, 1336, 881), ("3", 697, 1477, 881),
    ("4", 770, 1209, 661), ("5", 770, 1336, 661), ("6", 770, 1477, 881), ("7", 852, 1209, 881),
    ("8", 852, 1336, 881), ("9", 852, 1477, 881), ("#", 941, 1477, 881), ("*", 941, 1209, 881),
]
AMPLITUDE = 16000  # each tone; the sum stays inside 16 bits


def chunk(tag, body):
    # The size counts the body alone; an odd body is padded to a word.
    return tag + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")


def clip(key, low, high, count):
    samples = bytearray()
    for n in range(count):
        t = n / RATE
        v = AMPLITUDE * (math.sin(2 * math.pi * low * t) + math.sin(2 * math.pi * high * t))
        samples += struct.pack("<h", max(-32767, min(32767, int(round(v)))))
    name = ("Touch tone " + key).encode("ascii") + b"\0"
    info = chunk(b"LIST", b"INFO" + chunk(b"INAM", name))
    fmt = chunk(b"fmt ", struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16))
    data = chunk(b"data", bytes(samples))
    body = b"WAVE" + info + fmt + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    for index, (key, low, high, count) in enumerate(TONES):
        with open(os.path.join(out, "tone%d.wav" % index), "wb") as f:
            f.write(clip(key, low, high, count))


if __name__ == "__main__":
    main()
