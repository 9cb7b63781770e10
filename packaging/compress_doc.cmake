# SPDX-License-Identifier: GPL-3.0-or-later
# Compresses a manual page or the changelog as Debian wants them (gzip -9n: no name, no
# time stamp) and, for a manual page, first fails on any warning of man's own check.
#   cmake -DSOURCE=page.1 -DOUTPUT=page.1.gz [-DMAN=/usr/bin/man] -P compress_doc.cmake
if(MAN)
  set(ENV{LC_ALL} C.UTF-8)
  set(ENV{MANROFFSEQ} "")
  set(ENV{MANWIDTH} 80)
  execute_process(COMMAND ${MAN} --warnings -E UTF-8 -l -Tutf8 -Z ${SOURCE}
                  OUTPUT_QUIET ERROR_VARIABLE warnings RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "${SOURCE}: man --warnings reports:\n${warnings}")
  endif()
endif()
execute_process(COMMAND gzip -9n -c ${SOURCE} OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  file(REMOVE ${OUTPUT})
  message(FATAL_ERROR "gzip failed on ${SOURCE}")
endif()
