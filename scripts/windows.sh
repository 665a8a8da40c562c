#!/usr/bin/env bash
# Builds Tarvos for 64-bit Windows on Debian 12 with MinGW-w64, runs its tests under Wine on a
# virtual display, and packs the installer and the portable zip into build/windows/.
#
# Qt 6.4.2 and GoogleTest are cross-built once from Debian's own sources into
# ${XDG_CACHE_HOME:-~/.cache}/tarvos/ (keyed by versions and options), so later runs and other
# clones on the same machine reuse them. Each is built in a folder of its own and moved into the
# cache only when it succeeded, so a broken build is never taken for a finished one; a Qt build
# that was cut short goes on where it stopped at the next run.
#
#   scripts/windows.sh            everything: toolchain, build, tests, packages
#   scripts/windows.sh toolchain  only the cross-built Qt and GoogleTest
#   scripts/windows.sh build|test|package   one step or more (earlier steps must have run)
#   TARVOS_CTEST_ARGS="-R sendinput --repeat until-fail:5" scripts/windows.sh test
set -euo pipefail
cd "$(dirname "$0")/.."
src_dir=$(pwd)
build_dir="$src_dir/build/windows"
triple=x86_64-w64-mingw32
jobs=${TARVOS_JOBS:-2}
cache_root="${XDG_CACHE_HOME:-$HOME/.cache}/tarvos"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        command -v sudo >/dev/null || { echo "Please run as root: $*" >&2; exit 1; }
        sudo "$@"
    fi
}

# ---------------------------------------------------------------------------------------------
# Packages
# ---------------------------------------------------------------------------------------------
install_packages() {
    scripts/install-deps.sh
    local packages=(
        gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
        mingw-w64-x86-64-dev
        wine wine64 nsis ninja-build dpkg-dev unzip
    )
    local missing=() p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        as_root apt-get update -q
        as_root apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
    # std::thread and Qt need the posix thread model; make the plain names point at it too.
    local tool
    for tool in gcc g++; do
        if [ -e "/usr/bin/$triple-$tool-posix" ] &&
            [ "$(readlink -f "/usr/bin/$triple-$tool")" != "$(readlink -f "/usr/bin/$triple-$tool-posix")" ]; then
            as_root update-alternatives --set "$triple-$tool" "/usr/bin/$triple-$tool-posix"
        fi
    done
}

# A deb-src entry for the archive the binary packages come from, so that `apt-get source`
# fetches exactly the Qt the host has.
add_deb_src() {
    if apt-get indextargets --format '$(IDENTIFIER)' 2>/dev/null | grep -qx 'Sources'; then
        return
    fi
    local list=/etc/apt/sources.list.d/tarvos-deb-src
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            as_root tee "$list.sources" >/dev/null
    else
        grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | as_root tee "$list.list" >/dev/null
    fi
    as_root apt-get update -q
}

# ---------------------------------------------------------------------------------------------
# Qt and GoogleTest for Windows, cached
# ---------------------------------------------------------------------------------------------
qt_version() { dpkg-query -W -f='${Version}' qt6-base-dev; }
mingw_version() { "$triple-g++-posix" -dumpfullversion; }

qt_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DINPUT_opengl=no
    -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_androiddeployqt=OFF -DFEATURE_pkg_config=OFF -DFEATURE_zstd=OFF -DFEATURE_glib=OFF
    -DFEATURE_icu=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_png=OFF
    -DFEATURE_system_jpeg=OFF -DFEATURE_system_doubleconversion=OFF
    -DFEATURE_testlib=ON -DFEATURE_widgets=ON -DFEATURE_network=ON -DFEATURE_schannel=ON
)

# The cache key: what the result depends on (Qt's Debian version, the compiler, the options and
# the toolchain file).
key_of() {
    { printf '%s\n' "$@"; cat cmake/mingw-w64-x86_64.cmake; } | sha256sum | cut -c1-12
}

qt_prefix() {
    echo "$cache_root/qt-$(qt_version | tr '+~:' '___')-mingw$(mingw_version)-$(key_of "${qt_options[@]}")"
}

build_qt() {
    local prefix work version
    prefix=$(qt_prefix)
    if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
        echo "Qt for Windows: $prefix (cached)"
        return
    fi
    add_deb_src
    version=$(qt_version)
    mkdir -p "$prefix.build"
    # One build at a time; a build that was cut short (a time limit, a reboot) goes on where it
    # stopped.
    exec 9>"$prefix.lock"
    flock 9
    if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
        echo "Qt for Windows: $prefix (cached)"
        return
    fi
    work=$(readlink -f "$prefix.build")
    chmod 755 "$work" # apt's download user writes the source files there
    echo "Building Qt $version for Windows in $work (about 35 minutes on two idle cores)"
    (
        cd "$work"
        if [ ! -f qtbase/CMakeLists.txt ]; then
            rm -rf qtbase
            apt-get source -q --download-only "qt6-base=$version" >/dev/null
            dpkg-source -x --skip-debianization qt6-base_*.dsc qtbase >/dev/null
        fi
        cp "$src_dir/cmake/mingw-w64-x86_64.cmake" toolchain.cmake
        cmake -G Ninja -S qtbase -B build -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
            -DCMAKE_INSTALL_PREFIX="$prefix" "${qt_options[@]}" >configure.log 2>&1 ||
            { tail -n 40 configure.log >&2; exit 1; }
        ninja -C build -j"$jobs" >build.log 2>&1 || { tail -n 40 build.log >&2; exit 1; }
        rm -rf stage
        DESTDIR="$work/stage" ninja -C build install >install.log 2>&1 ||
            { tail -n 40 install.log >&2; exit 1; }
    )
    # Installed for its final place, then moved there whole: a cut-short build is never taken
    # for a finished one.
    rm -rf "$prefix"
    mv "$work/stage$prefix" "$prefix"
    cp "$work/toolchain.cmake" "$prefix/toolchain.cmake"
    rm -rf "$work" "$prefix.build"
    echo "Qt for Windows: $prefix"
}

