# Sourced by ./test, ./run and the measuring scripts in tools/: installs the Debian packages the build needs, when any is missing.
# shellcheck shell=bash

lumenscroll_packages_build=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  # CompactCoding's sort option compares keys in canonical composition (NFC).
  libutf8proc-dev
  libprotobuf-dev protobuf-compiler
  # msgpack-c: a peer of the compact coders in their benchmark only
  libmsgpack-cxx-dev
  clang libclang-rt-14-dev
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev
  # The soak's window ping (tools/WindowPing.cpp) speaks to the X server itself.
  libxcb1-dev
  bible-kjv
)
lumenscroll_packages_run=(
  fonts-woowa-bm fonts-nanum fonts-nanum-extra fonts-noto-cjk fonts-noto-color-emoji
  libqt6multimedia6 libqt6svg6 qt6-qpa-plugins
  xvfb xauth
)
# The measuring scripts in tools/ click the program on a virtual display and take its picture.
lumenscroll_packages_measure=(xvfb xdotool imagemagick)

lumenscroll_install() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
}
