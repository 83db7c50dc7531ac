# The release package: one ZIP with Zorvel.exe, sample conf.txt and journal.txt, and the Japanese
# user guide, every text in Shift-JIS. Built with `cmake --build --preset windows --target package`.
set(ZORVEL_GUIDE "${CMAKE_BINARY_DIR}/package/guide-ja.txt")
add_custom_command(
  OUTPUT "${ZORVEL_GUIDE}"
  COMMAND "${CMAKE_COMMAND}" "-DINPUT=${CMAKE_SOURCE_DIR}/packaging/guide-ja.txt"
          "-DOUTPUT=${ZORVEL_GUIDE}" "-DICONV=${ICONV_EXECUTABLE}"
          -P "${CMAKE_SOURCE_DIR}/cmake/ToShiftJis.cmake"
  DEPENDS "${CMAKE_SOURCE_DIR}/packaging/guide-ja.txt" "${CMAKE_SOURCE_DIR}/cmake/ToShiftJis.cmake"
  COMMENT "Converting the user guide to code page 932"
  VERBATIM)
add_custom_target(zorvel_guide ALL DEPENDS "${ZORVEL_GUIDE}")

install(TARGETS Zorvel RUNTIME DESTINATION .)
install(FILES "${CMAKE_SOURCE_DIR}/examples/conf.txt" "${CMAKE_SOURCE_DIR}/examples/journal.txt"
        DESTINATION .)
install(FILES "${ZORVEL_GUIDE}" DESTINATION . RENAME "はじめにお読みください.txt")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Zorvel)
set(CPACK_PACKAGE_VENDOR Zorvel)
set(CPACK_PACKAGE_FILE_NAME "Zorvel-${PROJECT_VERSION}-win64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_PACKAGE_DIRECTORY "${CMAKE_BINARY_DIR}/package")
include(CPack)

if(ZORVEL_BUILD_TESTS)
  add_test(NAME release_package
           COMMAND bash "${CMAKE_SOURCE_DIR}/tests/package/check_package.sh" "${CMAKE_BINARY_DIR}"
                   "${CMAKE_SOURCE_DIR}")
  set_tests_properties(release_package PROPERTIES TIMEOUT 300)
endif()
