# SPDX-License-Identifier: GPL-3.0-or-later
# A core room builds for Windows too: a file of it that the Windows build compiles may not
# include a POSIX header. What needs one goes in a room's POSIX_SOURCES, which Windows leaves
# out. Run as a script (cmake -DROOM=... -DFILES=a;b -P this) it checks the files given.
set(MORVANE_POSIX_HEADER_REGEX
  "^[ \t]*#[ \t]*include[ \t]*<((unistd|fcntl|grp|pwd|termios|dirent|poll|dlfcn|pthread|libgen|glob|pty|syslog|spawn)|sys/[a-z_/]+)\\.h>")

function(morvane_refuse_posix_headers room)
  foreach(file ${ARGN})
    file(STRINGS ${file} includes REGEX "${MORVANE_POSIX_HEADER_REGEX}")
    foreach(line ${includes})
      string(REGEX MATCH "<[^>]+>" header "${line}")
      message(FATAL_ERROR "${room}: ${file} includes ${header}, which Windows does not have; "
                          "put what needs it in the room's POSIX_SOURCES")
    endforeach()
  endforeach()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED FILES)
  morvane_refuse_posix_headers(${ROOM} ${FILES})
endif()
