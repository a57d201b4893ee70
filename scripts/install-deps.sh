#!/usr/bin/env bash
# Installs every Debian package the program, its tests and benchmarks need.
# Non-interactive and idempotent; run as root (or through sudo) on Debian 12.
set -euo pipefail

PACKAGES=(
  # build
  build-essential cmake pkg-config ccache
  qt6-base-dev libqt6sql6-ibase libgl1-mesa-dev
  # Firebird: client, headers, embedded engine, command-line tools, server for multi-workstation tests
  libfbclient2 firebird-dev firebird3.0-server-core firebird3.0-utils firebird3.0-server
  # output formats and tests
  xvfb xauth x11-apps imagemagick poppler-utils zbar-tools libxlsxwriter-dev xlsx2csv unrtf
  fonts-dejavu-core fonts-dejavu-extra
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# The server package asks for a SYSDBA password; the tests set their own server up, so a
# fixed one is preseeded here, and the service is not started by the package scripts.
echo "firebird3.0-server shared/firebird/sysdba_password/first_install password masterkey" | $SUDO debconf-set-selections
if [ ! -e /usr/sbin/policy-rc.d ]; then
  printf '#!/bin/sh\nexit 101\n' | $SUDO tee /usr/sbin/policy-rc.d >/dev/null
  $SUDO chmod +x /usr/sbin/policy-rc.d
  # removed again however the installation ends, so later services start normally
  trap '$SUDO rm -f /usr/sbin/policy-rc.d' EXIT
fi
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
