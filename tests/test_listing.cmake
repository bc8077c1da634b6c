# Reads CTest's own listing of the tests: each must end at a time limit of at most two minutes,
# so that a test that hangs cannot hold the run, and run headless, with the offscreen windows and
# an audio driver of its own, whatever the machine it runs on has.
#
#   cmake -DCTEST=ctest -DBUILD_DIR=build -P test_listing.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${CTEST} --show-only=json-v1 --test-dir ${BUILD_DIR}
  OUTPUT_VARIABLE listing RESULT_VARIABLE status ERROR_QUIET)
string(JSON count ERROR_VARIABLE error LENGTH "${listing}" tests)
# The suite's own tests, the runs without sound and this one: far more than a handful.
if(status OR error OR count LESS 50)
  message(FATAL_ERROR "no whole listing of the tests (${count} tests): ${error}")
endif()

set(faults "")
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  string(JSON name GET "${listing}" tests ${i} name)
  string(JSON properties ERROR_VARIABLE none LENGTH "${listing}" tests ${i} properties)
  if(none)
    set(properties 0)
  endif()
  set(limit 0)
  set(environment "")
  foreach(j RANGE ${properties})  # one past the last: its name is an error, and nothing
    string(JSON property ERROR_VARIABLE past GET "${listing}" tests ${i} properties ${j} name)
    if(property STREQUAL "TIMEOUT")
      string(JSON limit GET "${listing}" tests ${i} properties ${j} value)
    elseif(property STREQUAL "ENVIRONMENT")
      string(JSON environment GET "${listing}" tests ${i} properties ${j} value)
    endif()
  endforeach()
  if(limit LESS_EQUAL 0 OR limit GREATER 120 OR NOT environment MATCHES "\"QT_QPA_PLATFORM=offscreen\""
     OR NOT environment MATCHES "\"SDL_AUDIODRIVER=[^\"]+\"")
    list(APPEND faults "${name}: time limit ${limit}, environment ${environment}")
  endif()
endforeach()

if(faults)
  list(JOIN faults "\n  " lines)
  message(FATAL_ERROR "tests without their limit or their whole environment:\n  ${lines}")
endif()
message(STATUS "${count} tests, each with its time limit and its whole environment")
