#!/usr/bin/env bash
# Installs every Debian package the build, the data baker and the tests need.
# Used by both README commands and by CI; does nothing when all are present.
set -euo pipefail

PACKAGES=(
  # toolchain and test frameworks
  build-essential cmake pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  # fuzz targets: clang with libFuzzer (libclang_rt.fuzzer comes with libclang-rt-14-dev)
  clang libclang-rt-14-dev
  # libraries the program links
  zlib1g-dev libsdl2-dev libpng-dev libsndfile1-dev
  # data baker: vector art, font rasterising
  libcairo2-dev libfreetype-dev
  # data baker inputs: sampled drum kit, fonts
  hydrogen-data fonts-comfortaa fonts-open-sans fonts-dejavu-core
  # scenario checks under a virtual display and audio measurement
  xvfb xauth sox
  # the Debian package and its checks: shlibdeps, lintian, desktop entry, AppStream, manual
  dpkg-dev lintian desktop-file-utils appstream man-db
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}" >&2
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
