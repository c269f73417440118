# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the benchmark's readings of recorded human speech: the English prompts of Debian's
asterisk-core-sounds-en-wav (one native speaker, 8 kHz telephone recordings, CC-BY-SA 3.0) with
their transcripts from asterisk-core-sounds-en. The packages are fetched with apt-get download
and unpacked in OUT_DIR; nothing of them enters the repository.

Each prompt is read as recorded and as a learner's room gives it: with brown noise at 10 dB SNR,
quiet (peak at -30 dBFS), clipped (peak driven 12 dB over full scale), and as 44.1 kHz stereo.
Writes OUT_DIR/items.tsv in listen_bench's columns; the check "mismatch" scores a reading
against the words of another transcript that the speaker did not say in it (prompts are alike:
"Please enter ... followed by the pound key"), and "added" against its own transcript with one
word put in that the speaker never said.

    python3 bench/listen/make_real_audio.py OUT_DIR [PROMPTS_PER_SET]

Exits with status 3 and a message when the packages cannot be fetched or unpacked.
"""
import gzip
import pathlib
import re
import subprocess
import sys

PACKAGES = ["asterisk-core-sounds-en", "asterisk-core-sounds-en-wav"]
SOUNDS = "usr/share/asterisk/sounds/en_US_f_Allison"
TRANSCRIPTS = "usr/share/doc/asterisk-core-sounds-en/core-sounds-en.txt.gz"

# variant: (noise column, sox effects after the input)
VARIANTS = {
    "real-clean": ("clean", []),
    "real-quiet": ("clean", ["gain", "-n", "-30"]),
    "real-clipped": ("clean", ["gain", "-n", "12"]),
    "real-44k-stereo": ("clean", ["rate", "44100", "channels", "2"]),
}


def fetch(out):
    packages = out / "packages"
    packages.mkdir(parents=True, exist_ok=True)
    unpacked = out / "unpacked"
    if (unpacked / TRANSCRIPTS).exists():
        return unpacked
    fetched = subprocess.run(["apt-get", "download", *PACKAGES], cwd=packages,
                             capture_output=True, text=True)
    debs = sorted(packages.glob("asterisk-core-sounds-en*.deb"))
    if fetched.returncode != 0 or len(debs) < len(PACKAGES):
        print(f"skipping the real voices: apt-get download {' '.join(PACKAGES)} failed: "
              f"{fetched.stderr.strip()[-300:]}", file=sys.stderr)
        sys.exit(3)
    for deb in debs:
        subprocess.run(["dpkg-deb", "-x", str(deb), str(unpacked)], check=True)
    return unpacked


def prompts(unpacked):
    """(name, text) of every prompt of 3 to 14 plain words that has a recording, by name."""
    found = []
    with gzip.open(unpacked / TRANSCRIPTS, "rt", encoding="utf-8", errors="replace") as lines:
        for line in lines:
            name, _, text = line.partition(":")
            text = text.strip()
            if line.startswith(";") or not re.fullmatch(r"[A-Za-z' ,.?!-]+", text):
                continue
            words = text.split()
            if 3 <= len(words) <= 14 and all(re.search("[A-Za-z]", w) for w in words) and \
                    (unpacked / SOUNDS / f"{name.strip()}.wav").exists():
                found.append((name.strip(), text))
    return sorted(found)


def plain(word):
    return word.strip(".,!?;:").lower()


def unlike(in_set, k):
    """The words of the transcript of the set that shares the fewest words with prompt k's (the
    next first), less those the speaker said in prompt k."""
    said = {plain(w) for w in in_set[k][1].split()}
    others = [in_set[(k + step) % len(in_set)][1] for step in range(1, len(in_set))]
    other = min(others, key=lambda text: len(said & {plain(w) for w in text.split()}))
    return " ".join(w for w in other.split() if plain(w) not in said)


def with_word_added(text, other):
    """The text with a word of `other` it lacks put in its middle, and that word's index."""
    words = text.split()
    said = {plain(w) for w in words}
    extra = next((plain(w) for w in other.split()
                  if len(plain(w)) >= 4 and plain(w) not in said and "'" not in w), "umbrella")
    index = len(words) // 2
    return " ".join(words[:index] + [extra] + words[index:]), index


def sox(source, target, effects):
    subprocess.run(["sox", "-R", str(source), "-b", "16", str(target), *effects], check=True,
                   stderr=subprocess.DEVNULL)


def rms_amplitude(path):
    stat = subprocess.run(["sox", str(path), "-n", "stat"], capture_output=True, text=True).stderr
    return float(re.search(r"RMS\s+amplitude:\s+([0-9.]+)", stat).group(1))


def with_brown_noise(source, target, snr_db):
    """Brown noise, a fan's rumble, whose power is snr_db below the recording's."""
    noise = target.with_suffix(".noise.wav")
    duration = subprocess.run(["soxi", "-D", str(source)], capture_output=True,
                              text=True).stdout.strip()
    subprocess.run(["sox", "-R", "-n", "-r", "8000", "-c", "1", "-b", "16", str(noise), "synth",
                    duration, "brownnoise", "vol", "0.3"], check=True)
    scale = rms_amplitude(source) / rms_amplitude(noise) / 10 ** (snr_db / 20)
    subprocess.run(["sox", "-m", "-v", "1", str(source), "-v", f"{scale:.6f}", str(noise),
                    str(target)], check=True, stderr=subprocess.DEVNULL)
    noise.unlink()


def main():
    out = pathlib.Path(sys.argv[1]).resolve()
    per_set = int(sys.argv[2]) if len(sys.argv) > 2 else 40
    unpacked = fetch(out)
    chosen = prompts(unpacked)[: 2 * per_set]
    sets = {"tune": chosen[0::2], "measure": chosen[1::2]}
    readings = out / "readings"
    readings.mkdir(exist_ok=True)
    rows = []
    for set_name, in_set in sets.items():
        for k, (name, text) in enumerate(in_set):
            source = unpacked / SOUNDS / f"{name}.wav"
            next_text = unlike(in_set, k)
            added, index = with_word_added(text, next_text)
            made = {}
            for variant, (noise, effects) in VARIANTS.items():
                made[variant] = (noise, readings / f"{name}-{variant}.wav")
                sox(source, made[variant][1], effects)
            made["real-brown-10dB"] = ("noise", readings / f"{name}-real-brown-10dB.wav")
            with_brown_noise(source, made["real-brown-10dB"][1], 10)
            for variant, (noise, wav) in made.items():
                rows.append([set_name, variant, noise, "correct", str(wav), text, "-1"])
                rows.append([set_name, variant, noise, "mismatch", str(wav), next_text, "-1"])
                rows.append([set_name, variant, noise, "added", str(wav), added, str(index)])
    (out / "items.tsv").write_text("".join("\t".join(row) + "\n" for row in rows))
    print(f"{len(rows)} scorings of {len(chosen)} recorded prompts in {out / 'items.tsv'}")


if __name__ == "__main__":
    main()
