# SPDX-License-Identifier: GPL-3.0-or-later
# A room is a static library whose headers are found as "<folder>/<name>.h" only by itself and
# by the rooms that link it: each room's include path is a folder of its own holding a link to
# its source folder, never src/ as a whole. An include that points up the floors (the link
# including the form, the core including the shell) is then "file not found".
# POSIX_SOURCES are built only on POSIX systems, WINDOWS_SOURCES only on Windows. A room that
# does not link Qt is core: its other files and headers may not include a POSIX header.
# A room's folder is src/<folder> unless FROM names another (relative to the project).
include(${CMAKE_CURRENT_LIST_DIR}/portable_sources.cmake)
function(morvane_room target folder)
  cmake_parse_arguments(ROOM "" "FROM" "SOURCES;POSIX_SOURCES;WINDOWS_SOURCES;DEPENDS" ${ARGN})
  set(source_folder ${PROJECT_SOURCE_DIR}/src/${folder})
  if(ROOM_FROM)
    set(source_folder ${PROJECT_SOURCE_DIR}/${ROOM_FROM})
  endif()
  set(stage ${PROJECT_BINARY_DIR}/rooms/${target})
  file(MAKE_DIRECTORY ${stage})
  if(NOT IS_SYMLINK ${stage}/${folder})
    file(CREATE_LINK ${source_folder} ${stage}/${folder} SYMBOLIC)
  endif()
  add_library(${target} STATIC ${ROOM_SOURCES})
  # A browser has no devices: emscripten's toolchain says UNIX, but none of them builds there.
  if(UNIX AND NOT EMSCRIPTEN)
    target_sources(${target} PRIVATE ${ROOM_POSIX_SOURCES})
  elseif(WIN32)
    target_sources(${target} PRIVATE ${ROOM_WINDOWS_SOURCES})
  endif()
  if(NOT "${ROOM_DEPENDS}" MATCHES "Qt6::")
    file(GLOB headers ${source_folder}/*.h)
    set(portable ${ROOM_SOURCES} ${ROOM_WINDOWS_SOURCES})
    list(TRANSFORM portable PREPEND ${CMAKE_CURRENT_SOURCE_DIR}/ REGEX "^[^/]")
    morvane_refuse_posix_headers(${target} ${portable} ${headers})
  endif()
  target_include_directories(${target} PUBLIC ${stage})
  if(ROOM_DEPENDS)
    target_link_libraries(${target} PUBLIC ${ROOM_DEPENDS})
  endif()
endfunction()
