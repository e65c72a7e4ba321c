#!/bin/bash
# Installs, on Debian 12 as root, every package that building, running and
# testing Dexaru needs, and generates the en_US.UTF-8 locale. Quick when all
# is already there: apt is only called for packages that are missing.
# With --reference it also installs what bench/reader_vs_mecab.py compares
# the text reader with (MeCab and the Japanese manual pages) and the program
# bench/bench_desktop_startup.sh times the start-up against (gjiten); no
# program of Dexaru needs them.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config ccache
  dpkg-dev file doxygen
  googletest libgtest-dev libbenchmark-dev
  qt6-base-dev
  libsqlite3-dev libmecab-dev mecab-ipadic-utf8 libzinnia-dev tegaki-zinnia-japanese
  edict enamdict kanjidic
  xvfb xauth xdotool imagemagick fonts-noto-cjk fonts-kanjistrokeorders
  locales
  valgrind clang libclang-rt-14-dev
  hyperfine time
)
if [[ "${1:-}" == --reference ]]; then
  PACKAGES+=(mecab mecab-ipadic-utf8 manpages-ja gjiten)
fi

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if ! locale -a 2>/dev/null | grep -qix 'en_US.utf8'; then
  echo "Generating the en_US.UTF-8 locale"
  if ! grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
    echo 'en_US.UTF-8 UTF-8' >> /etc/locale.gen
  fi
  locale-gen >/dev/null
fi