gtest_prefix() {
    echo "$cache_root/googletest-$(dpkg-query -W -f='${Version}' googletest)-mingw$(mingw_version)-$(key_of gtest)"
}

build_gtest() {
    local prefix work
    prefix=$(gtest_prefix)
    if [ -f "$prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
        echo "GoogleTest for Windows: $prefix (cached)"
        return
    fi
    mkdir -p "$cache_root"
    work=$(mktemp -d "$cache_root/.gtest-build.XXXXXX")
    cmake -G Ninja -S /usr/src/googletest -B "$work/build" \
        -DCMAKE_TOOLCHAIN_FILE="$src_dir/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$work/prefix" -Dgtest_disable_pthreads=OFF >"$work/configure.log" 2>&1 ||
        { tail -n 40 "$work/configure.log" >&2; exit 1; }
    ninja -C "$work/build" -j"$jobs" install >"$work/build.log" 2>&1 ||
        { tail -n 40 "$work/build.log" >&2; exit 1; }
    rm -rf "$prefix"
    mv "$work/prefix" "$prefix"
    rm -rf "$work"
    echo "GoogleTest for Windows: $prefix"
}

toolchain() {
    install_packages
    build_gtest
    build_qt
}

# ---------------------------------------------------------------------------------------------
# Tarvos for Windows
# ---------------------------------------------------------------------------------------------
build_tarvos() {
    local qt gtest
    qt=$(qt_prefix)
    gtest=$(gtest_prefix)
    mkdir -p "$build_dir"
    cmake -G Ninja -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$src_dir/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_FIND_ROOT_PATH="$qt;$gtest" -DCMAKE_PREFIX_PATH="$qt;$gtest" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v wine)" >"$build_dir/configure.log" 2>&1 ||
        { cat "$build_dir/configure.log" >&2; exit 1; }
    cmake --build "$build_dir" -j"$jobs"
}

# Wine in a prefix of this build's own, on a virtual display of its own. Qt's settings reach a
# program under Wine only with the prefix WINE (WINEQT_X becomes QT_X).
start_wine() {
    [ -n "${WINE_STARTED:-}" ] && return
    . scripts/xvfb.sh
    start_xvfb
    export WINEPREFIX="$build_dir/wineprefix" WINEARCH=win64 WINEDEBUG=-all
    # No Mono or Gecko: their installers would wait for a click on the virtual display.
    export WINEDLLOVERRIDES="mscoree=;mshtml="
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Making the Wine prefix $WINEPREFIX"
        wineboot --init >/dev/null 2>&1
    fi
    # F12 is the desktop's debugger key: with Wine's crash debugger set to start by itself, the
    # F12 of the key macro ends the stand-in ATC client. The test prefix has no crash debugger.
    wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
        >/dev/null 2>&1 || true
    # The DLLs of the cross-built Qt and the MinGW runtime, for the test programs.
    local dirs=() dir
    dirs+=("$(qt_prefix)/bin")
    dirs+=("$(dirname "$("$triple-g++-posix" -print-file-name=libstdc++-6.dll)")")
    dirs+=("$(dirname "$("$triple-g++-posix" -print-file-name=libwinpthread-1.dll)")")
    WINEPATH=""
    for dir in "${dirs[@]}"; do
        WINEPATH+="${WINEPATH:+;}$(winepath -w "$(readlink -f "$dir")" 2>/dev/null)"
    done
    export WINEPATH
    # QtTest and GoogleTest messages on standard error instead of the debugger channel.
    export WINEQT_FORCE_STDERR_LOGGING=1
    WINE_STARTED=1
    trap 'stop_wine' EXIT
}

stop_wine() {
    [ -n "${NETSIM_PID:-}" ] && kill "$NETSIM_PID" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null || true
}

