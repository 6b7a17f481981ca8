#!/bin/sh
# Installs the Debian packages needed to build, test and run Tallyfern.
# Idempotent: does nothing when every package is present, and refreshes the
# package lists only when something has to be installed.
set -eu

PACKAGES="
cmake
ninja-build
g++
make
ccache
pkg-config
zlib1g-dev
qt6-base-dev
qt6-base-private-dev
libqt6sql6-sqlite
libsqlite3-dev
qt6-tools-dev
qt6-tools-dev-tools
qt6-l10n-tools
qt6-translations-l10n
libgl-dev
xvfb
xauth
fonts-material-design-icons-iconfont
fonts-dejavu-core
fonts-noto-cjk
g++-mingw-w64-x86-64
clang-14
libfuzzer-14-dev
"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi

echo "Installing:$missing"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing
