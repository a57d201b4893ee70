# Shared by run.sh, test.sh and bench.sh: installs what is missing and builds.
# The build folder is "build" in the checkout unless BUILD_DIR names another one.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$ROOT/$BUILD_DIR" ;; esac

install_and_build() {
  # install-deps.sh does nothing when every package is there and uses sudo itself
  # when it has to install as an ordinary user.
  bash "$ROOT/scripts/install-deps.sh"
  cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo
  make -C "$BUILD_DIR" -j"$(nproc)"
}
