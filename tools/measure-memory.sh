#!/usr/bin/env bash
# Starts the program on a virtual display with an empty home of its own and prints its resident
# size (VmRSS) on the start-up screen, on the main view with one page, and after "New Page" has
# been pressed until eleven pages are open, with the growth per added page.
#
#   tools/measure-memory.sh [program] [display]
#
# The program defaults to the Release build (build/release/lumenscroll), the display to :93.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/program-session.sh

program=${1:-build/release/lumenscroll}
display=${2:-:93}
pages=11

session_start "$program" "$display"

rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$app_pid/status"; }
mb() { awk -v kb="$1" 'BEGIN { printf "%.1f MB", kb / 1024 }'; }

# The start-up screen stands for three seconds; the main view follows with one page.
sleep 2
startup=$(rss)
sleep 4
one=$(rss)
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
