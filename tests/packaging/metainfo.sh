#!/usr/bin/env bash
# metainfo.sh ROOT VERSION: the installed AppStream metainfo validates, alone and together with the
# launcher it names, provides a program that is installed, and lists VERSION as its newest release.
set -euo pipefail
root=$1 version=$2
command -v appstreamcli >/dev/null || { echo "SKIP: no appstreamcli"; exit 77; }

shopt -s nullglob
files=("$root"/usr/share/metainfo/*.metainfo.xml)
[ ${#files[@]} -eq 1 ] || { echo "expected one metainfo file, found ${#files[@]}" >&2; exit 1; }
metainfo=${files[0]}

appstreamcli validate --no-net "$metainfo"
# The tree check also finds the launcher that <launchable> names.
appstreamcli validate-tree --no-net --strict "$root"

id=$(sed -n 's|.*<id>\(.*\)</id>.*|\1|p' "$metainfo")
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] ||
    { echo "$metainfo is not named after its id $id" >&2; exit 1; }
binary=$(sed -n 's|.*<binary>\(.*\)</binary>.*|\1|p' "$metainfo")
[ -n "$binary" ] && [ -x "$root/usr/bin/$binary" ] ||
    { echo "provides binary '$binary', which is not installed" >&2; exit 1; }
newest=$(sed -n 's|.*<release version="\([^"]*\)".*|\1|p' "$metainfo" | head -n 1)
[ "$newest" = "$version" ] ||
    { echo "newest release is '$newest', the program is $version" >&2; exit 1; }
echo "$metainfo: valid, provides usr/bin/$binary, release $newest"
