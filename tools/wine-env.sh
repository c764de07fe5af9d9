# Sourced by the tools: one Wine prefix of our own under build/, a display, a persistent
# wineserver. Safe to source more than once.
VESK_ROOT=${VESK_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$VESK_ROOT/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono/Gecko install prompts, no crash dialog: a crashing program must just fail.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}
VESK_WINE=/usr/lib/wine/wine64
[ -x "$VESK_WINE" ] || VESK_WINE=$(command -v wine64 || command -v wine)
# The 32-bit loader runs the shipped i686 exe in the same 64-bit prefix.
VESK_WINE32=/usr/lib/wine/wine
VESK_WINESERVER=/usr/lib/wine/wineserver64
[ -x "$VESK_WINESERVER" ] || VESK_WINESERVER=$(command -v wineserver)

# Whether 32-bit Windows programs can run here; says why not in one line.
vesk_wine32_check() {
    if [ ! -x "$VESK_WINE32" ]; then
        echo "32-bit Wine is not installed ($VESK_WINE32 missing): tools/setup installs wine32"
        return 1
    fi
    local out
    if ! out=$("$VESK_WINE32" --version 2>&1); then
        case "$out" in
        *"Exec format error"* | *"cannot execute"*)
            # A kernel built without 32-bit support: nothing installed can change that.
            echo "this kernel refuses 32-bit programs, so the i686 exe cannot be run: $out"
            return 2 ;;
        *) echo "32-bit Wine does not start: $out" ;;
        esac
        return 1
    fi
}

# Starts an Xvfb of our own on a free display number and waits until it answers; sets
# VESK_NEW_DISPLAY to it and adds its process to VESK_XVFB_PIDS.
vesk_new_display() {
    local n i
    # Any free number: other runs on the machine may hold some.
    for n in $(seq 99 -1 20); do
        [ -e /tmp/.X$n-lock ] && continue
        Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        VESK_XVFB_PIDS="${VESK_XVFB_PIDS:-} $!"
        for i in $(seq 1 100); do
            if DISPLAY=:$n xdpyinfo >/dev/null 2>&1; then
                VESK_NEW_DISPLAY=:$n
                return 0
            fi
            sleep 0.1
        done
        echo "Xvfb did not come up on :$n" >&2
        return 1
    done
    echo "no free X display number" >&2
    return 1
}

vesk_display() {
    # Use the caller's display, or start our own Xvfb once.
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    vesk_new_display || return 1
    export DISPLAY=$VESK_NEW_DISPLAY
}

vesk_prefix() {
    # Make the prefix once; later runs reuse it.
    if [ ! -f "$WINEPREFIX/.vesk-ready" ]; then
        mkdir -p "$WINEPREFIX"
        "$VESK_WINE" wineboot -i >/dev/null 2>&1
        "$VESK_WINESERVER" -w
        # Without a window manager Wine stalls ~2 s whenever a top-level window hides,
        # unless it manages the windows itself.
        "$VESK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
        "$VESK_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
        "$VESK_WINESERVER" -w
        touch "$WINEPREFIX/.vesk-ready"
    fi
}

# A copy of a prefix, made in a second and a few megabytes: the system folders' DLLs, which
# Wine does not write once the prefix is made, are hard links to the original's; the rest
# (the registry, the users' folders) is the copy's own.
vesk_copy_prefix() {
    local from=$1 to=$2 f
    rm -rf "$to"
    cp -al "$from" "$to" || return 1
    rm -f "$to/.vesk-ready" "$to/wineserver"
    (cd "$from" && find . -type f -not -path './drive_c/windows/system32/*' \
        -not -path './drive_c/windows/syswow64/*' -not -path './drive_c/windows/winsxs/*' \
        -not -name .vesk-ready -not -name wineserver -print0) |
        while IFS= read -r -d '' f; do cp -p --remove-destination "$from/$f" "$to/$f"; done
}

# A prefix whose system DPI is $1 (HKCU\Control Panel\Desktop LogPixels), made once as a copy
# of the current one beside it; sets WINEPREFIX to it. Its wineserver is its own, so the
# setting holds.
vesk_dpi_prefix() {
    local dpi=$1 main=$WINEPREFIX
    export WINEPREFIX=$main-$dpi
    [ -f "$WINEPREFIX/.vesk-ready" ] && return 0
    WINEPREFIX=$main vesk_prefix
    vesk_copy_prefix "$main" "$WINEPREFIX"
    "$VESK_WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
        >/dev/null 2>&1
    "$VESK_WINESERVER" -w
    touch "$WINEPREFIX/.vesk-ready"
}

# Lanes for Windows tests side by side: each a display, a prefix (a copy of the main one) and
# a persistent wineserver of its own, so that no test's windows, focus or foreground ever meet
# another's. tools/wine-run runs each program in a free lane while VESK_LANES is set.
vesk_lanes_up() {
    local count=$1 k main=$WINEPREFIX
    mkdir -p "$VESK_ROOT/build/lanes"
    for k in $(seq 1 "$count"); do
        local prefix=$VESK_ROOT/build/lanes/$k/prefix
        mkdir -p "$VESK_ROOT/build/lanes/$k"
        if [ ! -f "$prefix/.vesk-ready" ]; then
            vesk_copy_prefix "$main" "$prefix" || return 1
            touch "$prefix/.vesk-ready"
        fi
        vesk_new_display || return 1
        echo "$VESK_NEW_DISPLAY" >"$VESK_ROOT/build/lanes/$k/display"
        echo "${VESK_XVFB_PIDS##* }" >"$VESK_ROOT/build/lanes/$k/xvfb.pid"
        WINEPREFIX=$prefix DISPLAY=$VESK_NEW_DISPLAY vesk_wineserver_up
    done
    export VESK_LANES=$count
}

# The lane's display and prefix for a program that runs in lane $1.
vesk_enter_lane() {
    local dir=$VESK_ROOT/build/lanes/$1
    DISPLAY=$(cat "$dir/display")
    export DISPLAY WINEPREFIX=$dir/prefix
}

vesk_wineserver_up() {
    # A persistent wineserver makes each Wine process start in well under 100 ms.
    "$VESK_WINESERVER" -p >/dev/null 2>&1 || true
    # Start Wine's background services now, with no pipe attached: started later by a test
    # whose output is read through a pipe, they would inherit it and hold it open, and the
    # reader (CTest's test discovery) would wait until its timeout.
    "$VESK_WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

vesk_wine_down() {
    local prefix
    for prefix in "$WINEPREFIX" "$VESK_ROOT"/build/lanes/*/prefix*; do
        [ -d "$prefix" ] && WINEPREFIX=$prefix "$VESK_WINESERVER" -k >/dev/null 2>&1
    done
    local pid
    for pid in ${VESK_XVFB_PIDS:-} $(cat "$VESK_ROOT"/build/lanes/*/xvfb.pid 2>/dev/null); do
        kill "$pid" 2>/dev/null || true
    done
    rm -f "$VESK_ROOT"/build/lanes/*/xvfb.pid
    VESK_XVFB_PIDS=
    return 0
}
