# The Windows build: the program, its installer, its in-process tests, the
# end-to-end tests and the test doubles of the system's password libraries.

set(ZOOMORB_OUT_DIR "${CMAKE_SOURCE_DIR}/out/win64" CACHE PATH "Where Zoomorb.scr is written")

set(ZOOMORB_WIN_DEFINES UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601)
target_compile_definitions(zoomorb_core PUBLIC ${ZOOMORB_WIN_DEFINES})

file(GLOB_RECURSE ZOOMORB_WIN_SOURCES CONFIGURE_DEPENDS src/*.cpp)
list(FILTER ZOOMORB_WIN_SOURCES EXCLUDE REGEX "/core/")
list(FILTER ZOOMORB_WIN_SOURCES EXCLUDE REGEX "src/app/win_main\\.cpp$")
add_library(zoomorb_app STATIC ${ZOOMORB_WIN_SOURCES})
target_link_libraries(zoomorb_app PUBLIC zoomorb_core user32 gdi32 kernel32 shell32 ole32 uuid comctl32)
target_compile_options(zoomorb_app PRIVATE -Wall -Wextra)
# The address the settings dialog's link shows and opens. The project has no
# public page of its own yet: empty leaves the link out rather than point
# users at an address nobody here controls. Set it when one exists.
set(ZOOMORB_HOME_PAGE "" CACHE STRING "Home page shown and opened by the settings dialog's link")
target_compile_definitions(zoomorb_app PRIVATE ZOOMORB_HOME_PAGE="${ZOOMORB_HOME_PAGE}")

set(ZOOMORB_RESOURCES "${CMAKE_SOURCE_DIR}/src/resources/zoomorb.rc")
# windres does not report what the script pulls in: name the pictures, the
# manifest and the ids, so that a new picture rebuilds the program.
file(GLOB ZOOMORB_RESOURCE_FILES CONFIGURE_DEPENDS
  src/resources/*.bmp src/resources/*.ico src/resources/*.cur src/resources/*.manifest src/resources/*.h)
set_source_files_properties(${ZOOMORB_RESOURCES} PROPERTIES OBJECT_DEPENDS "${ZOOMORB_RESOURCE_FILES}")

add_link_options(-static -static-libgcc -static-libstdc++)
# The same commit gives the same bytes whenever it is built: no link time in
# the PE header.
add_link_options(-Wl,--no-insert-timestamp)
# Small: unused functions and data are dropped at link time.
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-Wl,--gc-sections)

add_executable(zoomorb WIN32 src/app/win_main.cpp ${ZOOMORB_RESOURCES})
target_link_libraries(zoomorb PRIVATE zoomorb_app)
set_target_properties(zoomorb PROPERTIES
  OUTPUT_NAME Zoomorb SUFFIX .scr
  RUNTIME_OUTPUT_DIRECTORY "${ZOOMORB_OUT_DIR}")
target_link_options(zoomorb PRIVATE -municode -s)

# scripts/run's helper: where the saver's window is inside Wine's desktop.
add_executable(window_probe tools/wine/window_probe.cpp)
target_compile_definitions(window_probe PRIVATE ${ZOOMORB_WIN_DEFINES})
target_link_options(window_probe PRIVATE -municode)
target_link_libraries(window_probe PRIVATE user32)

include(cmake/release.cmake)

# GoogleTest from Debian's sources, built with this cross compiler.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL AMD64)
  set(ZOOMORB_PE_FORMAT pei-x86-64)
else()
  set(ZOOMORB_PE_FORMAT pei-i386)
endif()
add_test(NAME program_static_checks
         COMMAND ${CMAKE_COMMAND} -DPROGRAM=$<TARGET_FILE:zoomorb> -DOBJDUMP=${CMAKE_OBJDUMP}
                 -DFORMAT=${ZOOMORB_PE_FORMAT} -P ${CMAKE_SOURCE_DIR}/cmake/check_program.cmake)
set_tests_properties(program_static_checks PROPERTIES LABELS static)
add_test(NAME source_static_checks
         COMMAND ${CMAKE_COMMAND} -DSOURCES=${CMAKE_SOURCE_DIR}/src -P ${CMAKE_SOURCE_DIR}/cmake/check_sources.cmake)
set_tests_properties(source_static_checks PROPERTIES LABELS static)

include(cmake/wine_tests.cmake)
include(cmake/bench.cmake)
