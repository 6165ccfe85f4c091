#!/usr/bin/env bash
# Installs the packages, builds Tervalo's Debian package and installs it with apt (so that
# `apt-get remove tervalo` removes it again), and starts the widget, which gives the account
# the default data files at its first start (never overwriting existing ones). Without a
# display it starts a virtual X server, shows the widget there, saves a screenshot to
# ./tervalo-screenshot.png and keeps running until Ctrl-C.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"
work_dir="$(pwd)"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

bash "$source_dir/tools/install-packages.sh"
cmake -S "$source_dir" -B "$source_dir/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF

# Earlier, this command installed into /usr/local, where no package manager knows the files and
# /usr/local/bin/tervalo would come first on the PATH: what that install left goes.
manifest="$source_dir/build/install_manifest.txt"
if [ -f "$manifest" ]; then
  { grep '^/usr/local/' "$manifest" || true; } | while read -r file; do as_root rm -f "$file"; done
  rm -f "$manifest"
fi

rm -f "$source_dir"/build/tervalo_*.deb
cmake --build "$source_dir/build" --target package
package="$(echo "$source_dir"/build/tervalo_*.deb)"
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec /usr/bin/tervalo
fi

# No display: a virtual one, with a compositor so that the see-through parts stay see-through,
# and a private runtime folder for the programs of this session.
display=":$((90 + RANDOM % 100))"
XDG_RUNTIME_DIR="$(mktemp -d)"
export XDG_RUNTIME_DIR
pids=()
cleanup() {
  kill "${pids[@]}" 2>/dev/null || true
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
trap 'exit 0' INT TERM
Xvfb "$display" -screen 0 1280x800x24 -noreset -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
  DISPLAY="$display" xdpyinfo >/dev/null 2>&1 && break
  sleep 0.1
done
DISPLAY="$display" hsetroot -add '#2b4a6f' -add '#5d7f9e' -add '#c98f6b' -gradient 135 >/dev/null 2>&1 || true
DISPLAY="$display" xcompmgr >/dev/null 2>&1 &
pids+=($!)
DISPLAY="$display" /usr/bin/tervalo &
pids+=($!)
sleep 5
DISPLAY="$display" import -window root "$work_dir/tervalo-screenshot.png"
echo "Tervalo runs on the virtual display $display."
echo "Screenshot: $work_dir/tervalo-screenshot.png"
echo "Press Ctrl-C to stop."
wait "${pids[2]}"
