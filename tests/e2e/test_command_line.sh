#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: the command line of the real program, with no display. --help and --version
# answer with status 0; an unknown option and two lessons to open are usage errors (2); Qt's own
# options and a bare lesson path go on to the desktop start (which then finds no display). --check reports on
# lesson files written here: a code page 936 CR LF lesson read whole (0), findings on an empty
# English part, an empty translation and an undecodable byte (still 0), and together with a
# lesson that stops at a line without "~" and a missing file, status 1. The shipped lessons
# check clean. --score refuses a missing sentence and a file that is no WAV (2). Subtitles are
# checked with their format and exported as a flashcard export; --export-lesson without a file
# to write is a usage error (2), of a missing lesson an error naming it (1).
# Usage: test_command_line.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM

VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")
OUT=$E2E_LOG_DIR/out.txt
ERR=$E2E_LOG_DIR/err.txt

# run ARGS...: runs the program in the lesson folder; sets STATUS, output in OUT and ERR.
run() {
  (cd "$E2E_LOG_DIR" && "$PROGRAM" "$@") >"$OUT" 2>"$ERR"
  STATUS=$?
}

run --help
e2e_expect_eq "$STATUS" 0 "--help status"
grep -q -- '--check' "$OUT" || e2e_fail "--help does not mention --check"
run --version
e2e_expect_eq "$STATUS:$(head -n 1 "$OUT")" "0:chengmu $VERSION" "--version"
run --frobnicate
e2e_expect_eq "$STATUS" 2 "unknown option status"
grep -q "frobnicate" "$ERR" || e2e_fail "the unknown option is not named: $(cat "$ERR")"
run --check
e2e_expect_eq "$STATUS" 2 "--check without a lesson"
run --score lesson.txt
e2e_expect_eq "$STATUS" 2 "--score without a sentence"
printf 'not a sound file' >"$E2E_LOG_DIR/noise.wav"
run --score noise.wav "Hello."
e2e_expect_eq "$STATUS" 2 "--score on a file that is no WAV"
run --style fusion -reverse lesson.txt
e2e_expect_eq "$STATUS:$(cat "$ERR")" "1:chengmu: cannot start: no display: DISPLAY is not set" \
  "Qt options and a lesson path start the desktop program"
run one.txt two.txt
e2e_expect_eq "$STATUS" 2 "two lessons to open at start"

cp936() { iconv -f UTF-8 -t CP936; }
printf 'Good morning!~早上好！\r\n[00:12.50]How are you?~你好吗？\r\nFine, thanks.~很好，谢谢。' |
  cp936 >"$E2E_LOG_DIR/good.txt"
{
  printf '~你好\r\nHi~\r\n' | cp936
  printf 'Bad \x81 byte~\xBB\xB5\r\n' # 坏, after a lead byte without its trail byte
} >"$E2E_LOG_DIR/findings.txt"
printf '\xEF\xBB\xBFHi~你好\n[ti:Lesson one]\nBye~再见\n' >"$E2E_LOG_DIR/halted.txt"

run --check good.txt
e2e_expect_eq "$STATUS:$(cat "$OUT")" \
  "0:good.txt: note: code page 936 without byte-order mark; lines staged: 3; read to the end" \
  "--check on a good lesson"

run --check findings.txt
e2e_expect_eq "$STATUS" 0 "--check on a lesson read whole with findings"
e2e_expect_eq "$(cat "$OUT")" "findings.txt:1: warning: empty English part
findings.txt:2: warning: empty translation
findings.txt:3: warning: holds U+FFFD: bytes that do not decode as code page 936
findings.txt: note: code page 936 without byte-order mark; lines staged: 3; read to the end" \
  "--check findings"

run --check halted.txt good.txt missing.txt
e2e_expect_eq "$STATUS" 1 "--check on a halted lesson and a missing one"
e2e_expect_eq "$(cat "$OUT")" 'halted.txt:2: error: reading stops here: no "~" in the line
halted.txt: note: UTF-8 with byte-order mark; lines staged: 1; reading stops at line 2
good.txt: note: code page 936 without byte-order mark; lines staged: 3; read to the end
missing.txt: error: Cannot open "missing.txt": no such file.' "--check on three lessons"

# The shipped course: every lesson is read whole, with no finding at all.
# Subtitles: checked with their format; exported as flashcards, which read back the same.
printf '1\n00:00:01,000 --> 00:00:02,000\n<i>Hi.</i>\n你好。\n\n2\n00:00:03,000 --> 00:00:04,000\nBye.\n' \
  >"$E2E_LOG_DIR/film.srt"
run --check film.srt
e2e_expect_eq "$STATUS:$(cat "$OUT")" "0:film.srt:8: warning: cue without Chinese: empty translation
film.srt: note: SubRip subtitles in UTF-8 without byte-order mark; lines staged: 2; read to the end" \
  "--check on subtitles"
run --export-lesson film.srt cards.tsv
e2e_expect_eq "$STATUS:$(cat "$E2E_LOG_DIR/cards.tsv")" "0:#separator:tab
#html:false
#columns:English	Chinese	Missed words
Hi.	你好。	
Bye.		" "--export-lesson"
run --export-lesson film.srt
e2e_expect_eq "$STATUS" 2 "--export-lesson without a file to write"
run --export-lesson missing.srt cards.tsv
e2e_expect_eq "$STATUS" 1 "--export-lesson of a missing lesson"
grep -q 'missing.srt' "$ERR" || e2e_fail "the missing lesson is not named: $(cat "$ERR")"

run --check "$SOURCE_DIR"/data/lessons/*
e2e_expect_eq "$STATUS" 0 "--check on the shipped lessons"
grep -v ': note: ' "$OUT" && e2e_fail "--check finds faults in the shipped lessons"

e2e_finish
