# SPDX-License-Identifier: GPL-3.0-or-later
"""Inputs for measuring the course: the cast's English voices, as art/<id>/character.json sets
them, in the columns of voices.tsv; and the English sentence of every line of every course
lesson (data/lessons/NN-*), one a line.

    course_inputs.py SOURCE_DIR VOICES_OUT SENTENCES_OUT
"""
import json
import pathlib
import sys

CAST = ("boy", "girl", "vemo")


def decode(data):
    """A lesson's text, in the encoding the program chooses for it."""
    if data.startswith(b"\xef\xbb\xbf"):
        return data[3:].decode("utf-8")
    if not data.isascii():
        try:
            return data.decode("utf-8")
        except UnicodeDecodeError:
            pass
    return data.decode("gbk")


def sentence(line):
    head = line.split("~", 1)[0]
    return head.split("]", 1)[-1]


def main(source_dir, voices_out, sentences_out):
    source = pathlib.Path(source_dir)
    rows = []
    for who in CAST:
        voice = json.loads((source / "art" / who / "character.json").read_text())["voice"]
        rows.append("\t".join(str(v) for v in (
            who, f"{who}-{voice['voice']}", voice["engine"], voice["voice"], voice["pitchHz"],
            voice["pitchRange"], voice["rate"], voice["formantScale"])))
    pathlib.Path(voices_out).write_text("\n".join(rows) + "\n")
    lessons = sorted((source / "data" / "lessons").glob("[0-9][0-9]-*"))
    sentences = [sentence(line) for lesson in lessons
                 for line in decode(lesson.read_bytes()).splitlines()]
    pathlib.Path(sentences_out).write_text("\n".join(sentences) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:4])
