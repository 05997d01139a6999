#!/usr/bin/env bash
# Drives the sanitizer build of the program on a virtual display, with an empty home of its own,
# with random but valid input for a while: clicks anywhere in the window, drags across the
# carousel, the bar's buttons, verse taps, highlighter swatches, chooser rows, search queries
# typed from a list of Korean and English words, keys, turning to another window and back, and
# Ctrl+Q with relaunches in between (some of them quit again during the start-up screen).
#
# It fails on a crash, a sanitizer report, a window that does not answer for 10 seconds, a quit
# that does not end the program, stored pages that do not decode, or a mark lost across a quit
# and relaunch: at every quit the stored page list, page-state files and mark book are read with
# the program's own decoders (PageStateCheck), which also fails when a page does not show the
# marks the mark book holds for its chapter, and their marks are noted; once the relaunched
# program has restored its pages (and saved them again) they must read the same.
#
# Every random choice comes from the seed: a run is repeated with the same seed (the timing of
# the program's answers can still differ). The last quit and relaunch come after the duration.
#
#   tools/soak.sh [seconds] [seed] [program]
#
# The duration defaults to 30 seconds, the seed to one from the clock, the program to the
# sanitizer build (build/test/lumenscroll, which ./test builds); the checking tools are the ones
# built beside it. The logs (each launch's output and error, the marks at each quit, a picture at
# a failure) go to soak-<seed> beside the program.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/program-session.sh

seconds=${1:-30}
seed=${2:-$(($(date +%s%N) % 1000000007))}
program=${3:-build/test/lumenscroll}
check_tool=$(dirname "$program")/tools/PageStateCheck
ping_tool=$(dirname "$program")/tools/WindowPing
for tool in "$program" "$check_tool" "$ping_tool"; do
  [ -x "$tool" ] || { echo "no $tool: build $(dirname "$program") first" >&2; exit 1; }
done
logs=$(dirname "$program")/soak-$seed
rm -rf "$logs"
mkdir -p "$logs"

# A window that answers no ping for this long has hung; a start or a quit may take longer
# (the sanitizers slow both down), but not this much.
hang_seconds=10
start_seconds=90
quit_seconds=60

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# A sanitizer reports and stops the program at once; its report names the error.
sanitizer_report='ERROR: AddressSanitizer|runtime error:|ERROR: UndefinedBehaviorSanitizer'
# The leaks found at the exit: the libraries below Qt (D-Bus, FFmpeg) leave some of their own
# behind on every machine, so a leak counts only when our own code allocated it.
own_frame=' in (lumenscroll|coding)::| in main .*/app/shell/main\.cpp'

words=(
  love light God Jesus faith grace peace shepherd water bread life king heaven earth spirit
  word truth LORD beginning mercy "in the beginning" "the LORD is my shepherd" David Moses
  사랑 빛 하나님 예수 믿음 은혜 평강 목자 물 떡 생명 왕 하늘 땅 성령 말씀 진리 여호와
  태초에 "여호와는 나의 목자시니" 다윗 모세 "하나님이 세상을"
)

# Where things stand in the 1200 by 800 window: the bar's buttons, the page's buttons (its
# translation, its title, search, deselect, copy, and the four navigation buttons), the verse
# rows of the page in the middle of the carousel (a tapped verse shows the highlighter bar 45
# below it: the bookmark and eleven swatches), the two choosers (translations; books, chapters,
# verses and "go"), and the search sheet.
bar_buttons=("95 736" "425 736" "772 736" "1098 736")
page_buttons=("80 45" "600 45" "1025 45" "1092 45" "1157 45" "20 662" "1084 652" "1127 652" "1170 652"
  "395 141" "580 141" "785 141") # the last three: the settings panel's lists, when it is open
