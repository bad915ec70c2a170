#!/usr/bin/env bash
# release_refusals.sh SOURCES: scripts/release refuses, and says why, where its files could not be
# rebuilt from their commit: a tracked file changed, no git metadata (an export of the commit), an
# export unpacked inside another project's checkout, and a checkout that git will not read because
# another user owns it (only as root). Each case is a copy of the commit in SOURCES with the
# release scripts as they are there now; none gets as far as building.
set -euo pipefail
sources=$1
command -v git >/dev/null || { echo "SKIP: no git"; exit 77; }
git -C "$sources" rev-parse --git-dir >/dev/null 2>&1 || { echo "SKIP: $sources is no checkout"; exit 77; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

# CASE EXPECTED: the release in $scratch/CASE ends with status 1 and says EXPECTED.
expect_refusal() {
    local case=$1 expected=$2 said status=0
    said=$(cd "$scratch/$case" && timeout 60 scripts/release 2>&1) || status=$?
    if [ "$status" -ne 1 ] || [[ $said != *"$expected"* ]] || [[ $said != *"no release made"* ]]; then
        echo "$case: status $status, said: $said" >&2
        failures=$((failures + 1))
    else
        echo "$case: ${said%%$'\n'*}"
    fi
}

# clone CASE: a clone of the commit in $scratch/CASE.
clone() {
    git clone --quiet "$sources" "$scratch/$1"
    cp "$sources"/scripts/{release,setup.sh} "$scratch/$1/scripts/"
}

clone changed
echo "# changed" >>"$scratch/changed/README.md"
expect_refusal changed "M README.md"

mkdir "$scratch/exported"
git -C "$sources" archive HEAD | tar -x -C "$scratch/exported"
cp "$sources"/scripts/{release,setup.sh} "$scratch/exported/scripts/"
expect_refusal exported "git cannot read one here"

# The same export in a home folder kept in git: that checkout's commit is no commit of Kodvik's.
git init --quiet "$scratch/home"
git -C "$scratch/home" -c user.name=home -c user.email=home@localhost \
    commit --quiet --allow-empty -m home
cp -R "$scratch/exported" "$scratch/home/kodvik"
expect_refusal home/kodvik "not the top of its own checkout"

if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
    clone foreign
    chown -R nobody "$scratch/foreign"
    expect_refusal foreign "dubious ownership"
fi
[ "$failures" -eq 0 ]
