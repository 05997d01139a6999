# Sourced by the measuring scripts and the soak, from the top of the tree: installs the virtual
# display and the tools that click the program and take its picture, starts the program on a
# display of its own with an empty home, and stops both and removes the home when the script
# ends.
#
#   session_start program display   sets app_pid and xvfb_pid
#   session_display_start [display] starts the virtual display alone; without a display, on a
#                                   free one the server picks
#   session_launch program [log]    starts the program (again) in the same home, its standard
#                                   output and error appended to log.out and log.err
#   session_window                  prints the program's window (not a popup of it) once shown
#   session_click x y               one click at a point of the 1200 by 800 window, which opens
#                                   at the top left of a screen without a window manager
#   session_pages_saved             prints how many page files the program has saved
#   session_add_pages count         presses "New Page" until that many pages are saved
# shellcheck shell=bash

source scripts/packages.sh
lumenscroll_install "${lumenscroll_packages_measure[@]}"

# Where "Bible" and "New Page" stand in the window.
bible_x=95
bible_y=736
new_page_x=425
new_page_y=736
# "Settings" and "About" in the bar, the search button of the page on screen and the close
# button of its search page.
settings_x=770
settings_y=736
about_x=1095
about_y=736
search_x=1025
search_y=36
search_close_x=1067
search_close_y=61
# The middle of the current page, where a tap ends the overview.
page_x=600
page_y=350

session_home=$(mktemp -d)
xvfb_pid=
app_pid=
session_display=
session_finish() {
  for pid in $app_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$session_home"
}
trap session_finish EXIT

session_display_start() {
  if [ -n "${1:-}" ]; then
    session_display=$1
    Xvfb "$session_display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
  else
    # The server writes the number of the display it found free once it is ready.
    local number_file=$session_home/display
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
      [ -s "$number_file" ] && break
      sleep 0.1
    done
    session_display=:$(head -n 1 "$number_file" 2>/dev/null)
  fi
  for _ in $(seq 50); do
    DISPLAY=$session_display xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
  done
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "no virtual display on $session_display: is it in use?" >&2; exit 1; }
}

session_launch() {
  local program=$1 log=${2:-}
  [ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }
  local home=$session_home
  mkdir -p "$home/config" "$home/data" "$home/cache" "$home/runtime"
  chmod 700 "$home/runtime"
  # A link clicked opens nothing: the browser the program would start is a stand-in.
  mkdir -p "$home/bin"
  local opener
  for opener in xdg-open xdg-email x-www-browser sensible-browser; do
    printf '#!/bin/sh\nexit 0\n' >"$home/bin/$opener"
    chmod +x "$home/bin/$opener"
  done
  local out=/dev/null err=/dev/null
  [ -z "$log" ] || { out=$log.out; err=$log.err; }
  # On the virtual display, whatever platform the caller's tests run on.
  HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache \
    XDG_RUNTIME_DIR=$home/runtime DISPLAY=$session_display QT_QPA_PLATFORM=xcb PATH=$home/bin:$PATH \
    BROWSER=$home/bin/xdg-open DEFAULT_BROWSER=$home/bin/xdg-open "$program" >>"$out" 2>>"$err" &
  app_pid=$!
}

session_start() {
  [ -x "$1" ] || { echo "no program at $1: build the Release program first" >&2; exit 1; }
  session_display_start "$2"
  session_launch "$1"
}

session_window() {
  local window
  for window in $(DISPLAY=$session_display xdotool search --pid "$app_pid" --onlyvisible 2>/dev/null); do
    # The window, not a popup (a list, a tooltip) of its own.
    if DISPLAY=$session_display xdotool getwindowgeometry --shell "$window" 2>/dev/null |
      grep -qx 'WIDTH=1200'; then
      echo "$window"
      return
    fi
  done
}

session_click() {
  DISPLAY=$session_display xdotool mousemove "$1" "$2" click 1
}

session_pages_saved() {
  find "$session_home" -name 'LSC_Settings_*' | wc -l
}

# Every page added is saved at once: its page file tells that the click added it. A click the
# program did not take is made again, up to ten times in a row; the next one waits a second, as
# a person would.
session_add_pages() {
  local count=$1 saved missed=0
  while [ "$(session_pages_saved)" -lt "$count" ]; do
    [ "$missed" -lt 10 ] || { echo "\"New Page\" adds no page after $(session_pages_saved)" >&2; return 1; }
    saved=$(session_pages_saved)
    session_click "$new_page_x" "$new_page_y"
    missed=$((missed + 1))
    for _ in $(seq 50); do
      [ "$(session_pages_saved)" -gt "$saved" ] && { missed=0; break; }
      sleep 0.1
    done
    sleep 1
  done
}

