# Fails unless the exe imports only reviewed functions of system DLLs, and nothing of LATE:
# those DLLs are bound at first use, so no start of the tool loads them (nor through a
# delay-import table). With -DOLDEST_WINDOWS=ON (the i686 exe) it also fails unless the
# header asks for no Windows newer than NT 4.0, so that NT 4.0 and 98 load the exe and its
# own version gate can tell the user. Run with -DOBJDUMP=... -DEXE=... [-DLATE=a.dll,b.dll]
cmake_minimum_required(VERSION 3.20)
string(REPLACE "," ";" LATE "${LATE}")

# Every function the exe may import at start-up, each reviewed as exported by the DLL of
# Windows NT 4.0 SP6a and of Windows 98 SE (a stub that fails counts: the loader only needs
# the name; MoveFileExA is one on 98). The review is told in docs/real-windows.md.
# Anything newer (CheckTokenMembership, GetShellWindow, the token and SID calls) is bound at
# first use (src/common/late_binding.h). An import not listed here fails the check until it
# has been reviewed and added.
set(reviewed_advapi32.dll GetUserNameA RegCloseKey RegEnumKeyExA RegOpenKeyExA RegQueryInfoKeyA RegQueryValueExA)
set(reviewed_gdi32.dll BitBlt CreateCompatibleDC DeleteDC DeleteObject GetObjectA GetStockObject
    GetTextExtentPoint32A GetTextMetricsA SelectObject SetBkMode SetTextColor StretchBlt)
set(reviewed_kernel32.dll CloseHandle CreateEventA CreateFileA CreateMutexA CreateProcessA CreateThread DeleteFileA ExitProcess FindClose
    FindFirstFileA FindNextFileA GetACP GetCommandLineA GetCurrentDirectoryA GetCurrentProcess GetCurrentProcessId GetExitCodeProcess
    GetFileAttributesA GetFileAttributesExA GetFileInformationByHandle GetFileSize GetLastError GetLocalTime GetModuleFileNameA
    GetModuleHandleA GetPrivateProfileSectionA GetPrivateProfileSectionNamesA GetPrivateProfileStringA GetProcAddress GetStartupInfoA
    GetStdHandle GetSystemDirectoryA GetTickCount GetVersionExA GlobalFree LoadLibraryA MoveFileExA
    MultiByteToWideChar OpenProcess ReadFile ReleaseMutex SetErrorMode SetFilePointer Sleep TerminateProcess WaitForMultipleObjects WaitForSingleObject
    WriteFile WritePrivateProfileStringA lstrcatA lstrcmpiA lstrcpyA lstrcpynA lstrlenA)
set(reviewed_msvcrt.dll free malloc memchr memcpy memset strcat strchr strcmp strcpy strlen)
set(reviewed_user32.dll AppendMenuA BeginPaint CallWindowProcA CheckDlgButton CheckMenuItem CreatePopupMenu CreateWindowExA DefWindowProcA DestroyMenu DestroyWindow
    DialogBoxParamA DispatchMessageA DrawFocusRect DrawTextA EnableWindow EndDialog EndPaint FillRect FindWindowA
    GetClassNameA GetClientRect GetCursorPos
    GetDC GetDesktopWindow GetDlgItem GetLastActivePopup GetMenuState GetMessageA GetSysColor GetSysColorBrush GetSystemMetrics GetParent GetWindowLongA GetWindowRect GetWindowTextA GetWindowTextLengthA GetWindowThreadProcessId
    InvalidateRect IsDlgButtonChecked IsIconic IsWindow IsWindowEnabled IsWindowVisible KillTimer LoadCursorA LoadIconA LoadImageA MessageBoxA
    MsgWaitForMultipleObjects PeekMessageA PostMessageA PostQuitMessage RegisterClassExA RegisterWindowMessageA ReleaseDC
    SendDlgItemMessageA SendMessageA SendMessageTimeoutA
    SetCursor SetDlgItemTextA SetForegroundWindow SetTimer SetWindowLongA SetWindowPos ShowWindow TrackPopupMenu
    TranslateMessage UpdateWindow wsprintfA)
