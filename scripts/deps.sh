#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing VIGA need.
# Idempotent: silent when everything is already there.
set -euo pipefail

PKGS=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  clang-format
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6sql6-psql
  qt6-translations-l10n fonts-liberation2
  libgl-dev libxkbcommon-dev
  libcups2-dev libcurl4-openssl-dev libbenchmark-dev libxlsxwriter-dev
  postgresql postgresql-client
  python3
  cups cups-daemon cups-client poppler-utils
  librsvg2-bin desktop-file-utils appstream dpkg-dev file man-db lintian
  qpdf poppler-utils python3-aiosmtpd openssl libhpdf-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good sqlite3 zlib1g-dev
  libopencv-dev libtesseract-dev tesseract-ocr-eng
  fonts-dejavu-core fonts-urw-base35
  libmodbus-dev libqrencode-dev
)

missing=()
for p in "${PKGS[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
