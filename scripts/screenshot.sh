#!/bin/bash
# Runs dexaru-desktop on the real dictionaries under a virtual X server, as a
# user's first start through the launcher, types "neko" into the search box
# with the input method on, presses Return and saves a picture of the window:
#   bash scripts/screenshot.sh [picture]       (default: docs/screenshot.png)
# Needs a build (DEXARU_BUILD_DIR, default build/) and xvfb, xdotool,
# imagemagick and a Japanese font, which install-deps.sh installs.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="$(cd "${DEXARU_BUILD_DIR:-$here/../build}" && pwd)"
picture="$(realpath -m "${1:-$here/../docs/screenshot.png}")"

if [[ -z "${DEXARU_ON_VIRTUAL_SCREEN:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" \
    env DEXARU_ON_VIRTUAL_SCREEN=1 DEXARU_BUILD_DIR="$build_dir" bash "$0" "$picture"
fi

# A fresh per-user folder, made by the launcher as at a first start; the
# program is ready once the radical list is filled.
# shellcheck source=first-start-folder.sh
source "$here/first-start-folder.sh"
first_start_work "$build_dir"
start_desktop

# Into the search box, everything selected, input method on (F2), "neko", Return.
xdotool mousemove --window "$window" 150 45 click 1
xdotool key ctrl+a F2
xdotool type --delay 120 neko
xdotool key Return
# Away from the tables, so that no pop-up covers them.
xdotool mousemove --window "$window" 400 690
sleep 1.5

mkdir -p "$(dirname "$picture")"
import -window "$window" "$picture"
grep -E "on_searchButton_clicked|Found" "$work/trace" | head -n 3 >&2 || true
echo "screenshot: $picture"
