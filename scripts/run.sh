#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program on the database set in the
# user's settings (the first time: the default local database, created with a small
# sample when absent).
# Arguments are passed to the program.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_and_build

# First start on this machine: the default database does not exist yet (and the settings
# name no other one). Create it with a small sample so a newcomer sees a working
# program; to start clean, delete the .FDB and run.sh makes a new one.
default_db="${XDG_DATA_HOME:-$HOME/.local/share}/MORVANT/Tarko 8 VEX/DB/Tarko 8 VEX.FDB"
settings="${XDG_CONFIG_HOME:-$HOME/.config}/MORVANT/user-settings.ini"
configured_db=""
if [ -f "$settings" ]; then
  configured_db="$(sed -n 's/^MORVANT\\Tarko%208%20VEX\\DB\\SERVER%20NAME=//p' "$settings" | head -n 1)"
  configured_db="${configured_db%\"}"
  configured_db="${configured_db#\"}"
fi
if [ ! -e "$default_db" ] && { [ -z "$configured_db" ] || [ "$configured_db" = "$default_db" ]; }; then
  echo "First start: creating the database with sample data: $default_db"
  if ! "$BUILD_DIR/tarko8-sample" --database "$default_db" --scale small; then
    echo "Sample data could not be written; delete \"$default_db\" to start again." >&2
  fi
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # no screen (a server, a CI machine): a virtual one, so the program still starts
  exec xvfb-run -a "$BUILD_DIR/tarko8" "$@"
fi
exec "$BUILD_DIR/tarko8" "$@"
