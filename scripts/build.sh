#!/bin/bash
# Configures and builds the whole project into build/ (or $DEXARU_BUILD_DIR).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source_dir="$here/.."
build_dir="${DEXARU_BUILD_DIR:-$source_dir/build}"

cmake -S "$source_dir" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