first_verse_y=135
verse_spacing=47
verse_rows=11
bookmark_x=420
first_swatch_x=567
swatch_spacing=25
swatch_count=11
translation_capsule="80 45"
translation_rows=("600 319" "600 346" "724 279")
book_title="600 45"
book_columns=(495 612 712)
book_rows_area="127 513"        # top height
book_go="768 85"
book_close="426 79"
search_button="1025 45"
search_field="600 62"
search_hits="120 100 900 500"   # left top width height
search_close="1067 61"
carousel_area="0 110 1200 560"
keys=(Escape Return Up Down Left Right Page_Up Page_Down Home End Tab space ctrl+c)

launches=0
actions=0
app_window=
started=$(date +%s)

r=0
# r becomes a random number below $1, drawn from the seeded sequence (in this shell, never a
# subshell, so that the sequence stays the seed's).
pick() { r=$(((RANDOM << 15 | RANDOM) % $1)); }
RANDOM=$seed

x() { DISPLAY=$session_display xdotool "$@" >/dev/null 2>&1 || true; }

fail() {
  echo "soak FAILED after $(($(date +%s) - started)) s, $actions actions, $launches launches: $*" >&2
  DISPLAY=$session_display import -window root "$logs/failure.png" >/dev/null 2>&1 || true
  local err=$logs/launch-$launches.err
  if [ -s "$err" ]; then
    echo "--- the program's error output (last 60 lines of $err):" >&2
    tail -n 60 "$err" >&2
  fi
  echo "repeat with: tools/soak.sh $seconds $seed $program   (logs in $logs)" >&2
  exit 1
}

check_sanitizers() {
  if grep -Eq "$sanitizer_report" "$logs/launch-$launches.err" 2>/dev/null; then
    fail "a sanitizer report"
  fi
}

# What the run did, to the log of actions.
note() { echo "$(date +%T.%2N) $*" >>"$logs/actions.log"; }

# The direct leaks whose allocation our own code made; each report block ends at a blank line.
check_leaks() {
  local own
  own=$(awk -v own="$own_frame" '
    /^Direct leak/ { block = $0; inside = 1; next }
    inside && /^$/ { if (block ~ own) print block; inside = 0; next }
    inside { block = block "\n" $0 }
    END { if (inside && block ~ own) print block }' "$logs/launch-$launches.err")
  [ -z "$own" ] || fail "a leak: $(printf '%b' "$own" | head -n 30)"
}

# Fails when the program is gone (a crash), reported a fault, or answers no ping in time.
check_alive() {
  check_sanitizers
  if ! kill -0 "$app_pid" 2>/dev/null; then
    local status=0
    wait "$app_pid" || status=$?
    check_sanitizers
    fail "the program ended by itself (exit status $status)"
  fi
  [ -n "$app_window" ] || return 0
  local status=0 sent=$SECONDS
  DISPLAY=$session_display "$ping_tool" "$app_window" $((hang_seconds * 1000)) 2>"$logs/ping.err" || status=$?
  case $status in
    0) [ $((SECONDS - sent)) -lt 2 ] || note "the window answered after $((SECONDS - sent)) s" ;;
    1)
      check_sanitizers
      # Where the program's main thread stands, when a debugger is at hand.
      if command -v gdb >/dev/null 2>&1; then
        timeout 60 gdb -p "$app_pid" -batch -ex "thread 1" -ex "bt 60" >"$logs/hang.txt" 2>&1 || true
      fi
      fail "the window did not answer for $hang_seconds s (a hang; the main thread's stack in $logs/hang.txt)"
      ;;
    *) check_sanitizers; fail "the window cannot be pinged: $(cat "$logs/ping.err")" ;;
  esac
}

launch() {
  launches=$((launches + 1))
  note "launch $launches"
  app_window=
  session_launch "$program" "$logs/launch-$launches"
  local waited=0
  until app_window=$(session_window) && [ -n "$app_window" ]; do
    check_alive
    sleep 0.2
    waited=$((waited + 1))
    [ $waited -lt $((start_seconds * 5)) ] || fail "no window within $start_seconds s of the launch"
  done
  check_alive
}

