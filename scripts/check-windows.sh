#!/bin/sh
# Checks that the Windows-only code still compiles: every source under src/ that
# mentions Q_OS_WIN or _WIN32, or includes windows.h, goes through the MinGW-w64
# cross compiler in syntax-only mode against the installed Qt 6 headers. Qt's
# headers see _WIN32 from the compiler and take their Windows branches by
# themselves. Nothing is linked or run: the Windows build itself is not made here.
# Sources without such code (the credential-file layer, compiled on Linux only)
# are left out by the same rule.
set -eu
cd "$(dirname "$0")/.."

CXX="${MINGW_CXX:-x86_64-w64-mingw32-g++}"
QT_INCLUDE="${QT_INCLUDE_DIR:-/usr/include/$(gcc -dumpmachine)/qt6}"

if ! command -v "$CXX" >/dev/null 2>&1; then
    echo "check-windows: $CXX not found (scripts/install-deps.sh installs it)" >&2
    exit 1
fi
if [ ! -d "$QT_INCLUDE/QtCore" ]; then
    echo "check-windows: no Qt 6 headers in $QT_INCLUDE (set QT_INCLUDE_DIR)" >&2
    exit 1
fi

# The Qt include root and each module folder, then every source folder, since
# sources include their neighbours by bare name.
set -- -I"$QT_INCLUDE"
for module in "$QT_INCLUDE"/Qt*; do
    [ -d "$module" ] && set -- "$@" -I"$module"
done
for dir in $(find src -type d | sort); do
    set -- "$@" -I"$dir"
done

sources=$( {
    grep -rlE --include='*.cpp' 'Q_OS_WIN|_WIN32' src
    grep -rliE --include='*.cpp' '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]windows\.h[>"]' src
} | sort -u)

if [ -z "$sources" ]; then
    echo "check-windows: no Windows-only sources found"
    exit 0
fi

checked=0
failed=0
for source in $sources; do
    checked=$((checked + 1))
    if "$CXX" -std=c++20 -fsyntax-only -Wall -Wextra "$@" "$source"; then
        echo "check-windows: ok      $source"
    else
        echo "check-windows: FAILED  $source"
        failed=$((failed + 1))
    fi
done

echo "check-windows: $checked checked, $failed failed"
[ "$failed" -eq 0 ]
