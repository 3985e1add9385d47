// A fresh, empty directory for one test, removed with everything in it afterwards.
#pragma once

#include <string>

class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    // path() joined with a relative name.
    std::string file(const std::string& name) const;
    // Makes this directory the process's current directory until destruction.
    void enter();

private:
    std::string path_;
    std::string previousDirectory_;
};

// Whole-file helpers for checking what the program wrote.
bool fileExists(const std::string& path);
std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& content);

// A path of the build (a Unix path under Wine) as Windows programs see it: drive Z:.
std::string windowsPathOf(const std::string& hostPath);
