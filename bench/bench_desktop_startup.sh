#!/bin/bash
# Times the start of dexaru-desktop with the preferences of a first start
# (the three dictionaries the launcher lists): from process start to the
# window shown, and to the kanji dictionary loaded and the radical list
# filled, read from the program's own trace lines. Reports the medians.
#   DEXARU_BUILD_DIR=build bash bench/bench_desktop_startup.sh [runs]
# The window is offscreen unless DISPLAY names an X server. Under an X
# server without a window manager, and with gjiten installed (a GTK
# dictionary program of Debian, installed by scripts/install-deps.sh
# --reference), both programs are then started in turn and timed to their
# window's mapping, and the ratio of the medians is reported:
#   xvfb-run -a bash bench/bench_desktop_startup.sh [runs]
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
build_dir="$(cd "${DEXARU_BUILD_DIR:-$here/../build}" && pwd)"
runs="${1:-11}"
program="$build_dir/bin/dexaru-desktop"
[[ -x "$program" ]] || { echo "bench_desktop_startup: build $program first" >&2; exit 1; }
if [[ -z "${DISPLAY:-}" ]]; then
  export QT_QPA_PLATFORM=offscreen
fi

# A per-user folder as the installed launcher makes it, first-run
# preferences included, so that all three dictionaries are listed; the
# launcher stops before it would start the program.
# shellcheck source=../scripts/first-start-folder.sh
source "$here/../scripts/first-start-folder.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
first_start_folder "$work" "$build_dir"
sed -i 's|^exec .*|exit 0|' "$work/launcher"
XDG_DATA_HOME="$work" sh "$work/launcher"
cd "$work/dexaru"
echo "preferences.ini lists: $(grep -c '\\name=' preferences.ini) dictionaries"

elapsed_ms() {
  echo "$1 $2" | awk '{ printf "%.1f", ($2 - $1) * 1000 }'
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

shown_times=()
ready_times=()
for ((run = 0; run < runs; run++)); do
  start=$EPOCHREALTIME
  # The trace on standard error comes through the pipe; the rest is dropped.
  # shellcheck disable=SC2069
  coproc DESKTOP { exec "$program" 2>&1 >/dev/null; }
  shown="" ready=""
  while IFS= read -r line <&"${DESKTOP[0]}"; do
    case "$line" in
      "main: The window is shown.") shown=$EPOCHREALTIME ;;
      "main: The kanji dictionary and the radical list are ready.") ready=$EPOCHREALTIME; break ;;
    esac
  done
  kill "$DESKTOP_PID" 2>/dev/null || true
  wait "$DESKTOP_PID" 2>/dev/null || true
  if [[ -z "$shown" || -z "$ready" ]]; then
    echo "bench_desktop_startup: the program did not report its start" >&2
    exit 1
  fi
  shown_times+=("$(elapsed_ms "$start" "$shown")")
  ready_times+=("$(elapsed_ms "$start" "$ready")")
done

echo "runs: $runs"
echo "window shown:        median $(printf '%s\n' "${shown_times[@]}" | median) ms  (${shown_times[*]})"
echo "radical list filled: median $(printf '%s\n' "${ready_times[@]}" | median) ms  (${ready_times[*]})"

# Side by side with gjiten: the same clock for both, the first map of a
# window seen by the X server, each run starting one program then the other.
if [[ -n "${DISPLAY:-}" ]] && command -v gjiten >/dev/null; then
  gjiten_home="$work/gjiten-home"  # gjiten's own defaults: EDICT
  mkdir -p "$gjiten_home"
  echo "window mapped, side by side with gjiten:"
  HOME="$gjiten_home" python3 "$here/window_mapped.py" --runs "$runs" -- "$program" -- gjiten
fi
