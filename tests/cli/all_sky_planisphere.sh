#!/bin/sh
# all_sky_planisphere.sh PROGRAM: the all-sky picture and the planisphere
# through the real program.
#  - --find --dir zenith gives the all-sky frame, and the object's pixel lies
#    inside its circle; --identify at that pixel names the object again.
#  - --render FILE.pdf --dir zenith is one page titled 全天; frames with
#    trails are made in it too.
#  - --planisphere gives two A4 portrait pages (Tokyo: the mask says 19
#    minutes; Sydney: face north), under 1 MB; a latitude near the equator is
#    refused in one Japanese line with status 2 and no file; so is a .png.
prog=$1
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
fail() { echo "$*"; exit 1; }
at="2026-01-15 22:00"

found=$("$prog" --find ベテルギウス --dir zenith --at "$at" --place 東京) || fail "--find failed: $found"
echo "find: $found"
case $found in *'"direction": "zenith"'*'"frame": {"projection": "stereographic", "centreX": '*) ;; *) fail "no all-sky frame" ;; esac
num() { printf '%s' "$found" | sed -n "s/.*\"$1\": \([-0-9.]*\).*/\1/p"; }
x=$(num x); y=$(num y); cx=$(num centreX); cy=$(num centreY); r=$(num radiusPx)
awk -v x="$x" -v y="$y" -v cx="$cx" -v cy="$cy" -v r="$r" 'BEGIN { exit !((x-cx)^2 + (y-cy)^2 <= r^2) }' ||
  fail "the pixel $x,$y is outside the circle"
got=$("$prog" --identify "$x,$y" --dir zenith --at "$at" --place 東京) || fail "--identify failed"
echo "identify: $got"
case $got in *'"name": "ベテルギウス"'*) ;; *) fail "not Betelgeuse" ;; esac

"$prog" --render "$dir/allsky.pdf" --dir zenith --at "$at" --place 東京 --show names,constellations \
  --constellations all || fail "all-sky PDF failed"
pdfinfo "$dir/allsky.pdf" | grep -q '^Pages: *1$' || fail "the all-sky PDF is not one page"
pdftotext "$dir/allsky.pdf" - | grep -q '全天' || fail "no 全天 in the title"

"$prog" --render "$dir/night.png" --dir zenith --frames 2 --every 30 --at "$at" --place 東京 --trails 1 ||
  fail "all-sky frames failed"
[ -s "$dir/night-0001.png" ] && [ -s "$dir/night-0002.png" ] || fail "no all-sky frames"
# The free view: a picture, and on paper its look in the title.
"$prog" --render "$dir/free.png" --dir free --look 180,35 --fov 90 --at "2026-12-11 23:59" --place 東京 \
  --show names,constellations --constellations オリオン座 || fail "the free view failed"
[ -s "$dir/free.png" ] || fail "no free view"
"$prog" --render "$dir/free.pdf" --dir free --look 120,20 --fov 150 --at "2026-12-11 19:00" --place 東京 || fail "free PDF failed"
pdftotext "$dir/free.pdf" - | grep -q '自由視点（方位120° 高度20° 視野150°）' || fail "the free view's title does not say where it looks"
# Trails on paper and as vectors, their span in the title (the sky is drawn at its end).
"$prog" --render "$dir/trails.pdf" --trails 3 --at "2026-12-11 15:00" --place 東京 || fail "trails on a PDF failed"
pdftotext "$dir/trails.pdf" - | grep -q '2026年12月11日 15:00〜18:00 日本時間' || fail "the PDF's title has no span"
"$prog" --render "$dir/trails.svg" --trails 3 --at "2026-12-11 21:00" --place 東京 --dir north || fail "trails SVG failed"
grep -q '21:00〜12月12日 0:00' "$dir/trails.svg" || fail "the SVG's title has no span past midnight"

"$prog" --planisphere "$dir/hayami.pdf" --place 東京 || fail "planisphere failed"
info=$(pdfinfo "$dir/hayami.pdf")
echo "$info" | grep -q '^Pages: *2$' || fail "not two pages"
echo "$info" | grep -q 'Page size: *595.* x 841.*\|Page size: *595.* x 842.*' || fail "not A4 portrait: $info"
[ "$(wc -c < "$dir/hayami.pdf")" -lt 1048576 ] || fail "over 1 MB"
text=$(pdftotext "$dir/hayami.pdf" -)
for word in 星図盤 地平盤 天頂 切り取り線 ピン 東京（東経139.75°）で使うように; do
  printf '%s' "$text" | grep -q "$word" || fail "no $word in the planisphere"
done
"$prog" --planisphere "$dir/sydney.pdf" --place シドニー || fail "southern planisphere failed"
pdftotext "$dir/sydney.pdf" - | grep -q 'たとえば「北」' || fail "the southern mask does not face north"

err=$("$prog" --planisphere "$dir/quito.pdf" --lat -0.18 --lon -78.47 2>&1 >/dev/null)
status=$?
[ $status -eq 2 ] || fail "near the equator: status $status"
[ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "not one line: $err"
case $err in *赤道*) ;; *) fail "the reason is not given: $err" ;; esac
[ ! -e "$dir/quito.pdf" ] || fail "a refused planisphere left a file"
"$prog" --planisphere "$dir/hayami.png" --place 東京 2>/dev/null
[ $? -eq 2 ] || fail "a .png planisphere was not refused"
exit 0
