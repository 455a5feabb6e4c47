#!/usr/bin/env bash
# The real game on an X desktop (Xvfb with openbox), its statistics window 成績 and its manual
# open, ended in each way a player's desktop ends it: Esc and はい, Alt+F4, SIGTERM, SIGINT,
# SIGHUP, and the X server going away. Each time the whole program must end, its record saved.
#   desktop-close-check.sh BUILD_DIR
set -u
build=$(realpath "$1")
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
status=0

# Waits up to 30 s for a visible window whose title matches $1; prints its id.
window() {
  for _ in $(seq 300); do
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep . && return 0
    sleep 0.1
  done
  return 1
}

run() {
  local way=$1 dir n xvfb wm pid wid t0 ms rc
  dir=$(mktemp -d)
  cp "$build/dojokai" "$build/dojokai.bin" "$build/dojokai.hlp" "$dir/"
  # The server picks a free display itself and names it once it takes clients.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$dir/display" >/dev/null 2>&1 & xvfb=$!
  for _ in $(seq 200); do [ -s "$dir/display" ] && break; sleep 0.05; done
  n=$(head -1 "$dir/display")
  export DISPLAY=":$n"
  openbox >/dev/null 2>&1 & wm=$!
  # The window manager takes over the screen before the game maps its window.
  for _ in $(seq 250); do xdotool search --class openbox >/dev/null 2>&1 && break; sleep 0.02; done
  sleep 0.2
  (cd "$dir" && exec ./dojokai) >"$dir/out.txt" 2>&1 & pid=$!
  if wid=$(window '^DOJOKAI$'); then
    sleep 0.3  # the title takes keys from its first tick
    xdotool windowfocus --sync "$wid" key F10
    window '説明書' >/dev/null || { echo "$way: no manual"; status=1; }
    xdotool windowfocus --sync "$wid" key g
    window '^成績' >/dev/null || { echo "$way: no statistics window"; status=1; }
    case $way in
      esc) xdotool windowfocus --sync "$wid" key Escape
           sleep 0.5
           xdotool key shift+Tab space ;;  # from いいえ to はい
      alt+f4) xdotool windowfocus --sync "$wid" key alt+F4 ;;
      TERM|INT|HUP) kill -s "$way" "$pid" ;;
      x-gone) kill -9 "$xvfb" ;;
    esac
  else
    echo "$way: no game window"; cat "$dir/out.txt"; status=1
  fi
  t0=$(date +%s%N)
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  ms=$((($(date +%s%N) - t0) / 1000000))
  if kill -0 "$pid" 2>/dev/null; then
    echo "$way: the program still runs 5 s later"; status=1
    kill -9 "$pid"
  fi
  wait "$pid"; rc=$?
  [ "$way" = x-gone ] || [ $rc = 0 ] || { echo "$way: exit status $rc"; cat "$dir/out.txt"; status=1; }
  [ "$(stat -c %s "$dir/dojokai.dat" 2>/dev/null)" = 4095 ] || { echo "$way: no record saved"; status=1; }
  echo "$way: ended after $ms ms"
  kill "$wm" "$xvfb" 2>/dev/null; wait "$wm" "$xvfb" 2>/dev/null
  rm -rf "$dir"
}

for way in ${WAYS:-esc alt+f4 TERM INT HUP x-gone}; do run "$way"; done
exit $status
