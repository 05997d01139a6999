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
source scripts/packages.sh
lumenscroll_install "${lumenscroll_packages_measure[@]}"

program=${1:-build/release/lumenscroll}
display=${2:-:93}
pages=11
# Where "New Page" stands in the 1200 by 800 window, which opens at the top left of a screen
# without a window manager.
new_page_x=425
new_page_y=736

[ -x "$program" ] || { echo "no program at $program: build the Release program first" >&2; exit 1; }

home=$(mktemp -d)
xvfb_pid=
app_pid=
finish() {
  for pid in $app_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$home"
}
trap finish EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do
  DISPLAY=$display xdotool getmouselocation >/dev/null 2>&1 && break
  sleep 0.1
done

mkdir -p "$home/config" "$home/data" "$home/cache" "$home/runtime"
chmod 700 "$home/runtime"
HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache \
  XDG_RUNTIME_DIR=$home/runtime DISPLAY=$display "$program" >/dev/null 2>&1 &
app_pid=$!

rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$app_pid/status"; }
mb() { awk -v kb="$1" 'BEGIN { printf "%.1f MB", kb / 1024 }'; }

# The start-up screen stands for three seconds; the main view follows with one page.
sleep 2
startup=$(rss)
sleep 4
one=$(rss)
for _ in $(seq 2 "$pages"); do
  DISPLAY=$display xdotool mousemove "$new_page_x" "$new_page_y" click 1
  sleep 1
done
sleep 2
many=$(rss)

# Every page added is saved at once: its page file tells that the click added it.
saved=$(find "$home" -name 'LSC_Settings_*' | wc -l)
echo "start-up screen:  $(mb "$startup")"
echo "main view, 1 page: $(mb "$one")"
echo "main view, $pages pages: $(mb "$many") ($saved page files saved)"
echo "per added page:    $(mb $(((many - one) / (pages - 1))))"
