#!/usr/bin/env bash
# Makes the Debian package from a build folder and checks it as a user's machine gets it:
# lintian, appstreamcli and desktop-file-validate, the file list and Depends. Then, as root
# (through sudo for anyone else), installs it with apt, runs it on a virtual display for a
# fresh account without network or data files, installs a package of a higher revision under
# the running widget and presses Apply in its settings dialog, and removes the package again.
# The install steps are skipped, with a line saying why, without root or sudo or where a
# tervalo package is installed already.
#
#   bash tools/package-test.sh [build folder]
#
# A build folder given is packaged as it is configured; without one, build-package is
# configured and built as tools/run.sh builds the program.
set -euo pipefail
source_dir="$(cd "$(dirname "$0")/.." && pwd)"

if [ $# -gt 0 ]; then
  build_dir="$(cd "$1" && pwd)"
  cmake --build "$build_dir" --target tervalo
else
  build_dir="$source_dir/build-package"
  cmake -S "$source_dir" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
  cmake --build "$build_dir"
fi

# A failure on the virtual display leaves a picture of it for whoever looks into it.
failure_picture="${TMPDIR:-/tmp}/tervalo-package-test.png"
virtual_display=""
fail() {
  echo "package-test: FAIL: $*" >&2
  if [ -n "$virtual_display" ] && import -window root "$failure_picture" 2>/dev/null; then
    echo "package-test: the display at the failure: $failure_picture" >&2
  fi
  exit 1
}
ok() { echo "package-test: ok: $*"; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo -n "$@"; fi
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths="$1"
  shift
  for _ in $(seq "$tenths"); do
    "$@" && return 0
    sleep 0.1
  done
  "$@"
}

work="$(mktemp -d)"
chmod 755 "$work" # apt reads the packages as its own unprivileged user
pids=()
account=""
installed_here=""
cleanup() {
  set +e
  if [ -n "$account" ]; then
    for pid in $(pgrep -u "$account"); do as_root kill -KILL "$pid"; done
    as_root userdel --remove "$account" 2>/dev/null
  fi
  [ ${#pids[@]} -eq 0 ] || kill "${pids[@]}" 2>/dev/null
  if [ -n "$installed_here" ] && dpkg-query -W -f='${Status}' tervalo 2>/dev/null |
    grep -q 'install ok installed'; then
    as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq tervalo >/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

start=$SECONDS
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/first" \
  >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack did not make the package"; }
deb="$(echo "$work"/first/tervalo_*.deb)"
[ -f "$deb" ] || fail "no tervalo_*.deb from cpack"
version="$(dpkg-deb -f "$deb" Version)"
echo "package-test: $(basename "$deb")"

# The validators: no error and no warning, and no informational tag that the package does not
# override with its reason. (lintian's --show-overrides would count an overridden tag as shown.)
root="$work/root"
dpkg-deb -x "$deb" "$root"
lintian_status=0
lintian="$(lintian --fail-on error,warning,info --display-info --pedantic --display-experimental \
  "$deb" 2>&1)" || lintian_status=$?
echo "$lintian" | grep -v -e '^running with root privileges' -e '^$' | sed 's/^/  /' || true
[ "$lintian_status" -eq 0 ] || fail "lintian: errors, warnings or informational tags"
sed 's/^/  overridden: /' "$root/usr/share/lintian/overrides/tervalo"
ok "lintian"

appstream="$(appstreamcli validate-tree --no-net --pedantic "$root" 2>&1)" ||
  { echo "$appstream"; fail "appstreamcli validate-tree"; }
echo "$appstream" | grep -E '^ *[EW]: ' && fail "appstreamcli: errors or warnings"
echo "$appstream"
ok "appstreamcli validate-tree --no-net --pedantic"
# It says nothing of an entry without errors, warnings or hints.
validate_desktop_entry() {
  local said
  if ! said="$(desktop-file-validate "$1" 2>&1)" || [ -n "$said" ]; then
    echo "$said"
    fail "desktop-file-validate $1"
  fi
}
validate_desktop_entry "$root/usr/share/applications/ru.orvek.tervalo.desktop"
ok "desktop-file-validate"

# Everything under /usr, and what a desktop and the program need from it.
dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\.||' >"$work/files"
outside="$(grep -v -e '^/$' -e '^/usr/' "$work/files")" && fail "files outside /usr: $outside"
expected=(/usr/bin/tervalo /usr/share/tervalo/Tervalo.ini /usr/share/tervalo/cities.xml
  /usr/share/applications/ru.orvek.tervalo.desktop
  /usr/share/metainfo/ru.orvek.tervalo.metainfo.xml
  /usr/share/doc/tervalo/copyright /usr/share/doc/tervalo/changelog.Debian.gz
  /usr/share/man/man1/tervalo.1.gz)
for size in 16 22 24 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/tervalo.png")
done
for file in "${expected[@]}"; do
  grep -qxF "$file" "$work/files" || fail "the package lacks $file"
done
for size in 16 22 24 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/tervalo.png"
  actual="$(identify -format '%wx%h' "$icon")"
  [ "$actual" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $actual"
done
ok "${#expected[@]} files where a desktop looks for them, all under /usr"

# No file gives away where it was built, compressed or not.
for dir in "$source_dir" "$build_dir"; do
  found="$(grep -rlaF "$dir" "$root" || true)"
  while read -r gz; do
    zcat "$gz" | grep -qaF "$dir" && found+=" $gz"
  done < <(find "$root" -name '*.gz')
  [ -z "$found" ] || fail "the build path $dir is in:$found"
done
ok "no build path in any file"

depends="$(dpkg-deb -f "$deb" Depends)"
echo "package-test: Depends: $depends"
echo "$depends" | tr ',|' '\n' | grep -E '^ *[a-z0-9.+-]+-dev( |$)' &&
  fail "Depends names a -dev package"
for package in fonts-wine fonts-roboto-unhinted libqt6widgets6 libcurl4 libxml2; do
  echo "$depends" | grep -qE "(^|, )$package( |,|$)" || fail "Depends lacks $package"
done
ok "Depends: the fonts and the runtime libraries, no -dev package"

# The install steps change the machine: only as root, and never over a tervalo that is there.
if ! as_root true 2>/dev/null; then
  echo "package-test: the install, upgrade and removal need root or sudo: skipped"
  exit 0
fi
if dpkg-query -W -f='${Status}' tervalo 2>/dev/null | grep -q 'install ok installed'; then
  echo "package-test: a tervalo package is installed here; the install, upgrade and removal" \
    "would replace and remove it: skipped"
  exit 0
fi

# The upgrade: the same build with the next revision.
revision="${version##*-}"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$work/second" \
  -D CPACK_DEBIAN_PACKAGE_RELEASE=$((revision + 1)) >>"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack did not make the upgrade"; }
upgrade="$(echo "$work"/second/tervalo_*.deb)"
new_version="$(dpkg-deb -f "$upgrade" Version)"
dpkg --compare-versions "$new_version" gt "$version" || fail "$new_version is not above $version"

apt_get() {
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -y -qq -o DPkg::Lock::Timeout=300 "$@"
}
installed_version() { dpkg-query -W -f='${Status} ${Version}' tervalo 2>/dev/null || true; }

installed_here=1
apt_get install "$deb" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get install"; }
[ "$(installed_version)" = "install ok installed $version" ] || fail "$version is not installed"
ok "apt-get install $(basename "$deb")"

# A virtual display; the program connects to its socket from its own network namespace.
Xvfb -displayfd 3 -screen 0 1024x600x24 -noreset -nolisten tcp 3>"$work/display" \
  >/dev/null 2>&1 &
pids+=($!)
wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
virtual_display=":$(head -n 1 "$work/display")"
export DISPLAY="$virtual_display"

# A fresh account, which has never run the program.
account="tervalo-pkg-$$"
as_root useradd --create-home --shell /usr/sbin/nologin "$account"
home="$(getent passwd "$account" | cut -d: -f6)"
data="$home/.config/Orvek"
as_root test ! -e "$data" || fail "the new account has a data folder already"
runtime="$work/runtime"
mkdir -m 700 "$runtime"
as_root chown "$account:" "$runtime"

# The widget as the account's desktop starts it, offline: a network namespace with no
# interface up, where no name resolves and no connection can be made.
as_root unshare --net -- setpriv --reuid="$account" --regid="$account" --init-groups -- \
  env -i HOME="$home" USER="$account" LOGNAME="$account" PATH=/usr/bin:/bin \
  LANG=C.UTF-8 DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$runtime" /usr/bin/tervalo \
  >"$work/tervalo.log" 2>&1 &
pids+=($!)

programs() { pgrep -u "$account" -x tervalo || true; }
widget_shown() { xwininfo -name Tervalo >/dev/null 2>&1; }
wait_for 200 widget_shown || { cat "$work/tervalo.log"; fail "the window did not appear"; }
old="$(programs)"
[ "$(echo "$old" | wc -w)" -eq 1 ] || fail "not one program runs: $old"
for file in Tervalo.ini cities.xml; do
  as_root cmp -s "/usr/share/tervalo/$file" "$data/$file" ||
    fail "$data/$file is not the copy of /usr/share/tervalo/$file"
done
[ "$(as_root stat -c '%U %a' "$data/Tervalo.ini")" = "$account 600" ] ||
  fail "the settings file is not the account's alone"
ok "the widget appears for a fresh account, offline, with both files copied from /usr/share/tervalo"

# The upgrade under the running widget leaves it running its old, now deleted, executable.
apt_get install "$upgrade" >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get upgrade"; }
[ "$(installed_version)" = "install ok installed $new_version" ] ||
  fail "$new_version is not installed"
[[ "$(as_root readlink "/proc/$old/exe")" == "/usr/bin/tervalo (deleted)" ]] ||
  fail "the widget does not run the replaced executable: $(as_root readlink "/proc/$old/exe")"
ok "apt-get install $(basename "$upgrade") under the running widget"

# Apply in the settings dialog, as a user gives it: the widget's menu (right click), its
# item "Настройки" (the last but one), on the page "Общее" the box "Запускать при входе в
# систему", and the button "Применить".
read -r left top < <(xwininfo -name Tervalo |
  awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
xdotool mousemove $((left + 60)) $((top + 150)) click 3
sleep 1
xdotool key --delay 100 Up Up Return
# The dialog's title is the program's, "tervalo" (the widget's is "Tervalo"): the shown window
# of that exact name, its top left corner on the screen.
dialog_corner() {
  local window
  for window in $(xwininfo -root -tree | awk '$2 == "\"tervalo\":" { print $1 }'); do
    xwininfo -id "$window" | awk '
      /Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } /Width:/ { w = $2 }
      /Map State: IsViewable/ { shown = 1 }
      END { if (shown && w > 100) { print x, y; found = 1 } exit !found }' && return 0
  done
  return 1
}
wait_for 100 dialog_corner >/dev/null || fail "the settings dialog did not open"
read -r dialog_left dialog_top < <(dialog_corner)
click_in_dialog() {
  sleep 0.5
  xdotool mousemove $((dialog_left + $1)) $((dialog_top + $2)) click 1
}
click_in_dialog 29 10
click_in_dialog 62 143
click_in_dialog 272 265
old_ended() { ! as_root kill -0 "$old" 2>/dev/null; }
wait_for 200 old_ended || fail "the old program did not end after Apply"

# The old program wrote the autostart entry: for the program at the path it was started from,
# not for the image it ran, which the upgrade deleted.
autostart="$home/.config/autostart/tervalo.desktop"
as_root cat "$autostart" >"$work/autostart.desktop" 2>/dev/null ||
  fail "Apply wrote no autostart entry"
for line in TryExec=/usr/bin/tervalo Exec=/usr/bin/tervalo; do
  grep -qxF "$line" "$work/autostart.desktop" ||
    { cat "$work/autostart.desktop"; fail "the autostart entry lacks $line"; }
done
validate_desktop_entry "$work/autostart.desktop"

# The restart runs the upgraded executable: the file now at /usr/bin/tervalo, not the one the
# old program ran.
new_program() {
  local running
  running="$(programs)"
  [ "$(echo "$running" | wc -w)" -eq 1 ] &&
    [ "$(as_root stat -L -c %i "/proc/$running/exe" 2>/dev/null)" = \
      "$(stat -c %i /usr/bin/tervalo)" ] &&
    widget_shown
}
wait_for 200 new_program || { cat "$work/tervalo.log"; fail "the upgraded program does not run"; }
new="$(programs)"
ok "Apply writes the autostart entry of /usr/bin/tervalo and restarts the widget as" \
  "$new_version ($(as_root readlink "/proc/$new/exe"))"

as_root kill -TERM "$new"
new_ended() { ! as_root kill -0 "$new" 2>/dev/null; }
wait_for 200 new_ended || fail "the widget did not end on SIGTERM"

apt_get remove tervalo >"$work/apt.log" 2>&1 ||
  { cat "$work/apt.log"; fail "apt-get remove"; }
installed_here=""
[ -z "$(installed_version)" ] || fail "after its removal dpkg still knows: $(installed_version)"
dpkg-deb -c "$upgrade" | awk '{ print $6 }' | sed 's|^\.||' | while read -r path; do
  [ -d "$path" ] || [ ! -e "$path" ] || fail "$path is left after the removal"
done
remains="$(find /usr -path /usr/local -prune -o -path '*tervalo*' -print 2>/dev/null || true)"
[ -z "$remains" ] || fail "left under /usr after the removal: $remains"
as_root test -f "$data/Tervalo.ini" || fail "the removal took the account's settings"
ok "apt-get remove tervalo leaves nothing under /usr, and the account's settings and autostart" \
  "entry, which names the removed program in TryExec, in its home"

echo "package-test: passed in $((SECONDS - start)) s"
