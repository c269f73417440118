#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end soak: the real program on Xvfb with openbox, run as an ordinary user (as root, as
# "nobody"), driven for SOAK_SECONDS (default 120) by a fixed random seed (SOAK_SEED): the
# pointer moved everywhere, clicks anywhere but on the bar, every button of the bar but "退",
# the help window's links, "停" at random moments, and lessons opened through the dialog (the
# full path typed) from a set made here:
#   read: code page 936 (CR LF and LF), UTF-8 with and without a mark, UTF-16 LE and BE, an
#         empty file (the closing scene plays), a binary file, a file with invalid bytes (shown
#         as U+FFFD);
#   refused with a message box: a file the user may not read, a FIFO, a device (a link to
#         /dev/zero), a line over the 64 KiB limit.
# Checks: the program stays alive; each refused file gives its message box, closed here, and
# the bar goes on working; no other message box comes; resident memory at the end is within
# 10 % of its value after the first minute (reported, not checked, in a sanitizer build). A step
# that hangs ends the script 300 s after SOAK_SECONDS, with what each process waited in.
# Usage: test_soak.sh BUILD_DIR SOURCE_DIR
set -u

. "$(dirname "$0")/lib.sh"
e2e_begin "$@"

SOAK_SECONDS=${SOAK_SECONDS:-120}
SOAK_SEED=${SOAK_SEED:-20261207}
RANDOM=$SOAK_SEED
SANITIZED=false
grep -q '^CHENGMU_SANITIZE:BOOL=ON' "$BUILD_DIR/CMakeCache.txt" 2>/dev/null && SANITIZED=true

# The user's home, with the help texts in the folder the program runs in.
HOME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/soak-home.XXXXXX")
cp "$SOURCE_DIR/data/软件介绍.txt" "$SOURCE_DIR/data/使用帮助.txt" "$HOME_DIR/"
e2e_ordinary_user "$HOME_DIR"

# The lessons, in a folder the user can read.
SET=$HOME_DIR/lessons
mkdir -p "$SET"
LESSON_TEXT='Good morning!~早上好！
[00:03.00]How are you?~你好吗？
Nice to meet you.~很高兴认识你。'
printf '%s\n' "$LESSON_TEXT" | iconv -t CP936 | sed 's/$/\r/' >"$SET/cp936-crlf.txt"
printf '%s\n' "$LESSON_TEXT" | iconv -t CP936 >"$SET/cp936-lf.lrc"
{ printf '\xef\xbb\xbf'; printf '%s\r\n' "$LESSON_TEXT"; } >"$SET/utf8-mark.txt"
printf '%s\n' "$LESSON_TEXT" >"$SET/utf8.txt"
{ printf '\xff\xfe'; printf '%s\r\n' "$LESSON_TEXT" | iconv -t UTF-16LE; } >"$SET/utf16le.txt"
{ printf '\xfe\xff'; printf '%s\r\n' "$LESSON_TEXT" | iconv -t UTF-16BE; } >"$SET/utf16be.txt"
: >"$SET/empty.txt"
LC_ALL=C awk -v seed="$SOAK_SEED" \
  'BEGIN { srand(seed); for (i = 0; i < 4096; i++) printf "%c", int(rand() * 256) }' \
  >"$SET/binary.txt"
# A lead byte at the end of the translation has no trail byte: U+FFFD.
printf 'Good day~\xc4\xe3\xba\xc3\xc4\r\nBye~\xd4\xd9\xbc\xfb\r\n' >"$SET/invalid.txt"
printf 'Hi~x\r\n' >"$SET/unreadable.txt"
{ printf 'Hi~x\r\n'; head -c 70000 /dev/zero | tr '\0' a; printf '~y\r\n'; } >"$SET/long-line.txt"
chmod -R a+rX "$SET"
chmod 000 "$SET/unreadable.txt"
mkfifo -m 644 "$SET/fifo.txt"
ln -s /dev/zero "$SET/device.txt"
READ=(cp936-crlf.txt cp936-lf.lrc utf8-mark.txt utf8.txt utf16le.txt utf16be.txt empty.txt
  binary.txt invalid.txt)
REFUSED=(unreadable.txt fifo.txt device.txt long-line.txt)
declare -A BOXES=()  # refused file -> message boxes seen for it

e2e_start_xvfb 1024x768x24
e2e_watchdog $((SOAK_SECONDS + 300))
e2e_start_openbox
xdotool mousemove 330 300
e2e_start_in "$HOME_DIR" "${E2E_AS_USER[@]}" "$PROGRAM"
program_pid=$E2E_LAST_PID
e2e_wait_window '^Form1$' 60 >/dev/null || e2e_abort "no window titled Form1"
uid=$(e2e_uid "$program_pid")
e2e_log "the program runs as user $uid"
[ -n "$uid" ] && [ "$uid" != 0 ] || e2e_fail "the program does not run as an ordinary user"

