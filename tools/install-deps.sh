#!/usr/bin/env bash
# Installs the Debian packages the project needs that are not installed yet.
# Usage: tools/install-deps.sh run|test
#   run: what building and running the Linux program needs
#   test: that, the test tools, and the cross compiler and Wine for the Windows build
set -euo pipefail

run_packages=(
    cmake g++ make pkg-config
    libsdl2-dev libxrandr-dev lib3ds-dev libassimp-dev libglu1-mesa-dev libgl-dev libegl-dev
    libgl1-mesa-dri
    libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-dejavu-extra
    xvfb xauth xfonts-base xdotool imagemagick
)
test_packages=(
    "${run_packages[@]}"
    libgtest-dev libbenchmark-dev python3 python3-xlib
    # The stage pictures of docs/how_it_works.md are PNG files, deflated by zlib.
    zlib1g-dev
    # The GL tests also run on zink, over Mesa's Vulkan driver on the CPU (lavapipe).
    mesa-vulkan-drivers libvulkan1
    # The desk: an X server whose screen changes mode, with a window manager, and a Wayland
    # compositor on it.
    xserver-xorg-core xserver-xorg-video-dummy openbox weston
    # Short fixed fuzzing runs of the file loaders.
    clang libclang-rt-14-dev
    # The Windows build: the cross compiler, lib3ds's source package, Wine to run it.
    g++-mingw-w64-x86-64 dpkg-dev wine wine64
    # The Debian packages: file and dpkg-dev's dpkg-shlibdeps for CPack, lintian to check them.
    file lintian
)

case "${1:-}" in
    run) wanted=("${run_packages[@]}") ;;
    test) wanted=("${test_packages[@]}") ;;
    *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
    [ "$status" = installed ] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=
if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
