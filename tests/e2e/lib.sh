# SPDX-License-Identifier: GPL-3.0-or-later
# Shared helpers for the end-to-end scripts. Source it from a test script:
#
#   . "$(dirname "$0")/lib.sh"
#   e2e_begin "$@"                    # BUILD_DIR, SOURCE_DIR, the script's log folder, PROGRAM
#   e2e_start_xvfb                    # own X server on a free display; exports DISPLAY
#   e2e_start "$BUILD_DIR/bin/prog"   # runs a program in the background, remembered for cleanup
#   e2e_start_in "$dir" "$PROGRAM"    # the same, run in that folder
#   wid=$(e2e_wait_window '^boy$')    # waits until a mapped window with that title exists
#   read -r x y w h < <(e2e_window_geometry "$wid")
#   e2e_screenshot "$dir/name.png"
#   e2e_expect_eq "$x" 80 "boy x"     # compares; a mismatch is reported and counted
#   e2e_expect_quiet "$E2E_LOG_DIR/prog.err" '^known: '   # no unexpected warnings
#   e2e_finish                        # exits 0, or 1 when a check failed
#
# Everything started through these helpers is stopped by PID when the script exits (an EXIT
# trap is set on sourcing); nothing is ever killed by name. Only Xvfb, xdotool, xwininfo, xprop,
# xdpyinfo and ImageMagick's import are used; no window manager is needed, but
# e2e_start_openbox starts one where a real desktop matters (with wmctrl to talk to it).
#
# Each script gets a runtime folder of its own (XDG_RUNTIME_DIR), so the program started here
# never meets one the user runs, nor one of another script, through its single-instance socket.

E2E_PIDS=()
E2E_FAILURES=0
# Program output goes to E2E_LOG_DIR; set it before sourcing to keep the logs, else a temporary
# folder is used and removed when the script passes.
E2E_OWN_LOG_DIR=false
if [ -z "${E2E_LOG_DIR:-}" ]; then
  E2E_LOG_DIR=$(mktemp -d "${TMPDIR:-/tmp}/e2e.XXXXXX")
  E2E_OWN_LOG_DIR=true
fi

E2E_RUNTIME_DIR=$(mktemp -d "${TMPDIR:-/tmp}/e2e-runtime.XXXXXX")
export XDG_RUNTIME_DIR=$E2E_RUNTIME_DIR
# The learner's progress goes to the script's own folder too.
export XDG_DATA_HOME=$E2E_RUNTIME_DIR/data
# Nor does it meet the user's session bus (where it would join the user's accessibility tree)
# or start one of its own: the bus named here does not exist, on every machine alike.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_RUNTIME_DIR/no-session-bus
unset AT_SPI_BUS_ADDRESS
# Under LeakSanitizer, the allocation stacks of the program's leaks are unwound through the
# libraries too (Qt is built without frame pointers, which ends the fast unwinding at its first
# frame), so that tools/lsan.supp can name the Qt D-Bus thread's exit race by library.
if [[ ${ASAN_OPTIONS:-} == *detect_leaks=1* ]]; then
  export ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0:malloc_context_size=10
fi

e2e_log() { echo "[e2e $(date +%T)] $*" >&2; }

# Counts a failed check and says what failed.
e2e_fail() {
  e2e_log "FAIL: $*"
  E2E_FAILURES=$((E2E_FAILURES + 1))
}

# e2e_abort MESSAGE: a failure after which the script cannot go on.
e2e_abort() {
  e2e_log "ABORT: $*"
  exit 1
}

