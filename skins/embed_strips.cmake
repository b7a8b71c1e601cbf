# Writes a C++ source that holds every committed built-in strip
# (INPUT_DIR/resNUMBER_themeTHEME.bmp) as it is, for skin_artwork.h:
#   cmake -DINPUT_DIR=<folder> -DOUTPUT=<file.cpp> -P embed_strips.cmake
file(GLOB names RELATIVE ${INPUT_DIR} ${INPUT_DIR}/*.bmp)
list(SORT names)
if(NOT names)
  message(FATAL_ERROR "${INPUT_DIR}: no built-in strips (run the regenerate-skins target)")
endif()
set(arrays "")
set(table "")
foreach(name IN LISTS names)
  if(NOT name MATCHES "^res([0-9]+)_theme([0-9]+)\\.bmp$")
    message(FATAL_ERROR "${INPUT_DIR}/${name}: not a strip name (resNUMBER_themeTHEME.bmp)")
  endif()
  set(number ${CMAKE_MATCH_1})
  set(theme ${CMAKE_MATCH_2})
  set(id "k${number}_${theme}")
  file(READ ${INPUT_DIR}/${name} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){20})" "\\1\n" bytes "${bytes}")
  string(APPEND arrays "const unsigned char ${id}[] = {\n${bytes}};\n")
  string(APPEND table "    {${number}, ${theme}, ${id}},\n")
endforeach()
file(WRITE ${OUTPUT} "// Generated from ${INPUT_DIR} by embed_strips.cmake; do not edit.
#include \"controls/suite/skin_artwork.h\"

namespace skin_artwork {
namespace {

${arrays}
const EmbeddedStrip kStrips[] = {
${table}};

}  // namespace

std::span<const EmbeddedStrip> EmbeddedStrips() { return kStrips; }

}  // namespace skin_artwork
")
