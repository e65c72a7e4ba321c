# "docs": HTML documentation of the public headers of libdexaru (those at
# the top of library/, not library/internal/) into <build>/docs/html.
find_package(Doxygen QUIET)
if(NOT DOXYGEN_FOUND)
  message(STATUS "Doxygen not found: the docs target is not available")
  return()
endif()

file(GLOB DEXARU_DOCUMENTED_HEADERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/library/*.h)
set(DOXYGEN_PROJECT_NAME Dexaru)
set(DOXYGEN_PROJECT_NUMBER ${PROJECT_VERSION})
set(DOXYGEN_PROJECT_BRIEF "Japanese-English dictionary lookup library")
set(DOXYGEN_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/docs)
set(DOXYGEN_GENERATE_HTML YES)
set(DOXYGEN_GENERATE_LATEX NO)
set(DOXYGEN_FULL_PATH_NAMES NO)
set(DOXYGEN_USE_MDFILE_AS_MAINPAGE ${CMAKE_SOURCE_DIR}/docs/mainpage.md)
set(DOXYGEN_JAVADOC_AUTOBRIEF YES)
set(DOXYGEN_EXTRACT_ALL NO)
set(DOXYGEN_EXTRACT_PRIVATE NO)
set(DOXYGEN_EXTRACT_STATIC YES)
set(DOXYGEN_SORT_MEMBER_DOCS NO)
# A member group (///@{ ... ///@}) shares the comment of its first member.
set(DOXYGEN_DISTRIBUTE_GROUP_DOC YES)
set(DOXYGEN_QUIET YES)
# Compiler attributes are no part of the signatures readers need.
set(DOXYGEN_MACRO_EXPANSION YES)
set(DOXYGEN_EXPAND_ONLY_PREDEF YES)
set(DOXYGEN_PREDEFINED "__attribute__(x)=")
# Every public class and member is to carry a comment: say which do not.
set(DOXYGEN_WARNINGS YES)
set(DOXYGEN_WARN_IF_UNDOCUMENTED YES)
set(DOXYGEN_WARN_IF_DOC_ERROR YES)
set(DOXYGEN_WARN_NO_PARAMDOC NO)
set(DOXYGEN_WARN_FORMAT "$file:$line: $text")
option(DEXARU_DOCS_WARNINGS_FAIL "Make the docs target fail on any Doxygen warning" ON)
if(DEXARU_DOCS_WARNINGS_FAIL)
  set(DOXYGEN_WARN_AS_ERROR FAIL_ON_WARNINGS)
endif()
doxygen_add_docs(docs ${CMAKE_SOURCE_DIR}/docs/mainpage.md ${DEXARU_DOCUMENTED_HEADERS}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/library
  COMMENT "Writing the API documentation into ${CMAKE_BINARY_DIR}/docs/html")

# The test suite proves the documentation complete: any warning fails it.
if(DEXARU_BUILD_TESTS AND DEXARU_DOCS_WARNINGS_FAIL)
  add_test(NAME docs_without_warnings
           COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target docs)
  set_tests_properties(docs_without_warnings PROPERTIES LABELS docs)
endif()
