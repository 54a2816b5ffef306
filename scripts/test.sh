#!/usr/bin/env bash
# Builds Quorlin (installing what is missing) and runs every test: core tests and window tests.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORLIN_BUILD_DIR:-$root/build}"

bash "$root/scripts/build.sh"
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" --timeout 300
