#!/usr/bin/env bash
# Installs everything the build, the programs and the test suite need on a Debian machine.
# Non-interactive and idempotent: when every package is already present it only checks and exits.
set -euo pipefail

packages=(
    g++ cmake ninja-build make pkg-config clang-format
    clang libclang-rt-14-dev
    libgtest-dev libgmock-dev
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-svg-dev
    libgl-dev
    fonts-liberation fonts-wqy-microhei
    poppler-utils
    locales
    qt6-translations-l10n
    desktop-file-utils appstream man-db groff-base file
    dpkg-dev lintian
    emscripten nodejs chromium
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq
    $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A locale whose decimal separator is a comma, so the tests can prove that numbers are
# formatted and parsed the same way under it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    echo "setup: generating the de_DE.UTF-8 locale"
    $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8 || echo "setup: could not generate de_DE.UTF-8 (tests that need it will skip)"
fi

# The browser edition: emscripten 3.1.6 builds it (scripts/web.sh) and its tests drive the page
# in headless Chromium with playwright-core and axe-core, pinned in tests/web/package-lock.json.
# Neither package's recommends is needed: em++ uses none of them, and headless Chromium runs
# without the sandbox helper, the GPU drivers or a desktop's notification and printer services.
if ! command -v npm >/dev/null; then
    echo "setup: installing npm"
    $SUDO apt-get install -y -qq --no-install-recommends npm >/dev/null
fi
web=tests/web
cd "$(dirname "$0")/.."
if [ ! -d $web/node_modules ] || [ $web/package-lock.json -nt $web/node_modules ]; then
    echo "setup: installing the browser tests' packages (npm ci in $web)"
    npm ci --prefix $web --no-audit --no-fund >/dev/null
    touch $web/node_modules
fi

echo "setup: all dependencies present"
