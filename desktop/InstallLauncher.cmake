# Writes the installed launcher <bindir>/dexaru-desktop, which runs the real
# program of <libdir>/dexaru in a per-user folder. It runs at install time,
# so that the launcher names the prefix given to "cmake --install --prefix".
# Expects DEXARU_LAUNCHER_TEMPLATE, DEXARU_PROGRAM_DIR and DEXARU_BINDIR.
foreach(dir DEXARU_PROGRAM_DIR DEXARU_BINDIR)
  if(NOT IS_ABSOLUTE "${${dir}}")
    set(${dir} "${CMAKE_INSTALL_PREFIX}/${${dir}}")
  endif()
endforeach()
set(DEXARU_LAUNCHER_PROGRAM_DIR "${DEXARU_PROGRAM_DIR}")
set(DEXARU_LAUNCHER_WORK_DIR "")
set(launcher "$ENV{DESTDIR}${DEXARU_BINDIR}/dexaru-desktop")
message(STATUS "Installing: ${launcher}")
configure_file("${DEXARU_LAUNCHER_TEMPLATE}" "${launcher}" @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
