#!/bin/bash
# Sets up everything, builds, and runs the whole test suite through CTest.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
bash "$here/install-deps.sh"
bash "$here/setup-dictionaries.sh"
bash "$here/build.sh"

cd "${DEXARU_BUILD_DIR:-$here/../build}"
ctest --output-on-failure -j"$(nproc)"
bash "$here/sanitize-and-fuzz.sh"
