#!/usr/bin/env bash
# install.sh CMAKE BUILD_DIR ROOT: installs the build under the prefix /usr into the empty folder
# ROOT, as a package would lay it out.
set -euo pipefail
cmake=$1 build=$2 root=$3
rm -rf "$root"
DESTDIR=$root "$cmake" --install "$build" --prefix /usr
