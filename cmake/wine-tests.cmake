# Unit, integration and end-to-end tests against the real Win32 API, run under Wine.
include(cmake/googletest.cmake)
include(cmake/sim.cmake)

function(tessaly_wine_test name)
    add_executable(${name} ${ARGN} tests/win/support.cpp)
    target_compile_options(${name} PRIVATE ${TESSALY_WARNINGS})
    target_include_directories(${name} PRIVATE tests src)
    target_link_libraries(${name} PRIVATE tessaly_core tessaly_sim shell32 GTest::gtest_main)
    target_link_options(${name} PRIVATE -static)
    target_compile_definitions(${name} PRIVATE TESSALY_EXE="$<TARGET_FILE:tessaly>"
        RUNNER_CHILD="$<TARGET_FILE:runner_child>")
    add_dependencies(${name} tessaly runner_child sim_netsh sim_seed_machine sim_iphlpapi)
    # Discovery runs Wine only when the tests run, after the prefix and server exist.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 120)
endfunction()

# A stand-in for an outside program: the runner tests start it, the version box's
# address opens it.
add_executable(runner_child tests/win/netcmd/runner_child.cpp)
target_compile_options(runner_child PRIVATE ${TESSALY_WARNINGS})
target_link_options(runner_child PRIVATE -static)

# A DLL named like a system one, for the late-binding test to place beside the program.
add_library(impostor_dll SHARED tests/win/common/impostor_dll.cpp)
set_target_properties(impostor_dll PROPERTIES PREFIX "" OUTPUT_NAME msacm32
    LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/impostor RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/impostor)
target_link_options(impostor_dll PRIVATE -static)

# The Win32 API under Wine: one program for every layer below the windows.
tessaly_wine_test(win_tests
    tests/win/app/app_state_test.cpp
    tests/win/app/tray_icon_test.cpp
    tests/win/browser/browser_proxy_test.cpp
    tests/win/common/desktop_user_test.cpp
    tests/win/common/dialog_text_test.cpp
    tests/win/common/file_retry_test.cpp
    tests/win/printer/default_printer_test.cpp
    tests/win/common/late_binding_test.cpp
    tests/win/profiles/catalog_soak_test.cpp
    tests/win/profiles/profile_catalog_test.cpp
    tests/win/adapters/reg_key_test.cpp
    tests/win/adapters/discovery_test.cpp
    tests/win/netcmd/command_runner_test.cpp
    tests/win/netcmd/network_rights_test.cpp
    tests/win/netcmd/netsh_script_test.cpp
    tests/win/shortcuts/profile_shortcut_test.cpp
)
target_compile_definitions(win_tests PRIVATE IMPOSTOR_DLL="$<TARGET_FILE:impostor_dll>")
add_dependencies(win_tests impostor_dll)

# tessaly.exe with a patience of 2 s instead of 60 s for one netsh run, so that a test
# can outwait it; the runner compiled here is linked before the library's.
get_target_property(TESSALY_SOURCES tessaly SOURCES)
get_target_property(TESSALY_INCLUDES tessaly INCLUDE_DIRECTORIES)
add_executable(tessaly_impatient WIN32 ${TESSALY_SOURCES} src/netcmd/command_runner.cpp)
set_target_properties(tessaly_impatient PROPERTIES OUTPUT_NAME tessaly
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/impatient INCLUDE_DIRECTORIES "${TESSALY_INCLUDES}")
target_compile_definitions(tessaly_impatient PRIVATE TESSALY_PATIENCE_MS=2000)
target_compile_options(tessaly_impatient PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${TESSALY_WARNINGS} ${TESSALY_LEAN}>)
target_link_libraries(tessaly_impatient PRIVATE tessaly_core)
target_link_options(tessaly_impatient PRIVATE ${TESSALY_EXE_LINK})

# tessaly.exe driven through its windows on the simulated network.
tessaly_wine_test(e2e_tests
    tests/e2e/app/startup_test.cpp
    tests/e2e/app/main_window_test.cpp
    tests/e2e/app/hand_over_test.cpp
    tests/e2e/app/arrival_test.cpp
    tests/e2e/profiles/profiles_test.cpp
    tests/e2e/tcpip/tcpip_test.cpp
    tests/e2e/shortcuts/shortcuts_test.cpp
    tests/e2e/automation.cpp
    tests/e2e/fixture.cpp
)
target_compile_definitions(e2e_tests PRIVATE IMPATIENT_EXE="$<TARGET_FILE:tessaly_impatient>")
add_dependencies(e2e_tests tessaly_impatient)

# Benchmarks (bench/run builds and runs them; they print their figures).
add_executable(discovery_bench bench/discovery_bench.cpp)
set_target_properties(discovery_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_compile_options(discovery_bench PRIVATE ${TESSALY_WARNINGS})
target_include_directories(discovery_bench PRIVATE src bench)
target_link_libraries(discovery_bench PRIVATE tessaly_core tessaly_sim)
target_link_options(discovery_bench PRIVATE -static)
# The resident tool: the tooltip's refresh in-process, then tessaly.exe /R idle.
add_executable(resident_bench bench/resident_bench.cpp)
set_target_properties(resident_bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
target_compile_options(resident_bench PRIVATE ${TESSALY_WARNINGS})
target_include_directories(resident_bench PRIVATE src bench)
target_link_libraries(resident_bench PRIVATE tessaly_core tessaly_sim psapi)
target_link_options(resident_bench PRIVATE -static)

# Start-up: tessaly.exe timed against a minimal window program.
add_executable(minimal_window WIN32 bench/minimal_window.cpp)
add_executable(startup_bench bench/startup_bench.cpp)
add_executable(minimal_traced WIN32 bench/minimal_window.cpp bench/startup_trace.cpp)
target_compile_definitions(minimal_traced PRIVATE TESSALY_STARTUP_TRACE)
foreach(target minimal_window minimal_traced startup_bench)
    set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
    target_include_directories(${target} PRIVATE src)
    target_compile_options(${target} PRIVATE ${TESSALY_WARNINGS})
    target_link_options(${target} PRIVATE -static $<$<CONFIG:Release>:-s>)
endforeach()
# The same tool with marks on its way to the first paint (src/app/startup_trace.h); the
# main window compiled here is linked before the library's.
add_executable(tessaly_traced WIN32 ${TESSALY_SOURCES} src/app/main_window.cpp bench/startup_trace.cpp)
set_target_properties(tessaly_traced PROPERTIES OUTPUT_NAME tessaly
    RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench/traced INCLUDE_DIRECTORIES "${TESSALY_INCLUDES};${CMAKE_SOURCE_DIR}/src")
target_compile_definitions(tessaly_traced PRIVATE TESSALY_STARTUP_TRACE)
target_compile_options(tessaly_traced PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${TESSALY_WARNINGS} ${TESSALY_LEAN}>)
target_link_libraries(tessaly_traced PRIVATE tessaly_core)
target_link_options(tessaly_traced PRIVATE ${TESSALY_EXE_LINK})
