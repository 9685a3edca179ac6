#!/usr/bin/env bash
# Takes the README's screenshots (docs/images/*.png): the built program runs under Xvfb on
# short clips and a small DVD folder made on the spot, is driven with real pointer events
# (xdotool) and each window is grabbed with ImageMagick's import. Nothing outside a temporary
# folder is touched besides docs/images/.
#   docs/make-screenshots.sh [BUILD_DIR]     (default: build; builds it first)
# Needs the test packages (./scripts/install-deps.sh installs them).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(realpath -m "${1:-$root/build}")

if [ -z "${VC_SHOTS_ON_XVFB:-}" ]; then
    cmake -S "$root" -B "$build" >/dev/null
    cmake --build "$build" -j"$(nproc)" --target videoconverter register artwork profiles_pop >/dev/null
    exec env VC_SHOTS_ON_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" "${BASH_SOURCE[0]}" "$build"
fi

program="$build/program"
images="$root/docs/images"
work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$images" "$work/clips"

clip() {  # clip NAME SECONDS SIZE
    ffmpeg -nostdin -v error -y -f lavfi -i "testsrc2=size=$3:rate=25:duration=$2" \
        -f lavfi -i "sine=frequency=440:duration=$2" -shortest -pix_fmt yuv420p "$work/clips/$1"
}
clip "Holiday by the sea.mp4" 60 1280x720
clip "Birthday party.mkv" 30 640x480
clip "Garden concert.avi" 20 640x480
bash "$root/tests/fixtures/make-dvd.sh" "$work/dvd" >/dev/null

# start EDITION ARGS...: the edition with its own home; waits for its window to show.
start() {
    local edition=$1
    shift
    [ -n "$pid" ] && { kill "$pid"; wait "$pid" 2>/dev/null || true; }
    rm -rf "$work/home" && mkdir -p "$work/home/config/videoconverter"
    printf '[output]\npath=~/Videos/\n' >"$work/home/config/videoconverter/$edition.ini"
    HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" VC_PROMPT_LOG="$work/home/prompts.log" \
        VC_SHELL_LOG="$work/home/shell.log" QT_QPA_PLATFORM=xcb "$program/$edition" "$@" &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --pid "$pid" | head -n1)
    sleep 1
}
move() { xdotool mousemove --window "$window" "$1" "$2"; sleep 0.4; }
click() { move "$1" "$2"; xdotool click 1; sleep 0.6; }
shoot() { import -window "$window" "$images/$1.png"; echo "docs/images/$1.png"; }
# Waits until no transcoder of ours runs any more (the probes or the batch).
idle() { sleep 1; while pgrep -f "$program/register.dat" >/dev/null; do sleep 0.5; done; sleep 0.5; }

# The main window with three files described.
start "Video Converter" "$work/clips/"*
idle
click 200 140                                    # select the second row
shoot main-window

# The picker: the category icon opens it; hovering the first page's "AVI" opener shows its group.
click 82 84
move 123 94                                      # the first category
move 361 158                                     # "... AVI Video Formats"
move 581 206                                     # a profile of the group
shoot picker
click 700 530                                    # outside: closes and keeps the profile

# Converting: "Convert" on the three rows.
click 410 471
sleep 4
shoot converting
idle

# The DVD edition with a disc's titles and chapters listed.
start "DVD Ripper" "$work/dvd"
idle
shoot dvd-list
