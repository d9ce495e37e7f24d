#!/usr/bin/env bash
# Installs the tools the benchmarks compare against; none of them is needed to
# build or test Tamsel. Debian packages through apt-get, the JavaScript reader
# into bench/node_modules (ignored by git).
set -euo pipefail
cd "$(dirname "$0")"

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends \
  libbenchmark-dev hyperfine time \
  python3-xlsxwriter python3-xlwt python3-openpyxl python3-pandas python3-xlrd \
  libxlsxwriter-dev libfreexl-dev libxml2-dev \
  libreoffice-calc-nogui gnumeric

# Node.js may come from elsewhere with its own npm, which Debian's npm would
# conflict with: install each only when missing.
command -v node >/dev/null || $SUDO apt-get install -y -qq --no-install-recommends nodejs
command -v npm >/dev/null || $SUDO apt-get install -y -qq --no-install-recommends npm

if [ ! -d node_modules/xlsx ]; then
  npm install --no-save --no-audit --no-fund --prefix . xlsx
fi
