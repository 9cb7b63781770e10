# SPDX-License-Identifier: GPL-3.0-or-later
# Configures the Qt-free core with the tests' sixth setting in BINARY, builds its tests alone
# and runs them. JOBS (default 2) bounds the build.
if(NOT JOBS)
  set(JOBS 2)
endif()
set(options -DMORVANE_GUI=OFF -DMORVANE_TEST_EXTRA_SETTING=ON -DCMAKE_BUILD_TYPE=Debug
            -DCMAKE_CXX_COMPILER=${CXX} -DMORVANE_WERROR=${WERROR})
if(LAUNCHER)
  list(APPEND options -DCMAKE_CXX_COMPILER_LAUNCHER=${LAUNCHER})
endif()
if(GTEST_SOURCE)
  list(APPEND options -DMORVANE_GTEST_SOURCE=${GTEST_SOURCE})
endif()

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed: ${status}")
  endif()
endfunction()

run("configuring" ${CMAKE_COMMAND} -S ${SOURCE} -B ${BINARY} -G ${GENERATOR} ${options})
run("building" ${CMAKE_COMMAND} --build ${BINARY} --target extra_setting_tests --parallel ${JOBS})
run("the tests" ${BINARY}/tests/core/extra_setting_tests)
