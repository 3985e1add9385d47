# Unit, integration and end-to-end tests against the real Win32 API, run under Wine.
include(cmake/googletest.cmake)
include(cmake/sim.cmake)

function(tessaly_wine_test name)
    add_executable(${name} ${ARGN})
    target_compile_options(${name} PRIVATE ${TESSALY_WARNINGS})
    target_include_directories(${name} PRIVATE tests src)
    target_link_libraries(${name} PRIVATE tessaly_core GTest::gtest_main)
    target_link_options(${name} PRIVATE -static)
    # Discovery runs Wine only when the tests run, after the prefix and server exist.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
        PROPERTIES TIMEOUT 120)
endfunction()

tessaly_wine_test(win_app_tests
    tests/win/common/private_profile_test.cpp
    tests/win/app/app_state_test.cpp
    tests/win/scratch_dir.cpp
)

tessaly_wine_test(win_profiles_tests
    tests/win/profiles/profile_catalog_test.cpp
    tests/win/scratch_dir.cpp
)

tessaly_wine_test(win_adapters_tests
    tests/win/adapters/reg_key_test.cpp
    tests/win/adapters/discovery_test.cpp
)
target_link_libraries(win_adapters_tests PRIVATE tessaly_sim)

add_executable(runner_child tests/win/netcmd/runner_child.cpp)
target_compile_options(runner_child PRIVATE ${TESSALY_WARNINGS})
target_link_options(runner_child PRIVATE -static)

tessaly_wine_test(win_netcmd_tests
    tests/win/netcmd/command_runner_test.cpp
    tests/win/netcmd/netsh_operations_test.cpp
    tests/win/scratch_dir.cpp
    tests/win/sim_values.cpp
)
target_link_libraries(win_netcmd_tests PRIVATE tessaly_sim)
target_compile_definitions(win_netcmd_tests PRIVATE RUNNER_CHILD="$<TARGET_FILE:runner_child>")
add_dependencies(win_netcmd_tests runner_child sim_netsh sim_seed_machine)

tessaly_wine_test(e2e_tests
    tests/e2e/app/startup_test.cpp
    tests/e2e/app/main_window_test.cpp
    tests/e2e/app/version_dialog_test.cpp
    tests/e2e/profiles/profiles_test.cpp
    tests/e2e/tcpip/tcpip_test.cpp
    tests/e2e/shortcuts/shortcuts_test.cpp
    tests/e2e/automation.cpp
    tests/e2e/fixture.cpp
    tests/win/scratch_dir.cpp
    tests/win/sim_values.cpp
)
target_compile_definitions(e2e_tests PRIVATE TESSALY_EXE="$<TARGET_FILE:tessaly>"
    RUNNER_CHILD="$<TARGET_FILE:runner_child>")
target_link_libraries(e2e_tests PRIVATE shell32 tessaly_sim)
add_dependencies(e2e_tests tessaly runner_child)

# Benchmarks (bench/run builds and runs them; they print their figures).
add_executable(discovery_bench bench/discovery_bench.cpp)
set_target_properties(discovery_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_compile_options(discovery_bench PRIVATE ${TESSALY_WARNINGS})
target_include_directories(discovery_bench PRIVATE src bench)
target_link_libraries(discovery_bench PRIVATE tessaly_core tessaly_sim)
target_link_options(discovery_bench PRIVATE -static)
