#!/usr/bin/env bash
# The Debian package of this build: its dependencies, its files, and its programs run
# from the unpacked package. Skipped (77) where there is no dpkg-deb.
# Usage: package_test.sh BUILD_FOLDER SOURCE_FOLDER
set -uo pipefail
command -v dpkg-deb > /dev/null || { echo "no dpkg-deb: skipped"; exit 77; }
BUILD=$(cd "$1" && pwd)
SOURCE=$(cd "$2" && pwd)
SCRATCH=$(mktemp -d)
trap 'chmod -R u+w "$SCRATCH"; rm -rf "$SCRATCH"' EXIT
source "$(dirname "$0")/installed_tree.sh"

cpack --config "$BUILD/CPackConfig.cmake" -B "$SCRATCH/out" > "$SCRATCH/cpack.log" 2>&1 ||
    { cat "$SCRATCH/cpack.log"; exit 1; }
package=$(ls "$SCRATCH"/out/kestro_*.deb 2> /dev/null | head -n 1)
[ -n "$package" ] || { cat "$SCRATCH/cpack.log"; echo "FAIL: no package made"; exit 1; }

depends=$(dpkg-deb --field "$package" Depends)
[[ $depends == *libstdc++6* ]] || fail "Depends lacks libstdc++6: $depends"
if [ -x "$BUILD/bin/kestro" ]; then
    for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libqt6printsupport6; do
        [[ $depends == *"$library"* ]] || fail "Depends lacks $library: $depends"
    done
fi
if [ -x "$BUILD/bin/tarn" ] && ldd "$BUILD/bin/tarn" | grep -q libngspice; then
    [[ $depends == *libngspice* ]] || fail "tarn links libngspice but Depends lacks it"
fi
outside=$(dpkg-deb --contents "$package" | awk '{print $6}' | grep -v '^\./usr/' | grep -v '^\./$')
[ -z "$outside" ] || fail "files outside /usr: $outside"

dpkg-deb --extract "$package" "$SCRATCH/root"
check_installed_tree "$SCRATCH/root/usr"
[ "$failures" -eq 0 ] || exit 1
echo "package $(basename "$package") complete and working"
