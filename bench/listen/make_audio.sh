#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the benchmark's readings: every sentence of sentences.tsv, and the same sentence with
# one word left out, said by every voice below, clean and with pink noise mixed in at 15 dB SNR.
# The cast's voices are said by the program's own synthesis (speech_bench, from BUILD_DIR), with
# the settings of art/<id>/character.json. Writes OUT_DIR/items.tsv, one scoring to do per line:
#   set  voice  noise  check (correct, mismatch, omit)  wav  sentence  index of the word left out
#
#   bench/listen/make_audio.sh OUT_DIR BUILD_DIR
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:?usage: make_audio.sh OUT_DIR BUILD_DIR}
speech_bench=${2:?usage: make_audio.sh OUT_DIR BUILD_DIR}/bin/speech_bench
mkdir -p "$out"
cast=$out/cast.tsv
python3 "$here/../speech/course_inputs.py" "$here/../.." "$cast" "$out/course.txt"
rm "$out/course.txt"

# The cast (docs/speech.md and art/*/character.json); the others are speakers the scorer never
# met while it was tuned.
voices=(vemo girl boy kal kal16 espeak-en-us espeak-en-gb-x-rp espeak-en-gb-scotland-f3)

# say_in_cast WHO TEXT WAV: TEXT in the voice of the character WHO.
say_in_cast() {
  local work
  work=$(mktemp -d)
  printf '%s\n' "$2" >"$work/text.txt"
  awk -F'\t' -v who="$1" '$1 == who' "$cast" >"$work/voice.tsv"
  "$speech_bench" voices "$work/voice.tsv" "$work/text.txt" "$work/wavs" >/dev/null
  mv "$work"/wavs/*/1.wav "$3"
  rm -r "$work"
}

# say VOICE TEXT WAV
say() {
  local voice=$1 text=$2 wav=$3
  case $voice in
    vemo | girl | boy) say_in_cast "$voice" "$text" "$wav" ;;
    kal | kal16) flite -voice "$voice" -t "$text" -o "$wav" ;;
    espeak-en-us) espeak-ng -v en-us -w "$wav" "$text" ;;
    espeak-en-gb-x-rp) espeak-ng -v en-gb-x-rp -w "$wav" "$text" ;;
    espeak-en-gb-scotland-f3) espeak-ng -v en-gb-scotland+f3 -w "$wav" "$text" ;;
    *) echo "unknown voice $voice" >&2 && return 1 ;;
  esac
}

# with_noise CLEAN NOISY: pink noise whose power is 15 dB below the speech's.
with_noise() {
  local clean=$1 noisy=$2 rate duration speech_rms noise_rms
  rate=$(soxi -r "$clean")
  duration=$(soxi -D "$clean")
  speech_rms=$(sox "$clean" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
  sox -R -n -r "$rate" -c 1 -b 16 "$noisy.noise.wav" synth "$duration" pinknoise vol 0.3
  noise_rms=$(sox "$noisy.noise.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
  sox -m -v 1 "$clean" -v "$(awk -v s="$speech_rms" -v n="$noise_rms" \
    'BEGIN {print s / n / 10 ^ (15 / 20)}')" "$noisy.noise.wav" "$noisy"
  rm "$noisy.noise.wav"
}

# without WORD SENTENCE: the sentence with the first occurrence of WORD taken out.
without() {
  python3 -c 'import re, sys
word, sentence = sys.argv[1], sys.argv[2]
print(re.sub(r"\s*\b" + re.escape(word) + r"\b", "", sentence, count=1).strip())' "$1" "$2"
}

# index_of WORD SENTENCE: the position of WORD among the sentence's blank-separated words.
index_of() {
  python3 -c 'import sys
words = [w.strip(".,!?;:") for w in sys.argv[2].split()]
print(words.index(sys.argv[1]))' "$1" "$2"
}

mapfile -t lines < <(grep -v '^#' "$here/sentences.tsv")
: >"$out/items.tsv"
for set in tune measure; do
  mapfile -t in_set < <(printf '%s\n' "${lines[@]}" | awk -F'\t' -v s="$set" '$1 == s')
  count=${#in_set[@]}
  for voice in "${voices[@]}"; do
    mkdir -p "$out/$voice"
    for k in $(seq 0 $((count - 1))); do
      IFS=$'\t' read -r _ word sentence <<<"${in_set[$k]}"
      IFS=$'\t' read -r _ _ next_sentence <<<"${in_set[$(((k + 1) % count))]}"
      base=$out/$voice/$set-$k
      say "$voice" "$sentence" "$base.wav"
      say "$voice" "$(without "$word" "$sentence")" "$base-omit.wav"
      with_noise "$base.wav" "$base-noise.wav"
      with_noise "$base-omit.wav" "$base-omit-noise.wav"
      left_out=$(index_of "$word" "$sentence")
      for noise in clean noise; do
        suffix=$([ $noise = noise ] && echo -noise || true)
        printf '%s\t%s\t%s\tcorrect\t%s\t%s\t-1\n' "$set" "$voice" "$noise" \
          "$base$suffix.wav" "$sentence"
        printf '%s\t%s\t%s\tmismatch\t%s\t%s\t-1\n' "$set" "$voice" "$noise" \
          "$base$suffix.wav" "$next_sentence"
        printf '%s\t%s\t%s\tomit\t%s\t%s\t%s\n' "$set" "$voice" "$noise" \
          "$base-omit$suffix.wav" "$sentence" "$left_out"
      done >>"$out/items.tsv"
    done
  done
done
echo "$(wc -l <"$out/items.tsv") scorings in $out/items.tsv"
