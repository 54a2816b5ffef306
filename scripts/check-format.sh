#!/usr/bin/env bash
# Checks that the C++ files are formatted as .clang-format says, with the clang-format that
# scripts/install-deps.sh installs (Debian 12's clang-format-14): a newer or older one formats some
# constructs differently. Lists the files that differ and fails; `--fix` formats them instead.
# Without file arguments it checks every tracked .cpp and .h file.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
formatter=clang-format-14
command -v "$formatter" >/dev/null || { echo "$formatter 未安装：请先运行 scripts/install-deps.sh" >&2; exit 2; }

fix=false
if [ "${1:-}" = "--fix" ]; then fix=true; shift; fi
cd "$root"
if [ $# -gt 0 ]; then
    files=("$@")
else
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi

if $fix; then
    "$formatter" -i --style=file "${files[@]}"
    exit 0
fi
bad=()
for f in "${files[@]}"; do
    if ! "$formatter" --style=file --dry-run -Werror "$f" >/dev/null 2>&1; then
        bad+=("$f")
    fi
done
if [ ${#bad[@]} -gt 0 ]; then
    echo "格式不符合 .clang-format 的文件（scripts/check-format.sh --fix 可修正）：" >&2
    printf '  %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "格式检查通过：${#files[@]} 个文件"
