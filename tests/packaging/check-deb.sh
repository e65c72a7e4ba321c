#!/bin/bash
# Makes the Debian package of a built tree with CPack, unpacks it into a
# scratch folder with dpkg -x (nothing is installed on the machine), checks
# its file list and runs the unpacked dexaru2 on fixture dictionaries and,
# when the tree has the desktop program, its launcher offscreen.
#   check-deb.sh <build dir> <scratch folder>
# Exits 77 (skipped) when cpack or the dpkg tools are missing.
set -euo pipefail

build_dir="$1"
scratch="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
for tool in cpack dpkg-deb dpkg-shlibdeps file iconv; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed"; exit 77; }
done

rm -rf "$scratch"
mkdir -p "$scratch"
cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/cpack" >"$scratch/cpack.log" 2>&1 \
  || { cat "$scratch/cpack.log"; exit 1; }
package="$(ls "$scratch"/cpack/dexaru_*.deb)"
echo "package: $package"

fail() { echo "FAIL: $*"; exit 1; }
dpkg-deb --field "$package" Package Maintainer Depends Recommends Description
depends="$(dpkg-deb --field "$package" Depends)"
[[ "$depends" == *libstdc++6* && "$depends" == *libc6* ]] || fail "Depends lacks the C++ libraries: $depends"
# Handwriting: the library links Zinnia wherever the build found it.
if ldd "$build_dir/lib/libdexaru.so" | grep -q libzinnia; then
  [[ "$depends" == *libzinnia* ]] || fail "Depends lacks Zinnia: $depends"
fi
recommends="$(dpkg-deb --field "$package" Recommends)"
[[ "$recommends" == *"edict, kanjidic, enamdict, fonts-noto-cjk | fonts-japanese-gothic, fonts-kanjistrokeorders, tegaki-zinnia-japanese" ]] || fail "Recommends: $recommends"
if ldd "$build_dir/lib/libdexaru.so" | grep -q libmecab; then
  [[ "$depends" == *libmecab2* ]] || fail "Depends lacks libmecab2: $depends"
  [[ "$recommends" == mecab-ipadic-utf8,* ]] || fail "Recommends lacks mecab-ipadic-utf8: $recommends"
fi
[[ -z "$(dpkg-deb --field "$package" Homepage)" ]] || fail "a Homepage is set"
desktop=no
[[ -x "$build_dir/bin/dexaru-desktop" ]] && desktop=yes
if [[ $desktop == yes ]]; then
  for library in libqt6widgets6 libqt6gui6 libqt6core6; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
  done
fi

dpkg-deb --contents "$package" | awk '{ print $6 $7 $8 }' | sed 's|^\./|/|' > "$scratch/contents"
for entry in \
    /usr/bin/dexaru2 /usr/lib/dexaru/dexaru2 /usr/lib/dexaru/partsofspeech.drx \
    /usr/lib/dexaru/fuzzysearch.uni.dat /usr/lib/dexaru/deinflection.dat /usr/include/dexaru/Edict.h \
    /usr/lib/cmake/Dexaru/DexaruConfig.cmake /usr/lib/pkgconfig/dexaru.pc \
    /usr/share/man/man1/dexaru2.1 /usr/share/bash-completion/completions/dexaru2 \
    /usr/share/doc/dexaru/copyright /usr/lib/dexaru/dictionaries/radical/radkfile; do
  grep -qxF -- "$entry" "$scratch/contents" || fail "the package lacks $entry"
done
grep -q '^/usr/lib/libdexaru\.so\.0->' "$scratch/contents" || fail "the package lacks libdexaru.so.0"
if [[ $desktop == yes ]]; then
  for entry in /usr/bin/dexaru-desktop /usr/lib/dexaru/dexaru-desktop \
      /usr/share/man/man1/dexaru-desktop.1 /usr/share/applications/dexaru-desktop.desktop \
      /usr/share/icons/hicolor/64x64/apps/dexaru-desktop.png; do
    grep -qxF -- "$entry" "$scratch/contents" || fail "the package lacks $entry"
  done
fi

dpkg -x "$package" "$scratch/root"
program_dir="$scratch/root/usr/lib/dexaru"
for link in edict/edict=edict edict/compdic=compdic edict/enamdict=enamdict \
    kanjidic/kanjidic.jis-x-0208-1990=kanjidic; do
  [[ "$(readlink -m "$program_dir/dictionaries/${link%%=*}")" == "$scratch/root/usr/share/edict/${link#*=}" ]] \
    || fail "dictionaries/${link%%=*} does not link to /usr/share/edict/${link#*=}"
