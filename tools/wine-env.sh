# Sourced by the Wine bench and by wine-run: the environment of a build's bench, and its processes.

# wine_env BUILD: the prefix, display and sound set-up of that build's bench.
wine_env() {
  local state=$1/winebench
  export WINEPREFIX=$1/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  # A test may ask for another sound setup (/dev/null: no sound device at all).
  export ALSA_CONFIG_PATH=${TAVORA_ALSA_CONFIG:-$state/alsa.conf}
  DISPLAY=$(cat "$state/display")
  export DISPLAY
}

# running FILE: whether the process recorded in FILE ("pid start-time") still runs. The start time
# tells it from a later process given the same pid. Builtins only: wine-run asks twice per test.
running() {
  local pid since stat
  read -r pid since 2>/dev/null < "$1" || return 1
  read -r -a stat 2>/dev/null < "/proc/$pid/stat" || return 1
  [ "${stat[21]}" = "$since" ]
}

# record PID FILE: writes "pid start-time" of that process to FILE.
record() {
  local stat
  read -r -a stat < "/proc/$1/stat"
  echo "$1 ${stat[21]}" > "$2"
}
