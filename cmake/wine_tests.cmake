# Windows-side tests, run under Wine by ctest through the cross-compiling
# emulator: in-process tests of the engine and the program's parts, the
# end-to-end tests that drive the real Zoomorb.scr, and the test doubles of
# the system's 9x password libraries.

# Whatever the developer's locale, Wine runs them with the Western code page
# (1252) and UTF-8 host file names: the settings tests need folder names
# that code page cannot spell, and a locale that is not installed would
# leave Wine unable to make them at all.
function(zoomorb_wine_test target)
  add_test(NAME ${target} COMMAND ${target} --gtest_color=no)
  set_tests_properties(${target} PROPERTIES TIMEOUT 900 RUN_SERIAL TRUE LABELS wine ENVIRONMENT "LC_ALL=C.UTF-8")
endfunction()

file(GLOB ZOOMORB_WIN_TESTS CONFIGURE_DEPENDS tests/win/*.cpp)
add_executable(win_tests ${ZOOMORB_WIN_TESTS} ${ZOOMORB_RESOURCES})
target_include_directories(win_tests PRIVATE tests/common)
target_link_libraries(win_tests PRIVATE zoomorb_app gtest_main ntdll)
zoomorb_wine_test(win_tests)

# The doubles export undecorated names, as the system libraries do.
add_library(password_cpl SHARED tests/doubles/password_cpl.cpp)
set_target_properties(password_cpl PROPERTIES PREFIX "" OUTPUT_NAME password SUFFIX .cpl)
add_library(mpr_double SHARED tests/doubles/mpr.cpp)
set_target_properties(mpr_double PROPERTIES PREFIX "" OUTPUT_NAME mpr)
foreach(double password_cpl mpr_double)
  target_link_options(${double} PRIVATE -Wl,--kill-at)
endforeach()

# The saver as the end-to-end tests make it fail: the same program, linked
# with a fault seam that raises a run-time error on a message of the tests'
# own instead of the program's, which raises none.
add_executable(failing_saver WIN32 src/app/win_main.cpp tests/doubles/fault_on_message.cpp ${ZOOMORB_RESOURCES})
target_include_directories(failing_saver PRIVATE tests/doubles)
target_link_libraries(failing_saver PRIVATE zoomorb_app)
set_target_properties(failing_saver PROPERTIES
  OUTPUT_NAME Zoomorb SUFFIX .scr RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/failing_saver")
target_link_options(failing_saver PRIVATE -municode -s)


file(GLOB ZOOMORB_E2E_TESTS CONFIGURE_DEPENDS tests/e2e/*.cpp)
add_executable(e2e_tests ${ZOOMORB_E2E_TESTS})
target_include_directories(e2e_tests PRIVATE tests/e2e src)
target_link_libraries(e2e_tests PRIVATE zoomorb_core gtest user32 gdi32 advapi32 shell32 ole32 uuid)
target_compile_definitions(e2e_tests PRIVATE ${ZOOMORB_WIN_DEFINES}
  ZOOMORB_SCR="$<TARGET_FILE:zoomorb>"
  ZOOMORB_WIN_TESTS="$<TARGET_FILE:win_tests>"
  ZOOMORB_SETUP="${ZOOMORB_INSTALLER}"
  ZOOMORB_RELEASE="${ZOOMORB_RELEASE}"
  ZOOMORB_PASSWORD_CPL="$<TARGET_FILE:password_cpl>"
  ZOOMORB_MPR_DOUBLE="$<TARGET_FILE:mpr_double>"
  ZOOMORB_FAILING_SAVER="$<TARGET_FILE:failing_saver>")
target_include_directories(e2e_tests PRIVATE tests/doubles)
add_dependencies(e2e_tests zoomorb win_tests installer password_cpl mpr_double failing_saver)
zoomorb_wine_test(e2e_tests)
