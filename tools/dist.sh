#!/usr/bin/env bash
# Makes what ships from a Windows build by its install and packaging rules:
#   dist.sh BUILD OUT   OUT/Tavora-<version>/ (the installed folder) and OUT/Tavora-<version>.zip
#                       (that folder in one archive); OUT is made anew
set -euo pipefail
build=$(cd "$1" && pwd)
out=$2
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$name" ] || { echo "dist.sh: no package name in $build/CPackConfig.cmake" >&2; exit 2; }
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
cmake --install "$build" --prefix "$out/$name" >/dev/null
# CPack's own work folder, inside OUT so that two runs never share one.
cpack --config "$build/CPackConfig.cmake" -B "$out/.cpack" >/dev/null
mv "$out/.cpack/$name.zip" "$out/"
rm -rf "$out/.cpack"
echo "$out/$name"
echo "$out/$name.zip"
