#!/usr/bin/env bash
# Starts the program on a virtual display with an empty home of its own and prints what it costs
# while nobody touches it: the processor time (user and system, from /proc/<pid>/stat) it takes
# over ten seconds, as a share of one core, with the main view and one page open, with the
# window inactive, and with ten pages open, in the overview the last "New Page" leaves and then
# one page at a time; also the start-up screen, over a shorter stretch. With a verse selected (its
# row shimmering, the bar under it) the same with one, ten and fifty pages, and how long the main
# thread is kept busy by a tap on a verse, a highlighter swatch and the bookmark. Then the panels,
# with one page and with fifty: the search page (empty, and listing the hits of a search), the
# preferences and the About panel, each open and left alone.
# Beside each figure stands the virtual display's own share (the drawing the program sends it)
# and whether the window's picture still changes (the animations the pages ask for).
#
#   tools/measure-idle.sh [program] [display] [seconds]
#
# The program defaults to the Release build (build/release/lumenscroll), the display to :98 (an
# empty one: a free display the server picks), the stretch measured to 10 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/program-session.sh

program=${1:-build/release/lumenscroll}
display=${2-:98}
seconds=${3:-10}
pages=10
many_pages=50
# A word the search page finds in 3,582 verses of the Korean text.
search_word=하나님
# Outside the window, where the pointer hovers over nothing of the program's.
away_x=1270
away_y=1010

# The measure of a click's busy time: beside the program, or (for a build without it) this
# tree's Release build's.
busy_tool=$(dirname "$program")/tools/ThreadBusy
[ -x "$busy_tool" ] || busy_tool=build/release/tools/ThreadBusy
[ -x "$busy_tool" ] || { echo "no ThreadBusy beside $program nor in build/release: build it" >&2; exit 1; }
session_start "$program" "$display"

