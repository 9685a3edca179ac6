#!/usr/bin/env bash
# Installs what the program needs, builds it and starts it. Any arguments (files or folders to
# add) are passed to the program. Set EDITION to start another edition, e.g. EDITION="DVD Ripper".
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
./scripts/build.sh
program="build/program/${EDITION:-Video Converter}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the program under Xvfb (a virtual screen, nothing is visible)."
  echo "On a desktop, run it directly: \"$program\""
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$@"
fi
exec "$program" "$@"
