# The installed dictionaries folder, beside the programs in <libdir>/dexaru:
# links to where Debian's edict, kanjidic and enamdict packages put their
# files (dangling, and reported by the programs, until those are installed),
# and the RADKFILE, which has no Debian package of its own (only the kiten
# suite carries a copy): data/radkfile, that copy kept in the source tree, so
# that every install and package finds kanji by their radicals.
# DEXARU_RADKFILE names another; empty installs none.
set(DEXARU_SYSTEM_DICTIONARY_DIR /usr/share/edict CACHE PATH
    "Folder of the EDICT and KANJIDIC files of Debian's packages")
set(DEXARU_RADKFILE "${CMAKE_SOURCE_DIR}/data/radkfile" CACHE FILEPATH
    "RADKFILE installed into the dictionaries folder; empty installs none")

set(DEXARU_DICTIONARY_DIR ${CMAKE_INSTALL_LIBDIR}/dexaru/dictionaries)
set(DEXARU_DICTIONARY_LINKS
  edict/edict=edict edict/compdic=compdic edict/enamdict=enamdict
  kanjidic/kanjidic.jis-x-0208-1990=kanjidic)
# A link within the install prefix is relative, as Debian asks, so that it
# also points right inside a staged or unpacked tree.
install(CODE "
  set(dictionary_dir \"\${CMAKE_INSTALL_PREFIX}/${DEXARU_DICTIONARY_DIR}\")
  if(IS_ABSOLUTE \"${DEXARU_DICTIONARY_DIR}\")
    set(dictionary_dir \"${DEXARU_DICTIONARY_DIR}\")
  endif()
  foreach(link ${DEXARU_DICTIONARY_LINKS})
    string(REPLACE \"=\" \";\" link \"\${link}\")
    list(GET link 0 name)
    list(GET link 1 target)
    set(target \"${DEXARU_SYSTEM_DICTIONARY_DIR}/\${target}\")
    get_filename_component(folder \"\${dictionary_dir}/\${name}\" DIRECTORY)
    string(FIND \"\${target}\" \"\${CMAKE_INSTALL_PREFIX}/\" within_prefix)
    if(within_prefix EQUAL 0)
      file(RELATIVE_PATH target \"\${folder}\" \"\${target}\")
    endif()
    set(path \"\$ENV{DESTDIR}\${dictionary_dir}/\${name}\")
    if(NOT EXISTS \"\${path}\" AND NOT IS_SYMLINK \"\${path}\")
      message(STATUS \"Installing: \${path} -> \${target}\")
      file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${folder}\")
      file(CREATE_LINK \"\${target}\" \"\${path}\" SYMBOLIC)
    endif()
  endforeach()
")

set(DEXARU_SHIPS_RADKFILE OFF)
if(DEXARU_RADKFILE)
  if(EXISTS "${DEXARU_RADKFILE}")
    set(DEXARU_SHIPS_RADKFILE ON)
    install(FILES "${DEXARU_RADKFILE}" DESTINATION ${DEXARU_DICTIONARY_DIR}/radical RENAME radkfile)
  else()
    message(WARNING "DEXARU_RADKFILE ${DEXARU_RADKFILE} does not exist: no radical file is installed")
  endif()
endif()
message(STATUS "Radical file installed: ${DEXARU_SHIPS_RADKFILE}")

# Debian's place for the copyright and licences of a package.
if(DEXARU_SHIPS_RADKFILE)
  file(READ ${CMAKE_CURRENT_LIST_DIR}/radkfile-copyright.txt DEXARU_RADKFILE_COPYRIGHT)
else()
  set(DEXARU_RADKFILE_COPYRIGHT "")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${CMAKE_BINARY_DIR}/copyright @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
