#!/usr/bin/env bash
# Installs what the build and the tests need, when it is missing (Debian 12, as root or with sudo).
#   bootstrap.sh       for building and testing
#   bootstrap.sh run   also what showing the programs needs: Japanese fonts, screenshots
#   bootstrap.sh bench also curl, which the table download's bench runs beside the pool
set -euo pipefail
needed=(cmake g++ make googletest libgtest-dev g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth libgumbo-dev clang libclang-rt-14-dev)
[ "${1:-}" = run ] && needed+=(fonts-ipafont-gothic x11-apps x11-utils imagemagick)
[ "${1:-}" = bench ] && needed+=(curl)
missing=()
for p in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
