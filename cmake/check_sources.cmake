# Static checks of the program's sources, for how it ends: no call pulls the
# plug on the process (every ending returns its code from the entry, with
# every owner's destructor run), and one function runs the user-interface
# thread's message loop. The input hooks' own thread takes its messages
# apart, as it must to be called.
#   cmake -DSOURCES=<src folder> -P check_sources.cmake

cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE sources "${SOURCES}/*.cpp" "${SOURCES}/*.h")

set(failures "")
foreach(source IN LISTS sources)
  file(READ "${source}" text)
  file(RELATIVE_PATH name "${SOURCES}" "${source}")
  if(text MATCHES "ExitProcess|TerminateProcess")
    string(APPEND failures "${name} ends the process itself\n")
  endif()
  string(REGEX MATCHALL "(GetMessage|DispatchMessage)[AW]?\\(" loops "${text}")
  if(loops AND NOT name STREQUAL "forms/program.cpp" AND NOT name STREQUAL "saver/input_blocker.cpp")
    string(APPEND failures "${name} runs a message loop of its own\n")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "no source ends the process itself; one function runs the message loop")
