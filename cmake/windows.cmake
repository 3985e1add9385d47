# The Windows product (both presets) and, for win64, the tests that run under Wine.
enable_language(RC)

set(TESSALY_WINDOWS_DEFINES _WIN32_WINNT=0x0500 WINVER=0x0500)
# String literals become Shift-JIS, the code page of the ANSI calls.
set(TESSALY_CHARSET -finput-charset=UTF-8 -fexec-charset=CP932)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")

# Small code (-Oz): nothing throws, no type information, no frame pointer, data at the
# alignment the ABI asks and no more, no helper calls made out of loops. Not
# -ffunction-sections: the x86_64 assembler pads each function's section to 16 bytes, more
# than the unused functions it would let the link drop. Not -fdata-sections: MinGW then gives each zero variable a section of .data, which takes
# room in the file (2.5 KB of the x86_64 exe), where .bss takes none.
set(TESSALY_LEAN -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fomit-frame-pointer
    -fno-tree-loop-distribute-patterns -fno-partial-inlining -malign-data=abi
    $<$<CONFIG:Release>:-Oz>)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # Windows keeps a 32-bit thread's stack 4-byte aligned, and nothing here needs more.
    list(APPEND TESSALY_LEAN -mpreferred-stack-boundary=2)
else()
    # Every symbol the code reaches lies in the exe: no indirection for data a DLL could hold.
    list(APPEND TESSALY_LEAN -mcmodel=small)
endif()

target_compile_definitions(tessaly_portable PUBLIC ${TESSALY_WINDOWS_DEFINES})
target_compile_options(tessaly_portable PUBLIC ${TESSALY_CHARSET})
target_compile_options(tessaly_portable PRIVATE ${TESSALY_LEAN})

# Everything but the entry point, so tests can link the real code.
add_library(tessaly_core STATIC
    src/browser/browser_proxy.cpp
    src/browser/proxy_extra.cpp
    src/printer/default_printer.cpp
    src/printer/printer_extra.cpp
    src/adapters/connection_keys.cpp
    src/adapters/discovery.cpp
    src/adapters/network_extra.cpp
    src/adapters/network_now.cpp
    src/adapters/network_watch.cpp
    src/adapters/reg_key.cpp
    src/adapters/settings_readback.cpp
    src/app/app_state.cpp
    src/common/center_window.cpp
    src/common/dialog_text.cpp
    src/common/desktop_user.cpp
    src/common/file_identity.cpp
    src/common/file_retry.cpp
    src/common/late_binding.cpp
    src/app/instance_mutex.cpp
    src/app/main_window.cpp
    src/app/running_instance.cpp
    src/app/switch_log.cpp
    src/app/tray_icon.cpp
    src/common/message_box.cpp
    src/common/private_profile.cpp
    src/app/version_dialog.cpp
    src/app/windows_version.cpp
    src/netcmd/command_runner.cpp
    src/netcmd/network_rights.cpp
    src/profiles/profile_apply.cpp
    src/profiles/profile_catalog.cpp
    src/profiles/profile_extras.cpp
    src/profiles/profile_save.cpp
    src/profiles/profile_comparison.cpp
    src/profiles/rename_dialog.cpp
    src/profiles/save_dialog.cpp
    src/profiles/select_dialog.cpp
    src/tcpip/tcpip_apply.cpp
    src/tcpip/tcpip_dialog.cpp
    src/shortcuts/desktop_shortcut.cpp
)
# shell32, ole32, comctl32, wininet and winspool are bound at first use (src/common/late_binding.h).
target_link_libraries(tessaly_core PUBLIC tessaly_portable uuid gdi32 user32)
target_compile_options(tessaly_core PRIVATE ${TESSALY_WARNINGS} ${TESSALY_LEAN})

find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(TESSALY_ICON ${CMAKE_CURRENT_BINARY_DIR}/resources/tessaly.ico)
add_custom_command(
    OUTPUT ${TESSALY_ICON}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/resources
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/src/resources/make_icon.py ${TESSALY_ICON}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/resources/make_icon.py
    COMMENT "Drawing the program icon")
set_source_files_properties(src/resources/tessaly.rc PROPERTIES
    OBJECT_DEPENDS ${TESSALY_ICON})

add_executable(tessaly WIN32 src/app/entry_point.cpp src/app/win_main.cpp src/common/allocation.cpp
    src/resources/tessaly.rc
    ${TESSALY_ICON})
target_include_directories(tessaly PRIVATE
    $<$<COMPILE_LANGUAGE:RC>:${CMAKE_CURRENT_BINARY_DIR}/resources>
    $<$<COMPILE_LANGUAGE:RC>:${CMAKE_CURRENT_SOURCE_DIR}/src/resources>)
target_compile_options(tessaly PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${TESSALY_WARNINGS} ${TESSALY_LEAN}>)
target_link_libraries(tessaly PRIVATE tessaly_core)
# Static runtime, no C++ runtime DLLs; stripped in release builds. The exe has its own
# entry point (src/app/entry_point.cpp) instead of the runtime's start-up code, so no
# data may be imported in a way that needs that code's relocations.
set(TESSALY_EXE_LINK -static -nostartfiles -Wl,--disable-auto-import -Wl,--gc-sections)
# The i686 exe asks for Windows 4.0 in its header, so NT 4.0 and 98 load it and its version
# gate can say why it does not run there (they refuse an image that asks for 5.0).
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    list(APPEND TESSALY_EXE_LINK -Wl,--major-os-version,4,--minor-os-version,0
        -Wl,--major-subsystem-version,4,--minor-subsystem-version,0)
    set(TESSALY_OLDEST_WINDOWS ON)
else()
    set(TESSALY_OLDEST_WINDOWS OFF)
endif()
# Windows 2000 to Server 2003 load an exe at its own base and never move it: no relocations.
list(APPEND TESSALY_EXE_LINK -Wl,--disable-dynamicbase,--disable-reloc-section)
target_link_options(tessaly PRIVATE ${TESSALY_EXE_LINK} $<$<CONFIG:Release>:-s>)

enable_testing()
find_program(TESSALY_OBJDUMP NAMES ${TESSALY_TRIPLE}-objdump objdump REQUIRED)
add_test(NAME exe_imports_only_system_dlls
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TESSALY_OBJDUMP} -DEXE=$<TARGET_FILE:tessaly>
            -DLATE=shell32.dll,ole32.dll,comctl32.dll,wininet.dll,winspool.drv,iphlpapi.dll -DOLDEST_WINDOWS=${TESSALY_OLDEST_WINDOWS}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/check-imports.cmake)
# The check reads the file; running it needs no emulator.
set_tests_properties(exe_imports_only_system_dlls PROPERTIES LABELS static)
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_test(NAME exe_runs_on_a_pentium COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${TESSALY_OBJDUMP}
        -DEXE=$<TARGET_FILE:tessaly> -P ${CMAKE_CURRENT_SOURCE_DIR}/cmake/check-instructions.cmake)
    set_tests_properties(exe_runs_on_a_pentium PROPERTIES LABELS static)
endif()
# The release archive as a Windows 2000/XP user gets it; it holds both presets' exe.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_test(NAME release_archive COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/cmake/check-package.py
        ${CMAKE_CURRENT_SOURCE_DIR} ${TESSALY_OBJDUMP})
    set_tests_properties(release_archive PROPERTIES LABELS static)
endif()

if(TESSALY_BUILD_TESTS)
    include(cmake/wine-tests.cmake)
    include(cmake/demo.cmake)
endif()
