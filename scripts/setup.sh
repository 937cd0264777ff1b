#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and the machine lacks.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang pkg-config
  librtaudio-dev qt6-base-dev
  libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  jackd2 libjack-jackd2-dev
  xvfb xauth trayer imagemagick fonts-dejavu-core util-linux
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
echo "jackd2 jackd/tweak_rt_limits boolean false" | $SUDO debconf-set-selections
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
