#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# The one list of packages; run.sh and test.sh both call this script.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev qt6-translations-l10n
    libgtest-dev libgmock-dev libbenchmark-dev
    libkmod-dev
    xvfb xdotool libxcb1-dev
    libjpeg-dev libwmf-bin libwmf-dev libemf2svg-dev qt6-svg-dev libuemf-dev fonts-urw-base35
    clang libclang-rt-14-dev
    sigrok-cli gtkwave libsigrokdecode-dev
    fonts-liberation2 fonts-dejavu-core fonts-dejavu-extra
    g++-mingw-w64-x86-64 g++-mingw-w64-i686 googletest wine wine64
    qemu-system-x86 busybox-static kmod xz-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
else
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