# e2e_click_button CAPTION: clicks a button of the docked bar (160 x 20 at 258, 0 at 96 dpi;
# each button is 24 pixels wide, placed at its left in twips / 15). The pointer touches the top
# edge first and the click waits until the bar has expanded, as a user's would: a rolled-up bar
# stays rolled up when the pointer comes onto it from below.
e2e_click_button() {
  local left_twips
  case $1 in
    文) left_twips=240 ;;
    读) left_twips=600 ;;
    停) left_twips=960 ;;
    短) left_twips=1320 ;;
    帮) left_twips=1680 ;;
    退) left_twips=2040 ;;
    *) e2e_abort "no button $1 on the bar" ;;
  esac
  local x=$((258 + left_twips / 15 + 12)) bar
  xdotool mousemove "$x" 0
  bar=$(e2e_wait_window '^Form1$' 10) && e2e_wait_geometry "$bar" "258 0 160 20" 10 ||
    e2e_fail "the bar did not expand under the pointer for $1"
  xdotool mousemove "$x" 10 click 1
}

# e2e_start_learner_microphone: a PulseAudio server of the script's own with two null sinks:
# "speakers", where the characters' voices go, and "learner", whose monitor the default source
# "microphone" is made from (the program's sound input lists no monitors). What is played into
# "learner" is what the microphone hears; the characters' own voices are not.
e2e_start_learner_microphone() {
  e2e_start_pulseaudio "module-null-sink sink_name=speakers" "module-null-sink sink_name=learner" \
    "module-remap-source source_name=microphone master=learner.monitor channels=1 channel_map=mono"
  pactl set-default-sink speakers
  pactl set-default-source microphone
}

# e2e_synthesise_readings SENTENCE...: a reading of each sentence by flite's rms voice, as a
# learner's reading played into the microphone: $E2E_LOG_DIR/reading-<index>.wav.
e2e_synthesise_readings() {
  local sentences=("$@") at
  for at in "${!sentences[@]}"; do
    flite -voice rms -t "${sentences[$at]}" -o "$E2E_LOG_DIR/reading-$at.wav" ||
      e2e_abort "could not synthesise the reading of ${sentences[$at]}"
  done
}