# Ctrl+Q, then the program must end, cleanly, and leave stored pages that decode; their marks
# go to marks-<launch>.txt.
quit_and_read() {
  check_alive
  x windowfocus --sync "$app_window"
  x key --clearmodifiers ctrl+q
  local waited=0
  while kill -0 "$app_pid" 2>/dev/null; do
    sleep 0.2
    waited=$((waited + 1))
    [ $waited -lt $((quit_seconds * 5)) ] || fail "the program did not end within $quit_seconds s of Ctrl+Q"
  done
  local status=0
  wait "$app_pid" || status=$?
  check_sanitizers
  check_leaks
  # A leak report ends the program with status 1; check_leaks has judged it.
  if [ "$status" -ne 0 ] && ! { [ "$status" -eq 1 ] && grep -q "ERROR: LeakSanitizer" "$logs/launch-$launches.err"; }; then
    fail "the program ended with exit status $status at Ctrl+Q"
  fi
  app_pid=
  app_window=
  stored_check "$logs/marks-$launches.txt" || fail "the stored pages do not read back: $(cat "$logs/check.err")"
}

stored_check() {
  HOME=$session_home XDG_CONFIG_HOME=$session_home/config XDG_DATA_HOME=$session_home/data \
    XDG_CACHE_HOME=$session_home/cache XDG_RUNTIME_DIR=$session_home/runtime QT_QPA_PLATFORM=offscreen \
    "$check_tool" >"$1" 2>"$logs/check.err"
}

# Relaunches (now and then quitting again during the start-up screen) and waits until the
# program has restored the pages and saved them again: they must hold the marks they held at
# the quit.
relaunch_and_verify() {
  local before=$logs/marks-$launches.txt
  launch
  pick 4
  if [ $r -eq 0 ]; then
    pick 30
    sleep "$((r / 10)).$((r % 10))"
    quit_and_read
    cmp -s "$before" "$logs/marks-$launches.txt" ||
      fail "a quit during the start-up changed the stored marks: $(diff "$before" "$logs/marks-$launches.txt" | head -n 20)"
    launch
  fi
  # The start-up screen stands for three seconds; the restore and its save follow it. An
  # answered ping after that means the event loop has gone past them.
  sleep 5
  check_alive
  sleep 1
  check_alive
  # The save's settings file is written on a thread of its own: allow it a moment.
  local now=$logs/marks-$launches.relaunched.txt
  for _ in $(seq 20); do
    if stored_check "$now" && cmp -s "$before" "$now"; then
      return 0
    fi
    sleep 0.5
  done
  stored_check "$now" || fail "the stored pages do not read back after the relaunch: $(cat "$logs/check.err")"
  fail "marks lost across the relaunch: $(diff "$before" "$now" | head -n 20)"
}

# --- actions ---

point_in() { # left top width height: sets px py
  local area=($1)
  pick "${area[2]}"
  px=$((area[0] + r))
  pick "${area[3]}"
  py=$((area[1] + r))
}

click_at() { x mousemove "$1" "$2" click 1; }

# Mostly a click; now and then a double click or a right click.
click_anywhere() {
  point_in "0 0 1200 800"
  pick 10
  case $r in
    0) x mousemove "$px" "$py" click --repeat 2 --delay 80 1 ;;
    1) x mousemove "$px" "$py" click 3 ;;
    *) click_at "$px" "$py" ;;
  esac
}

# The user turns to another window for a moment: the program goes inactive and back.
leave_window() {
  x windowfocus --sync "$(DISPLAY=$session_display xdotool search --maxdepth 0 '' 2>/dev/null | head -n 1)"
  pick 20
  sleep "$((r / 10)).$((r % 10))"
  x windowfocus --sync "$app_window"
}

drag_carousel() {
  point_in "$carousel_area"
  local sx=$px sy=$py
  pick 1000
  local dx=$((r - 500))
  pick 8
  local steps=$((r + 2))
  x mousemove "$sx" "$sy" mousedown 1
  for i in $(seq "$steps"); do
    x mousemove $((sx + dx * i / steps)) "$sy"
    sleep 0.03
  done
  x mouseup 1
}

