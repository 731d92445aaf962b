#!/bin/sh
# Runs the printing-on-a-full-disk test on a real full file system: a 100 KB
# tmpfs in a private mount namespace, holding an old PDF and filled to the
# last byte. Needs root and unshare; skipped (77) otherwise.
prog="$1"
[ "$(id -u)" -eq 0 ] || exit 77
unshare -m true 2>/dev/null || exit 77
dir=$(mktemp -d) || exit 1
trap 'rmdir "$dir" 2>/dev/null' EXIT
unshare -m sh -c '
    mount -t tmpfs -o size=100k tmpfs "$1" || exit 77
    printf "%%PDF-1.4\n%% the only copy of last week'"'"'s chart\n%%%%EOF\n" > "$1/keep.pdf"
    dd if=/dev/zero of="$1/filler" bs=1k 2>/dev/null
    PLANETARIUM_FULL_DIR="$1" QT_QPA_PLATFORM=offscreen "$2" \
        --gtest_filter=ChartOutputTest.PrintingToAPdfOnAFullDiskKeepsTheOldFile --gtest_also_run_disabled_tests
    s=$?
    umount "$1"
    exit $s' sh "$dir" "$prog"
