#!/bin/sh
# Installs the Debian packages the build, the tests and the running programs
# need; only the missing ones, so a second run is quiet and fast.
# "install-deps.sh bench" adds what the benchmarks compare against,
# "install-deps.sh package" the tools that build and check the Debian package.
set -eu

PACKAGES="
cmake ninja-build g++ make pkg-config ccache lld
qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-svg-dev qt6-charts-dev qt6-multimedia-dev libqt6opengl6-dev
libhidapi-dev libgif-dev libgtest-dev googletest libgmock-dev libbenchmark-dev
libopencv-core-dev libopencv-imgproc-dev
fonts-ipafont-gothic fonts-ipafont-mincho groff-base
xvfb xauth
xdotool
"
case "${1:-}" in
bench) PACKAGES="$PACKAGES imagemagick" ;;
package) PACKAGES="$PACKAGES debhelper dpkg-dev lintian desktop-file-utils appstream shared-mime-info" ;;
esac

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "install-deps: these packages are missing and neither root nor sudo is available:$missing" >&2
    exit 1
fi

echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
# shellcheck disable=SC2086
$SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
