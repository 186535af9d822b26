#!/usr/bin/env bash
# Installs what the build needs (Debian packages) and configures and builds one build tree.
# Usage: scripts/setup.sh <build-dir> [cmake options...]
set -euo pipefail

PACKAGES=(cmake g++ ninja-build qt6-base-dev qt6-image-formats-plugins libgtest-dev fonts-liberation2 locales)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    sudo apt-get update -qq
    sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  else
    echo "Please install these Debian packages first (as root):" >&2
    echo "  apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi

build_dir=$1
shift
generator=()
[ -f "$build_dir/CMakeCache.txt" ] || generator=(-G Ninja)
cmake -S "$(dirname "$0")/.." -B "$build_dir" "${generator[@]}" "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
