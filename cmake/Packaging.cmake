# The Debian package of everything installed (cpack -G DEB in the build
# tree, or scripts/package.sh): the library and its headers, the programs
# with their data, manual page and completion, and the dictionaries folder.
# Its dependencies are read from the built binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME dexaru)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Dexaru maintainers <maintainers@users.noreply.c-seed-4ef9bb82.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Japanese-English dictionary lookup")
set(DEXARU_RADICALS_DESCRIPTION "the package carries no radical file.")
if(DEXARU_SHIPS_RADKFILE)
  set(DEXARU_RADICALS_DESCRIPTION "the radical file RADKFILE is included.")
endif()
set(CPACK_PACKAGE_DESCRIPTION
"Dexaru looks up Japanese words (typed in kanji, in kana, or in romaji,
which it turns into kana) and English words in EDICT-format word
dictionaries, and the kanji of the words found in KANJIDIC with their
radicals.
.
This package holds the shared library libdexaru with its headers, CMake
package and pkg-config file, the command-line program dexaru2 and, when
built, the desktop program dexaru-desktop. The word and character
dictionaries come from Debian's edict, kanjidic and enamdict packages;
${DEXARU_RADICALS_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# The dictionaries, and a Japanese font, without which the desktop program
# shows kanji and kana as empty boxes; fonts-japanese-gothic is the name
# Debian's other Japanese gothic fonts provide. The handwriting model: the
# Zinnia library itself is a dependency found from what the library links.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "edict, kanjidic, enamdict, fonts-noto-cjk | fonts-japanese-gothic, fonts-kanjistrokeorders, tegaki-zinnia-japanese")
# The text reader reads on MeCab (libmecab2 comes into Depends from the
# library) with its IPA dictionary; without the dictionary it reads alone.
if(DEXARU_HAVE_MECAB)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "mecab-ipadic-utf8, ${CPACK_DEBIAN_PACKAGE_RECOMMENDS}")
endif()
# Left empty on purpose: the project has no home page yet.
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "")
set(CPACK_STRIP_FILES ON)
include(CPack)
