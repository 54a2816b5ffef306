#!/usr/bin/env bash
# Builds Quorlin (installing what is missing) and makes the Debian package quorlin_<version>_<arch>.deb
# in the build folder; install it with: sudo apt install ./build/quorlin_*.deb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORLIN_BUILD_DIR:-$root/build}"

bash "$root/scripts/build.sh"
cd "$build"
rm -f quorlin_*.deb
cpack -G DEB >/dev/null
ls "$build"/quorlin_*.deb
