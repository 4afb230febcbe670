# The native build of the platform-neutral core: unit tests, and fuzz
# targets when the compiler is clang.

find_package(GTest REQUIRED)

file(GLOB ZOOMORB_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${ZOOMORB_UNIT_TESTS})
target_link_libraries(unit_tests PRIVATE zoomorb_core GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE ZOOMORB_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 60)

option(ZOOMORB_FUZZ "Build the fuzz targets (needs clang)" OFF)
if(ZOOMORB_FUZZ)
  file(GLOB ZOOMORB_FUZZ_TARGETS CONFIGURE_DEPENDS tests/fuzz/*.cpp)
  foreach(source ${ZOOMORB_FUZZ_TARGETS})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE zoomorb_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
endif()

# The picture generator: draws our own pictures; its output is committed.
file(GLOB ZOOMORB_TOOL_SOURCES CONFIGURE_DEPENDS tools/*.cpp)
if(ZOOMORB_TOOL_SOURCES)
  add_executable(make_pictures ${ZOOMORB_TOOL_SOURCES})
  target_include_directories(make_pictures PRIVATE tools)
  target_link_libraries(make_pictures PRIVATE zoomorb_core)
endif()
if(TARGET make_pictures)
  add_test(NAME pictures_match_generator
           COMMAND make_pictures --check "${CMAKE_SOURCE_DIR}/src/resources")
endif()