bar_button() {
  pick ${#bar_buttons[@]}
  click_at ${bar_buttons[$r]}
}

page_button() {
  pick ${#page_buttons[@]}
  click_at ${page_buttons[$r]}
}

# Sets py to a verse row of the middle page.
verse_row() {
  pick $verse_rows
  py=$((first_verse_y + r * verse_spacing))
}

tap_verse() {
  verse_row
  pick 600
  click_at $((60 + r)) "$py"
}

# A verse tapped brings up the highlighter bar below it: a swatch or the bookmark.
highlight() {
  tap_verse
  sleep 0.3
  pick $((swatch_count + 2))
  if [ $r -ge $swatch_count ]; then
    click_at $bookmark_x $((py + 45))
  else
    click_at $((first_swatch_x + r * swatch_spacing)) $((py + 45))
  fi
}

choose_translation() {
  click_at $translation_capsule
  sleep 0.5
  pick ${#translation_rows[@]}
  click_at ${translation_rows[$r]}
}

choose_book() {
  click_at $book_title
  sleep 0.5
  local rows=($book_rows_area)
  for column in "${book_columns[@]}"; do
    pick 3
    [ $r -eq 0 ] && continue
    pick "${rows[1]}"
    click_at "$column" $((rows[0] + r))
    sleep 0.2
  done
  pick 5
  if [ $r -eq 0 ]; then click_at $book_close; else click_at $book_go; fi
}

search() {
  click_at $search_button
  sleep 0.6
  click_at $search_field
  pick ${#words[@]}
  x type --delay 40 "${words[$r]}"
  x key Return
  sleep 0.5
  pick 3
  if [ $r -eq 0 ]; then
    click_at $search_close
  elif [ $r -eq 1 ]; then
    point_in "$search_hits"
    click_at "$px" "$py"
  fi
}

press_key() {
  pick ${#keys[@]}
  x key "${keys[$r]}"
}

scroll() {
  point_in "0 0 1200 800"
  pick 2
  local button=$((4 + r))
  pick 5
  x mousemove "$px" "$py" click --repeat $((r + 1)) "$button"
}

# Often marks a few verses first, so that the quit has marks to keep.
quit_relaunch() {
  pick 3
  if [ $r -gt 0 ]; then
    pick 4
    for _ in $(seq $((r + 1))); do
      highlight
      sleep 0.3
    done
  fi
  quit_and_read
  relaunch_and_verify
}

do_action() {
  note "$actions $1"
  "$1"
}

act() {
  actions=$((actions + 1))
  pick 100
  if [ $r -lt 15 ]; then do_action click_anywhere
  elif [ $r -lt 24 ]; then do_action drag_carousel
  elif [ $r -lt 33 ]; then do_action bar_button
  elif [ $r -lt 41 ]; then do_action page_button
  elif [ $r -lt 55 ]; then do_action tap_verse
  elif [ $r -lt 69 ]; then do_action highlight
  elif [ $r -lt 74 ]; then do_action choose_translation
  elif [ $r -lt 80 ]; then do_action choose_book
  elif [ $r -lt 86 ]; then do_action search
  elif [ $r -lt 91 ]; then do_action press_key
  elif [ $r -lt 96 ]; then do_action scroll
  elif [ $r -lt 98 ]; then do_action leave_window
  else
    do_action quit_relaunch
  fi
  pick 5
  sleep "0.$((r * 2))"
}

# --- the run ---

echo "soak: $seconds s, seed $seed, program $program, logs in $logs"
session_display_start
launch
# Into the main view before the input starts.
sleep 5
check_alive
deadline=$(($(date +%s) + seconds))
while [ "$(date +%s)" -lt "$deadline" ]; do
  act
  check_alive
done
quit_relaunch
quit_and_read
echo "soak passed: $(($(date +%s) - started)) s, $actions actions, $launches launches, seed $seed"
