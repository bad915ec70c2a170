# Shared by the package's tests, which source it: a Wine prefix made afresh in WINEPREFIX, removed
# again at exit, and the helpers the tests use. The working folder is the prefix.
set -eu

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# The Unix path of a Windows path with environment variables, as the prefix expands them.
unix_path() { winepath -u "$(wine cmd /c echo "$1" | tr -d '\r')"; }
# The entries in Apps named Kodvik, as "{ProductCode}|||Kodvik" lines. Wine 8 lists them on
# standard output, Wine 10 on standard error.
apps_entries() { wine uninstaller --list 2>&1 | tr -d '\r' | grep '|||Kodvik$' || true; }

trap 'wineserver -k 2>/dev/null || true; wineserver -w; rm -rf "$WINEPREFIX"' EXIT
rm -rf "$WINEPREFIX"
wineboot --init >/dev/null 2>&1 || fail "cannot make the Wine prefix $WINEPREFIX"
cd "$WINEPREFIX"
