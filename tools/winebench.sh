#!/usr/bin/env bash
# The Wine bench: one prefix per build, one Xvfb per run.
#   winebench.sh start BUILD   prepares the prefix, starts Xvfb and a warm wineserver
#   winebench.sh stop BUILD    stops the wineserver, then Xvfb by its pid
set -euo pipefail
cmd=$1
build=$(cd "$2" && pwd)
state=$build/winebench
prefix=$build/wineprefix
mkdir -p "$state"

wine_env() {
  export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  export ALSA_CONFIG_PATH=$state/alsa.conf
  export DISPLAY=$(cat "$state/display")
}

stop() {
  if [ -f "$state/display" ]; then
    wine_env
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  if [ -f "$state/xvfb.pid" ]; then
    pid=$(cat "$state/xvfb.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
    rm -f "$state/xvfb.pid"
  fi
  rm -f "$state/display"
}

start() {
  stop  # a run that was killed may have left its server or display behind
  echo 'pcm.!default { type null }' > "$state/alsa.conf"
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  echo $! > "$state/xvfb.pid"
  echo ":$n" > "$state/display"
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.05; done
  wine_env
  if [ ! -f "$prefix/.tavora-ready" ]; then
    rm -rf "$prefix"
    wineboot -i </dev/null >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.tavora-ready"
  fi
  # Japanese captions need the IPA font linked behind the dialog fonts.
  if [ ! -f "$prefix/.tavora-fonts" ]; then
    for face in Tahoma 'MS Shell Dlg'; do
      wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" \
        /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f </dev/null >/dev/null 2>&1
    done
    touch "$prefix/.tavora-fonts"
  fi
  # The first process starts services that keep its output open: give them nothing to hold.
  wine cmd /c exit </dev/null >/dev/null 2>&1
}

case $cmd in
  start) start ;;
  stop) stop ;;
  *) echo "usage: winebench.sh start|stop BUILD" >&2; exit 2 ;;
esac
