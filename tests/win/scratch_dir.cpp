#include "scratch_dir.h"

#include <windows.h>

#include <cstdio>

namespace {

void removeTree(const std::string& directory) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string full = directory + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(directory.c_str(), FILE_ATTRIBUTE_NORMAL);
    // A process that just ended may hold the directory as its current one for a moment.
    for (int attempt = 0; attempt < 50 && !RemoveDirectoryA(directory.c_str()); ++attempt) Sleep(20);
}

}  // namespace

ScratchDir::ScratchDir() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "tessaly-test-%lu-%u", GetCurrentProcessId(), ++counter);
        path_ = std::string(temp) + name;
        if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    }
}

ScratchDir::~ScratchDir() {
    if (!previousDirectory_.empty()) SetCurrentDirectoryA(previousDirectory_.c_str());
    removeTree(path_);
}

std::string ScratchDir::file(const std::string& name) const { return path_ + "\\" + name; }

void ScratchDir::enter() {
    char current[MAX_PATH];
    if (previousDirectory_.empty() && GetCurrentDirectoryA(sizeof current, current))
        previousDirectory_ = current;
    SetCurrentDirectoryA(path_.c_str());
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string readWholeFile(const std::string& path) {
    std::string content;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return content;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content.append(chunk, got);
    std::fclose(file);
    return content;
}

void writeWholeFile(const std::string& path, const std::string& content) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return;
    std::fwrite(content.data(), 1, content.size(), file);
    std::fclose(file);
}

std::string windowsPathOf(const std::string& hostPath) {
    std::string path = hostPath;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}
