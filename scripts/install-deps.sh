#!/bin/sh
# Installs the Debian packages needed to build, test and run Tallyfern.
# Idempotent: does nothing when every package is present, and refreshes the
# package lists only when something has to be installed. Run as root it
# installs directly (CI on a fresh Debian 12); run as a normal user it asks
# sudo only when a package is missing.
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

echo "Missing packages:$missing"
export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" -eq 0 ]; then
    apt-get update -q
    # shellcheck disable=SC2086
    apt-get install -y -q --no-install-recommends $missing
    exit 0
fi

# A normal user builds as themselves, so the build folder stays theirs; only
# the installation needs root, asked of sudo now and never when nothing is
# missing.
if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps: installing them needs root and sudo is not installed; as root, run:" >&2
    echo "    apt-get install --no-install-recommends$missing" >&2
    echo "then run make again as yourself." >&2
    exit 1
fi
echo "Installing them with sudo (it may ask for your password)."
sudo apt-get update -q
# shellcheck disable=SC2086
sudo apt-get install -y -q --no-install-recommends $missing
