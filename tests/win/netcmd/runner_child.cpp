// A stand-in for an outside program. Words of its command line after the program name,
// each optional: record=PATH appends the command line and the current directory to PATH;
// print=TEXT writes TEXT to standard output; open=PATH opens PATH for reading and writing
// beside its other users (exit 3 if it cannot); sleep=MS waits; exit=N ends with code N.
// With TESSALY_CHILD_LOG set it appends its command line to that file first.
#include <windows.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace {

void append(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

}  // namespace

int main() {
    const std::string commandLine = GetCommandLineA();
    char text[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TESSALY_CHILD_LOG", text, sizeof text);
    if (length > 0 && length < sizeof text) append(text, commandLine + "\n");
    int exitCode = 0;
    std::istringstream words(commandLine);
    std::string word;
    for (words >> word; words >> word;) {
        const std::string key = word.substr(0, word.find('='));
        const std::string value = word.substr(key.size() + (key.size() < word.size()));
        DWORD written = 0;
        if (key == "record") {
            GetCurrentDirectoryA(sizeof text, text);
            append(value, commandLine + "\n" + text + "\n");
        } else if (key == "print") {
            WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), value.data(), static_cast<DWORD>(value.size()), &written, nullptr);
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
