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
