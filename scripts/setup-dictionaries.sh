#!/bin/bash
# Lays out the real dictionaries the way the programs expect them:
#   <target>/edict/edict, <target>/edict/compdic       (Debian's edict)
#   <target>/edict/enamdict                             (Debian's enamdict, optional)
#   <target>/kanjidic/kanjidic.jis-x-0208-1990          (Debian's kanjidic)
#   <target>/radical/radkfile                           (from Debian's kiten)
# <target> defaults to "dictionaries" at the top of the source tree. Files
# already in place are left alone, so a second run downloads nothing.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
target="${1:-$here/../dictionaries}"
mkdir -p "$target/edict" "$target/kanjidic" "$target/radical"

link_system_file() {
  local source="$1" destination="$2"
  if [[ ! -e "$destination" ]]; then
    if [[ ! -r "$source" ]]; then
      echo "setup-dictionaries: $source is missing (install Debian's edict and kanjidic)" >&2
      exit 1
    fi
    ln -sf "$source" "$destination"
  fi
}

link_system_file /usr/share/edict/edict "$target/edict/edict"
link_system_file /usr/share/edict/compdic "$target/edict/compdic"
# Names are optional: only the desktop program lists them, switched off.
if [[ -r /usr/share/edict/enamdict ]]; then
  link_system_file /usr/share/edict/enamdict "$target/edict/enamdict"
else
  echo "setup-dictionaries: /usr/share/edict/enamdict is missing (install Debian's enamdict for names)" >&2
fi
link_system_file /usr/share/edict/kanjidic "$target/kanjidic/kanjidic.jis-x-0208-1990"

bash "$here/fetch-radkfile.sh" "$target/radical/radkfile"
