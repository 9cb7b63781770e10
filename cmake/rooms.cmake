# SPDX-License-Identifier: GPL-3.0-or-later
# A room is a static library whose headers are found as "<folder>/<name>.h" only by itself and
# by the rooms that link it: each room's include path is a folder of its own holding a link to
# its source folder, never src/ as a whole. An include that points up the floors (the link
# including the form, the core including the shell) is then "file not found". A room that
# shares its folder with a room above it (the form, under the window's view) names its
# HEADERS, and only those are seen.
function(morvane_room target folder)
  cmake_parse_arguments(ROOM "" "" "SOURCES;DEPENDS;HEADERS" ${ARGN})
  set(stage ${PROJECT_BINARY_DIR}/rooms/${target})
  if(ROOM_HEADERS)
    file(MAKE_DIRECTORY ${stage}/${folder})
    foreach(header ${ROOM_HEADERS})
      if(NOT IS_SYMLINK ${stage}/${folder}/${header})
        file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder}/${header}
             ${stage}/${folder}/${header} SYMBOLIC)
      endif()
    endforeach()
  else()
    get_filename_component(parent ${stage}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    if(NOT IS_SYMLINK ${stage}/${folder})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${stage}/${folder} SYMBOLIC)
    endif()
  endif()
  add_library(${target} STATIC ${ROOM_SOURCES})
  target_include_directories(${target} PUBLIC ${stage})
  if(ROOM_DEPENDS)
    target_link_libraries(${target} PUBLIC ${ROOM_DEPENDS})
  endif()
endfunction()
