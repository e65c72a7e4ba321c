#!/bin/bash
# Runs dexaru-desktop on the real dictionaries under a virtual X server with
# a study list of a few words, adds the first result of "neko" with Ctrl+D,
# and saves pictures of the main window, the Study window, and a review
# before and after its answer is shown:
#   bash scripts/screenshot-study.sh [folder]        (default: the current one)
# Needs what scripts/screenshot.sh needs.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="$(cd "${DEXARU_BUILD_DIR:-$here/../build}" && pwd)"
pictures="$(realpath -m "${1:-.}")"

if [[ -z "${DEXARU_ON_VIRTUAL_SCREEN:-}" ]]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" \
    env DEXARU_ON_VIRTUAL_SCREEN=1 DEXARU_BUILD_DIR="$build_dir" bash "$0" "$pictures"
fi

# shellcheck source=first-start-folder.sh
source "$here/first-start-folder.sh"
first_start_work "$build_dir"

# A few words kept over the last days, some reviewed.
export DEXARU_STUDY_FILE="$work/dexaru/study.sqlite"
day() { date -u -d "$1" +%Y-%m-%dT%H:%M:%SZ; }
study() { "$build_dir/bin/dexaru2" study "$@" > /dev/null; }
study add tabeta --sentence '猫が魚を食べた。' --at "$(day '-3 days')"
study add 勉強 --sentence '毎日日本語を勉強しています。' --at "$(day '-3 days')"
study add 読む --sentence '本を読んだ。' --at "$(day '-2 days')"
study add 行く --reading いく --sentence '学校に行きます。' --at "$(day '-1 days')"
study add 図書館 --at "$(day '-1 days')"
study grade 1 good --at "$(day '-3 days + 1 minute')"
study grade 1 good --at "$(day '-3 days + 11 minutes')"
study grade 2 easy --at "$(day '-3 days + 1 minute')"
unset DEXARU_STUDY_FILE

start_desktop

# Search "neko", pick the first row, add it.
xdotool mousemove --window "$window" 150 45 click 1
xdotool key ctrl+a F2
xdotool type --delay 120 neko
xdotool key Return
sleep 1.5
xdotool key Tab Tab Tab
xdotool key ctrl+d
xdotool mousemove --window "$window" 400 690
sleep 1
mkdir -p "$pictures"
import -window "$window" "$pictures/study-added.png"

xdotool key ctrl+shift+s
study_window="$(xdotool search --sync --onlyvisible --name '^Study' | head -n 1)"
sleep 1
import -window "$study_window" "$pictures/study-window.png"
xdotool key alt+r
sleep 0.5
import -window "$study_window" "$pictures/study-review.png"
xdotool key space
sleep 0.5
import -window "$study_window" "$pictures/study-answer.png"
echo "screenshot: $pictures/study-*.png"