random_between() { echo $(($1 + RANDOM % ($2 - $1 + 1))); }

# Aborts, with the program's exit status, when it is no longer running.
check_alive() {
  e2e_alive "$program_pid" && return 0
  wait "$program_pid"
  e2e_abort "the program ended with status $? after: $1"
}

# Fails on a message box nobody asked for, and closes it.
check_no_message_box() {
  local box
  for box in $(e2e_message_boxes); do
    e2e_fail "an unexpected message box after: $1"
    e2e_close_message_box "$box"
  done
}

# wait_balloon REGEX SECONDS: prints the title of the first balloon whose title matches. It looks
# without a pause: a short balloon can come and go between two looks on a busy machine.
wait_balloon() {
  local deadline=$((SECONDS + $2)) wid
  while [ "$SECONDS" -lt "$deadline" ]; do
    for wid in $(e2e_find_windows "$1"); do
      e2e_window_title "$wid"
      return 0
    done
  done
  return 1
}

# A dialog that did not come: what the screen showed instead, for the log.
no_dialog() {
  local wid
  e2e_fail "no open dialog for $1"
  e2e_screenshot "$BUILD_DIR/screenshots/soak-no-dialog-$1.png"
  for wid in $(e2e_find_windows '.'); do
    e2e_log "mapped: $(e2e_window_title "$wid")"
  done
  e2e_log "active: $(e2e_window_title "$(xdotool getactivewindow 2>/dev/null)" 2>/dev/null)"
}

# The bar goes on: "短" shows the sentence window.
check_bar_works() {
  e2e_click_button 短
  e2e_wait_window '^英语学习$' 5 >/dev/null || e2e_fail "the bar did nothing after: $1"
}

open_refused() {
  local box
  e2e_choose_in_dialog "$SET/$1" || { no_dialog "$1"; return; }
  box=$(e2e_wait_window '^chengmu$' 10) || { e2e_fail "no message box for $1"; return; }
  BOXES[$1]=$((${BOXES[$1]:-0} + 1))
  e2e_close_message_box "$box" || e2e_fail "the message box for $1 did not close"
  check_alive "the message box for $1"
  check_bar_works "the message box for $1"
}

open_read() {
  local title waited
  # The scenes these files start are checked from a quiet stage.
  case $1 in empty.txt | invalid.txt) e2e_click_button 停 ;; esac
  e2e_click_button 文
  e2e_choose_in_dialog "$SET/$1" || { no_dialog "$1"; return; }
  sleep 1
  [ -z "$(e2e_find_windows '^打开学习文件$')" ] || {
    e2e_fail "the dialog stayed open for $1"
    e2e_screenshot "$BUILD_DIR/screenshots/soak-dialog-$1.png"
    xdotool key Escape
  }
  check_no_message_box "opening $1"
  waited=$SECONDS
  case $1 in
    empty.txt)
      # On a machine starved of processor time the scene may come late; it must come.
      if wait_balloon '^vemo says: 学 习 完 毕$' 60 >/dev/null; then
        waited=$((SECONDS - waited))
        [ "$waited" -le 20 ] || e2e_log "the closing scene came late, after $waited s"
      else
        e2e_fail "no closing scene for the empty lesson within 60 s"
        e2e_screenshot "$BUILD_DIR/screenshots/soak-no-closing-scene.png"
      fi
      ;;
    invalid.txt)
      title=$(wait_balloon '^vemo thinks:  你 好 ' 20) || e2e_fail "no translation of the invalid lesson"
      [[ ${title:-} == *$'\xef\xbf\xbd'* ]] || e2e_fail "no U+FFFD in '${title:-}'"
      ;;
  esac
}

