#!/usr/bin/env bash
# Installs, on Debian 12, every package that building and testing Ravo needs.
# Runs apt-get only when something is missing, so a prepared machine is left alone.
set -euo pipefail

packages=(
  g++ make cmake pkg-config git
  libsqlite3-dev
  libgtest-dev libgmock-dev googletest
  libbenchmark-dev
  clang libclang-rt-dev
  ccache
  qt6-base-dev qt6-svg-dev libqcustomplot-dev libgl-dev qt6-l10n-tools fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "bootstrap: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
