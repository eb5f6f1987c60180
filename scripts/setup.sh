#!/usr/bin/env bash
# Shared by ./run and ./test: installs missing Debian packages, then configures and builds.
# Quick when nothing changed: dpkg-query answers from the local database and Ninja does nothing.
set -euo pipefail

QRV_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-charts-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-iapws python3-jsonschema python3-pandas poppler-utils fonts-dejavu-core locales
  python3-dev pybind11-dev python3-numpy python3-pytest python3-matplotlib
  help2man appstream dpkg-dev file
  xvfb xauth openbox x11-utils xdotool
)

qrv_install_packages() {
  local missing=()
  for p in "${QRV_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The project's own options, each set at every configure: a build folder keeps what it was
# configured with, so an option left out would silently keep its old value.
QRV_DEFAULT_OPTIONS=(-DQRV_ENGINE_ONLY=OFF -DQRV_SANITIZE=OFF -DQRV_WERROR=ON)

# qrv_build DIR [cmake options...]: configures DIR when it is new or was configured with other
# options, then builds. Warnings are errors: the project builds clean on Debian 12's compiler.
qrv_build() {
  local dir=$1; shift
  local options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo "${QRV_DEFAULT_OPTIONS[@]}" "$@")
  if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$dir/qrv-options" 2>/dev/null)" != "${options[*]}" ]; then
    cmake -S . -B "$dir" -G Ninja "${options[@]}"
    echo "${options[*]}" > "$dir/qrv-options"
  fi
  cmake --build "$dir" -j "$(nproc)"
}