done
grep -q "exec '/usr/lib/dexaru/dexaru2'" "$scratch/root/usr/bin/dexaru2" || fail "the wrapper does not run /usr/lib/dexaru/dexaru2"
grep -q 'EDRDG' "$scratch/root/usr/share/doc/dexaru/copyright" || fail "the copyright file does not credit the EDRDG"
# The RADKFILE travels in the package, unmodified, with its source and licence.
shipped_radkfile="$scratch/radkfile"
cp "$program_dir/dictionaries/radical/radkfile" "$shipped_radkfile"
cmp -s "$shipped_radkfile" "$here/../../data/radkfile" || fail "the shipped radkfile is not data/radkfile"
for credit in 'Files: /usr/lib/dexaru/dictionaries/radical/radkfile' 'Michael Raine, James Breen' \
    'Source: RADKFILE' 'kiten package' 'CC BY-SA 4.0' 'https://www.edrdg.org/edrdg/licence.html'; do
  grep -q -- "$credit" "$scratch/root/usr/share/doc/dexaru/copyright" \
    || fail "the copyright file does not name the radkfile's source and licence: $credit"
done
radical_count="$(grep -ac '^\$' "$shipped_radkfile")"
(( radical_count > 200 )) || fail "the shipped radkfile lists only $radical_count radicals"

# The desktop entry starts the launcher, which names the installed program.
# Run from a copy that names the unpacked program instead, the launcher
# makes a per-user folder in a scratch home, writes the first preferences
# and starts the real program offscreen, which reads the fixtures.
check_desktop() {
  local entry="$scratch/root/usr/share/applications/dexaru-desktop.desktop"
  local launcher="$scratch/root/usr/bin/dexaru-desktop"
  grep -qx 'Exec=dexaru-desktop' "$entry" && grep -qx 'Icon=dexaru-desktop' "$entry" \
    || fail "the desktop entry does not start dexaru-desktop with its icon"
  grep -qx "program_dir='/usr/lib/dexaru'" "$launcher" || fail "the launcher does not run /usr/lib/dexaru/dexaru-desktop"
  local home="$scratch/home" user_dir="$scratch/home/.local/share/dexaru"
  mkdir -p "$home"
  sed "s|^program_dir='/usr/lib/dexaru'$|program_dir='$program_dir'|" "$launcher" > "$scratch/launcher"
  # A relative XDG_DATA_HOME is ignored, leaving the default folder.
  (cd "$scratch" && XDG_DATA_HOME=data HOME="$home" QT_QPA_PLATFORM=offscreen \
    exec sh "$scratch/launcher" 2>"$scratch/desktop.log") &
  local pid=$! waited
  for ((waited = 0; waited < 600; waited++)); do
    grep -q 'The kanji dictionary and the radical list are ready' "$scratch/desktop.log" && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || { cat "$scratch/desktop.log"; fail "the unpacked dexaru-desktop ended early"; }
  wait "$pid" || true
  grep -q 'The kanji dictionary and the radical list are ready' "$scratch/desktop.log" \
    || { cat "$scratch/desktop.log"; fail "the unpacked dexaru-desktop did not get ready"; }
  grep -q "The radical list holds $radical_count radicals" "$scratch/desktop.log" \
    || { grep -a radical "$scratch/desktop.log"; fail "the radical list does not show the shipped radicals"; }
  echo "dexaru-desktop: the radical list holds the $radical_count radicals of the shipped radkfile"
  [[ "$(readlink "$user_dir/dictionaries")" == "$program_dir/dictionaries" && ! -e "$scratch/data" ]] \
    || fail "the per-user folder does not link the dictionaries"
  local expected
  expected="$(printf '%s\n' '[dictionaries]' \
    'word\0\name=The usual edict' 'word\0\filename=dictionaries/edict/edict' 'word\0\enabled=1' \
    'word\1\name=Computer terms' 'word\1\filename=dictionaries/edict/compdic' 'word\1\enabled=1' \
    'word\2\name=Names' 'word\2\filename=dictionaries/edict/enamdict' 'word\2\enabled=0' \
    '[settings]' 'check\searchAsYouType=1' 'check\fuzzySearch=1' 'check\relevanceOrder=1' \
    '[radicals]' 'searchOnSelect=1' '[fonts]' 'radicalFontSize=16')"
  [[ "$(cat "$user_dir/preferences.ini")" == "$expected" ]] \
    || { cat "$user_dir/preferences.ini"; fail "the first preferences do not list the three dictionaries and the first-start settings"; }
  echo "dexaru-desktop: first preferences list the three dictionaries"
}

# The unpacked program on fixture dictionaries in place of the system ones,
# with the radkfile it ships: 猫 gets its radicals, ⺨ among them, from it.
rm -rf "$program_dir/dictionaries"
bash "$here/fixture-dictionaries.sh" "$program_dir/dictionaries"
cp "$shipped_radkfile" "$program_dir/dictionaries/radical/radkfile"
output="$("$program_dir/dexaru2" search neko 2>"$scratch/dexaru2.log")" \
  || { cat "$scratch/dexaru2.log"; fail "the unpacked dexaru2 failed"; }
echo "$output"
grep -q '猫' <<<"$output" || fail "the unpacked dexaru2 did not find 猫"
grep -q '^ *[0-9]*\. ⺨$' <<<"$output" || fail "the unpacked dexaru2 did not read 猫's radicals from the shipped radkfile"

[[ $desktop == yes ]] && check_desktop
echo "PASS"
