#!/usr/bin/env bash
# Runs one command inside a private Wine session and cleans up after it, whatever happens:
#   - a 32-bit prefix with Wine's virtual desktop, copied from a base prefix that is made once per
#     build tree (making a prefix takes seconds, copying it about two);
#   - a private X display: a new Xvfb on a free display number, or with --user-display the
#     caller's own display when it answers;
#   - a private TMPDIR, so that no other run shares this run's wineserver;
#   - a persistent wineserver, which makes each Wine process start in a fraction of a second.
# At the end the wineserver is killed with every Wine process of the session, Xvfb is stopped and
# the copied prefix is removed. The command's exit code is passed on.
#
# usage: wine-session.sh [--user-display] BUILD_DIR COMMAND [ARG...]
set -euo pipefail

use_user_display=0
if [ "${1:-}" = "--user-display" ]; then
    use_user_display=1
    shift
fi
[ $# -ge 2 ] || { echo "usage: $0 [--user-display] BUILD_DIR COMMAND [ARG...]" >&2; exit 2; }
build_dir=$(cd "$1" && pwd)
shift

wine_root="$build_dir/wine"
base_prefix="$wine_root/base"
run_dir="$wine_root/run-$$"
xvfb_pid=""

export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts, and no menu entries written into the caller's home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Polls a command until it succeeds or the time limit (in tenths of a second) runs out.
wait_for() {
    local tenths=$1
    shift
    local i
    for ((i = 0; i < tenths; i++)); do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# The processes of this session: every Wine process, the wineserver included, carries the
# session's prefix in its environment.
# The list of candidates is taken before the pipeline starts, so that its own commands, which
# carry the prefix too, are not among them.
session_processes() {
    local candidates=(/proc/[0-9]*/environ)
    { grep -lsx --null-data "WINEPREFIX=$WINEPREFIX" "${candidates[@]}" || true; } | cut -d/ -f3 | paste -sd ' '
}

stop_session() {
    local code=$?
    trap - EXIT INT TERM
    if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
        local processes
        processes=$(session_processes)
        wineserver -k >/dev/null 2>&1 || true
        # Killed processes take a moment to disappear; whatever is still there after ten seconds
        # is killed outright, so that nothing of the session outlives it.
        if [ -n "$processes" ]; then
            wait_for 100 bash -c "! ps -p ${processes// /,} >/dev/null" ||
                kill -9 $processes 2>/dev/null || true
        fi
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait_for 50 bash -c "! kill -0 $xvfb_pid" || kill -9 "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$run_dir"
    exit "$code"
}
trap stop_session EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

start_display() {
    if [ "$use_user_display" = 1 ] && [ -n "${DISPLAY:-}" ] && timeout 5 xdpyinfo >/dev/null 2>&1; then
        echo "wine-session: using your display $DISPLAY"
        return
    fi
    # Xvfb picks a free display number itself and writes it to the given descriptor.
    local number_file="$run_dir/display"
    # In a session of its own, like Wine's background processes below: Ctrl+C in the terminal goes to
    # the whole process group, and only the command may see it.
    setsid Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    wait_for 100 test -s "$number_file" || { echo "wine-session: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n 1 "$number_file")"
    wait_for 100 xdpyinfo || { echo "wine-session: display $DISPLAY does not answer" >&2; exit 1; }
}

make_base_prefix() {
    [ -f "$base_prefix/.ready" ] && return
    echo "wine-session: making the base Wine prefix (once per build tree)..."
    rm -rf "$base_prefix"
    mkdir -p "$base_prefix"
    (
        export WINEPREFIX="$base_prefix"
        wineboot -i >/dev/null 2>&1
        # Every program of the prefix runs inside Wine's virtual desktop: without a window manager
        # Wine would wait up to two seconds for every window that it hides.
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
        wineserver -k >/dev/null 2>&1 || true
        timeout 30 wineserver -w >/dev/null 2>&1 || true
    )
    # Wine here does not find the TrueType fonts of fonts-wine by itself; without Marlett the
    # title-bar buttons draw as the letters "0 1 r".
    cp /usr/share/wine/fonts/*.ttf "$base_prefix/drive_c/windows/Fonts/"
    rm -f "$base_prefix/wineserver"
    touch "$base_prefix/.ready"
}

# Copies left by sessions that were killed outright (their shell's pid is gone) are removed.
for stale in "$wine_root"/run-*; do
    [ -d "$stale" ] && ! kill -0 "${stale##*-}" 2>/dev/null && rm -rf "$stale"
done
mkdir -p "$run_dir/tmp"
export TMPDIR="$run_dir/tmp"
start_display
make_base_prefix

cp -a "$base_prefix" "$run_dir/prefix"
rm -f "$run_dir/prefix/wineserver" "$run_dir/prefix/.ready"
export WINEPREFIX="$run_dir/prefix"
export LUMENFOLD_SESSION_DIR="$run_dir"

setsid -w wineserver -p >/dev/null 2>&1 </dev/null

# Wine's own background processes (services, the virtual desktop with its taskbar) are started
# here with no output attached. Started later by a test, they would inherit the output pipe of the
# test runner, which would then wait for them to end.
setsid -w wine cmd /c exit >/dev/null 2>&1 </dev/null
(setsid wine explorer.exe /desktop=Default,1024x768 >/dev/null 2>&1 </dev/null &)
wait_for 150 xdotool search --name 'Wine desktop' ||
    { echo "wine-session: Wine's virtual desktop did not appear" >&2; exit 1; }

# Ctrl+C reaches the command too; its own handling decides how the session ends.
trap 'true' INT
set +e
"$@"
status=$?
set -e
exit "$status"
