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
    # the X11 client library the Linux window answers read the window manager's properties with
    libxcb1-dev
    # a virtual X server for the window tests, on Linux and under Wine
    xvfb xauth
    # Windows backends: cross-compiler and the Wine loader their tests run under
    mingw-w64 g++-mingw-w64 wine64
    # the zh_CN locale source, so Wine runs the shortcut checks in code page 936
    locales
    # the local web server of the Linux build (the end-to-end test starts its own instance)
    nginx
    # small desktop programs with desktop entries and theme icons, for the desktop scan's CLI test
    mousepad qalculate-gtk galculator
    # the sanitizer build and the fuzz targets: clang with its sanitizer and libFuzzer runtimes
    clang libclang-rt-14-dev
)

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}
export DEBIAN_FRONTEND=noninteractive
apt=(apt-get -o DPkg::Lock::Timeout=600)

missing=()
for p in "${packages[@]}"; do
    installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    command="apt-get install -y --no-install-recommends ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: missing packages; run as root:" >&2
        echo "  apt-get update && $command" >&2
        exit 1
    fi
    echo "install-deps: installing ${missing[*]}"
    # A failed index (seen for the i386 one below) must not stop the packages that do resolve.
    "${apt[@]}" update -qq || echo "install-deps: apt-get update reported errors; installing anyway" >&2
    # Installing nginx must not start the system's web server: a running "nginx" would count as
    # the suite's own for the library, and port 80 is none of our business.
    policy=/usr/sbin/policy-rc.d
    if [ ! -e "$policy" ]; then
        printf '#!/bin/sh\nexit 101\n' >"$policy" && chmod +x "$policy"
        trap 'rm -f "$policy"' EXIT
    fi
    "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}"
fi

# A 32-bit Wine runs the i686 build of the Windows backends' tests (the shipping target).
# Optional: without it that build is compiled and linked only, and the Wine run says so.
if ! installed wine32:i386; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: for the i686 Wine run, as root: dpkg --add-architecture i386 &&" \
             "apt-get update && apt-get install --no-install-recommends wine32:i386" >&2
        exit 0
    fi
    # (Outputs are read whole: grep -q would end the pipe early and fail it under pipefail.)
    if ! grep -qx i386 <<<"$(dpkg --print-foreign-architectures)"; then
        dpkg --add-architecture i386
        "${apt[@]}" update -qq || true
    elif ! grep -q 'Candidate: [0-9]' <<<"$(apt-cache policy wine32:i386 2>/dev/null)"; then
        "${apt[@]}" update -qq || true
    fi
    # Its libraries must match the installed 64-bit ones version for version; a mirror whose
    # i386 index lags behind cannot give them.
    "${apt[@]}" install -y -qq --no-install-recommends wine32:i386 \
        || echo "install-deps: wine32:i386 could not be installed; the i686 Wine tests are built, not run" >&2
fi
