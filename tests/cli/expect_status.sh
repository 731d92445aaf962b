#!/bin/sh
# expect_status.sh STATUS PROGRAM ARGS...: runs the program and passes when it
# exits with STATUS; for status 2 it also wants exactly one line on stderr.
want=$1
shift
err=$("$@" 2>&1 >/dev/null)
got=$?
if [ "$got" -ne "$want" ]; then
  echo "exit status $got, wanted $want; stderr: $err"
  exit 1
fi
if [ "$want" -eq 2 ] && [ "$(printf '%s\n' "$err" | wc -l)" -ne 1 ]; then
  echo "wanted one line on stderr, got: $err"
  exit 1
fi
echo "exit status $got; stderr: $err"
