#!/bin/bash
# Sets up everything, builds, and looks a word up in the real dictionaries:
#   bash scripts/lookup.sh [dexaru2 arguments...]   (default: search neko)
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
# Standard output carries the results alone: whatever the package manager,
# the set-up and the build print goes to standard error.
{
  bash "$here/install-deps.sh"
  bash "$here/setup-dictionaries.sh"
  bash "$here/build.sh"
} >&2

if (($# == 0)); then
  set -- search neko
fi
exec "${DEXARU_BUILD_DIR:-$here/../build}/bin/dexaru2" "$@" 2>/dev/null
