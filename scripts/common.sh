# Shared by run.sh, test.sh and bench.sh: installs what is missing and builds.
# The build folder is "build" in the checkout unless BUILD_DIR names another one.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR="$ROOT/$BUILD_DIR" ;; esac

# The compiler cache finds the same file in another checkout too (the debug info's
# folder is left out of what it compares).
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"
export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"

install_and_build() {
  # install-deps.sh does nothing when every package is there and uses sudo itself
  # when it has to install as an ordinary user.
  bash "$ROOT/scripts/install-deps.sh"
  # The build type is given only when the folder is new; a folder keeps its own.
  local fresh=()
  [ -f "$BUILD_DIR/CMakeCache.txt" ] || fresh=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
  cmake -S "$ROOT" -B "$BUILD_DIR" "${fresh[@]}" "$@"
  cmake --build "$BUILD_DIR" -j"$(nproc)"
}
