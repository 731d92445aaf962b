#!/bin/sh
# hostile_env.sh CASE PROGRAM: the program in environments a user or an
# attacker may hand it (odd files, no display, legacy file names, limits).
# Each case runs in its own temporary directory; exit 0 passes, 77 skips.
case_name=$1
prog=$2
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
trap 'exit 1' HUP INT TERM
cd "$dir" || exit 1

fail() { echo "FAIL: $*"; exit 1; }
# one_line FILE: the file holds exactly one line.
one_line() { [ "$(wc -l < "$1")" -eq 1 ] || fail "wanted one line on stderr, got: $(cat "$1")"; }
render() { "$prog" --render "$@" --at '2026-01-15 22:00' --place 東京; }

case $case_name in
fifo_settings)
    # A FIFO where the settings file should be: never opened for reading
    # (that blocks for ever), the picture is drawn for 東京, the FIFO stays.
    mkfifo pstart.txt || exit 77
    timeout 60 "$prog" --render sky.png --at '2026-01-15 22:00' 2>err
    s=$?
    [ $s -eq 0 ] || fail "status $s: $(cat err)"
    [ -s sky.png ] || fail "no picture"
    [ -p pstart.txt ] || fail "the FIFO was replaced"
    ;;
render_any_platform)
    # Modes without a window ignore QT_QPA_PLATFORM: no display needed.
    for platform in xcb wayland nonesuch; do
        env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=$platform "$prog" --render sky.png \
            --at '2026-01-15 22:00' 2>err
        s=$?
        [ $s -eq 0 ] || fail "QT_QPA_PLATFORM=$platform: status $s: $(cat err)"
        [ ! -s err ] || fail "QT_QPA_PLATFORM=$platform: stderr: $(cat err)"
    done
    ;;
window_no_display)
    # The window with no display: one line, a non-zero status, no signal.
    for platform in xcb wayland nonesuch; do
        env -u DISPLAY WAYLAND_DISPLAY=no-such-compositor QT_QPA_PLATFORM=$platform XDG_RUNTIME_DIR="$dir" \
            "$prog" 2>err
        s=$?
        [ $s -ne 0 ] && [ $s -lt 128 ] || fail "QT_QPA_PLATFORM=$platform: status $s"
        one_line err
        grep -q -- '--render' err || fail "the line does not say how to render: $(cat err)"
    done
    ;;
latin1_name)
    # A Latin-1 file name is written under exactly that name or refused with
    # one line and status 2; never under a name with U+FFFD in it.
    name=$(printf 'caf\351.png')
    render "$name" 2>err
    s=$?
    ls | grep -q "$(printf '\357\277\275')" && fail "a file with U+FFFD in its name was written"
    if [ $s -eq 0 ]; then
        [ -s "$name" ] || fail "status 0 but no file under the given name"
    else
        [ $s -eq 2 ] || fail "status $s"
        one_line err
        grep -q 'caf\\xe9' err || fail "the name is not shown escaped: $(cat err)"
        [ "$(ls | grep -v '^err$')" = "" ] || fail "files left: $(ls)"
    fi
    ;;
size_limit_keeps_old)
    # A file-size limit below the picture's size over an existing picture:
    # status 1, one line, the old picture untouched, no temporary file left.
    render old.png 2>err || fail "first picture: $(cat err)"
    cp old.png before.png
    (ulimit -f 16; "$prog" --render old.png --at '2026-08-13 02:00' --place 那覇 --show names 2>err)
    s=$?
    [ $s -eq 1 ] || fail "status $s: $(cat err)"
    one_line err
    cmp -s old.png before.png || fail "the old picture was changed"
    [ "$(ls | sort | tr '\n' ' ')" = "before.png err old.png " ] || fail "left behind: $(ls)"
    ;;
stdout_targets)
    # "-" writes the picture to standard output; /dev/stdout is written in
    # place, so a shell's ">>" keeps what the file held.
    render - > dash.png 2>err || fail "--render -: $(cat err)"
    [ "$(head -c 8 dash.png | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "not a PNG on stdout"
    echo before > appended
    render /dev/stdout >> appended 2>err || fail "--render /dev/stdout: $(cat err)"
    [ "$(head -n 1 appended)" = before ] || fail "the earlier content of the >> file was lost"
    [ "$(wc -c < appended)" -eq $(( $(wc -c < dash.png) + 7 )) ] || fail "the picture is not appended whole"
    ;;
stdout_full)
    # Text that cannot reach standard output (here a file-size limit) is an
    # error in every mode: status 1 and one line, no SIGXFSZ.
    for mode in --help --json; do
        (ulimit -f 1; "$prog" $mode > out 2>err)
        s=$?
        [ $s -eq 1 ] || fail "$mode: status $s"
        one_line err
    done
    ;;
device_kept)
    # A device (a copy of /dev/full on a private tmpfs, in a private mount
    # namespace) and a link to it: the write fails, one line, status 1, and
    # neither the device node nor the link is removed.
    [ "$(id -u)" -eq 0 ] || exit 77
    unshare -m true 2>/dev/null || exit 77
    unshare -m sh -c '
        mount -t tmpfs tmpfs "$1" && mknod "$1/full" c 1 7 && ln -s full "$1/link" || exit 77
        for target in full link; do
            "$2" --render "$1/$target" --at "2026-01-15 22:00" 2>"$1/err"
            s=$?
            [ $s -eq 1 ] || { echo "FAIL: $target: status $s: $(cat "$1/err")"; exit 1; }
            [ "$(wc -l < "$1/err")" -eq 1 ] || { echo "FAIL: $target: $(cat "$1/err")"; exit 1; }
        done
        [ -c "$1/full" ] || { echo "FAIL: the device node was removed"; exit 1; }
        [ -L "$1/link" ] || { echo "FAIL: the link was removed"; exit 1; }
        umount "$1"' sh "$dir" "$prog"
    exit $?
    ;;
remembered_place)
    # No place given: every mode uses the place the window remembered, and
    # 東京 when it remembered none (or the file cannot be used).
    printf '67\r\n' > pstart.txt  # ロンドン, as the window writes it
    "$prog" --json --at '2026-07-01 22:00' > json || fail "--json failed"
    grep -q '"place": "ロンドン"' json || fail "--json did not use the remembered place"
    grep -q '"timeZone": "Europe/London"' json || fail "--json did not use the place's zone"
    "$prog" --render chart.svg --at '2026-07-01 22:00' || fail "--render failed"
    grep -q 'ロンドン' chart.svg || fail "--render did not use the remembered place"
    printf 'not a place\n' > pstart.txt
    "$prog" --json --at '2026-07-01 22:00' | grep -q '"place": "東京"' || fail "a damaged file did not give 東京"
    rm pstart.txt
    "$prog" --json --at '2026-07-01 22:00' | grep -q '"place": "東京"' || fail "no file did not give 東京"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "ok: $case_name"
