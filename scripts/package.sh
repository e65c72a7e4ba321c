#!/bin/bash
# Builds the Debian package of Dexaru into build/ (or $DEXARU_BUILD_DIR):
# builds everything with data/radkfile as the radical file to ship and runs
# "cpack -G DEB". Prints the path of the package on standard output.
#   bash scripts/package.sh [extra cmake arguments...]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${DEXARU_BUILD_DIR:-$here/../build}"
mkdir -p "$build_dir"
build_dir="$(cd "$build_dir" && pwd)"

{
  bash "$here/install-deps.sh"
  # Named outright: a tree configured before may hold another file, or none.
  DEXARU_BUILD_DIR="$build_dir" bash "$here/build.sh" \
    -DDEXARU_RADKFILE="$(cd "$here/.." && pwd)/data/radkfile" "$@"
  (cd "$build_dir" && cpack -G DEB)
} >&2
ls "$build_dir"/dexaru_*.deb
