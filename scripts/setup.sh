#!/usr/bin/env bash
# Installs what building, running and testing Lumenfold needs on Debian 12.
# Returns within seconds when everything is already present.
set -euo pipefail

tools=(wine i686-w64-mingw32-g++-posix i686-w64-mingw32-windres cmake make Xvfb xdotool import xwininfo xauth localedef)
packages=(wine wine32:i386 g++-mingw-w64-i686 cmake make googletest xvfb xauth xdotool x11-utils
          imagemagick fonts-wine locales procps)

all_present() {
    local tool
    for tool in "${tools[@]}"; do
        command -v "$tool" >/dev/null 2>&1 || return 1
    done
    [ -f /usr/src/googletest/CMakeLists.txt ] || return 1
    dpkg -s wine32:i386 >/dev/null 2>&1 || return 1
}

all_present && exit 0

if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
        exec sudo --preserve-env=PATH "$0" "$@"
    fi
    echo "setup: installing packages needs root (or sudo)." >&2
    exit 1
fi

echo "setup: installing the build and test tools (one time, about a minute)..."
export DEBIAN_FRONTEND=noninteractive
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
all_present || { echo "setup: some tools are still missing after the install." >&2; exit 1; }
echo "setup: done."
