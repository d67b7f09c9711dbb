#!/usr/bin/env bash
# Cross-builds the Windows backends' test program with mingw-w64 for i686 and x86_64, imports
# fixture.reg into a fresh Wine prefix, runs the program on lookups.tsv and exports the keys, so
# that tst_wineparity can hold the Linux .reg backend to the same answers.
#
#   tests/win32/run-wine-tests.sh OUTPUT_DIR
#
# OUTPUT_DIR receives answers.tsv (the lookups and the Win32 backend's answers), the *.reg
# exports and the test program's logs. Exit status: 0 when everything that could run passed.
#
# The test program runs in a Chinese locale (code page 936): Wine keeps shortcut paths in the
# ANSI code page, and the shortcut checks use Chinese names. Without the locale (neither
# installed nor buildable with localedef) those checks are skipped, not failed.
#
# Environment:
#   ORVO_MINGW_BUILD_ROOT  parent of the build folders build-mingw-<arch> (default /tmp)
#   ORVO_WINE_TIMEOUT      seconds allowed to each Wine call but wineboot (default 120)
#   ORVO_WINEBOOT_TIMEOUT  seconds allowed to wineboot (default 300)
# Needs: cmake, iconv, mingw-w64 (g++ for both targets), wine64; wine32 is used if present; localedef
# and the zh_CN locale source (Debian: locales) unless zh_CN.UTF-8 is installed; Xvfb.
#
# The window checks create real windows: the program runs them alone (--windows) on a private
# virtual X server (tests/common/with-xvfb.sh picks a free display, so parallel runs never share
# one). Everything else runs without a display, where no shell error dialog waits for a click.

set -u

