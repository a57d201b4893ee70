#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the database set in the
# user's settings (the first time: the default local database, created when absent).
# Arguments are passed to the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_and_build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # no screen (a server, a CI machine): a virtual one, so the program still starts
  exec xvfb-run -a "$BUILD_DIR/tarko8" "$@"
fi
exec "$BUILD_DIR/tarko8" "$@"
