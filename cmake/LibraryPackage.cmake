# What programs building on libdexaru find after "cmake --install": a CMake
# package (find_package(Dexaru) gives the target Dexaru::dexaru) and a
# pkg-config file (pkg-config --cflags --libs dexaru).
include(CMakePackageConfigHelpers)

add_library(Dexaru::dexaru ALIAS dexaru)

set(DEXARU_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Dexaru)
install(EXPORT DexaruTargets
  NAMESPACE Dexaru::
  DESTINATION ${DEXARU_CMAKE_DIR})
configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/DexaruConfig.cmake.in
  ${CMAKE_BINARY_DIR}/DexaruConfig.cmake
  INSTALL_DESTINATION ${DEXARU_CMAKE_DIR})
write_basic_package_version_file(
  ${CMAKE_BINARY_DIR}/DexaruConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${CMAKE_BINARY_DIR}/DexaruConfig.cmake
  ${CMAKE_BINARY_DIR}/DexaruConfigVersion.cmake
  DESTINATION ${DEXARU_CMAKE_DIR})

# The .pc file finds its prefix from its own place, so that it stays right
# after "cmake --install --prefix" or a staged install.
set(DEXARU_PKGCONFIG_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH DEXARU_PKGCONFIG_TO_PREFIX
  /prefix/${DEXARU_PKGCONFIG_DIR} /prefix)
string(REGEX REPLACE "/$" "" DEXARU_PKGCONFIG_TO_PREFIX "${DEXARU_PKGCONFIG_TO_PREFIX}")
configure_file(${CMAKE_SOURCE_DIR}/dexaru.pc.in ${CMAKE_BINARY_DIR}/dexaru.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/dexaru.pc DESTINATION ${DEXARU_PKGCONFIG_DIR})