if [ $# -ne 1 ]; then
    echo "usage: $0 OUTPUT_DIR" >&2
    exit 2
fi

source_dir=$(cd "$(dirname "$0")" && pwd)
repo_dir=$(cd "$source_dir/../.." && pwd)
mkdir -p "$1" || exit 2
out_dir=$(cd "$1" && pwd)
build_root=${ORVO_MINGW_BUILD_ROOT:-/tmp}
wine_timeout=${ORVO_WINE_TIMEOUT:-120}
wineboot_timeout=${ORVO_WINEBOOT_TIMEOUT:-300}
exe_name=win32_backend_tests.exe

failures=0
summary=()

step() { echo "== $*"; }
fail() {
    echo "FAILED: $*" >&2
    summary+=("FAILED: $*")
    failures=$((failures + 1))
}

find_wine64() {
    local candidate
    for candidate in "$(command -v wine64 2>/dev/null)" /usr/lib/wine/wine64 \
                     /usr/lib64/wine/wine64 /opt/wine-stable/bin/wine64; do
        if [ -n "$candidate" ] && [ -x "$candidate" ]; then
            echo "$candidate"
            return 0
        fi
    done
    return 1
}

# ---- build ---------------------------------------------------------------------------------

generator=()
if command -v ninja >/dev/null 2>&1; then
    generator=(-G Ninja)
fi

build() {
    local arch=$1
    local dir="$build_root/build-mingw-$arch"
    step "building for $arch in $dir"
    # A build folder left by another checkout cannot be reconfigured for this one.
    local cache="$dir/CMakeCache.txt"
    if [ -f "$cache" ] && ! grep -qxF "CMAKE_HOME_DIRECTORY:INTERNAL=$source_dir" "$cache"; then
        echo "$dir was configured for another source folder; starting it afresh"
        rm -rf "$dir"
    fi
    cmake -S "$source_dir" -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$repo_dir/cmake/toolchain-mingw-$arch.cmake" \
        && cmake --build "$dir"
}

declare -A exe
for arch in i686 x86_64; do
    if build "$arch"; then
        exe[$arch]="$build_root/build-mingw-$arch/$exe_name"
        summary+=("$arch: built")
    else
        fail "$arch build"
    fi
done

# ---- Wine prefix ---------------------------------------------------------------------------

if ! wine64=$(find_wine64); then
    fail "wine64 not found (Debian package wine64)"
    printf '%s\n' "${summary[@]}"
    exit 1
fi
wineserver="$(dirname "$wine64")/wineserver"
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

work_dir=$(mktemp -d "${TMPDIR:-/tmp}/orvo-wine.XXXXXX") || exit 1
export WINEPREFIX="$work_dir/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=
unset WAYLAND_DISPLAY

cleanup() {
    if [ -n "${wineserver:-}" ] && [ -d "$WINEPREFIX" ]; then
        timeout -k 5 30 "$wineserver" -k >/dev/null 2>&1
    fi
    rm -rf "$work_dir"
}
trap cleanup EXIT

# Every Wine call is bounded and detached from any terminal.
run_wine() {
    local seconds=$1
    shift
    (cd "$work_dir" && timeout -k 10 "$seconds" "$@" </dev/null)
}

# The test program alone runs in the Chinese locale; the prefix and regedit keep the default.
test_env=()
if locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; then
    test_env=(env LC_ALL=zh_CN.UTF-8)
elif command -v localedef >/dev/null 2>&1 \
        && { mkdir -p "$work_dir/locale"; \
             localedef -i zh_CN -f UTF-8 "$work_dir/locale/zh_CN.UTF-8" >/dev/null 2>&1; \
             [ -f "$work_dir/locale/zh_CN.UTF-8/LC_CTYPE" ]; }; then
    test_env=(env LOCPATH="$work_dir/locale" LC_ALL=zh_CN.UTF-8)
else
    summary+=("no zh_CN.UTF-8 locale: shortcut checks with Chinese paths skipped")
fi
run_test() {
    local seconds=$1
    shift
    run_wine "$seconds" "${test_env[@]}" "$@"
}

# The window checks of one build: a fresh Wine server, so its desktop comes up on the display.
run_window_checks() {
    local arch=$1 wine=$2
    local log="$out_dir/win32_windows_tests-$arch.log"
    step "running the window checks of the $arch build on a virtual X server"
    timeout -k 5 60 "$wineserver" -w
    # The server is stopped before the display, which Wine's desktop would otherwise outlive.
    run_test "$wine_timeout" bash "$repo_dir/tests/common/with-xvfb.sh" \
        bash -c '"$1" "$2" --windows; status=$?; "$3" -k; exit $status' - \
        "$wine" "${exe[$arch]}" "$wineserver" 2>&1 | tee "$log"
    if [ "${PIPESTATUS[0]}" -eq 0 ]; then
        summary+=("$arch window checks: $(tail -n 1 "$log")")
    else
        fail "$arch window checks ($(tail -n 1 "$log"))"
    fi
}

step "creating Wine prefix $WINEPREFIX with $wine64"
if ! run_wine "$wineboot_timeout" "$wine64" wineboot -i; then
    fail "wineboot -i"
    printf '%s\n' "${summary[@]}"
    exit 1
fi

rm -f "$out_dir"/*.reg "$out_dir/answers.tsv" "$out_dir"/win32_backend_tests-*.log \
      "$out_dir"/win32_windows_tests-*.log

# The 64-bit regedit reads the 32-bit view through WOW6432Node; it takes non-ASCII text from
# UTF-16 files only.
step "importing fixture.reg"
cp "$source_dir/lookups.tsv" "$work_dir/lookups.tsv"
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$source_dir/fixture.reg"; } >"$work_dir/fixture.reg"
if ! run_wine "$wine_timeout" "$wine64" regedit /S fixture.reg; then
    fail "regedit /S fixture.reg"
fi

# ---- i686: only where a 32-bit Wine can start it -------------------------------------------

if [ -n "${exe[i686]:-}" ]; then
    wine32=$(command -v wine 2>/dev/null || true)
    if [ -n "$wine32" ] && run_wine "$wine_timeout" "$wine32" "${exe[i686]}" --probe 2>/dev/null \
            | grep -q "probe ok"; then
        step "running the i686 build under $wine32"
        log="$out_dir/win32_backend_tests-i686.log"
        run_test "$wine_timeout" "$wine32" "${exe[i686]}" lookups.tsv 2>&1 | tee "$log"
        if [ "${PIPESTATUS[0]}" -eq 0 ]; then
            summary+=("i686: ran, $(tail -n 1 "$log")")
        else
            fail "i686 test program ($(tail -n 1 "$log"))"
        fi
        run_window_checks i686 "$wine32"
    else
        step "the i686 build cannot run here (no 32-bit Wine; Debian: wine32:i386)"
        summary+=("i686: built, not run (no 32-bit Wine)")
    fi
fi

# ---- x86_64: the run whose answers the Linux backend is compared with ----------------------

if [ -n "${exe[x86_64]:-}" ]; then
    step "running the x86_64 build under $wine64"
    log="$out_dir/win32_backend_tests-x86_64.log"
    run_test "$wine_timeout" "$wine64" "${exe[x86_64]}" lookups.tsv answers.tsv 2>&1 | tee "$log"
    if [ "${PIPESTATUS[0]}" -eq 0 ]; then
        summary+=("x86_64: ran, $(tail -n 1 "$log")")
    else
        fail "x86_64 test program ($(tail -n 1 "$log"))"
    fi
    run_window_checks x86_64 "$wine64"

    if [ -f "$work_dir/answers.tsv" ]; then
        cp "$work_dir/answers.tsv" "$out_dir/answers.tsv"
    else
        fail "x86_64 test program wrote no answers file"
    fi

    # File name and key.
    exports=(
        "hklm-software.reg" 'HKEY_LOCAL_MACHINE\SOFTWARE\OrvoWineTest'
        "hklm-wow6432node.reg" 'HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\OrvoWineTest'
        "hkcu-software.reg" 'HKEY_CURRENT_USER\Software\OrvoWineTest'
        "hkcr-ext.reg" 'HKEY_CLASSES_ROOT\.orvowinetest'
        "hkcr-progid.reg" 'HKEY_CLASSES_ROOT\OrvoWineTest.Document'
        "hku-default.reg" 'HKEY_USERS\.DEFAULT\Software\OrvoWineTest'
        "hkcc-software.reg" 'HKEY_CURRENT_CONFIG\Software\OrvoWineTest'
        "hklm-uninstall.reg" 'HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'
        "hklm-wow6432node-uninstall.reg" 'HKEY_LOCAL_MACHINE\SOFTWARE\WOW6432Node\Microsoft\Windows\CurrentVersion\Uninstall'
        "hkcu-uninstall.reg" 'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Uninstall'
    )
    for ((i = 0; i < ${#exports[@]}; i += 2)); do
        file=${exports[i]}
        key=${exports[i + 1]}
        step "exporting $key to $file"
        if run_wine "$wine_timeout" "$wine64" regedit /E "$file" "$key" \
                && [ -s "$work_dir/$file" ]; then
            cp "$work_dir/$file" "$out_dir/$file"
        else
            fail "regedit /E $key"
        fi
    done
fi

echo "== summary (output in $out_dir)"
printf '%s\n' "${summary[@]}"
ls -l "$out_dir"
exit $((failures > 0 ? 1 : 0))
