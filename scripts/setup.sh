#!/usr/bin/env bash
# Installs from Debian's packages whatever the build needs and is missing (with
# --test, what the tests need too), then builds the program folder build/
# (not with --no-build).
# Does nothing slow when all is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

# What building and running the program need: the README's run command.
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev libqt6svg6 qt6-translations-l10n
    qt6-qpa-plugins libgl-dev fonts-liberation2 libasound2-dev
    fonts-dejavu-core fonts-noto-core fonts-noto-cjk
    libqt6sql6-sqlite libqt6sql6-psql libspeechd-dev qt6-declarative-dev
    speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
    ccache
    dpkg-dev debhelper fakeroot
)
# What the tests add, with --test (the README's test command): a PostgreSQL
# server's programs (each test starts its own), Orca and the accessibility bus,
# an X server and its tools, clang for the fuzzers, Debian's checkers.
test_packages=(
    postgresql-15 xvfb xauth xdotool x11-utils poppler-utils imagemagick
    dbus at-spi2-core python3-pyatspi python3-dbus orca locales
    clang libclang-rt-14-dev
    desktop-file-utils appstream lintian man-db devscripts debootstrap
)
if [[ ${1:-} == --test ]]; then
    packages+=("${test_packages[@]}")
fi
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

# Installing PostgreSQL's server makes a cluster and a service that starts with
# the machine: the tests need neither, so what this run made goes again.
if [[ " ${missing[*]} " == *" postgresql-15 "* ]]; then
    echo "Stopping and disabling the PostgreSQL service the install started"
    "${sudo[@]}" pg_dropcluster --stop 15 main 2>/dev/null || true
    if command -v systemctl >/dev/null && [[ -d /run/systemd/system ]]; then
        "${sudo[@]}" systemctl disable --now postgresql.service || true
    else
        "${sudo[@]}" update-rc.d postgresql disable >/dev/null 2>&1 || true
    fi
fi

# The screen reader speaks its Italian words only where the Italian locale is
# generated; the end-to-end walk with it listens under that locale.
if [[ ${1:-} == --test ]] && ! locale -a 2>/dev/null | grep -qix 'it_IT\.utf-\?8'; then
    echo "Generating the locale it_IT.UTF-8"
    "${sudo[@]}" sed -i 's/^# *\(it_IT\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    "${sudo[@]}" locale-gen
fi

# --no-build: the packages alone (the package test checks them on a fresh root).
[[ ${1:-} == --no-build ]] && exit 0

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
