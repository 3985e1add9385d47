# The demo run's driver (scripts/run without a display). It drives the tool's windows
# with the end-to-end tests' automation, so it is built with them.
add_executable(tessaly_tour demo/tour.cpp tests/e2e/automation.cpp tests/win/support.cpp)
target_compile_options(tessaly_tour PRIVATE ${TESSALY_WARNINGS})
target_include_directories(tessaly_tour PRIVATE tests src)
target_link_libraries(tessaly_tour PRIVATE tessaly_core tessaly_sim)
target_link_options(tessaly_tour PRIVATE -static)
target_compile_definitions(tessaly_tour PRIVATE TESSALY_EXE="$<TARGET_FILE:tessaly>")
add_dependencies(tessaly_tour tessaly)
