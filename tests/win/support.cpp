#include "win/support.h"

#include <windows.h>

#include <fstream>
#include <iterator>

#include "common/late_binding.h"

namespace {

void removeTree(const std::string& directory) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        const std::string name = found.cFileName, path = directory + "\\" + name;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            removeTree(path);
        else
            DeleteFileA(path.c_str());
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    // A process that just ended may hold the directory as its current one for a moment.
    for (int attempt = 0; attempt < 50 && !RemoveDirectoryA(directory.c_str()); ++attempt) Sleep(20);
}

}  // namespace

void* replaceImport(const char* dll, const char* function, void* replacement) {
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); entry->Name != 0;
         ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            const auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal) || lstrcmpA(byName->Name, function) != 0) continue;
            DWORD protection = 0;
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &protection);
            void* previous = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, protection, &protection);
            return previous;
        }
    }
    return nullptr;
}

void endStandIns() {
#define TESSALY_END_STAND_IN(dll, name, result, parameters) late::name.standIn.reset();
    TESSALY_LATE_FUNCTIONS(TESSALY_END_STAND_IN)
#undef TESSALY_END_STAND_IN
}

ScratchDir::ScratchDir() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    do {
        path_ = std::string(temp) + "tessaly-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    } while (!CreateDirectoryA(path_.c_str(), nullptr));
}

ScratchDir::~ScratchDir() {
    if (!previous_.empty()) SetCurrentDirectoryA(previous_.c_str());
    removeTree(path_);
}

void ScratchDir::enter() {
    char current[MAX_PATH];
    if (previous_.empty() && GetCurrentDirectoryA(sizeof current, current)) previous_ = current;
    SetCurrentDirectoryA(path_.c_str());
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string readWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void writeWholeFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string windowsPathOf(const std::string& hostPath) {
    std::string path = !hostPath.empty() && hostPath[0] == '/' ? "Z:" + hostPath : hostPath;
    for (char& c : path) c = c == '/' ? '\\' : c;
    return path;
}

std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> out;
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    return out;
}
