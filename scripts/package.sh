#!/usr/bin/env bash
# Builds the Debian package radio-programmer_<version>_<arch>.deb in build/package: a Release
# build without the tests, installed under /usr, with Debian's hardening flags, packed by CPack.
# When lintian is installed the package is checked with it, and an error fails the script.
# The last line of output is the path of the package.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/package

# Debian's compiler and linker flags, with every hardening feature (bindnow included).
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1" 2>/dev/null || true; }
cmake -S . -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX=/usr \
    -DRADIO_BUILD_TESTS=OFF \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
cmake --build "$build" -j2

rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
packages=("$build"/*.deb)
deb=${packages[0]}
if [ ! -f "$deb" ]; then
    echo "package: cpack made no .deb in $build" >&2
    exit 1
fi

if command -v lintian >/dev/null; then
    echo "package: lintian $deb"
    # Errors fail the script; warnings and notes are shown.
    lintian --fail-on error --display-info "$deb"
else
    echo "package: lintian is not installed; the package was not checked (scripts/setup.sh installs it)"
fi
echo "$deb"
