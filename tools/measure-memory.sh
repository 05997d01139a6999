#!/usr/bin/env bash
# Starts the program on a virtual display with an empty home of its own and prints its resident
# size (VmRSS) on the start-up screen, on the main view with one page, and after "New Page" has
# been pressed until eleven pages are open, with the growth per added page. Then the About
# panel, with one page and with fifty: the size and the number of threads while it is open,
# and the size after it has been closed once and five times, each beside the main view's
# figure just before.
#
#   tools/measure-memory.sh [program] [display]
#
# The program defaults to the Release build (build/release/lumenscroll), the display to :93
# (an empty one: a free display the server picks).
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/program-session.sh

program=${1:-build/release/lumenscroll}
display=${2-:93}
pages=11
many_pages=50

session_start "$program" "$display"

rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$app_pid/status"; }
mb() { awk -v kb="$1" 'BEGIN { printf "%.1f MB", kb / 1024 }'; }
threads() { ls "/proc/$app_pid/task" | wc -l; }

# --- The About panel ---------------------------------------------------------------------
# Opens About and prints the size with it open and after closing it and opening and closing it
# four times more, each beside the main view's figure before it opened ("+": above it).
about_memory() {
  local label=$1 main open open_threads once closed _
  main=$(rss)
  session_click "$about_x" "$about_y"
  sleep 3
  open=$(rss)
  open_threads=$(threads)
  session_click "$about_x" "$about_y"
  sleep 1
  once=$(rss)
  for _ in 2 3 4 5; do
    session_click "$about_x" "$about_y"
    sleep 2
    session_click "$about_x" "$about_y"
    sleep 1
  done
  sleep 2
  closed=$(rss)
  echo "$label: main view $(mb "$main"), $(threads) threads"
  echo "  About open:              $(mb "$open") (+$(mb $((open - main)))), $open_threads threads"
  echo "  after closing it once:    $(mb "$once") (+$(mb $((once - main))))"
  echo "  after closing it 5 times: $(mb "$closed") (+$(mb $((closed - main))))"
}

# The start-up screen stands for three seconds; the main view follows with one page.
sleep 2
startup=$(rss)
sleep 4
one=$(rss)
about_one=$(about_memory "1 page")
for _ in $(seq 2 "$pages"); do
  session_click "$new_page_x" "$new_page_y"
  sleep 1
done
sleep 2
many=$(rss)

# Every page added is saved at once: its page file tells that the click added it.
saved=$(find "$session_home" -name 'LSC_Settings_*' | wc -l)
echo "start-up screen:  $(mb "$startup")"
echo "main view, 1 page: $(mb "$one")"
echo "main view, $pages pages: $(mb "$many") ($saved page files saved)"
echo "per added page:    $(mb $(((many - one) / (pages - 1))))"

session_add_pages "$many_pages"
session_click "$page_x" "$page_y"
sleep 1
sleep 2
saved=$(find "$session_home" -name 'LSC_Settings_*' | wc -l)
echo "$about_one"
about_memory "$many_pages pages ($saved page files saved)"
