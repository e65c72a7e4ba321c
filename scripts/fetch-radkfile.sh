#!/bin/bash
# Writes the RADKFILE to <destination>, taken out of Debian's kiten package
# (which ships it) without installing that package. Debian has no package of
# the file alone. Leaves an existing non-empty <destination> alone.
set -euo pipefail

destination="$1"
[[ -s "$destination" ]] && exit 0
workdir="$(mktemp -d)"
trap 'rm -rf "$workdir"' EXIT
(cd "$workdir" && apt-get download kiten >/dev/null 2>&1) || {
  apt-get update -qq && (cd "$workdir" && apt-get download kiten >/dev/null)
}
dpkg-deb --fsys-tarfile "$workdir"/kiten_*.deb \
  | tar -xO ./usr/share/kiten/radkfile > "$workdir/radkfile"
[[ -s "$workdir/radkfile" ]] || { echo "fetch-radkfile: kiten holds no radkfile" >&2; exit 1; }
mkdir -p "$(dirname "$destination")"
mv "$workdir/radkfile" "$destination"
