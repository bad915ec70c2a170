#!/usr/bin/env bash
# lintian.sh OUT_DIR: lintian, pedantic and experimental tags included, finds nothing to say of the
# packages that deb.sh made there, nor of their .changes.
set -euo pipefail
out=$1
command -v lintian >/dev/null || { echo "SKIP: no lintian"; exit 77; }
shopt -s nullglob
changes=("$out"/*.changes)
[ ${#changes[@]} -eq 1 ] || { echo "expected one .changes in $out, found ${#changes[@]}" >&2; exit 1; }
# lintian warns that it runs as root, which the tests may.
report=$(lintian --pedantic --display-info --display-experimental --tag-display-limit 0 \
    "${changes[0]}" 2>&1 | grep -v '^running with root privileges' || true)
echo "${report:-lintian: no tags}"
[ -z "$report" ]
