#!/usr/bin/env bash
# The demo of `make run`, inside the Wine session that wine-session.sh has prepared: Lumenfold with
# a few of Wine's own programs on two desktops. Ctrl+C ends Lumenfold the way its "Terminate"
# command does, so every hidden window comes back before the session closes.
set -uo pipefail
build_dir=$(cd "$1" && pwd)
control="$build_dir/bin/LumenfoldControl.exe"
shot_dir="$build_dir/run"
mkdir -p "$shot_dir"

# Each Windows program runs in a session of its own, so that Ctrl+C in this terminal reaches only
# this script, which then ends Lumenfold properly.
start_program() {
    setsid wine "$@" </dev/null >/dev/null 2>&1 &
}

# Keys reach Wine while X focus is on its desktop window. Wine reads the keyboard's state afresh a
# moment after it gets the focus, which can drop a modifier pressed meanwhile: the focus is given
# only when it is elsewhere, and the keys wait a moment after it.
press() {
    local modifier=$1 key=$2 desktop
    desktop=$(xdotool search --name 'Wine desktop' | head -n 1)
    if [ "$(xdotool getwindowfocus)" != "$desktop" ]; then
        xdotool windowfocus --sync "$desktop"
        sleep 0.5
    fi
    xdotool keydown "$modifier" sleep 0.1 key "$key" sleep 0.1 keyup "$modifier"
}

screenshot() {
    import -window root "$shot_dir/$1.png" && echo "  $shot_dir/$1.png"
}

# The control program runs in a session of its own too: Ctrl+C, sent to the whole group of this
# script, must not end it. And it runs in the background while the script waits for it, since bash
# acts on a Ctrl+C that comes while a foreground program runs only if that program died of it.
control() {
    setsid -w wine "$control" "$1" </dev/null >/dev/null 2>&1 &
    wait $!
}

end_lumenfold() {
    trap - INT TERM
    echo
    echo "Ending Lumenfold; every hidden window comes back first."
    setsid -w wine "$control" terminate </dev/null
    echo "Lumenfold ended with exit code $?."
    screenshot after-exit
    exit 0
}

start_program notepad
start_program winemine
sleep 1
start_program "$build_dir/bin/Lumenfold.exe"
control wait-ready || { echo "Lumenfold did not start." >&2; exit 1; }
trap end_lumenfold INT TERM

# Desktop 2 gets the clock; desktop 1 keeps notepad and the mines.
press alt F2
start_program clock
sleep 2
press alt F1
sleep 1

echo "Lumenfold runs in Wine's virtual desktop on display $DISPLAY, with three desktops:"
echo "  desktop 1: notepad and WineMine; desktop 2: the clock; desktop 3: empty."
echo "  Alt+F1/F2/F3 switch desktops, Alt+Right/Alt+Left go to the next/previous one,"
echo "  Alt+Delete closes the applications of the current desktop."
echo "Screenshots (desktop 1 now, desktop 2 a moment later):"
screenshot desktop-1
press alt F2
sleep 1
screenshot desktop-2
press alt F1
echo "Press Ctrl+C to end."

# Waits for Ctrl+C, or for Lumenfold to end by itself.
while control wait-ready; do
    sleep 1 &
    wait $!
done
echo "Lumenfold has ended."
