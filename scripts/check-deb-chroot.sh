#!/usr/bin/env bash
# Checks the Debian package on a fresh Debian 12 system: a debootstrap chroot, the .deb
# installed with apt-get, an edition started from PATH under Xvfb with a fresh HOME, and a
# file converted with the installed transcoder. Needs root and Debian's archive.
#   scripts/check-deb-chroot.sh path/to/videoconverter_*.deb [chroot-folder]
set -euo pipefail
deb="$(readlink -f "$1")"
root="${2:-/tmp/videoconverter-chroot}"
mirror="${MIRROR:-http://deb.debian.org/debian}"

if [ ! -x "$root/usr/bin/apt-get" ]; then
  debootstrap --variant=minbase bookworm "$root" "$mirror"
fi
cleanup() { umount "$root/proc" 2>/dev/null || true; umount "$root/dev" 2>/dev/null || true; }
trap cleanup EXIT
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
cp "$deb" "$root/tmp/videoconverter.deb"

chroot "$root" /bin/bash -euxc '
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y ./tmp/videoconverter.deb xvfb xauth
  export HOME=$(mktemp -d) XDG_CONFIG_HOME=
  cd "$HOME"
  # An edition from PATH, in a real X window; a termination signal makes it save its settings.
  xvfb-run -a avi-converter & runner=$!
  for i in $(seq 1 40); do
    pid=$(pgrep -f "^AVI Converter" || true)
    [ -n "$pid" ] && break
    sleep 0.5
  done
  [ -n "$pid" ] || { echo "the AVI edition did not start"; exit 1; }
  sleep 3
  kill -TERM $pid
  wait $runner || true
  test -f "$HOME/.config/videoconverter/AVI Converter.ini"
  # A conversion through the installed transcoder.
  ffmpeg -hide_banner -loglevel error -f lavfi -i testsrc=size=320x240:rate=25:duration=2 \
         -f lavfi -i sine=duration=2 -shortest in.avi
  /usr/lib/videoconverter/register.dat -y -i in.avi -r 25 -b 500000 -ab 128000 -ac 2 -s 320x240 -ar 44100 \
         -vcodec libx264 -pix_fmt yuv420p -acodec aac out.mp4
  ffprobe -v error -show_entries stream=codec_name -of csv=p=0 out.mp4
  echo "package check passed"
'
