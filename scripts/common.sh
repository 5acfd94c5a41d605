# Shared by scripts/run and scripts/test: system packages and the CMake configure step.
# Sourced, not executed.

# Packages the build needs on Debian 12; scripts/test adds the test packages.
# The charts need qt6-charts-dev and, for its CMake package, libqt6opengl6-dev (which
# qt6-charts-dev does not pull in).
TAVRIK_BUILD_PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libgl-dev zlib1g-dev
  fonts-dejavu-core fonts-dejavu-extra qt6-qpa-plugins qt6-charts-dev libqt6opengl6-dev)
TAVRIK_TEST_PACKAGES=(libgtest-dev libgmock-dev xvfb xauth xdotool)

say() { printf 'tavrik: %s\n' "$*"; }

# Installs those of the named packages that are not installed yet (apt-get, with sudo
# when not root). Never asks a question: the install runs non-interactively.
ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  say "installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
      if [ "${CI:-}" = "true" ]; then sudo=(sudo -n); fi
    else
      say "not root and no sudo: please install ${missing[*]} and run again" >&2
      return 1
    fi
  fi
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    "${missing[@]}"
}

# The generator: Ninja when present, else CMake's default.
cmake_generator_args() {
  if command -v ninja >/dev/null 2>&1; then echo "-G Ninja"; fi
}

TAVRIK_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TAVRIK_JOBS="$(nproc 2>/dev/null || echo 2)"
