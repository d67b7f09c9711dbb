#!/usr/bin/env bash
# Installs every Debian package that building, testing and running OrvoPublicData needs.
# Idempotent: installs only what is missing. Needs root (or prints the command to run).
set -euo pipefail

packages=(
    # build
    g++ cmake ninja-build pkg-config
    qtbase5-dev qtbase5-dev-tools qttools5-dev-tools
    # the file probe: MediaInfo (loaded at run time) and the SVG image plugin
    libmediainfo0v5 libqt5svg5
    # Windows backends: cross-compiler and the Wine loader their tests run under
    mingw-w64 g++-mingw-w64 wine64
    # the zh_CN locale source, so Wine runs the shortcut checks in code page 936
    locales
    # the local web server of the Linux build (the end-to-end test starts its own instance)
    nginx
    # small desktop programs with desktop entries and theme icons, for the desktop scan's CLI test
    mousepad qalculate-gtk galculator
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

command="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
    echo "install-deps: missing packages; run as root:" >&2
    echo "  apt-get update && $command" >&2
    exit 1
fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
# Installing nginx must not start the system's web server: a running "nginx" would count as the
# suite's own for the library, and port 80 is none of our business.
policy=/usr/sbin/policy-rc.d
if [ ! -e "$policy" ]; then
    printf '#!/bin/sh\nexit 101\n' >"$policy" && chmod +x "$policy"
    trap 'rm -f "$policy"' EXIT
fi
apt-get install -y -qq --no-install-recommends "${missing[@]}"
