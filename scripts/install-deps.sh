#!/usr/bin/env bash
# Installs the build and test tools that are missing (Debian 12; run as root).
# "--windows" adds the Windows cross compiler and wine, "--fuzz" clang's libFuzzer,
# "--package" what makes and checks the Debian package, "--naming" clang-tidy
# for the naming check.
set -euo pipefail
packages=(g++ cmake ninja-build qt6-base-dev libqt6opengl6-dev libxkbcommon-dev
          libgtest-dev libgmock-dev libbenchmark-dev libexpat1-dev nlohmann-json3-dev xvfb xdotool imagemagick gpsbabel clang-format-14
          desktop-file-utils libexiv2-dev libimage-exiftool-perl)
if [ "${1:-}" = "--windows" ]; then
    packages+=(g++-mingw-w64-x86-64-posix wine64)
fi
if [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang-14 libclang-rt-14-dev)
fi
if [ "${1:-}" = "--naming" ]; then
    packages+=(clang-tidy clang-tools)
fi
if [ "${1:-}" = "--package" ]; then
    packages+=(dpkg-dev file lintian man-db)
fi
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}" >&2
    SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi
