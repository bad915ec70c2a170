# Shared by the run and test commands: install what is missing, then configure and build.
# Sourced, not run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi

# The time that the tools stamp into what they make (the Windows program's link time, the files'
# times in the Debian package, the installer's dates) is the last commit's, so that a commit builds
# the same files wherever and whenever it is built. A time that the caller set wins.
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || true)
fi
if [ -n "$SOURCE_DATE_EPOCH" ]; then export SOURCE_DATE_EPOCH; else unset SOURCE_DATE_EPOCH; fi

# Installs those of the named Debian packages that are not installed yet.
install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        "${sudo[@]}" apt-get update -q
        "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
    fi
}

# Liberation Sans is the window's face; the xcb plugin lets Qt open a window on X11; xdg-open
# opens the printed table in the desktop's text viewer; Xlib asks X11 for detectable autorepeat.
build_packages=(cmake make g++ pkg-config qt6-base-dev qt6-qpa-plugins fonts-liberation xdg-utils
    libx11-dev)
# What dpkg-buildpackage needs besides the build's own packages to make the Debian package from
# debian/.
deb_packages=(build-essential debhelper)
# Validators and tools of the desktop-file and Debian-package checks: hardening-check is devscripts',
# and autopkgtest runs debian/tests; the menu-entry check clicks on Xvfb with xdotool and reads the
# looked-up character with xclip.
packaging_packages=("${deb_packages[@]}" desktop-file-utils appstream lintian devscripts
    autopkgtest librsvg2-bin xvfb xauth xdotool xclip)
# The start on Wayland: sway as a headless compositor, wtype to type into Kodvik, wl-clipboard to
# read what it copied, and Qt's Wayland platform plugin.
packaging_packages+=(sway wtype wl-clipboard qt6-wayland)

# The sanitizer, fuzzing and static-analysis checks of the test command: clang with libFuzzer and
# the sanitizer runtimes (libclang-rt), clang-tidy and cppcheck. The unversioned packages bring the
# release's own clang: 14 on Debian 12, 19 on Debian 13.
analysis_packages=(clang libclang-rt-dev clang-tidy cppcheck)

# The native Windows program: MinGW-w64 cross-compiles it, wixl and msibuild (msitools) make its
# installer, and its tests run under Wine on a virtual display (xvfb-run, which needs xauth),
# against GoogleTest built from its sources; the installer's test clicks with xdotool.
windows_packages=(cmake make g++-mingw-w64-x86-64 wixl msitools wine wine64 googletest xvfb xauth
    xdotool)
# Debian's Python dates the installer and gives it its package code (win32/stamp-msi.py), through
# libmsi's bindings.
windows_packages+=(python3-gi gir1.2-libmsi-1.0)

# configure_and_build PRESET [cmake options...]: a configure and build preset of
# CMakePresets.json (default in build/, sanitizer, fuzz, windows, bench).
configure_and_build() {
    local preset=$1
    shift
    cmake --preset "$preset" "$@"
    cmake --build --preset "$preset" --parallel "$(nproc)"
}
