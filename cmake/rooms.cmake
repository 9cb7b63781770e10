# SPDX-License-Identifier: GPL-3.0-or-later
# A room is a static library whose headers are found as "<folder>/<name>.h" only by itself and
# by the rooms that link it: each room's include path is a folder of its own holding a link to
# its source folder, never src/ as a whole. An include that points up the floors (the link
# including the form, the core including the shell) is then "file not found".
function(morvane_room target folder)
  cmake_parse_arguments(ROOM "" "" "SOURCES;DEPENDS" ${ARGN})
  set(stage ${PROJECT_BINARY_DIR}/rooms/${target})
  file(MAKE_DIRECTORY ${stage})
  if(NOT IS_SYMLINK ${stage}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${stage}/${folder} SYMBOLIC)
  endif()
  add_library(${target} STATIC ${ROOM_SOURCES})
  target_include_directories(${target} PUBLIC ${stage})
  if(ROOM_DEPENDS)
    target_link_libraries(${target} PUBLIC ${ROOM_DEPENDS})
  endif()
endfunction()
