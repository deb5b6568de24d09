#!/usr/bin/env bash
# Starts Lumenfold inside the Wine session that wine-session.sh has prepared.
set -euo pipefail
build_dir=$1
wine "$build_dir/bin/Lumenfold.exe" </dev/null
echo "Lumenfold ended with exit code $?."
