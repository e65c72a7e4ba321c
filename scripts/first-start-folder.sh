# Sourced by the scripts that run dexaru-desktop as a user's first start.
# first_start_folder WORK BUILD_DIR makes WORK/dexaru the per-user folder the
# installed launcher makes, its dictionaries those of the build tree (with
# Debian's enamdict added where the tree was laid out before it listed
# enamdict), and WORK/launcher the launcher for it; run the launcher with
# XDG_DATA_HOME=WORK.
first_start_folder() {
  local work="$1" build_dir="$2" kind
  local source_dir
  source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  for kind in edict kanjidic radical; do
    mkdir -p "$work/dexaru/dictionaries/$kind"
    ln -s "$build_dir/bin/dictionaries/$kind"/* "$work/dexaru/dictionaries/$kind/"
  done
  if [[ ! -e "$work/dexaru/dictionaries/edict/enamdict" && -r /usr/share/edict/enamdict ]]; then
    ln -s /usr/share/edict/enamdict "$work/dexaru/dictionaries/edict/enamdict"
  fi
  sed -e "s|@DEXARU_LAUNCHER_PROGRAM_DIR@|$build_dir/bin|" -e "s|@DEXARU_LAUNCHER_WORK_DIR@||" \
    "$source_dir/desktop/dexaru-desktop-launcher.in" > "$work/launcher"
}

# first_start_work BUILD_DIR sets work to a fresh temporary folder made by
# first_start_folder, removed on exit together with the program that
# start_desktop started in it.
first_start_work() {
  work="$(mktemp -d)"
  desktop_pid=""
  trap end_desktop_and_remove_work EXIT
  first_start_folder "$work" "$1"
}

end_desktop_and_remove_work() {
  if [[ -n "$desktop_pid" ]]; then kill "$desktop_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}

# start_desktop runs the launcher of first_start_work, its messages in
# $work/trace, waits until the radical list is filled, and sets window to
# the main window, focused.
start_desktop() {
  XDG_DATA_HOME="$work" sh "$work/launcher" 2> "$work/trace" &
  desktop_pid=$!
  local waited
  for ((waited = 0; waited < 600; waited++)); do
    grep -q "main: The kanji dictionary and the radical list are ready." "$work/trace" && break
    kill -0 "$desktop_pid" 2>/dev/null || { echo "screenshot: dexaru-desktop ended early" >&2; exit 1; }
    sleep 0.1
  done
  window="$(xdotool search --sync --onlyvisible --name '^Dexaru2$' | head -n 1)"
  xdotool windowfocus --sync "$window"
}
