#!/bin/sh
# identify_find.sh PROGRAM: --find シリウス on 15 January 2026, 22:00 over
# Tokyo gives the southern picture and a pixel; --identify at that pixel (and
# 3 pixels off it) names Sirius, HR 2491; empty sky low in the south is "none" with its altitude.
prog=$1
at="2026-01-15 22:00"
found=$("$prog" --find しりうす --at "$at" --place 東京) || { echo "--find failed: $found"; exit 1; }
echo "find: $found"
case $found in *'"direction": "south"'*) ;; *) echo "not in the southern picture"; exit 1 ;; esac
x=$(printf '%s' "$found" | sed -n 's/.*"x": \([-0-9.]*\).*/\1/p')
y=$(printf '%s' "$found" | sed -n 's/.*"y": \([-0-9.]*\).*/\1/p')
[ -n "$x" ] && [ -n "$y" ] || { echo "no pixel"; exit 1; }
for px in "$x,$y" "$(awk -v x="$x" 'BEGIN { print x + 3 }'),$y"; do
  got=$("$prog" --identify "$px" --at "$at" --place 東京 --dir south --show names,constellations --seed 1) || exit 1
  echo "identify $px: $got"
  case $got in *'"name": "シリウス"'*'"hr": 2491'*) ;; *) echo "not Sirius"; exit 1 ;; esac
done
got=$("$prog" --identify 500,580 --at "$at" --place 東京 --dir south)
echo "identify 500,580: $got"
case $got in '{"kind": "none", "alt": '*) ;; *) echo "the corner is not empty sky"; exit 1 ;; esac
exit 0