# The x64 exe imports these where the i686 exe has GetWindowLongA and SetWindowLongA; they
# exist in every 64-bit Windows (XP x64 and later).
if(NOT OLDEST_WINDOWS)
    list(APPEND reviewed_user32.dll GetWindowLongPtrA SetWindowLongPtrA)
endif()
set(allowed kernel32.dll user32.dll gdi32.dll comctl32.dll comdlg32.dll shell32.dll ole32.dll advapi32.dll
    msvcrt.dll)

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${EXE}")
endif()
# The import tables: a "DLL Name:" line, then one line per function (address, hint, name).
string(REGEX MATCHALL "DLL Name: [^\n]+|\n\t[0-9a-fA-F]+\t +[0-9]+ +[^\n]+" entries "${dump}")
set(imports)
set(dll "")
set(unreviewed)
set(functions 0)
foreach(entry IN LISTS entries)
    if(entry MATCHES "^DLL Name: (.+)$")
        string(STRIP "${CMAKE_MATCH_1}" dll)
        string(TOLOWER "${dll}" dll)
        list(APPEND imports ${dll})
        if(NOT dll IN_LIST allowed)
            message(FATAL_ERROR "${EXE} imports ${dll}, which is not a system DLL")
        endif()
        if(dll IN_LIST LATE)
            message(FATAL_ERROR "${EXE} imports ${dll} at start-up; it is to be bound at first use")
        endif()
    elseif(entry MATCHES "\t +[0-9]+ +([^ \t]+)")
        math(EXPR functions "${functions} + 1")
        if(NOT CMAKE_MATCH_1 IN_LIST reviewed_${dll})
            list(APPEND unreviewed "${dll}!${CMAKE_MATCH_1}")
        endif()
    endif()
endforeach()
if(NOT imports)
    message(FATAL_ERROR "no import table found in ${EXE}")
endif()
# objdump's lines of another form would leave every function unchecked.
list(LENGTH imports dlls)
if(functions LESS dlls)
    message(FATAL_ERROR "${EXE}: the imported functions could not be read from objdump's output")
endif()
if(unreviewed)
    string(REPLACE ";" " " unreviewed "${unreviewed}")
    message(FATAL_ERROR "${EXE} imports functions not reviewed for Windows NT 4.0 SP6a and 98 SE: ${unreviewed}. "
        "Bind them at first use, or review them and add them to cmake/check-imports.cmake.")
endif()
# The data directory entry of the delay-import table holds its address: 0 when there is none.
if(NOT dump MATCHES "Entry d 0+ [0-9a-fA-F]+ Delay Import Directory")
    message(FATAL_ERROR "${EXE} has a delay-import table")
endif()
# NT 4.0 and 98 refuse an image that asks for a newer subsystem or system than 4.0.
if(OLDEST_WINDOWS)
    foreach(field MajorOSystemVersion MajorSubsystemVersion)
        if(NOT dump MATCHES "${field}[ \t]+([0-9]+)" OR CMAKE_MATCH_1 GREATER 4)
            message(FATAL_ERROR "${EXE}: ${field} is not 4 or less; NT 4.0 and 98 would refuse to load it")
        endif()
    endforeach()
    foreach(field MinorOSystemVersion MinorSubsystemVersion)
        if(NOT dump MATCHES "${field}[ \t]+([0-9]+)" OR NOT CMAKE_MATCH_1 EQUAL 0)
            message(FATAL_ERROR "${EXE}: ${field} is not 0; NT 4.0 and 98 would refuse to load it")
        endif()
    endforeach()
endif()
file(SIZE ${EXE} size)
message(STATUS "${EXE}: ${size} bytes; imports: ${imports}; bound at first use: ${LATE}")
