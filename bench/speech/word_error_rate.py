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


def main(voices_path, sentences_path, wav_dir):
    sentences = [line for line in pathlib.Path(sentences_path).read_text().splitlines()
                 if line.strip()]
    print(f"{'who':6} {'voice':22} word error")
    for line in pathlib.Path(voices_path).read_text().splitlines():
        if not line.strip() or line.startswith("#"):
            continue
        who, label = line.split("\t")[:2]
        errors = total = 0
        for number, sentence in enumerate(sentences, 1):
            transcript = (pathlib.Path(wav_dir) / label / f"{number}.txt").read_text()
            reference = words(sentence)
            errors += edit_distance(reference, words(transcript))
            total += len(reference)
        print(f"{who:6} {label:22} {100.0 * errors / total:5.1f}%")


if __name__ == "__main__":
    main(*sys.argv[1:4])
