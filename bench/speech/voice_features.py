# SPDX-License-Identifier: GPL-3.0-or-later
"""How far apart the voices sound: per voice, the median pitch (F0) of its voiced frames and their
brightness, over the WAVs speech_bench wrote (16 kHz mono).

Pitch: the lag of the highest normalised autocorrelation between 70 and 500 Hz, the shortest lag
within 90% of it (so a period is not taken for two). Brightness: the spectral RMS frequency of
the same frames after pre-emphasis (the first difference, which lifts the formants above the
voice's falling slope): the root of the mean of f² over the power spectrum, found from one more
difference, whose power is the frame's weighted by 4 sin²(pi f / rate). Formants moved up by a
factor move it up by about that factor; pitch moves it much less.

    voice_features.py VOICES.tsv WAV_DIR
"""
import array
import math
import operator
import pathlib
import statistics
import sys
import wave

FRAME_MS = 40
HOP_MS = 40
LOWEST_HZ, HIGHEST_HZ = 70, 500
VOICED_CORRELATION = 0.6
QUIET_FRACTION = 0.1  # of the loudest frame's RMS


def samples_of(path):
    with wave.open(str(path)) as clip:
        data = array.array("h", clip.readframes(clip.getnframes()))
        return data, clip.getframerate()


def correlation(frame, lag):
    head, tail = frame[:-lag], frame[lag:]
    energy = math.sqrt(sum(map(operator.mul, head, head)) * sum(map(operator.mul, tail, tail)))
    return sum(map(operator.mul, head, tail)) / energy if energy else 0.0


def pitch(frame, rate):
    """The frame's F0 in Hz, or None when it is not voiced. Found at half the rate (each pair of
    samples averaged), which keeps every pitch of a voice and takes a quarter of the time."""
    frame = [a + b for a, b in zip(frame[::2], frame[1::2])]
    rate //= 2
    lags = range(rate // HIGHEST_HZ, rate // LOWEST_HZ + 1)
    scores = [correlation(frame, lag) for lag in lags]
    best = max(scores)
    if best < VOICED_CORRELATION:
        return None
    lag = next(lag for lag, score in zip(lags, scores) if score >= 0.9 * best)
    return rate / lag


def difference(signal):
    return [b - a for a, b in zip(signal, signal[1:])]


def brightness(frame, rate):
    emphasised = difference(frame)
    changes = difference(emphasised)
    power = sum(s * s for s in emphasised[1:])
    ratio = sum(d * d for d in changes) / power if power else 0.0
    return rate / math.pi * math.asin(min(1.0, math.sqrt(ratio) / 2))


def voiced_measures(path):
    samples, rate = samples_of(path)
    size, hop = rate * FRAME_MS // 1000, rate * HOP_MS // 1000
    frames = [samples[i:i + size] for i in range(0, len(samples) - size, hop)]
    loudness = [math.sqrt(sum(s * s for s in f) / size) for f in frames]
    floor = QUIET_FRACTION * max(loudness, default=0)
    for frame, level in zip(frames, loudness):
        if level > floor and (f0 := pitch(frame, rate)) is not None:
            yield f0, brightness(frame, rate)


def main(voices_path, wav_dir):
    voices = [line.split("\t")[:2] for line in pathlib.Path(voices_path).read_text().splitlines()
              if line.strip() and not line.startswith("#")]
    print(f"{'who':6} {'voice':22} {'median F0':>9} {'F0 10-90%':>11} {'brightness':>10}")
    for who, label in voices:
        measures = [m for clip in sorted((pathlib.Path(wav_dir) / label).glob("*.wav"))
                    for m in voiced_measures(clip)]
        f0s = sorted(f0 for f0, _ in measures)
        low, high = f0s[len(f0s) // 10], f0s[len(f0s) * 9 // 10]
        brightness = statistics.median(b for _, b in measures)
        print(f"{who:6} {label:22} {statistics.median(f0s):6.0f} Hz {low:4.0f}-{high:3.0f} Hz"
              f" {brightness:7.0f} Hz")


if __name__ == "__main__":
    main(*sys.argv[1:3])
