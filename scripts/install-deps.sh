#!/usr/bin/env bash
# Installs, with apt-get, whatever of the build and test needs is missing.
# Usage: scripts/install-deps.sh [gui]   ("gui" adds what the viewer needs)
set -euo pipefail
packages=(cmake g++ ninja-build flex bison libgtest-dev libgmock-dev python3 libzip-dev zlib1g-dev
          openjdk-17-jdk-headless
          libcommons-lang3-java libcommons-io-java libcommons-cli-java libguava-java)
if [ "${1:-}" = gui ]; then
  packages+=(qt6-base-dev qt6-base-dev-tools libgl-dev libx11-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
