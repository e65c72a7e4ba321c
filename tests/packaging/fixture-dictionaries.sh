#!/bin/bash
# Writes small EUC-JP fixture dictionaries into <folder>: edict/edict,
# edict/compdic, edict/enamdict, kanjidic/kanjidic.jis-x-0208-1990 and radical/radkfile.
set -euo pipefail

folder="$1"
mkdir -p "$folder/edict" "$folder/kanjidic" "$folder/radical"
to_euc() { iconv -f UTF-8 -t EUC-JP > "$1"; }

printf '%s\n' '猫 [ねこ] /(n) cat/(P)/' '子猫 [こねこ] /(n) kitten/(P)/' \
  '犬 [いぬ] /(n) dog/(P)/' | to_euc "$folder/edict/edict"
printf '%s\n' '猫 [ねこ] /(n) cat (Unix command)/' | to_euc "$folder/edict/compdic"
printf '%s\n' '猫田 [ねこた] /(s) Nekota/' | to_euc "$folder/edict/enamdict"
printf '%s\n' '猫 4753 U732b B94 G8 S11 F1702 ビョウ ねこ {cat}' \
  '子 3B52 U5b50 B39 G1 S3 シ ス こ {child}' | to_euc "$folder/kanjidic/kanjidic.jis-x-0208-1990"
printf '%s\n' '$ 子 3' '子' '$ 田 5' '猫' | to_euc "$folder/radical/radkfile"