ticks_per_second=$(getconf CLK_TCK)
# User and system time of a process so far, in clock ticks (the fields after the name, which
# stands in parentheses).
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
# Prints the share of one core the program and the display took over `$1` seconds.
measure() {
  local app0 xvfb0 app1 xvfb1
  app0=$(cpu_ticks "$app_pid")
  xvfb0=$(cpu_ticks "$xvfb_pid")
  sleep "$1"
  app1=$(cpu_ticks "$app_pid")
  xvfb1=$(cpu_ticks "$xvfb_pid")
  awk -v a=$((app1 - app0)) -v x=$((xvfb1 - xvfb0)) -v hz="$ticks_per_second" -v s="$1" \
    'BEGIN { printf "%5.1f%% of one core (display %4.1f%%)", 100 * a / hz / s, 100 * x / hz / s }'
}
# Whether two pictures of the window a second apart differ.
animating() {
  local first second
  first=$(DISPLAY=$session_display import -window root -crop 1200x800+0+0 rgb:- | md5sum)
  sleep 1
  second=$(DISPLAY=$session_display import -window root -crop 1200x800+0+0 rgb:- | md5sum)
  [ "$first" != "$second" ] && echo "moving" || echo "still"
}
# No window manager gives the window the focus: the script does, as a click on it would.
window=
focus_program() {
  [ -n "$window" ] || window=$(session_window)
  DISPLAY=$session_display xdotool windowfocus --sync "$window"
}
focus_elsewhere() {
  local root
  root=$(DISPLAY=$session_display xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
  DISPLAY=$session_display xdotool windowfocus --sync "$root"
}
leave_alone() {
  DISPLAY=$session_display xdotool mousemove "$away_x" "$away_y"
  sleep 2
}

# --- The panels ----------------------------------------------------------------------------
# Opens each panel on the page on screen, leaves it alone and prints what it costs, then
# closes it again.
panel_idle() {
  local label=$1
  session_click "$search_x" "$search_y"
  leave_alone
  echo "$label, search page:          $(measure "$seconds"), picture $(animating)"
  DISPLAY=$session_display xdotool type --delay 50 "$search_word"
  DISPLAY=$session_display xdotool key Return
  sleep 3
  leave_alone
  echo "$label, search page with hits: $(measure "$seconds"), picture $(animating)"
  session_click "$search_close_x" "$search_close_y"
  session_click "$settings_x" "$settings_y"
  leave_alone
  echo "$label, preferences:          $(measure "$seconds"), picture $(animating)"
  session_click "$settings_x" "$settings_y"
  session_click "$about_x" "$about_y"
  leave_alone
  echo "$label, About:                $(measure "$seconds"), picture $(animating)"
  session_click "$about_x" "$about_y"
  sleep 1
}

# ---- A selected verse ----
# The second verse of the page in front, and the bar that comes up under it: its bookmark and its
# first swatch.
verse_x=200
verse_y=182
bar_y=227
bookmark_x=420
swatch_x=567
# Each input is measured this often; the figure is the median, beside the least and the most.
repeats=${LUMENSCROLL_MEASURE_REPEATS:-5}
selection_report=()

# How long one click keeps the main thread busy: its time on a processor from the click until
# its event loop first waits 5 ms for the next thing to do (tools/ThreadBusy.cpp), and beside it
# the time on the clock until then. The pointer rests on the point first, so that its coming is
# not counted.
busy_after_click() {
  DISPLAY=$session_display xdotool mousemove "$1" "$2"
  sleep 0.5
  DISPLAY=$session_display "$busy_tool" "$app_pid" 5 5000 xdotool click --delay 0 1
  sleep 1
}
# The median of column `$1` of the lines after it, and with `full` its least and most too.
median() {
  local column=$1
  shift
  printf '%s\n' "$@" | awk -v c="$column" '{ print $c }' | sort -n |
    awk '{ v[NR] = $1 } END { printf "%5.1f ms", v[int((NR + 1) / 2)]; if (full) printf " (%.1f-%.1f)", v[1], v[NR] }' full="${full:-}"
}
# Of lines "processor-ms clock-ms": "median (least-most), until idle median".
summary() {
  echo "$(full=1 median 1 "$@"), until idle $(median 2 "$@")"
}
# Selects the verse and measures the page then; each input is measured in pairs that leave the
# page as they found it (a swatch pressed twice clears its highlight again).
measure_selection() {
  local label=$1 taps=() highlights=() bookmarks=() idle moving
  for _ in $(seq "$repeats"); do
    taps+=("$(busy_after_click "$verse_x" "$verse_y")")
    highlights+=("$(busy_after_click "$swatch_x" "$bar_y")")
    highlights+=("$(busy_after_click "$swatch_x" "$bar_y")")
    bookmarks+=("$(busy_after_click "$bookmark_x" "$bar_y")")
    bookmarks+=("$(busy_after_click "$bookmark_x" "$bar_y")")
    taps+=("$(busy_after_click "$verse_x" "$verse_y")")
  done
  session_click "$verse_x" "$verse_y"
  leave_alone
  moving=$(animating)
  idle=$(measure "$seconds")
  session_click "$verse_x" "$verse_y"
  leave_alone
  selection_report+=("$(printf '%2d pages, a verse selected:    %s, picture %s' "$label" "$idle" "$moving")")
  selection_report+=("$(printf '%2d pages, busy after a tap:    %s' "$label" "$(summary "${taps[@]}")")")
  selection_report+=("$(printf '%2d pages, after a highlight:   %s' "$label" "$(summary "${highlights[@]}")")")
  selection_report+=("$(printf '%2d pages, after the bookmark:  %s' "$label" "$(summary "${bookmarks[@]}")")")
}
# Fifty pages: added in the overview, then the last one alone on the main view.
fifty_report=
measure_fifty_pages() {
  session_add_pages "$many_pages"
  # A tap on the page in front leaves the overview the last "New Page" leaves.
  session_click "$page_x" "$page_y"
  sleep 1
  leave_alone
  fifty_report="main view, 50 pages:              $(measure "$seconds"), picture $(animating)"
  measure_selection 50
}

# The start-up screen stands for three seconds; the main view follows with one page.
sleep 1
startup=$(measure 1.5)
sleep 3.5
focus_program
leave_alone
one_moving=$(animating)
one=$(measure "$seconds")
panels_one=$(panel_idle "1 page")
measure_selection 1

focus_elsewhere
sleep 1
inactive_moving=$(animating)
inactive=$(measure "$seconds")
focus_program

for _ in $(seq 2 "$pages"); do
  session_click "$new_page_x" "$new_page_y"
  sleep 1
done
leave_alone
overview_moving=$(animating)
overview=$(measure "$seconds")
pages_saved=$(find "$session_home" -name 'LSC_Settings_*' | wc -l)

# "Bible" pressed after "New Page" leaves the overview.
session_click "$bible_x" "$bible_y"
leave_alone
many_moving=$(animating)
many=$(measure "$seconds")
measure_selection "$pages"
measure_fifty_pages

echo "start-up screen (1.5 s):           $startup"
echo "main view, 1 page:                 $one, picture $one_moving"
echo "main view, 1 page, inactive:       $inactive, picture $inactive_moving"
echo "main view, $pages pages, overview:    $overview, picture $overview_moving ($pages_saved pages saved)"
echo "main view, $pages pages:              $many, picture $many_moving"
echo "$fifty_report"
printf '%s\n' "${selection_report[@]}"
echo "$panels_one"
panel_idle "$many_pages pages"
