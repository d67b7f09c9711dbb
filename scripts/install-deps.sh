#!/usr/bin/env bash
# Installs every Debian package that building, testing and running OrvoPublicData needs.
# Idempotent: installs only what is missing. Needs root (or prints the command to run).
set -euo pipefail

packages=(
    # build
    g++ cmake ninja-build pkg-config
    qtbase5-dev qtbase5-dev-tools qttools5-dev-tools
    # Windows backends: cross-compiler and the Wine loader their tests run under
    mingw-w64 g++-mingw-w64 wine64
    # the zh_CN locale source, so Wine runs the shortcut checks in code page 936
    locales
    # the sanitizer build and the fuzz targets: clang with its sanitizer and libFuzzer runtimes
    clang libclang-rt-14-dev
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
apt-get install -y -qq --no-install-recommends "${missing[@]}"