# e2e_vemo_balloon REGEX SECONDS: prints the title of vemo's first balloon whose text matches,
# waiting up to SECONDS; fails on time-out.
e2e_vemo_balloon() {
  local deadline=$((SECONDS + $2)) wid title
  while [ "$SECONDS" -lt "$deadline" ]; do
    for wid in $(e2e_find_windows '^vemo says: '); do
      title=$(e2e_window_title "$wid")
      [[ ${title#vemo says: } =~ $1 ]] && echo "$title" && return 0
    done
    sleep 0.1
  done
  return 1
}

# e2e_wait_geometry WID "X Y W H" SECONDS: waits until the window has that geometry (as
# e2e_window_geometry prints it); fails on time-out.
e2e_wait_geometry() {
  local deadline=$((SECONDS + $3))
  until [ "$(e2e_window_geometry "$1" 2>/dev/null)" = "$2" ]; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# e2e_watchdog SECONDS: ends the script when it still runs after SECONDS, once it has logged
# what every process of the session is waiting in and whether the X server still answers: a
# hung step then fails the test with its cause instead of a silent ctest time-out.
e2e_watchdog() {
  local script=$$
  (
    for ((i = 0; i < $1; i++)); do sleep 1; done
    e2e_log "ABORT: the script still runs after $1 s; what its session waits in:"
    ps -s "$(ps -o sid= -p "$script" | tr -d ' ')" --forest -o pid,stat,wchan:24,etime,args >&2
    timeout 5 xdpyinfo >/dev/null 2>&1 && e2e_log "the X server answers" ||
      e2e_log "the X server does not answer"
    kill -TERM "$script"
  ) &
  E2E_PIDS+=("$!")
}

# e2e_begin BUILD_DIR SOURCE_DIR: what every test script does first, given its two arguments:
# sets BUILD_DIR and SOURCE_DIR as absolute paths, keeps the programs' output in
# BUILD_DIR/e2e-logs/<script name> (emptied first), and sets PROGRAM as e2e_require_program does.
e2e_begin() {
  BUILD_DIR=$(cd "$1" && pwd)
  SOURCE_DIR=$(cd "$2" && pwd)
  $E2E_OWN_LOG_DIR && rm -rf "$E2E_LOG_DIR"
  E2E_LOG_DIR=$BUILD_DIR/e2e-logs/$(basename "$0" .sh)
  E2E_OWN_LOG_DIR=false
  rm -rf "$E2E_LOG_DIR" && mkdir -p "$E2E_LOG_DIR"
  e2e_require_program "$BUILD_DIR"
}

# e2e_require_program BUILD_DIR: sets PROGRAM to the built program, after checking that it and
# its character files are there.
e2e_require_program() {
  PROGRAM=$1/bin/chengmu
  local needed
  for needed in "$PROGRAM" "$1/bin/ku.dat" "$1/bin/nu.dat" "$1/bin/fi.dat"; do
    [ -e "$needed" ] || e2e_abort "$needed is missing: build the project first"
  done
}

# Stops everything started through e2e_start and e2e_start_xvfb, newest first, by PID.
e2e_cleanup() {
  local i pid
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
    pid=${E2E_PIDS[i]}
    kill -TERM "$pid" 2>/dev/null || continue
    for _ in 1 2 3 4 5 6 7 8 9 10; do
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  E2E_PIDS=()
}
trap 'e2e_cleanup; rm -rf "$E2E_RUNTIME_DIR"' EXIT

# e2e_start_xvfb [SCREEN]: starts Xvfb with -noreset on the first free display from :90 to :99
# (SCREEN defaults to 1024x768x24) and exports DISPLAY. A display whose socket or lock file
# exists is taken; so is one another test grabs at the same moment: the display is ours only
# once it answers and its lock file names our server.
e2e_start_xvfb() {
  local screen=${1:-1024x768x24} n pid
  for n in 90 91 92 93 94 95 96 97 98 99; do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "$screen" -noreset -nolisten tcp >"$E2E_LOG_DIR/xvfb-$n.log" 2>&1 &
    pid=$!
    for _ in $(seq 50); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        [ "$(tr -d ' ' <"/tmp/.X$n-lock" 2>/dev/null)" = "$pid" ] || break
        E2E_PIDS+=("$pid")
        export DISPLAY=":$n"
        e2e_log "Xvfb on $DISPLAY (pid $pid)"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  e2e_abort "no free display from :90 to :99 for Xvfb"
}

# e2e_start_openbox: starts the openbox window manager on $DISPLAY and waits until it manages
# the screen (it names itself on the root window).
e2e_start_openbox() {
  command -v openbox >/dev/null && command -v wmctrl >/dev/null ||
    e2e_abort "openbox and wmctrl are needed: run tools/setup.sh"
  openbox --sm-disable >"$E2E_LOG_DIR/openbox.out" 2>"$E2E_LOG_DIR/openbox.log" &
  E2E_PIDS+=("$!")
  for _ in $(seq 100); do
    wmctrl -m 2>/dev/null | grep -q '^Name: Openbox' && e2e_log "openbox (pid $!)" && return 0
    sleep 0.1
  done
  e2e_abort "openbox did not take the screen"
}

# e2e_start PROGRAM [ARGS...]: runs a program in the background with its output in
# $E2E_LOG_DIR/<name>.out and .err; sets E2E_LAST_PID.
e2e_start() {
  local name
  name=$(basename "$1")
  "$@" >"$E2E_LOG_DIR/$name.out" 2>"$E2E_LOG_DIR/$name.err" &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
  e2e_log "started $name (pid $E2E_LAST_PID)"
}

# e2e_start_in FOLDER PROGRAM [ARGS...]: e2e_start with the program run in FOLDER.
e2e_start_in() {
  local folder=$1 name
  shift
  name=$(basename "$1")
  (cd "$folder" && exec "$@") >"$E2E_LOG_DIR/$name.out" 2>"$E2E_LOG_DIR/$name.err" &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
  e2e_log "started $name in $folder (pid $E2E_LAST_PID)"
}

# e2e_start_pulseaudio MODULE...: starts a PulseAudio server of the script's own, in a folder of
# its own so that no other server is touched, with these modules loaded besides its socket;
# exports PULSE_SERVER for what is started afterwards and waits until the server answers.
e2e_start_pulseaudio() {
  local module loads=()
  for module in "$@"; do loads+=("--load=$module"); done
  export PULSE_RUNTIME_PATH=$E2E_LOG_DIR/pulse PULSE_STATE_PATH=$E2E_LOG_DIR/pulse
  export PULSE_SERVER=unix:$PULSE_RUNTIME_PATH/native
  mkdir -p "$PULSE_RUNTIME_PATH"
  e2e_start pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --load="module-native-protocol-unix auth-anonymous=1" "${loads[@]}"
  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  e2e_abort "the PulseAudio server did not start"
}

# e2e_alive PID: whether a process started here still runs.
e2e_alive() { kill -0 "$1" 2>/dev/null; }

# e2e_wait_exit PID SECONDS: waits up to SECONDS for a process started here to end and sets
# E2E_EXIT_STATUS to its exit status, or to "running" when it still runs. (Not in a command
# substitution: only this shell can wait for its children.)
e2e_wait_exit() {
  local deadline=$((SECONDS + $2))
  while e2e_alive "$1" && [ "$SECONDS" -lt "$deadline" ]; do sleep 0.1; done
  if e2e_alive "$1"; then
    E2E_EXIT_STATUS=running
  else
    wait "$1"
    E2E_EXIT_STATUS=$?
  fi
}

# e2e_search_windows SEARCH_OPTIONS...: ids of the mapped windows xdotool's search finds, one a
# line. The search gives up on the X error a window closing under it raises, and prints nothing:
# it is asked again then.
e2e_search_windows() {
  local ids errors=$E2E_RUNTIME_DIR/search.err
  for _ in 1 2 3 4 5; do
    ids=$(xdotool search --onlyvisible "$@" 2>"$errors")
    grep -q '^X Error' "$errors" || break
  done
  [ -n "$ids" ] && echo "$ids"
}

# e2e_program_windows PID: ids of the mapped windows of a process, one a line.
e2e_program_windows() { e2e_search_windows --pid "$1"; }

# e2e_find_windows TITLE_REGEX: ids of mapped windows whose title matches, one a line.
e2e_find_windows() { e2e_search_windows --name "$1"; }

# e2e_wait_window TITLE_REGEX [SECONDS]: prints the id of the first mapped window whose title
# matches, waiting up to SECONDS (default 30); prints nothing and fails on time-out.
e2e_wait_window() {
  local regex=$1 seconds=${2:-30} ids
  local deadline=$((SECONDS + seconds))
  while [ "$SECONDS" -lt "$deadline" ]; do
    ids=$(e2e_find_windows "$regex")
    if [ -n "$ids" ]; then
      echo "$ids" | head -n 1
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# xwininfo given an empty window id asks the user to click a window and waits for ever: the id
# a failed search left empty must fail instead.
xwininfo() {
  [ "$1" != -id ] || [ -n "$2" ] || return 1
  command xwininfo "$@"
}

# e2e_window_geometry WID: prints "x y width height" of a window, in root coordinates.
e2e_window_geometry() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X:/ {x = $NF}
    /Absolute upper-left Y:/ {y = $NF}
    /Width:/ {w = $NF}
    /Height:/ {h = $NF}
    END {print x, y, w, h}'
}

# e2e_window_title WID: the window's title as UTF-8 (_NET_WM_NAME).
e2e_window_title() {
  xprop -id "$1" -notype _NET_WM_NAME | sed -n 's/^_NET_WM_NAME = "\(.*\)"$/\1/p' |
    sed 's/\\"/"/g; s/\\\\/\\/g'
}

# e2e_screenshot PATH: saves the whole screen as an image.
e2e_screenshot() {
  mkdir -p "$(dirname "$1")"
  if import -display "$DISPLAY" -window root "$1" 2>>"$E2E_LOG_DIR/import.err"; then
    e2e_log "screenshot $1"
  else
    e2e_fail "screenshot $1 could not be taken"
  fi
}

# e2e_expect_eq ACTUAL EXPECTED WHAT: a check that counts as a failure when they differ.
e2e_expect_eq() {
  if [ "$1" = "$2" ]; then
    e2e_log "ok: $3 = $2"
  else
    e2e_fail "$3: expected '$2', got '$1'"
  fi
}

# e2e_expect_quiet LOG [ALLOWED_REGEX...]: every line of a program's stderr must match one of
# the allowed patterns (for messages known to be harmless); anything else is a failure.
e2e_expect_quiet() {
  local log=$1 line pattern allowed
  shift
  while IFS= read -r line; do
    allowed=false
    for pattern in "$@"; do
      [[ $line =~ $pattern ]] && allowed=true && break
    done
    $allowed || e2e_fail "unexpected message from $(basename "$log"): $line"
  done <"$log"
}

# e2e_finish: ends the script, failing when any check failed; shows the program logs then.
e2e_finish() {
  if [ "$E2E_FAILURES" -ne 0 ]; then
    local log
    for log in "$E2E_LOG_DIR"/*.err; do
      [ -s "$log" ] && { e2e_log "--- $log"; cat "$log" >&2; }
    done
    e2e_log "$E2E_FAILURES check(s) failed"
    exit 1
  fi
  e2e_log "all checks passed"
  e2e_cleanup
  $E2E_OWN_LOG_DIR && rm -rf "$E2E_LOG_DIR"
  exit 0
}

# e2e_ordinary_user FOLDER: prepares FOLDER as the home of an ordinary user to run the program
# as, and sets E2E_AS_USER to the command prefix that does so (empty when this script does not
# run as root). As root the program runs as "nobody", with HOME and XDG_RUNTIME_DIR in FOLDER,
# which that user owns; setpriv replaces itself by the program, so a PID stays the program's.
e2e_ordinary_user() {
  mkdir -p "$1/runtime"
  chmod 755 "$1"
  chmod 700 "$1/runtime"
  export HOME=$1 XDG_RUNTIME_DIR=$1/runtime
  E2E_AS_USER=()
  [ "$(id -u)" -eq 0 ] || return 0
  chown -R nobody: "$1"
  E2E_AS_USER=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups --)
}

# e2e_uid PID: the real user id of a running process.
e2e_uid() { awk '/^Uid:/ {print $2}' "/proc/$1/status" 2>/dev/null; }

# e2e_resident_kb PID: the resident memory of a running process in KiB (VmRSS).
e2e_resident_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null; }

# e2e_message_boxes: ids of the program's mapped message boxes (titled with its name).
e2e_message_boxes() { e2e_find_windows '^chengmu$'; }

# e2e_close_message_box WID: presses Return in a message box (its only button, OK); when that
# leaves it open, asks the window manager to close it.
e2e_close_message_box() {
  xdotool windowactivate --sync "$1" key --window "$1" Return 2>/dev/null
  sleep 0.3
  xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' && wmctrl -i -c "$1" 2>/dev/null
  sleep 0.2
  ! xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'
}

# e2e_choose_in_dialog PATH: in the open lesson dialog (the "文" command's), types PATH into
# the file name field and presses Return; a second Return when the first only took the
# completion the field offered. Fails when no dialog comes within 10 s.
e2e_choose_in_dialog() {
  local dialog
  dialog=$(e2e_wait_window '^打开学习文件$' 10) || return 1
  sleep 0.5
  xdotool windowactivate --sync "$dialog" 2>/dev/null
  xdotool type --delay 10 "$1"
  sleep 0.3
  xdotool key Return
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    xwininfo -id "$dialog" 2>/dev/null | grep -q 'IsViewable' || return 0
    sleep 0.1
  done
  xdotool key Return
}
