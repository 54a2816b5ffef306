#!/usr/bin/env bash
# Installs the Debian 12 packages that Quorlin needs to build, run and test.
# Runs apt-get only when something is missing, so repeated runs are quick.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache clang-format-14
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
  libgl-dev
  libsqlite3-dev sqlite3 libgtest-dev libgmock-dev libbenchmark-dev
  libxlsxwriter-dev python3-openpyxl qt6-svg-dev
  fonts-wqy-microhei dpkg-dev file lintian xvfb xauth x11-utils imagemagick poppler-utils
  ca-certificates locales
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

# The tests run the program under a locale that writes "104,3" for 104.3.
need_locale() { ! locale -a 2>/dev/null | grep -qix 'de_DE.utf-\?8'; }

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -ne 0 ]; then
  echo "安装缺少的软件包: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if need_locale; then
  echo "生成 de_DE.UTF-8 区域设置（测试用）"
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
