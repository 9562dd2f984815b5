#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need.
# Idempotent: only what is missing is installed; nothing happens when all
# packages are present. Runs as root (or through sudo when available).
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config ccache
  # libraries the programs link
  zlib1g-dev libminizip-dev libhpdf-dev libcairo2-dev libx11-dev
  libfontconfig-dev libfreetype-dev libcurl4-openssl-dev
  # the web-server stand-in (TLS) and its test certificate
  libssl-dev openssl
  # fonts the drawing layer maps system faces to; glyph source for our fonts
  fonts-liberation xfonts-base
  # tests
  libgtest-dev libgmock-dev xvfb xdotool xauth python3
  # looking at output
  poppler-utils qpdf
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all ${#packages[@]} packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
