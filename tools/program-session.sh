# Sourced by the measuring scripts, from the top of the tree: installs the virtual display and
# the tools that click the program and take its picture, starts the program on a display of
# its own with an empty home, and stops both and removes the home when the script ends.
#
#   session_start program display   sets app_pid and xvfb_pid
#   session_click x y               one click at a point of the 1200 by 800 window, which opens
#                                   at the top left of a screen without a window manager
# shellcheck shell=bash

source scripts/packages.sh
lumenscroll_install "${lumenscroll_packages_measure[@]}"

# Where "Bible" and "New Page" stand in the window.
bible_x=95
bible_y=736
new_page_x=425
new_page_y=736

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

session_start() {
  local program=$1
  session_display=$2
  [ -x "$program" ] || { echo "no program at $program: build the Release program first" >&2; exit 1; }

  Xvfb "$session_display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    DISPLAY=$session_display xdotool getmouselocation >/dev/null 2>&1 && break
    sleep 0.1
  done
  kill -0 "$xvfb_pid" 2>/dev/null || { echo "no virtual display on $session_display: is it in use?" >&2; exit 1; }

  local home=$session_home
  mkdir -p "$home/config" "$home/data" "$home/cache" "$home/runtime"
  chmod 700 "$home/runtime"
  HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache \
    XDG_RUNTIME_DIR=$home/runtime DISPLAY=$session_display "$program" >/dev/null 2>&1 &
  app_pid=$!
}

session_click() {
  DISPLAY=$session_display xdotool mousemove "$1" "$2" click 1
}
