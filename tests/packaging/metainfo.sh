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

# The developer is named in <developer>, as AppStream 1.0 wants; 0.16 (Debian 12) does not know
# that tag yet and reports it as unknown, an info, which fails --strict. That one remark is expected
# there, and any other fails.
expected='^$'
appstream=$(appstreamcli --version | sed -n 's/^AppStream version: *//p')
if [ "$(printf '%s\n' "$appstream" 1.0 | sort -V | head -n 1)" != 1.0 ]; then
    expected='^I: [^ ]+: unknown-tag developer$'
fi
# strict COMMAND ARGUMENT: appstreamcli's COMMAND, strict but for the expected remark.
strict() {
    local report status=0 remarks
    report=$(appstreamcli "$1" --no-net --strict "$2" 2>&1) || status=$?
    echo "$report"
    [ "$status" -ne 0 ] || return 0
    remarks=$(sed -n 's/^ *\([EWI]: \)/\1/p' <<<"$report")
    [ -n "$remarks" ] && ! grep -qvE "$expected" <<<"$remarks" || return 1
    echo "(the remark that AppStream $appstream makes of <developer>, which it does not know yet)"
}
strict validate "$metainfo"
# The tree check also finds the launcher that <launchable> names.
strict validate-tree "$root"

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
