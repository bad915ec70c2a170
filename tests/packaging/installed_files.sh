#!/usr/bin/env bash
# installed_files.sh ROOT LIST: the install holds exactly the files in LIST, no more and no fewer.
set -euo pipefail
root=$1 list=$2
if ! diff -u --label expected --label installed "$list" \
    <(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort); then
    echo "The install differs from $list (- missing, + unexpected)." >&2
    exit 1
fi
