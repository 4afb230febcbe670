# Measurements that are not tests: the helper with which bench/run watches a
# running saver from outside. It reuses the end-to-end tests' screen reading,
# cursor recording and desktop pattern.
add_executable(lens_probe bench/lens_probe.cpp tests/e2e/desktop_pattern.cpp tests/e2e/harness.cpp)
target_include_directories(lens_probe PRIVATE tests/e2e tests/common src)
target_link_libraries(lens_probe PRIVATE user32 gdi32 advapi32 ntdll)
target_compile_definitions(lens_probe PRIVATE ${ZOOMORB_WIN_DEFINES} ZOOMORB_SCR="$<TARGET_FILE:zoomorb>")
