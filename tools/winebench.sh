#!/usr/bin/env bash
# The Wine bench: one prefix per build; one Xvfb, one wineserver and one idle keeper per run.
#   winebench.sh start BUILD   prepares the prefix, starts Xvfb (or takes $TAVORA_DISPLAY), the wineserver
#                              and the keeper
#   winebench.sh check BUILD   says whether every Wine run since start used that one server
#   winebench.sh stop BUILD    ends this run's wineserver (the keeper with it), then its Xvfb
set -euo pipefail
cmd=$1
build=$(cd "$2" && pwd)
state=$build/winebench
prefix=$build/wineprefix
mkdir -p "$state"
source "$(dirname "$0")/wine-env.sh"

# The pid of the wineserver of $WINEPREFIX, or nothing. It works in a folder named after the
# prefix's device and inode, which tells it from the servers of other prefixes.
server_pid() {
  local want p
  want=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
  for p in $(pgrep -x 'wineserver(64)?'); do
    [ "$(basename "$(readlink "/proc/$p/cwd" 2>/dev/null)")" = "$want" ] && echo "$p" && return 0
  done
  return 0
}

stop() {
  if [ -f "$state/display" ]; then
    wine_env "$build"
    # Only this prefix's server: it ends the keeper, the services and any test left running.
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  # Only the Xvfb this bench started, and only while it is that process.
  if running "$state/xvfb.pid"; then
    read -r pid _ < "$state/xvfb.pid"
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do running "$state/xvfb.pid" || break; sleep 0.1; done
    if running "$state/xvfb.pid"; then kill -9 "$pid" 2>/dev/null || true; fi
  fi
  rm -f "$state/xvfb.pid" "$state/server.pid" "$state/display" "$state/keeper.fifo" "$state"/out.*
}

start() {
  stop  # a run that was killed may have left its server or display behind
  echo 'pcm.!default { type null }' > "$state/alsa.conf"
  : > "$state/runs.log"
  if [ -n "${TAVORA_DISPLAY:-}" ]; then
    # The user's own display: the programs show there, and it is not ours to stop.
    echo "$TAVORA_DISPLAY" > "$state/display"
  else
    # Xvfb picks a free display, holds it, and writes its number once it accepts connections.
    rm -f "$state/xvfb.display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$state/xvfb.display" >/dev/null 2>&1 &
    local pid=$! n=
    for _ in $(seq 200); do
      n=$(grep -x '[0-9][0-9]*' "$state/xvfb.display" || true)
      [ -n "$n" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.05
    done
    if [ -z "$n" ]; then
      kill "$pid" 2>/dev/null || true
      echo "winebench: Xvfb did not start" >&2
      exit 1
    fi
    record "$pid" "$state/xvfb.pid"
    echo ":$n" > "$state/display"
  fi
  wine_env "$build"
  if [ ! -f "$prefix/.tavora-ready" ]; then
    rm -rf "$prefix"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.tavora-ready"
  fi
  # Without a window manager (Xvfb), managed windows cost about 2 s each to hide or destroy; on the
  # user's display the window manager frames them.
  local managed=N
  [ -n "${TAVORA_DISPLAY:-}" ] && managed=Y
  if [ ! -f "$prefix/.tavora-managed-$managed" ]; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d $managed /f </dev/null >/dev/null 2>&1
    wineserver -w
    rm -f "$prefix"/.tavora-managed-*
    touch "$prefix/.tavora-managed-$managed"
  fi
  # Japanese captions need the IPA font linked behind the dialog fonts. Wine writes its own links
  # again whenever the locale's code page changes, so they are set anew for each locale.
  local fonts="$prefix/.tavora-fonts-${LC_ALL:-${LANG:-C}}"
  if [ ! -f "$fonts" ]; then
    for face in Tahoma 'MS Shell Dlg'; do
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
        /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f </dev/null >/dev/null 2>&1
    done
    wineserver -w
    rm -f "$prefix"/.tavora-fonts*
    touch "$fonts"
  fi
  # A program that crashes ends with a backtrace on its output instead of waiting in the
  # debugger's crash dialog, which would hold the test run until its time runs out.
  if [ ! -f "$prefix/.tavora-crashes" ]; then
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.tavora-crashes"
  fi
  # The server ends soon after its last program, and a test that starts while it ends dies without
  # a word. The keeper, an idle program reading a pipe nobody writes, holds it for the whole run;
  # the services it starts inherit its empty output, not a test's.
  mkfifo "$state/keeper.fifo"
  wine cmd /c "set /p x=" <>"$state/keeper.fifo" >/dev/null 2>&1 &
  # Returns once the server and the keeper's services answer.
  wine cmd /c exit </dev/null >/dev/null 2>&1
  local server
  server=$(server_pid)
  if [ -z "$server" ]; then
    echo "winebench: no wineserver runs for $prefix" >&2
    exit 1
  fi
  record "$server" "$state/server.pid"
}

# runs.log: one line per Wine run, "program before after", each "up" or "gone" for the server
# the bench started.
check() {
  local runs server
  runs=$(wc -l < "$state/runs.log")
  read -r server _ < "$state/server.pid"
  if [ "$runs" -gt 0 ] && running "$state/server.pid" && ! grep -q gone "$state/runs.log"; then
    echo "winebench: $runs Wine runs, all on the one wineserver started with the bench (pid $server)"
  else
    echo "winebench: not every Wine run found the bench's wineserver (pid $server) up; see $state/runs.log" >&2
    return 1
  fi
}

case $cmd in
  start) start ;;
  check) check ;;
  stop) stop ;;
  *) echo "usage: winebench.sh start|check|stop BUILD" >&2; exit 2 ;;
esac
