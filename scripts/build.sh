#!/usr/bin/env bash
# Installs what is missing, configures and builds Quorlin into build/ (or $QUORLIN_BUILD_DIR):
# everything, or only the targets named as arguments (scripts/run.sh names the program's own).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORLIN_BUILD_DIR:-$root/build}"

bash "$root/scripts/install-deps.sh"
# Line tables only (-g1): backtraces keep their file and line, and a clean build is a third faster.
# CI (CI=true) treats every compiler warning as an error.
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g1 -DNDEBUG" -DQUORLIN_WARNINGS_AS_ERRORS=$werror >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
