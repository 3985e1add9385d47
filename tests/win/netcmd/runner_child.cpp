// A stand-in for an outside program, started by the runner tests. Words of its command
// line (after the program name), each optional:
//   record=PATH  append the whole command line and the current directory to PATH
//   print=TEXT   write TEXT to standard output
//   open=PATH    open PATH for reading and writing beside its other users; exit 3 if not
//   sleep=MS     wait before ending
//   exit=N       end with code N (default 0)
// With TESSALY_CHILD_LOG set it always appends its command line to that file.
#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace {

void append(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string currentDirectory() {
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof directory, directory);
    return directory;
}

}  // namespace

int main() {
    const std::string commandLine = GetCommandLineA();
    char log[MAX_PATH];
    const DWORD logLength = GetEnvironmentVariableA("TESSALY_CHILD_LOG", log, sizeof log);
    if (logLength > 0 && logLength < sizeof log) append(log, commandLine + "\n");

    int exitCode = 0;
    std::istringstream words(commandLine);
    std::string word;
    words >> word;  // the program name
    while (words >> word) {
        const size_t equals = word.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = word.substr(0, equals);
        const std::string value = word.substr(equals + 1);
        if (key == "record") {
            append(value, commandLine + "\n" + currentDirectory() + "\n");
        } else if (key == "print") {
            DWORD written = 0;
            WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), value.data(), static_cast<DWORD>(value.size()), &written,
                      nullptr);
        } else if (key == "open") {
            HANDLE file = CreateFileA(value.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (file == INVALID_HANDLE_VALUE) return 3;
            CloseHandle(file);
        } else if (key == "sleep") {
            Sleep(static_cast<DWORD>(std::atoi(value.c_str())));
        } else if (key == "exit") {
            exitCode = std::atoi(value.c_str());
        }
    }
    return exitCode;
}
