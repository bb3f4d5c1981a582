#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the tests and the demo need, when
# any is missing. Quick and silent when everything is there already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libegl-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs
  # Datums and projections of the sheets' calibrations; proj-data holds the
  # datum grids, so that no transformation needs the network.
  libproj-dev proj-data
  # Georeferenced images of every kind but the overview JPEG.
  libgdal-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # The benchmarks' timing of whole batch runs.
  time
  fonts-dejavu-core xvfb xauth
  # Tahoma's stand-in, which the window's captions are laid out for, and a narrow sans after it.
  fonts-wine fonts-dejavu-extra
  # The map library a published web index carries.
  libjs-leaflet
  dpkg-dev file desktop-file-utils appstream lintian man-db
  # The readers of other tools that check the files we write for them.
  gdal-bin
  # The fuzz targets: clang with libFuzzer, and llvm-symbolizer for their traces.
  clang-14 libclang-rt-14-dev llvm-14
  # A real browser for the web index page's test.
  chromium chromium-driver python3-selenium
  # The published GeoJSON against the OpenIndexMaps JSON schema, links checked as URIs.
  python3-jsonschema python3-rfc3987
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = installed ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing Debian packages: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
