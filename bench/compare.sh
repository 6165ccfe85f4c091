#!/usr/bin/env bash
# What the widget costs against xclock and conky, side by side on one virtual display with a
# compositor: CPU per minute summed over every thread, RSS and peak RSS after a settle and a
# measured minute, and the time from start to the first mapped window, offline and online.
# Prints a Markdown table. Not a test: run it as root on an otherwise idle machine.
#
#   bash bench/compare.sh [measured seconds, default 60]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
measured=${1:-60}
settle=10

bash tools/install-packages.sh
missing=()
for package in x11-apps conky-std; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench >/dev/null
program=$root/build-bench/tervalo

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  pkill -f "forecast_service.py --port 80 .*$work" 2>/dev/null || true
  sleep 1
  rm -rf "$work"
}
trap cleanup EXIT

display=:$((90 + RANDOM % 100))
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
Xvfb "$display" -screen 0 1920x1200x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
export DISPLAY=$display
xcompmgr >/dev/null 2>&1 &
pids+=($!)

# Every thread's CPU time so far, in nanoseconds.
cpu_ns() {
  local total=0 task
  for task in /proc/"$1"/task/*/schedstat; do
    total=$((total + $(cut -d' ' -f1 "$task" 2>/dev/null || echo 0)))
  done
  echo "$total"
}
status_mb() { awk -v key="$2:" '$1 == key { printf "%.1f", $2 / 1024 }' /proc/"$1"/status; }

# A settings file for a skin (0 classic, 1 digital, 2 minimalistic), a content (1 with the
# weather, 0 clock only) and a place on the screen; the weather from the XML export, which
# the stand-in serves.
settings_for() {
  sed -e "s/^CurrentMode=.*/CurrentMode=$1/" -e "s/^ValueTop=.*/ValueTop=$3/" \
    -e "s/^ValueLeft=.*/ValueLeft=$4/" -e 's/^Source=.*/Source=0/' data/Tervalo.ini |
    awk -v content="$2" '
      previous == "[ClockMode]" { print "Checked=" content; previous = ""; next }
      { print; previous = $0 }'
}

# Starts the program in private namespaces over a home of its own; online, the services'
# host names resolve to the loopback address, where the stand-in forecast service answers.
start_widget() { # name skin content top left online
  local home=$work/$1
  mkdir -p "$home/.config/Orvek"
  settings_for "$2" "$3" "$4" "$5" >"$home/.config/Orvek/Tervalo.ini"
  cp data/cities.xml "$home/.config/Orvek/"
  local services=""
  if [ "$6" = online ]; then
    echo "127.0.0.1 localhost export.yandex.ru yandex.ru pogoda.yandex.ru tervalo.orvek.ru" \
      >"$home.hosts"
    local service="python3 '$root/tests/support/forecast_service.py' --port 80"
    service+=" --fixtures '$root/tests/forecast/fixtures' --log '$home.requests'"
    services="ip link set lo up && mount --bind '$home.hosts' /etc/hosts &&"
    services+=" { $service >'$home.port' & } &&"
    services+=" while [ ! -s '$home.port' ]; do sleep 0.05; done &&"
  fi
  unshare --mount --net --propagation private sh -c \
    "$services mount --bind '$home' /root && exec '$program'" >"$home.log" 2>&1 &
  echo $!
}

# Seconds from the start until a window named Tervalo is mapped.
time_to_window() { # online|offline
  local start pid elapsed
  start=$(date +%s.%N)
  pid=$(start_widget "start-$1" 0 1 600 1200 "$1")
  until xwininfo -name Tervalo 2>/dev/null | grep -q IsViewable; do sleep 0.005; done
  elapsed=$(awk -v start="$start" -v end="$(date +%s.%N)" 'BEGIN { print end - start }')
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  sleep 1
  printf "%.2f" "$elapsed"
}
startup_offline=$(time_to_window offline)
startup_online=$(time_to_window online)

declare -A pid_of
names=()
add() { names+=("$1"); pid_of[$1]=$2; pids+=("$2"); }
add "xclock -digital -update 1" "$(xclock -digital -update 1 -geometry +1500+20 >/dev/null 2>&1 & echo $!)"
cat >"$work/conky.conf" <<'EOF'
conky.config = { out_to_x = true, own_window = true, own_window_type = 'normal',
  update_interval = 1, double_buffer = true, alignment = 'bottom_right', use_xft = true,
  font = 'DejaVu Sans:size=40' }
conky.text = [[${time %H:%M:%S}]]
EOF
add "conky, a one-second \${time}" "$(conky -c "$work/conky.conf" >/dev/null 2>&1 & echo $!)"
row=0
for skin in 0 1 2; do
  skin_name=(classic digital minimalistic)
  for content in 0 1; do
    content_name=("clock only" "with weather")
    online=offline
    [ "$content" = 1 ] && online=online
    add "tervalo ${skin_name[$skin]}, ${content_name[$content]}" \
      "$(start_widget "w$skin$content" "$skin" "$content" $((20 + 260 * (row / 2))) \
        $((20 + 700 * (row % 2))) "$online")"
    row=$((row + 1))
  done
done

sleep "$settle"
declare -A before
for name in "${names[@]}"; do before[$name]=$(cpu_ns "${pid_of[$name]}"); done
sleep "$measured"
echo "| program | CPU ms per minute | RSS MB | peak RSS MB |"
echo "|---|---|---|---|"
for name in "${names[@]}"; do
  pid=${pid_of[$name]}
  spent=$(( $(cpu_ns "$pid") - ${before[$name]} ))
  printf "| \`%s\` | %.1f | %s | %s |\n" "$name" \
    "$(awk -v ns="$spent" -v s="$measured" 'BEGIN { print ns * 60 / s / 1e6 }')" \
    "$(status_mb "$pid" VmRSS)" \
    "$(status_mb "$pid" VmHWM)"
done
echo
echo "From start to the first mapped window: ${startup_offline} s offline, ${startup_online} s online."
echo "Measured over ${measured} s after a ${settle} s settle on $(nproc) cores, $(date -u +%F)."
