#!/usr/bin/env bash
# The bench's verdicts: a test program cut short with exit code 0 fails, saying so; a program
# Wine cannot start fails with Wine's exit code, the time taken and the state of the server.
#   winebench_test.sh CUT_SHORT_EXE
set -uo pipefail
run=$(cd "$(dirname "$0")/../../../tools" && pwd)/wine-run
exe=$1
status=0

out=$("$run" --gtest "$exe" 2>&1)
rc=$?
if [ $rc -eq 0 ] || ! grep -q 'cut_short.exe: ended without the test summary (exit code 0 after' <<<"$out"; then
  echo "a run cut short was not judged failed (exit code $rc):"; echo "$out"; status=1
fi

out=$("$run" --gtest "$(dirname "$exe")/no_such_program.exe" 2>&1)
rc=$?
if [ $rc -eq 0 ] || ! grep -Eq "wine exited with code $rc after [0-9]+\.[0-9]{2} s; the bench's wineserver \(pid [0-9]+\) up before" <<<"$out"; then
  echo "a failing Wine start was not explained (exit code $rc):"; echo "$out"; status=1
fi
exit $status
