#!/usr/bin/env bash
# lintian.sh OUT_DIR: lintian finds no error in the package that deb.sh made there.
set -euo pipefail
out=$1
command -v lintian >/dev/null || { echo "SKIP: no lintian"; exit 77; }
shopt -s nullglob
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "expected one package in $out, found ${#debs[@]}" >&2; exit 1; }
# Tags are listed for the log; only errors fail the check.
report=$(lintian --fail-on none --display-info --tag-display-limit 0 "${debs[0]}" 2>&1)
echo "${report:-lintian: no tags}"
! grep -q '^E: ' <<<"$report"
