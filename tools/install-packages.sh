#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Tervalo need.
# Works as root, and through sudo for anyone else.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ clang pkg-config qt6-base-dev libcurl4-openssl-dev libxml2-dev libgtest-dev
  # the window's input shape (XShape over xcb)
  libxcb-shape0-dev
  # the Debian package: CPack finds the program's libraries with file and dpkg-shlibdeps
  file dpkg-dev
  # fuzzing: clang's libFuzzer and sanitizer runtimes, only recommended by clang, and the
  # symbolizer that puts source lines into their reports
  libclang-rt-14-dev llvm-14
  # run: the fonts the widget draws with, a virtual display, a compositor, a notification
  # area, input as a user gives it and screenshots
  fonts-wine fonts-roboto-unhinted xvfb xauth xcompmgr trayer hsetroot x11-utils xdotool
  imagemagick
  # tests: a real HTTP proxy, the stand-in forecast service, its test certificate authority
  # and the system's bundle it stands in for, and private namespaces
  tinyproxy python3 openssl ca-certificates util-linux iproute2
  # the package's checks: its validators, and the account that installs and runs it
  lintian appstream desktop-file-utils passwd
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi
