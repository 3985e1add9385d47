// Desktop shortcuts end to end, read back with an independent reader of .lnk files
// (Debian's lnkinfo, run through the shell from inside Wine).
#include <shlobj.h>

#include "e2e/fixture.h"

namespace {

struct Shortcut {
    int command;
    const char* question;
    const char* file;
    const char* arguments;
};

const Shortcut kShortcuts[] = {
    {504, "ネットワーク設定の読込み専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "ネットワーク設定読込み.lnk", "/L"},
    {505, "ネットワーク設定の保存専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "ネットワーク設定保存.lnk", "/S"},
    {506, "インターネットプロトコル設定の専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "インターネットプロトコル設定.lnk", "/T"},
};

class Shortcuts : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        char path[MAX_PATH] = "";
        ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOP, FALSE));
        desktop = path;  // inside the test prefix (scripts/wine-env)
        removeLinks();
    }
    void TearDown() override {
        removeLinks();
        ToolTest::TearDown();
    }
    void removeLinks() {
        for (const Shortcut& s : kShortcuts) {
            RemoveDirectoryA(link(s).c_str());
            DeleteFileA(link(s).c_str());
        }
    }
    std::string link(const Shortcut& s) const { return desktop + "\\" + s.file; }
    // The link's target, arguments, working directory, description and icon as lnkinfo
    // reports them, one per line, "-" for one it does not show. It reads a byte-identical
    // copy with a plain name: a command line reaches the shell re-encoded. Wine cannot
    // wait for a Unix process, so the report is moved into place when complete.
    std::string linkFields(const Shortcut& s) const {
        const std::string copy = "/tmp/tessaly-lnkinfo-" + std::to_string(GetCurrentProcessId());
        if (!CopyFileA(link(s).c_str(), windowsPathOf(copy + ".lnk").c_str(), FALSE)) return "no link";
        DeleteFileA(windowsPathOf(copy + ".txt").c_str());
        std::string command = "/bin/sh -c \"/usr/bin/lnkinfo " + copy + ".lnk > " + copy + ".part; mv " + copy +
                              ".part " + copy + ".txt\"";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            return "lnkinfo did not start";
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        for (DWORD waited = 0; !fileExists(windowsPathOf(copy + ".txt")) && waited < kWaitMs; waited += 50) Sleep(50);
        const std::string report = readWholeFile(windowsPathOf(copy + ".txt"));
        std::string fields;
        for (const char* name : {"Local path", "Command line arguments", "Working directory", "Description", "Icon location"}) {
            const size_t at = report.find(std::string("\t") + name);
            const size_t colon = report.find(": ", at);
            fields += at == std::string::npos ? "-\n" : report.substr(colon + 2, report.find('\n', colon) - colon - 1);
        }
        return fields;
    }
    static std::string expectedFields(const Shortcut& s) {
        const std::string exe = tessalyExePath();
        return exe + "\n" + s.arguments + "\n" + exe.substr(0, exe.rfind('\\') + 1) + "\n-\n-\n";
    }
    // Answers a shortcut question; returns once the command has finished, as a 507 note,
    // handled after it, shows.
    std::string answer(TessalyRun& run, HWND mainWindow, int button) {
        const std::string question = answerBox(run, "ショートカット作成", button);
        postCommand(mainWindow, 507);
        answerBox(run, "設定");
        return question;
    }

    std::string desktop;
};

TEST_F(Shortcuts, EachCommandAsksThenWritesItsShortcutOverAnOldFileAndTellsAFailure) {
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    ASSERT_NE(nullptr, mainWindow);
    for (const Shortcut& s : kShortcuts) {
        SCOPED_TRACE(s.file);
        postCommand(mainWindow, s.command);
        EXPECT_EQ(std::string("[OK Cancel] ") + s.question, answer(run, mainWindow, IDCANCEL));
        EXPECT_FALSE(fileExists(link(s)));
        // A folder of the link's name stands where the file should go.
        CreateDirectoryA(link(s).c_str(), nullptr);
        postCommand(mainWindow, s.command);
        answerBox(run, "ショートカット作成");
        EXPECT_EQ("ショートカットを作成できませんでした。", answerBox(run, "確認"));
        RemoveDirectoryA(link(s).c_str());
        writeWholeFile(link(s), "not a shortcut at all");
        postCommand(mainWindow, s.command);
        answer(run, mainWindow, IDOK);
        EXPECT_EQ(expectedFields(s), linkFields(s));
    }
    exitThroughMenu(run, mainWindow);
}

TEST_F(Shortcuts, TheFirstRunOfferCreatesTheFirstTwo) {
    DeleteFileA(dir.file("tessaly.ini").c_str());
    TessalyRun run;
    ASSERT_TRUE(run.start("", dir.path()));
    HWND mainWindow = run.waitForWindow("Tessaly", nullptr);
    EXPECT_EQ("[OK Cancel] ショートカットをデスクトップに作成します。", answerBox(run, "ショートカット作成"));
    EXPECT_EQ(std::string("[OK Cancel] ") + kShortcuts[0].question, answerBox(run, "ショートカット作成"));
    EXPECT_EQ(std::string("[OK Cancel] ") + kShortcuts[1].question, answer(run, mainWindow, IDOK));
    EXPECT_EQ(expectedFields(kShortcuts[0]), linkFields(kShortcuts[0]));
    EXPECT_EQ(expectedFields(kShortcuts[1]), linkFields(kShortcuts[1]));
    EXPECT_FALSE(fileExists(link(kShortcuts[2])));
    exitThroughMenu(run, mainWindow);
    EXPECT_EQ("[Basic]\r\nFirstTime=0\r\n", readWholeFile(dir.file("tessaly.ini")));
}

}  // namespace
