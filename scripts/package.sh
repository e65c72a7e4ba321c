#!/bin/bash
# Builds the Debian package of Dexaru into build/ (or $DEXARU_BUILD_DIR):
# takes the RADKFILE out of Debian's kiten package (as the dictionary set-up
# does), builds everything with it as the radical file to ship, and runs
# "cpack -G DEB". Prints the path of the package on standard output.
#   bash scripts/package.sh [extra cmake arguments...]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="${DEXARU_BUILD_DIR:-$here/../build}"
mkdir -p "$build_dir"
build_dir="$(cd "$build_dir" && pwd)"

{
  bash "$here/install-deps.sh"
  radkfile="$build_dir/package-data/radkfile"
  if ! bash "$here/fetch-radkfile.sh" "$radkfile"; then
    echo "package: no RADKFILE could be fetched; the package ships no radicals" >&2
    radkfile=""
  fi
  DEXARU_BUILD_DIR="$build_dir" bash "$here/build.sh" -DDEXARU_RADKFILE="$radkfile" "$@"
  (cd "$build_dir" && cpack -G DEB)
} >&2
ls "$build_dir"/dexaru_*.deb
