#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. The exit code is ctest's.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

# Warnings fail the build here, as they do in CI.
install_and_build -DQEL_WERROR=ON

cd "$BUILD_DIR"
# Tests that must run alone (the Firebird server test) are marked RUN_SERIAL.
exec ctest --output-on-failure -j"${CTEST_JOBS:-2}" "$@"
