#!/bin/sh
# make package: the Debian package build/package/kq27_<version>_<arch>.deb,
# built by Debian's own tooling (dpkg-buildpackage, debhelper's CMake build)
# from a copy of the sources with packaging/debian as its debian/ folder,
# then checked: desktop entries, metainfo, MIME data and lintian.
set -eu
cd "$(dirname "$0")/.."
out=build/package
source=$out/source
jobs=${JOBS:-$(nproc)}

# One version: the project's, which the changelog must name.
version=$(sed -n 's/^project([^ ]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
changelog=$(dpkg-parsechangelog -l packaging/debian/changelog -S Version)
if [ "$version" != "$changelog" ]; then
    echo "build-package: CMakeLists.txt says version $version, packaging/debian/changelog $changelog" >&2
    exit 1
fi

# dpkg-buildpackage writes its results beside the source folder, so the copy
# lives in build/package and the results land there.
rm -rf "$source" "$out"/kq27_* "$out"/kq27-dbgsym_*
mkdir -p "$source"
tar --exclude=./build --exclude=./.git -cf - . | tar -C "$source" -xf -
cp -R packaging/debian "$source/debian"

# debhelper gives the build a fresh HOME, where the compiler cache would not
# be found: name it, and its settings, explicitly.
if command -v ccache >/dev/null 2>&1; then
    CCACHE_DIR=$(ccache -k cache_dir)
    export CCACHE_DIR
    config=$(ccache -sv | sed -n 's/^Config file: *//p')
    if [ -n "$config" ] && [ -f "$config" ]; then
        CCACHE_CONFIGPATH=$config
        export CCACHE_CONFIGPATH
    fi
fi

(cd "$source" && dpkg-buildpackage -b --no-sign -J"$jobs")

# What the desktop reads, as it was installed into the package.
installed=$source/debian/kq27/usr/share
desktop-file-validate "$installed"/applications/*.desktop
appstreamcli validate --no-net "$installed"/metainfo/*.metainfo.xml
mime=$(mktemp -d)
trap 'rm -rf "$mime"' EXIT
mkdir -p "$mime/mime/packages"
cp "$installed"/mime/packages/*.xml "$mime/mime/packages/"
# A data folder in the search path, so it says nothing but errors.
if XDG_DATA_DIRS="$mime:/usr/share" update-mime-database "$mime/mime" 2>&1 | grep .; then
    echo "build-package: the MIME definition has errors" >&2
    exit 1
fi

deb=$(ls "$out"/kq27_"$version"_*.deb)
lintian --fail-on error --info "$deb"
echo "build-package: $deb"
