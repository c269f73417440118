# SPDX-License-Identifier: GPL-3.0-or-later
"""Word error rate per voice: the recogniser's transcripts against the sentences said."""
import pathlib
import re
import sys


def words(text):
    return re.sub(r"[^a-z' ]", " ", text.lower()).split()


def edit_distance(reference, hypothesis):
    row = list(range(len(hypothesis) + 1))
    for i, ref_word in enumerate(reference, 1):
        previous, row[0] = row[0], i
        for j, hyp_word in enumerate(hypothesis, 1):
            previous, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1,
                                           previous + (ref_word != hyp_word))
    return row[-1]


def transcript(wav_dir, label, number):
    return words((pathlib.Path(wav_dir) / label / f"{number}.txt").read_text())


def print_misheard(voices, sentences, wav_dir):
    """Each sentence some voice was misheard in, with what the recogniser heard per voice."""
    print("== misheard sentences")
    for number, sentence in enumerate(sentences, 1):
        heard = {label: transcript(wav_dir, label, number) for _, label in voices}
        if all(h == words(sentence) for h in heard.values()):
            continue
        print(f"{number:4} {sentence}")
        for label, hypothesis in heard.items():
            print(f"       {label:22} {' '.join(hypothesis)}")


def main(voices_path, sentences_path, wav_dir, misheard=""):
    sentences = [line for line in pathlib.Path(sentences_path).read_text().splitlines()
                 if line.strip()]
    voices = [tuple(line.split("\t")[:2])
              for line in pathlib.Path(voices_path).read_text().splitlines()
              if line.strip() and not line.startswith("#")]
    print(f"{'who':6} {'voice':22} word error")
    for who, label in voices:
        errors = total = 0
        for number, sentence in enumerate(sentences, 1):
            reference = words(sentence)
            errors += edit_distance(reference, transcript(wav_dir, label, number))
            total += len(reference)
        print(f"{who:6} {label:22} {100.0 * errors / total:5.1f}%")
    if misheard == "--misheard":
        print_misheard(voices, sentences, wav_dir)


if __name__ == "__main__":
    main(*sys.argv[1:5])
