#!/usr/bin/env bash
# Ctrl+C in the terminal of `make run`: SIGINT to the demo's whole process group must end
# Lumenfold through Terminate (exit code 0, every window back), not leave it to the session's
# clean-up. The demo runs in a session of its own, as under make in a terminal, and with Ctrl+C's
# default action: a command started in the background of a script inherits it ignored.
set -u
top=$1 build=$2
out=$(mktemp)
trap 'rm -f "$out"' EXIT
setsid env --default-signal=INT "$top/scripts/wine-session.sh" "$build" "$top/scripts/run-demo.sh" "$build" >"$out" 2>&1 &
demo=$!
for _ in $(seq 600); do grep -q "Press Ctrl+C" "$out" && break; sleep 0.1; done
kill -INT -- -"$demo"
for _ in $(seq 600); do kill -0 "$demo" 2>/dev/null || break; sleep 0.1; done
kill -0 "$demo" 2>/dev/null && kill -KILL -- -"$demo"
cat "$out"
# The display must have outlived the Ctrl+C too: the last screenshot shows the windows back.
grep -q "Lumenfold ended with exit code 0." "$out" && grep -q "after-exit.png" "$out" && ! grep -q "unable to open X" "$out"
