# Shared by scripts/run and scripts/test: the two builds, a virtual display and a private Wine
# prefix. Source it; it sets ROOT, BUILD_NATIVE, BUILD_WIN and WINEPREFIX.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD_NATIVE="$ROOT/build/native"
BUILD_WIN="$ROOT/build/win"
BUILD_FUZZ="$ROOT/build/fuzz"
export WINEPREFIX="$BUILD_WIN/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
JOBS=$(nproc 2>/dev/null || echo 2)

build_native() {
    cmake -S "$ROOT" -B "$BUILD_NATIVE" -DCMAKE_BUILD_TYPE=Debug -DKAVO_WERROR=ON >/dev/null
    cmake --build "$BUILD_NATIVE" -j "$JOBS"
}

build_windows() {
    cmake -S "$ROOT" -B "$BUILD_WIN" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DKAVO_WERROR=ON >/dev/null
    cmake --build "$BUILD_WIN" -j "$JOBS" "$@"
}

# The libFuzzer harnesses: clang with the fuzzer's coverage, AddressSanitizer and UBSan.
build_fuzz() {
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD_FUZZ" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKAVO_FUZZ=ON -DBUILD_TESTING=OFF -DKAVO_WERROR=ON >/dev/null
    cmake --build "$BUILD_FUZZ" -j "$JOBS"
}

XVFB_PID=""
# Starts Xvfb on a free display number and exports DISPLAY; KAVO_SCREEN_SIZE (WxHxDepth) for
# another screen than 1280 x 1024.
start_display() {
    local n=90
    while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${KAVO_SCREEN_SIZE:-1280x1024x24}" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 1 50); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.1
    done
    echo "Xvfb did not start" >&2
    return 1
}

stop_display() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
}

# Creates the private prefix once; Wine then draws its own captions and frames, as Windows
# does, since there is no window manager on the virtual display.
prepare_wine() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        # No Mono or Gecko: KAVO needs neither, and their installers would wait for a click.
        WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
        wineserver -w
    fi
    # Wine's own fonts (fonts-wine), as a Windows Fonts folder holds them: Marlett draws the
    # caption buttons, which show a bare letter without it. This Wine does not take them from
    # its data directory, so the prefix gets a copy (also a prefix made before they were there).
    cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # The dialogs ask for the Japanese UI fonts of Windows; the IPA fonts stand in for them
    # (the proportional one for "ＭＳ Ｐゴシック"), so texts keep their width and are not cut.
    local reg="$BUILD_WIN/prefix-settings.reg"
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
        '"ＭＳ Ｐゴシック"="IPAPGothic"' '"ＭＳ ゴシック"="IPAGothic"' |
        iconv -f UTF-8 -t UTF-16 >"$reg"
    wine regedit /S "$reg" >/dev/null 2>&1
    # Keep one server for the whole run: every test starts a Wine process.
    wineserver -p 2>/dev/null || true
}

stop_wine() {
    wineserver -k 2>/dev/null || true
}
