# Creates and boots a 64-bit Wine prefix for running Tintmesh.exe.
#
#   scripts/wine-prefix.sh [PREFIX]      boot PREFIX, then exit
#   . scripts/wine-prefix.sh PREFIX      the same from bash, and leave WINEPREFIX,
#                                        WINEARCH, WINEDEBUG, WINEDLLOVERRIDES
#                                        and TINTMESH_WINE (the wine64 loader)
#                                        exported in the calling shell
#   WINEPREFIX=PREFIX . scripts/wine-prefix.sh
#                                        the same from a POSIX sh, whose "."
#                                        takes no arguments
#
# PREFIX defaults to $WINEPREFIX, else ~/.local/share/tintmesh/wineprefix.
# Then run the program with: "$TINTMESH_WINE" build/win64/Tintmesh.exe
# A prefix that this script has booted before is only checked, not booted
# again. The prefix gets:
#   - Arial drawn with Liberation Sans (same metrics), so text lays out as the
#     program's fixed pixel geometry expects;
#   - no install prompts for Mono or Gecko, no crash dialog, and no menu
#     entries or file associations written into the user's desktop;
#   - quiet Wine logging unless WINEDEBUG is already set.
# Works as root, with no standard input, and uses only the X display named by
# DISPLAY (none at all when it is unset). Written for POSIX sh so that both sh
# and bash can source it; it changes no shell options of the caller.

tintmesh_wine_prefix() {
    tm_prefix=${1:-${WINEPREFIX:-$HOME/.local/share/tintmesh/wineprefix}}
    case $tm_prefix in
        /*) ;;
        *) tm_prefix=$(pwd)/$tm_prefix ;;
    esac
    tm_wine=/usr/lib/wine/wine64
    tm_server=/usr/lib/wine/wineserver
    if [ ! -x "$tm_wine" ]; then
        echo "wine-prefix: $tm_wine not found (install the wine64 package)" >&2
        return 1
    fi

    export WINEPREFIX="$tm_prefix"
    export WINEARCH=win64
    export WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    export TINTMESH_WINE="$tm_wine"

    tm_marker="$tm_prefix/.tintmesh-prefix"
    if [ -f "$tm_marker" ] && [ -f "$tm_prefix/user.reg" ] &&
        grep -q '^"Arial"="Liberation Sans"' "$tm_prefix/user.reg"; then
        return 0
    fi

    if ! fc-list 2>/dev/null | grep 'LiberationSans-Regular' >/dev/null; then
        echo "wine-prefix: Liberation Sans is not installed (install fonts-liberation)" >&2
        return 1
    fi

    mkdir -p "$(dirname "$tm_prefix")" || return 1
    tm_log=$(mktemp "${TMPDIR:-/tmp}/tintmesh-wineboot.XXXXXX") || return 1
    tm_reg=$(mktemp "${TMPDIR:-/tmp}/tintmesh-prefix.XXXXXX") || return 1

    # wineboot leaves the prefix's server and services running for a while;
    # their output goes to the log file, never to a pipe, and the script waits
    # for the server itself to end so that the registry is on disk.
    if ! timeout 180 "$tm_wine" wineboot -i </dev/null >"$tm_log" 2>&1; then
        echo "wine-prefix: wineboot failed for $tm_prefix:" >&2
        cat "$tm_log" >&2
        rm -f "$tm_log" "$tm_reg"
        return 1
    fi

    cat >"$tm_reg" <<'EOF'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"

[HKEY_CURRENT_USER\Software\Wine\DllOverrides]
"mscoree"=""
"mshtml"=""
"winemenubuilder.exe"=""

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000
EOF
    if ! timeout 120 "$tm_wine" regedit /S "$(printf 'Z:%s' "$tm_reg" | tr / '\\')" \
        </dev/null >>"$tm_log" 2>&1; then
        echo "wine-prefix: could not write the prefix settings:" >&2
        cat "$tm_log" >&2
        rm -f "$tm_log" "$tm_reg"
        return 1
    fi
    rm -f "$tm_reg"

    if ! timeout 120 "$tm_server" -w </dev/null >>"$tm_log" 2>&1; then
        "$tm_server" -k </dev/null >>"$tm_log" 2>&1
        timeout 30 "$tm_server" -w </dev/null >>"$tm_log" 2>&1
    fi

    if ! grep -q '^"Arial"="Liberation Sans"' "$tm_prefix/user.reg" 2>/dev/null; then
        echo "wine-prefix: the font mapping did not reach $tm_prefix/user.reg:" >&2
        cat "$tm_log" >&2
        rm -f "$tm_log"
        return 1
    fi
    rm -f "$tm_log"
    date >"$tm_marker"
    return 0
}

tintmesh_wine_prefix "$@"
tm_status=$?
unset tm_prefix tm_wine tm_server tm_marker tm_log tm_reg
# Sourced: hand the status back to the caller's shell. Run: exit with it.
return $tm_status 2>/dev/null || exit $tm_status
