#!/usr/bin/env bash
# Installs from Debian's packages whatever the build and the tests need and is
# missing, then builds the program folder build/. Does nothing slow when all is
# already there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n
    qt6-qpa-plugins libgl-dev fonts-liberation2 fonts-dejavu-core fonts-noto-core fonts-noto-cjk
    libqt6sql6-sqlite libqt6sql6-psql postgresql
    xvfb xauth xdotool imagemagick poppler-utils
    dbus at-spi2-core python3-pyatspi orca locales
    clang libclang-rt-14-dev ccache
    desktop-file-utils appstream lintian man-db
    dpkg-dev debhelper devscripts fakeroot x11-utils
    qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin speech-dispatcher
    speech-dispatcher-espeak-ng espeak-ng
)
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        "${missing[@]}"
fi

# The screen reader speaks its Italian words only where the Italian locale is
# generated; the end-to-end walk with it listens under that locale.
if ! locale -a 2>/dev/null | grep -qix 'it_IT\.utf-\?8'; then
    echo "Generating the locale it_IT.UTF-8"
    "${sudo[@]}" sed -i 's/^# *\(it_IT\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    "${sudo[@]}" locale-gen
fi

launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # A clone in another folder compiles the same: paths below it are hashed
    # relative to it, and the folder itself is left out of the hash (the build
    # maps it to "." in the debug information anyway).
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=true
fi
cmake -S . -B build -G Ninja "${launcher[@]}"
cmake --build build
