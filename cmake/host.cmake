# Native build of the portable code: unit tests under sanitizers, fuzz targets with clang.
if(NOT TESSALY_BUILD_TESTS)
    return()
endif()
enable_testing()

set(TESSALY_SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(tessaly_portable PUBLIC ${TESSALY_SANITIZERS})
target_link_options(tessaly_portable PUBLIC ${TESSALY_SANITIZERS})

include(cmake/googletest.cmake)

# README.md and docs/: every relative link names a file and a heading that exist, and every
# page of docs/ is linked from another.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_test(NAME docs_links COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/cmake/check-links.py ${CMAKE_SOURCE_DIR})

add_executable(host_tests
    tests/host/common/dotted_quad_test.cpp
    tests/host/adapters/network_place_test.cpp
    tests/host/app/start_request_test.cpp
    tests/host/app/hand_over_test.cpp
    tests/host/browser/proxy_settings_test.cpp
    tests/host/printer/printer_name_test.cpp
    tests/host/common/profile_text_test.cpp
    tests/host/app/version_code_test.cpp
    tests/host/netcmd/netsh_script_test.cpp
    tests/host/netcmd/netsh_text_test.cpp
    tests/host/profiles/section_names_test.cpp
    tests/host/profiles/script_path_test.cpp
    tests/host/shortcuts/profile_link_test.cpp
)
target_compile_options(host_tests PRIVATE ${TESSALY_WARNINGS})
target_include_directories(host_tests PRIVATE tests)
target_link_libraries(host_tests PRIVATE tessaly_portable GTest::gtest_main)
# The script reader's tests read the real dumps kept among the fuzz seeds.
target_compile_definitions(host_tests PRIVATE TESSALY_SCRIPT_SEEDS="${CMAKE_SOURCE_DIR}/fuzz/fuzz_netsh_script")
gtest_discover_tests(host_tests DISCOVERY_MODE PRE_TEST)

# libFuzzer targets; each also runs briefly as a test so the suite exercises it. The code
# under test is compiled again with coverage instrumentation, so that libFuzzer sees its
# edges, not only the harness's. Seeds and a dictionary per target are in fuzz/; what a
# run finds goes into the build directory, never into fuzz/.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    set(TESSALY_FUZZ_RUNS 20000 CACHE STRING "Inputs each fuzz target tries during the test run")
    get_target_property(TESSALY_PORTABLE_SOURCES tessaly_portable SOURCES)
    add_library(tessaly_portable_fuzz STATIC ${TESSALY_PORTABLE_SOURCES})
    target_include_directories(tessaly_portable_fuzz PUBLIC src)
    target_compile_options(tessaly_portable_fuzz PRIVATE ${TESSALY_WARNINGS} ${TESSALY_SANITIZERS}
        -fsanitize=fuzzer-no-link)
    function(tessaly_fuzz_target name source)
        add_executable(${name} ${source})
        target_compile_options(${name} PRIVATE ${TESSALY_WARNINGS} ${TESSALY_SANITIZERS} -fsanitize=fuzzer)
        target_link_options(${name} PRIVATE ${TESSALY_SANITIZERS} -fsanitize=fuzzer)
        target_link_libraries(${name} PRIVATE tessaly_portable_fuzz)
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz-corpus/${name} ${CMAKE_BINARY_DIR}/fuzz-crashes)
        add_test(NAME ${name} COMMAND ${name} -runs=${TESSALY_FUZZ_RUNS} -seed=1
            -dict=${CMAKE_SOURCE_DIR}/fuzz/${name}.dict
            -artifact_prefix=${CMAKE_BINARY_DIR}/fuzz-crashes/${name}-
            ${CMAKE_BINARY_DIR}/fuzz-corpus/${name} ${CMAKE_SOURCE_DIR}/fuzz/${name})
    endfunction()
    tessaly_fuzz_target(fuzz_profile_text tests/host/fuzz/fuzz_profile_text.cpp)
    tessaly_fuzz_target(fuzz_netsh_script tests/host/fuzz/fuzz_netsh_script.cpp)
endif()
