#!/usr/bin/env bash
# `cmake --install` into a scratch prefix lays out a complete installation that works.
# Usage: install_layout_test.sh BUILD_FOLDER SOURCE_FOLDER
set -uo pipefail
BUILD=$(cd "$1" && pwd)
SOURCE=$(cd "$2" && pwd)
SCRATCH=$(mktemp -d)
trap 'chmod -R u+w "$SCRATCH"; rm -rf "$SCRATCH"' EXIT
source "$(dirname "$0")/installed_tree.sh"

prefix="$SCRATCH/prefix"
cmake --install "$BUILD" --prefix "$prefix" > "$SCRATCH/install.log" ||
    { cat "$SCRATCH/install.log"; exit 1; }
check_installed_tree "$prefix"
[ "$failures" -eq 0 ] || exit 1
echo "installed tree complete and working"
