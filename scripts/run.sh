#!/usr/bin/env bash
# Builds Quorlin (installing what is missing) and starts the program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUORLIN_BUILD_DIR:-$root/build}"

# Only what the program needs: the tests and benchmarks are built by scripts/test.sh.
bash "$root/scripts/build.sh" quorlin quorlin-cli quorlin-makedb quorlin_database quorlin_side_files
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Quorlin 已构建: $build/bin/quorlin" >&2
    echo "没有图形显示（DISPLAY 和 WAYLAND_DISPLAY 都未设置），无法打开窗口。" >&2
    echo "No display: set DISPLAY, or run it on a virtual screen: xvfb-run -a $0" >&2
    exit 1
fi
exec "$build/bin/quorlin"