# The lessons come from a shuffled deck, dealt anew when it runs out.
DECK=()
next_lesson() {
  if [ ${#DECK[@]} -eq 0 ]; then
    DECK=("${READ[@]}" "${REFUSED[@]}")
    local i j swap
    for ((i = ${#DECK[@]} - 1; i > 0; i--)); do
      j=$((RANDOM % (i + 1)))
      swap=${DECK[i]} DECK[i]=${DECK[j]} DECK[j]=$swap
    done
  fi
  NEXT=${DECK[0]}
  DECK=("${DECK[@]:1}")
}

open_lesson() {
  next_lesson
  e2e_log "lesson $NEXT"
  if [[ " ${REFUSED[*]} " == *" $NEXT "* ]]; then
    e2e_click_button 文
    open_refused "$NEXT"
  else
    open_read "$NEXT"
  fi
}

use_help() {
  local help x y w h clicks
  e2e_click_button 帮
  help=$(e2e_wait_window '^帮助$' 5) || { e2e_fail "帮 showed no help window"; return; }
  read -r x y w h < <(e2e_window_geometry "$help")
  for ((clicks = $(random_between 1 3); clicks > 0; clicks--)); do
    if ((RANDOM % 2)); then
      xdotool mousemove $((x + 128)) $((y + 264)) click 1  # 软件介绍
    else
      xdotool mousemove $((x + 208)) $((y + 264)) click 1  # 使用帮助
    fi
    sleep 0.3
  done
  ((RANDOM % 2)) && xdotool mousemove $((x + 284)) $((y + 260)) click 1  # 退出
}

PHRASES=("Nice to see you" "It is a fine day" "Thank you very much" "See you tomorrow")
speak_typed() {
  e2e_click_button 短
  e2e_wait_window '^英语学习$' 5 >/dev/null || { e2e_fail "短 showed no sentence window"; return; }
  xdotool type --delay 20 "${PHRASES[RANDOM % ${#PHRASES[@]}]}"
  e2e_click_button 读
}

move_pointer() {
  local moves
  for ((moves = $(random_between 1 6); moves > 0; moves--)); do
    xdotool mousemove "$(random_between 0 1023)" "$(random_between 0 767)"
    sleep 0.0$(random_between 1 9)
  done
}

# Anywhere below the bar, so never on "退".
click_anywhere() {
  xdotool mousemove "$(random_between 0 1023)" "$(random_between 40 767)" click 1
}

cancel_dialog() {
  e2e_click_button 文
  e2e_wait_window '^打开学习文件$' 10 >/dev/null || { e2e_fail "文 showed no dialog"; return; }
  xdotool key Escape
  sleep 0.5
  [ -z "$(e2e_find_windows '^打开学习文件$')" ] || e2e_fail "Escape left the dialog open"
}

# Resident memory from a quiet stage: "停", then a moment to settle.
quiet_resident_kb() {
  e2e_click_button 停
  sleep 2
  e2e_resident_kb "$program_pid"
}

# How the resident memory splits: the program's own (anonymous) pages and pages of mapped files
# (libraries, and the fonts, which grow with every glyph first drawn).
resident_parts() {
  awk '/^RssAnon:/ {anon = $2} /^RssFile:/ {file = $2}
       END {printf "(anonymous %s kB, files %s kB)", anon, file}' "/proc/$program_pid/status"
}

start=$SECONDS
minute=0
first_minute_kb=
actions=0
while [ $((SECONDS - start)) -lt "$SOAK_SECONDS" ]; do
  roll=$((RANDOM % 100))
  if ((roll < 25)); then
    what=move_pointer
  elif ((roll < 35)); then
    what=click_anywhere
  elif ((roll < 47)); then
    what="e2e_click_button 停"
  elif ((roll < 57)); then
    what=speak_typed
  elif ((roll < 62)); then
    what="e2e_click_button 读"
  elif ((roll < 72)); then
    what=use_help
  elif ((roll < 95)); then
    what=open_lesson
  else
    what=cancel_dialog
  fi
  $what
  actions=$((actions + 1))
  sleep 0.$(random_between 0 5)
  check_alive "$what"
  check_no_message_box "$what"
  if [ $(((SECONDS - start) / 60)) -gt "$minute" ]; then
    minute=$(((SECONDS - start) / 60))
    kb=$(quiet_resident_kb)
    e2e_log "minute $minute: VmRSS $kb kB $(resident_parts) after $actions actions"
    [ -n "$first_minute_kb" ] || first_minute_kb=$kb
  fi
done

# Every refused file gives its message box, whatever the deck dealt.
for name in "${REFUSED[@]}"; do
  [ -n "${BOXES[$name]:-}" ] && continue
  e2e_log "lesson $name (not dealt yet)"
  e2e_click_button 文
  open_refused "$name"
done
for name in "${REFUSED[@]}"; do
  e2e_log "$name: ${BOXES[$name]:-0} message box(es)"
done

check_alive "the last action"
end_kb=$(quiet_resident_kb)
first_minute_kb=${first_minute_kb:-$end_kb}
e2e_log "resident memory: $first_minute_kb kB after the first minute, $end_kb kB at the end" \
  "$(resident_parts)" \
  "($actions actions in $((SECONDS - start)) s, seed $SOAK_SEED)"
if $SANITIZED; then
  e2e_log "sanitizer build: resident memory is not checked"
elif [ "$end_kb" -gt $((first_minute_kb * 110 / 100)) ]; then
  e2e_fail "resident memory grew by more than 10 %: $first_minute_kb kB -> $end_kb kB"
fi

e2e_expect_quiet "$E2E_LOG_DIR/$(basename "${E2E_AS_USER[0]:-$PROGRAM}").err" \
  '^QStandardPaths: ' '^PulseAudioService: ' '^chengmu.speech: no sound output device'
rm -rf "$HOME_DIR"
e2e_finish