# The recorded network that the Windows tests download from: the Linux program, on 127.0.0.1.
start_netsim() {
    local netsim_build="$src_dir/build/netsim" log
    cmake -S . -B "$netsim_build" -DCMAKE_BUILD_TYPE=Release -DTARVOS_BUILD_TESTS=OFF >/dev/null
    cmake --build "$netsim_build" -j"$jobs" --target tarvos-netsim >/dev/null
    log=$(mktemp)
    "$netsim_build/bin/tarvos-netsim" --port 0 >"$log" 2>&1 &
    NETSIM_PID=$!
    for _ in $(seq 1 100); do
        grep -q "listening on" "$log" && break
        sleep 0.1
    done
    TARVOS_NETSIM_URL=$(sed -n 's|^tarvos-netsim listening on \(http://[^/ ]*\)/.*|\1|p' "$log")
    rm -f "$log"
    [ -n "$TARVOS_NETSIM_URL" ] || { echo "tarvos-netsim did not start" >&2; exit 1; }
    export TARVOS_NETSIM_URL
}

run_tests() {
    start_wine
    start_netsim
    # shellcheck disable=SC2086 # options for ctest, split as typed
    ctest --test-dir "$build_dir" --output-on-failure --timeout 600 ${TARVOS_CTEST_ARGS:-}
}

# ---------------------------------------------------------------------------------------------
# Packages
# ---------------------------------------------------------------------------------------------
fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits until a program under Wine has ended (the prefix's server has nothing left to run).
wine_wait() { wineserver -w; }

package() {
    local out="$build_dir/package"
    rm -rf "$out"
    cpack --config "$build_dir/CPackConfig.cmake" -B "$out" >"$build_dir/cpack.log" 2>&1 ||
        { cat "$build_dir/cpack.log" >&2; fail "cpack"; }
    rm -rf "$out/_CPack_Packages"
    local installer zip
    installer=$(ls "$out"/Tarvos-*-win64.exe)
    zip=$(ls "$out"/Tarvos-*-win64.zip)

    start_wine
    # The portable zip: the program starts from its unpacked folder with nothing but what the
    # zip holds, keeps its data files there, and saves squawk.txt when it is closed.
    local portable
    portable=$(mktemp -d)
    unzip -q "$zip" -d "$portable"
    local folder="$portable/$(basename "$zip" .zip)"
    for f in tarvos.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Network.dll \
        platforms/qwindows.dll tls/qschannelbackend.dll libstdc++-6.dll libgcc_s_seh-1.dll \
        libwinpthread-1.dll; do
        [ -f "$folder/$f" ] || fail "the zip lacks $f"
    done
    # The METAR download at start stays on this machine and is refused.
    printf 'metar-network=http://127.0.0.1:9/{code}.TXT\nmetar-noaa=http://127.0.0.1:9/m?ids={code}\nairports=http://127.0.0.1:9/\n' \
        >"$folder/network.txt"
    (
        cd "$folder"
        WINEPATH="" WINEQT_QPA_PLATFORM="windows:fontengine=freetype" wine tarvos.exe \
            >/dev/null 2>&1 &
        for _ in $(seq 1 600); do
            xdotool search --name '^Tarvos V7\.4$' >/dev/null 2>&1 && break
            sleep 0.1
        done
        xdotool search --name '^Tarvos V7\.4$' >/dev/null 2>&1 || fail "the portable program shows no window"
        sleep 2
        wine taskkill /im tarvos.exe >/dev/null 2>&1
        wine_wait
    )
    [ -f "$folder/squawk.txt" ] || fail "the portable program kept no squawk.txt in its folder"
    rm -rf "$portable"

    # The installer: silently into Program Files with a Start-menu entry; its uninstaller
    # removes the program and leaves the data files.
    local c="$WINEPREFIX/drive_c" dir
    wine "$installer" /S >/dev/null 2>&1
    wine_wait
    dir="$c/Program Files/Tarvos"
    for f in tarvos.exe Uninstall.exe platforms/qwindows.dll tls/qschannelbackend.dll; do
        [ -f "$dir/$f" ] || fail "the installation lacks $f"
    done
    find "$c" -path '*Start Menu/Programs/Tarvos/Tarvos.lnk' | grep -q . ||
        fail "no Start-menu entry"
    local data="$c/users/$(whoami)/AppData/Local/Tarvos"
    mkdir -p "$data"
    printf '5051\r\n' >"$data/squawk.txt"
    wine "$dir/Uninstall.exe" /S "_?=$(winepath -w "$dir")" >/dev/null 2>&1
    wine_wait
    [ ! -f "$dir/tarvos.exe" ] || fail "the uninstaller left the program"
    [ -f "$data/squawk.txt" ] || fail "the uninstaller removed the data files"
    rm -rf "$data" "$dir"

    echo "Installer: $installer ($(du -h "$installer" | cut -f1))"
    echo "Zip:       $zip ($(du -h "$zip" | cut -f1))"
}

timed() {
    local start=$SECONDS
    "$@"
    echo "== $1: $((SECONDS - start)) s"
}

steps=("$@")
[ ${#steps[@]} -eq 0 ] && steps=(toolchain build test package)
for step in "${steps[@]}"; do
    case "$step" in
    toolchain) timed toolchain ;;
    build) timed build_tarvos ;;
    test) timed run_tests ;;
    package) timed package ;;
    *) echo "unknown step: $step" >&2; exit 2 ;;
    esac
done
