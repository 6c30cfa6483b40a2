#!/usr/bin/env bash
# What ships, the folder and the archive alike, is exactly the three programs, the engine's eight
# command files and the recorder's default settings; a file a run wrote beside the built programs
# stays out.
#   dist_test.sh BUILD
set -euo pipefail
build=$(cd "$1" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out" "$build/bin/capForm.dat"' EXIT
: > "$build/bin/capForm.dat"
"$(dirname "$0")/../../../tools/dist.sh" "$build" "$out/dist" >/dev/null
cd "$out/dist"
name=$(basename -- *.zip .zip)
expected="$name.zip $name/grabcore.exe $name/guidepane.exe $name/recdesk.exe
$(for f in preView preView2a preView2b preView3 record1a record1b record1c record1z; do echo "$name/script/$f.cmd"; done)
$name/timerSetup.dat"
expected=$(tr ' ' '\n' <<<"$expected" | sort)
folder=$(find . -type f | sed 's|^\./||' | sort)
archive=$( (echo "$name.zip"; cmake -E tar tf "$name.zip" | grep -v '/$') | sort)
status=0
diff <(echo "$expected") <(echo "$folder") || { echo "the folder holds other files (> theirs)"; status=1; }
diff <(echo "$expected") <(echo "$archive") || { echo "the archive holds other files (> theirs)"; status=1; }
exit $status
