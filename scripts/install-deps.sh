#!/usr/bin/env bash
# Installs the Debian packages Tamsel needs to build, test and run.
# Packages already present are skipped; runs apt-get through sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang lld libclang-rt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libdeflate-dev libexpat1-dev libicu-dev
  libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6svg6
  python3 python3-openpyxl python3-xlsxwriter python3-xlwt
  primer3
  man-db zsh
  dpkg-dev file lintian desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
  # the window driven under a virtual display with a window manager
  xvfb openbox xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
