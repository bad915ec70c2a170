#!/usr/bin/env bash
# installed_files.sh ROOT LIST: the install holds exactly the files in LIST, no more and no fewer,
# but for the package's own documents under usr/share/doc, which debhelper puts in from debian/.
set -euo pipefail
root=$1 list=$2
if ! diff -u --label expected --label installed <(grep -v '^usr/share/doc/' "$list") \
    <(cd "$root" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort); then
    echo "The install differs from $list (- missing, + unexpected)." >&2
    exit 1
fi
