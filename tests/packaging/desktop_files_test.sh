#!/usr/bin/env bash
# The launcher entry and the software-centre description pass the desktop's own
# validators, and the description names the version being built. Skipped (77) where
# appstreamcli or desktop-file-validate is missing (scripts/bootstrap installs both).
# Usage: desktop_files_test.sh SOURCE_FOLDER PROJECT_VERSION
set -uo pipefail
resources="$1/gui/resources"
version=$2
for tool in appstreamcli desktop-file-validate; do
    command -v "$tool" > /dev/null || { echo "no $tool: skipped"; exit 77; }
done
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

metainfo="$resources/com.quorvant.kestro.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
grep -q "<release version=\"$version\"" "$metainfo" ||
    fail "the metainfo has no release $version: add it with its date"
desktop-file-validate "$resources/com.quorvant.kestro.desktop" || fail "the desktop entry"
grep -q "<launchable type=\"desktop-id\">com.quorvant.kestro.desktop<" "$metainfo" ||
    fail "the metainfo does not launch the desktop entry"
[ "$failures" -eq 0 ] || exit 1
echo "desktop files valid"
