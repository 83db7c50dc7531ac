# The Japanese texts are kept readable in UTF-8 in platform/texts.txt and turned into a header of
# Shift-JIS (code page 932) byte strings at build time, with iconv. This works for any compiler,
# unlike -fexec-charset=CP932, which clang does not accept.
find_program(ICONV_EXECUTABLE iconv REQUIRED)
set(ZORVEL_TEXTS_SOURCE "${CMAKE_SOURCE_DIR}/platform/texts.txt")
set(ZORVEL_TEXTS_DIR "${CMAKE_BINARY_DIR}/generated")
set(ZORVEL_TEXTS_HEADER "${ZORVEL_TEXTS_DIR}/texts_cp932.h")
add_custom_command(
  OUTPUT "${ZORVEL_TEXTS_HEADER}"
  COMMAND "${CMAKE_COMMAND}" "-DINPUT=${ZORVEL_TEXTS_SOURCE}" "-DOUTPUT=${ZORVEL_TEXTS_HEADER}"
          "-DICONV=${ICONV_EXECUTABLE}" -P "${CMAKE_SOURCE_DIR}/cmake/EmbedTexts.cmake"
  DEPENDS "${ZORVEL_TEXTS_SOURCE}" "${CMAKE_SOURCE_DIR}/cmake/EmbedTexts.cmake"
  COMMENT "Converting the Japanese texts to code page 932"
  VERBATIM)
add_custom_target(zorvel_texts_header DEPENDS "${ZORVEL_TEXTS_HEADER}")
add_library(zorvel_texts INTERFACE)
add_dependencies(zorvel_texts zorvel_texts_header)
target_include_directories(zorvel_texts INTERFACE "${ZORVEL_TEXTS_DIR}")
