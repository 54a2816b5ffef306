#!/usr/bin/env bash
# The Debian package as a user gets it: built with CPack, unpacked into a scratch root, its
# quorlin-cli run with a fresh HOME (the first run prepares ~/.local/share/quorlin from the shipped
# history, a second run keeps what the first imported), and lintian finds no error.
# Usage: test_package.sh BUILD_DIR CPACK
set -euo pipefail
build="$1"
cpack="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

"$cpack" --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb="$(ls "$work"/pkg/quorlin_*_*.deb)"
dpkg-deb -x "$deb" "$work/root"

export HOME="$work/home"
unset XDG_DATA_HOME
cli="$work/root/usr/bin/quorlin-cli"
lottery="中国体彩超级大乐透"
expect() { # expect WHAT ACTUAL EXPECTED
    if [ "$2" != "$3" ]; then
        echo "FAILED: $1: got '$2', expected '$3'" >&2
        exit 1
    fi
}

expect "lotteries on first run" "$("$cli" lotteries)" "$lottery	2933"
expect "open" "$("$cli" open "$lottery")" "2933"
expect "first indicator row" "$("$cli" indicators "$lottery" | sed -n 2p | cut -f1-2)" "2007001	22 24 29 31 35 + 04 11"
test -f "$HOME/.local/share/quorlin/数据库/彩票数据.mdb" || { echo "FAILED: no user database" >&2; exit 1; }
test -f "$HOME/.local/share/quorlin/帮助/index.html" || { echo "FAILED: no manual in the user folder" >&2; exit 1; }

printf '2026116,2026-10-12,1,2,3,4,5,6,7\n' >"$work/new.csv"
expect "import" "$("$cli" import "$lottery" "$work/new.csv")" "1"
expect "second run keeps the draw" "$("$cli" lotteries)" "$lottery	2934"

# --home still names the folder outright.
mkdir -p "$work/other"
"$work/root/usr/bin/quorlin-makedb" "$work/other" >/dev/null
expect "--home" "$("$cli" --home "$work/other" lotteries)" "$lottery	0"

lintian --fail-on error "$deb" 2>&1 | grep -v "root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || { echo "FAILED: lintian reports errors" >&2; exit 1; }
echo "package ok: $(basename "$deb")"
