#!/bin/bash
# Installs a built tree into a scratch prefix and builds the example program
# of examples/ against it twice, through find_package(Dexaru) and through
# pkg-config, runs both on a fixture EDICT file, and compiles each installed
# header on its own.
#   check-library-package.sh <build dir> <source dir> <scratch folder>
set -euo pipefail

build_dir="$1"
source_dir="$2"
scratch="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
for tool in pkg-config iconv; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
prefix="$scratch/prefix"
cmake --install "$build_dir" --prefix "$prefix" >"$scratch/install.log" 2>&1 \
  || { cat "$scratch/install.log"; fail "cmake --install"; }
bash "$here/fixture-dictionaries.sh" "$scratch/dictionaries"
libdir="$(dirname "$(find "$prefix" -name 'libdexaru.so' | head -n 1)")"

check_lookup() {
  local program="$1" output
  output="$(LD_LIBRARY_PATH="$libdir" "$program" "$scratch/dictionaries/edict/edict" ねこ 2>/dev/null)" \
    || fail "$program failed"
  echo "$output"
  [[ "$output" == "猫 [ねこ] /(n) cat/" ]] || fail "$program printed the wrong entries"
}

echo "== find_package(Dexaru)"
cmake -S "$source_dir/examples" -B "$scratch/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$scratch/cmake-build" >/dev/null
check_lookup "$scratch/cmake-build/lookup"

echo "== pkg-config dexaru"
flags="$(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs dexaru)"
echo "flags: $flags"
# shellcheck disable=SC2086
c++ -std=c++17 -Wall -Wextra -Werror -o "$scratch/lookup-pkg-config" \
  "$source_dir/examples/lookup.cpp" $flags
check_lookup "$scratch/lookup-pkg-config"

echo "== every installed header compiles on its own"
for header in "$prefix"/include/dexaru/*.h; do
  # shellcheck disable=SC2086
  echo "#include <${header##*/}>" | c++ -std=c++17 -Wall -Wextra -Werror -fsyntax-only -x c++ - $flags \
    || fail "${header##*/} does not compile on its own"
done
echo "PASS"
