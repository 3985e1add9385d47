// What the Windows-side tests share: a scratch directory and whole files.
#pragma once

#include <string>
#include <vector>

// A fresh, empty directory for one test, removed with everything in it afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }
    // Makes this directory the process's current directory until destruction.
    void enter();

private:
    std::string path_;
    std::string previous_;
};

bool fileExists(const std::string& path);
std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& content);
// A path of the build (a Unix path under Wine) as Windows programs see it: drive Z:.
std::string windowsPathOf(const std::string& hostPath);
// Points this program's import of `function` from `dll` at `replacement`, so that the
// code linked into the test program calls it instead; returns the function it replaced,
// or null when the program does not import it.
void* replaceImport(const char* dll, const char* function, void* replacement);
// Resets every stand-in planted in the late-bound functions (late::Name.standIn): the
// system's functions again.
void endStandIns();
// The lines of a text with CR LF line ends (the netsh stand-in's log).
std::vector<std::string> crlfLines(const std::string& text);
